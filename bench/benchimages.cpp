#include "benchimages.h"

#include <cstdio>

#include "dirdisk.h"

namespace bench {

using d88test::Bytes;

Bytes fullTitleDisk(d88test::TitleLayout layout) {
    d88test::TitleDisk disk(layout);
    const bool twoHD = layout == d88test::TitleLayout::TwoHD;
    const int lastTrack = twoHD ? 75 : 77;
    for (int dir = 0; dir < (twoHD ? 2 : 1); ++dir) {
        int entry = 0;
        for (int t = 2; t + 1 <= lastTrack; t += 2, ++entry) {
            char name[8];
            std::snprintf(name, sizeof name, "F%d%02d", dir, entry);
            disk.addEntry(dir, {name, t, 1, t + 1, 5, {}});
        }
    }
    return disk.build();
}

namespace {

Bytes directoryDisk(int tracks, int files, int sectorsPerFile, int disk) {
    d88test::DirectoryDisk d(tracks);
    for (int i = 0; i < files; ++i) {
        char name[9];
        std::snprintf(name, sizeof name, "D%02dF%03d", disk, i);
        const int start = 20 + sectorsPerFile * i;
        d.addEntry({name, start, start + sectorsPerFile - 1, {}});
    }
    return d.build();
}

}  // namespace

Bytes fullDirectoryDisk() {
    return directoryDisk(160, 190, 7, 0);
}

Bytes sixtyFourDirectoryDisks() {
    std::vector<Bytes> disks;
    for (int k = 0; k < 64; ++k) {
        disks.push_back(directoryDisk(80, 60, 11, k));
    }
    return d88test::concat(disks);
}

}  // namespace bench
