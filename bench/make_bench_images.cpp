// Writes the images that bench/run-tools times the programs on: realistic
// ones, and ones crafted to make a naive track walk as slow as it can be.
#include <cstdio>
#include <string>

#include "benchimages.h"
#include "lzencoder.h"
#include "worstcase.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n",
                     argc > 0 ? argv[0] : "make_bench_images");
        return 2;
    }
    const std::string dir = argv[1];
    d88test::Bytes text;
    while (text.size() < 65535) {
        const std::string line = "track " + std::to_string(text.size() % 977) + " sector data\n";
        text.insert(text.end(), line.begin(), line.end());
    }
    text.resize(65535);
    const struct {
        const char* name;
        d88test::Bytes bytes;
    } images[] = {
        {"2hd-full.d88", bench::fullTitleDisk(d88test::TitleLayout::TwoHD)},
        {"2dd-full.d88", bench::fullTitleDisk(d88test::TitleLayout::TwoDD)},
        {"dir-full.d88", bench::fullDirectoryDisk()},
        {"dir-64.d88", bench::sixtyFourDirectoryDisks()},
        {"worst-dir.d88", d88test::longTrackDirectoryImage(1440, 82, 1)},
        {"worst-dir64.d88", d88test::longTrackDirectoryImage(9, 1, 64)},
        {"worst-2hd.d88", d88test::longTrackTitleImage()},
        {"worst-cut.d88", d88test::longTrackCutImage()},
        {"text.lz", d88test::lzCompressFile(text)},
    };
    for (const auto& image : images) {
        if (!d88test::writeFile(dir + "/" + image.name, image.bytes)) {
            std::fprintf(stderr, "make_bench_images: cannot write %s/%s\n", argv[1], image.name);
            return 1;
        }
    }
    return 0;
}
