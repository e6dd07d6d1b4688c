#include "worstcase.h"

#include <cstdio>

#include "dirdisk.h"
#include "titledisk.h"

namespace d88test {

namespace {

constexpr int kMaxRecords = 65535;
constexpr size_t kHeaderSize = 0x2B0;

Bytes longTrackDirectory(int sectorsPerFile) {
    Bytes directory(3072);
    for (int i = 0; i < 192; ++i) {
        char name[9];
        std::snprintf(name, sizeof name, "FILE%02d", i % 16);
        const Bytes entry = directoryEntry({name, 0, sectorsPerFile - 1, {}});
        std::copy(entry.begin(), entry.end(), directory.begin() + 16 * i);
    }
    return directory;
}

// A disk whose track 0, and every other track-table entry, is the long track
// of `records` records; every record says the track has 65535.
DiskBuilder longTrackDisk(int sectorsPerFile, int cylinders, int records) {
    const Bytes directory = longTrackDirectory(sectorsPerFile);
    const int realRecords = cylinders * 2 * 9;
    DiskBuilder disk;
    for (int k = 1; k <= records - realRecords; ++k) {
        disk.addSector(0, {0xEE, 0xEE, 0xEE, 0, kMaxRecords, 0, {}});
    }
    for (int c = 0; c < cylinders; ++c) {
        for (int h = 0; h < 2; ++h) {
            for (int r = 1; r <= 9; ++r) {
                SectorSpec s{static_cast<uint8_t>(c),
                             static_cast<uint8_t>(h),
                             static_cast<uint8_t>(r),
                             2,
                             kMaxRecords,
                             {},
                             {}};
                if (c == 0 && h == 0 && r >= 2 && r <= 7) {
                    s.data.assign(directory.begin() + (r - 2) * 512,
                                  directory.begin() + (r - 1) * 512);
                } else {
                    s.data = sectorPattern(2 * c + h, r, 512);
                }
                disk.addSector(0, std::move(s));
            }
        }
    }
    for (int track = 1; track < 164; ++track) {
        disk.setTrackOffset(track, kHeaderSize);
    }
    return disk;
}

}  // namespace

Bytes longTrackDirectoryImage(int sectorsPerFile, int cylinders, int disks) {
    if (disks <= 1) {
        return longTrackDisk(sectorsPerFile, cylinders, kMaxRecords).build();
    }
    // Fewer records than any count: the walk of each disk ends at the end of
    // the file, after the headers of the disks behind it and the long track.
    const Bytes track = longTrackDisk(sectorsPerFile, cylinders, kMaxRecords - 64).build();
    Bytes image;
    for (int k = 0; k < disks; ++k) {
        Bytes header(kHeaderSize, 0);
        header[0] = header[1] = header[2] = 0xEE;  // C, H, R; N 0
        putLe16(header, 4, kMaxRecords);           // sector count
        putLe16(header, 14, kHeaderSize - 16);     // data size: the rest of the header
        putLe32(header, 0x1C, kHeaderSize);        // disk size
        for (int t = 0; t < 164; ++t) {
            putLe32(header, 0x20 + 4 * static_cast<size_t>(t), kHeaderSize);
        }
        image.insert(image.end(), header.begin(), header.end());
    }
    image.insert(image.end(), track.begin() + kHeaderSize, track.end());
    return image;
}

Bytes longTrackTitleImage() {
    TitleDisk layout(TitleLayout::TwoHD);
    for (int dir = 0; dir < 2; ++dir) {
        for (int i = 0; i < 128; ++i) {
            char name[8];
            std::snprintf(name, sizeof name, "L%d%02d", dir, i % 16);
            layout.addEntry(dir, {name, 77, 1, 81, 5, {}});
        }
    }
    DiskBuilder disk = layout.builder();
    std::vector<SectorSpec>& track = disk.track(154);
    track.clear();
    constexpr int kRealRecords = 5 * 5;
    for (int k = 1; k <= kMaxRecords - kRealRecords; ++k) {
        track.push_back({0xEE, 0xEE, 0xEE, 0, kMaxRecords, 0, {}});
    }
    for (int t = 77; t <= 81; ++t) {
        for (int r = 1; r <= 5; ++r) {
            track.push_back({static_cast<uint8_t>(t >> 1),
                             static_cast<uint8_t>(t & 1),
                             static_cast<uint8_t>(r),
                             3,
                             kMaxRecords,
                             {},
                             sectorPattern(154 + (t - 77), r, 1024)});
        }
    }
    for (int t = 155; t < 164; ++t) {
        disk.track(t).clear();
    }
    const uint32_t longTrack = le32At(disk.build(), 0x20 + 4 * 154);
    for (int t = 155; t < 164; ++t) {
        disk.setTrackOffset(t, longTrack);
    }
    return disk.build();
}

Bytes longTrackCutImage() {
    DiskBuilder disk;
    for (int k = 1; k <= kMaxRecords; ++k) {
        if (k <= 64) {
            disk.addSector(
                0, {0, 0, static_cast<uint8_t>(k), 1, kMaxRecords, {}, sectorPattern(0, k, 256)});
        } else {
            disk.addSector(0, {0xEE, 0xEE, 0xEE, 0, kMaxRecords, 0, {}});
        }
    }
    for (int track = 1; track < 164; ++track) {
        disk.setTrackOffset(track, kHeaderSize);
    }
    return disk.build();
}

}  // namespace d88test
