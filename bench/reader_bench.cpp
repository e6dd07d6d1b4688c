// The reader's track operations over a full 2HD layout disk (154 tracks),
// and sector lookups on the long-track image that every table entry names.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "diskimage.h"
#include "runprogram.h"
#include "titledisk.h"
#include "worstcase.h"

namespace {

using d88test::Bytes;

struct ImageFile {
    d88test::ScratchDir dir;
    std::string path;
    explicit ImageFile(const Bytes& bytes) : path(dir.file("image.d88")) {
        d88test::writeFile(path, bytes);
    }
};

const ImageFile& fullTwoHD() {
    static const ImageFile file(d88test::TitleDisk(d88test::TitleLayout::TwoHD).build());
    return file;
}

void openFirstDisk(DiskImage& image, const std::string& path) {
    image.open(path.c_str());
    image.selectDisk(0);
}

void BM_ReadSectorFullDisk(benchmark::State& state) {
    DiskImage image;
    openFirstDisk(image, fullTwoHD().path);
    uint8_t buffer[1024];
    int64_t bytes = 0;
    for (auto _ : state) {
        for (int track = 2; track < 154; ++track) {
            for (int r = 1; r <= 5; ++r) {
                bytes += image.readSector(track, track / 4, (track / 2) & 1, r, 3, buffer, 1024);
            }
        }
    }
    state.SetBytesProcessed(bytes);
}

void BM_ReadSectorsFullDisk(benchmark::State& state) {
    DiskImage image;
    openFirstDisk(image, fullTwoHD().path);
    image.setSectorRange(1, 5);
    uint8_t buffer[5 * 1024];
    int64_t bytes = 0;
    for (auto _ : state) {
        for (int track = 2; track < 154; ++track) {
            bytes +=
                image.readSectors(track, track / 4, (track / 2) & 1, 1, 3, buffer, sizeof buffer);
        }
    }
    state.SetBytesProcessed(bytes);
}

void BM_ListSectorIdsFullDisk(benchmark::State& state) {
    DiskImage image;
    openFirstDisk(image, fullTwoHD().path);
    uint8_t ids[256];
    for (auto _ : state) {
        int listed = 0;
        for (int track = 0; track < 164; ++track) {
            listed += image.listSectorIds(track, ids, sizeof ids);
        }
        benchmark::DoNotOptimize(listed);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 164);
}

// Every lookup asks for a sector among the last records of a track of 65535.
void BM_ReadSectorLongTrack(benchmark::State& state) {
    static const ImageFile file(d88test::longTrackDirectoryImage(1440, 82, 1));
    DiskImage image;
    openFirstDisk(image, file.path);
    uint8_t buffer[512];
    int64_t lookups = 0;
    for (auto _ : state) {
        for (int track = 0; track < 164; ++track) {
            for (int r = 1; r <= 9; ++r) {
                benchmark::DoNotOptimize(
                    image.readSector(track, track / 2, track % 2, r, 2, buffer, 512));
                ++lookups;
            }
        }
    }
    state.SetItemsProcessed(lookups);
}

BENCHMARK(BM_ReadSectorFullDisk);
BENCHMARK(BM_ReadSectorsFullDisk);
BENCHMARK(BM_ListSectorIdsFullDisk);
BENCHMARK(BM_ReadSectorLongTrack);

}  // namespace
