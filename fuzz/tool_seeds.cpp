// Seeds of the game-disk and decompression targets.
#include <random>

#include "lzencoder.h"
#include "seeds.h"
#include "titledisk.h"

namespace {

using d88test::Bytes;

// A layout disk that passes every check but keeps only its directory
// sectors' data: small enough for the fuzzers' input limit.
Bytes compactLayoutDisk(d88test::TitleLayout layout) {
    d88test::TitleDisk disk(layout);
    disk.addEntry(0, {"FIRST", 2, 1, 3, 2, {}}).addEntry(0, {"SECOND", 4, 5, 5, 1, {}});
    const bool twoHD = layout == d88test::TitleLayout::TwoHD;
    if (twoHD) {
        disk.addEntry(1, {"THIRD", 2, 3, 2, 4, {}});
    }
    d88test::DiskBuilder builder = disk.builder();
    for (int track = 0; track < 164; ++track) {
        const bool directoryTrack = twoHD ? (track == 2 || track == 3) : track == 1;
        for (d88test::SectorSpec& s : builder.track(track)) {
            if (!directoryTrack || s.r > 2) {
                s.data.clear();
            }
        }
    }
    return builder.build();
}

Bytes text(const char* s) {
    return Bytes(s, s + std::char_traits<char>::length(s));
}

}  // namespace

bool writeToolSeeds(const std::string& dir) {
    const Bytes layoutSteer(8, 0);
    Bytes filterSteer{1, 'F', 'I', 'R', 'S', 'T', 0, 0};
    const Bytes twoHD = compactLayoutDisk(d88test::TitleLayout::TwoHD);
    const Bytes twoDD = compactLayoutDisk(d88test::TitleLayout::TwoDD);
    d88test::DiskBuilder small;
    small.addStandardTrack(0, 1, 16, 1).addStandardTrack(1, 1, 16, 1);
    // Disk 0, track 0, sector 16, size 600; decimal numbers, six arguments.
    Bytes cutSteer(24, 0);
    cutSteer[3] = 16;
    cutSteer[5] = 600 & 0xFF;
    cutSteer[6] = 600 >> 8;
    cutSteer[23] = 1;
    std::mt19937 random(7);
    Bytes noise(3000);
    for (uint8_t& b : noise) {
        b = static_cast<uint8_t>(random() % 16);
    }
    const Bytes packedText = d88test::lzCompressFile(
        text("a sample of text, a sample of text, and a run: ............................"));
    const Bytes packedNoise = d88test::lzCompressFile(noise);
    return writeSeed(dir, "title_layout", "2hd", d88test::concat({layoutSteer, twoHD})) &&
           writeSeed(dir, "title_layout", "2hd-filter", d88test::concat({filterSteer, twoHD})) &&
           writeSeed(dir, "title_layout", "2dd", d88test::concat({layoutSteer, twoDD})) &&
           writeSeed(dir, "cutout", "600-bytes", d88test::concat({cutSteer, small.build()})) &&
           writeSeed(dir, "decode", "text", packedText) &&
           writeSeed(dir, "decode", "noise", packedNoise) &&
           writeSeed(dir, "decomp", "text", packedText) &&
           writeSeed(dir, "decomp", "noise", packedNoise);
}
