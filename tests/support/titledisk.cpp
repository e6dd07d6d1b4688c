#include "titledisk.h"

#include <algorithm>

namespace d88test {

namespace {

constexpr int kSectorSize = 1024;
constexpr int kSectorsPerTrack = 5;

SectorSpec* findFileSector(DiskBuilder& disk, int track, int logicalTrack, int r) {
    for (SectorSpec& s : disk.track(track)) {
        if (s.c == (logicalTrack >> 1) && s.h == (logicalTrack & 1) && s.r == r && s.n == 3) {
            return &s;
        }
    }
    return nullptr;
}

int sectorCount(const TitleEntry& entry) {
    return (entry.endTrack - entry.startTrack) * kSectorsPerTrack + entry.endSector -
           entry.startSector + 1;
}

}  // namespace

Bytes titleDirectoryEntry(const TitleEntry& entry) {
    Bytes bytes(16, ' ');
    std::copy_n(entry.name.begin(), std::min<size_t>(entry.name.size(), 7), bytes.begin());
    bytes[12] = static_cast<uint8_t>(entry.startTrack);
    bytes[13] = static_cast<uint8_t>(entry.startSector);
    bytes[14] = static_cast<uint8_t>(entry.endTrack);
    bytes[15] = static_cast<uint8_t>(entry.endSector);
    return bytes;
}

TitleDisk::TitleDisk(TitleLayout layout) : layout_(layout) {
    disk_.addTrack(0, 0, 0, 1, 16, 1);
    if (layout == TitleLayout::TwoHD) {
        disk_.addTrack(1, 0, 1, 1, 16, 1);
        for (int i = 2; i <= 153; ++i) {
            disk_.addTrack(i, i / 4, (i / 2) & 1, 1, kSectorsPerTrack, 3);
        }
        directories_[0].assign(2048, 0xFF);
        directories_[1].assign(2048, 0xFF);
    } else {
        disk_.addTrack(1, 0, 1, 1, kSectorsPerTrack, 3);
        for (int i = 2; i <= 157; ++i) {
            disk_.addTrack(i, (i + 2) >> 2, i & 1, 1, kSectorsPerTrack, 3);
        }
        directories_[0].assign(1024, 0xFF);
    }
}

TitleDisk& TitleDisk::addEntry(int directory, const TitleEntry& entry) {
    setRawEntry(directory, entryCounts_[directory]++, titleDirectoryEntry(entry));
    size_t written = 0;
    int t = entry.startTrack;
    int r = entry.startSector;
    for (int k = 0; k < sectorCount(entry) && written < entry.data.size(); ++k) {
        SectorSpec* sector = findFileSector(disk_, trackIndex(directory, t), t, r);
        if (sector != nullptr) {
            const size_t n = std::min<size_t>(kSectorSize, entry.data.size() - written);
            std::copy_n(entry.data.begin() + static_cast<long>(written), n, sector->data.begin());
        }
        written += kSectorSize;
        if (++r > kSectorsPerTrack) {
            r = 1;
            ++t;
        }
    }
    return *this;
}

TitleDisk& TitleDisk::setRawEntry(int directory, int index, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), directories_[directory].begin() + 16 * index);
    return *this;
}

int TitleDisk::trackIndex(int directory, int logicalTrack) const {
    if (layout_ == TitleLayout::TwoHD) {
        return directory + 2 * logicalTrack;
    }
    return (logicalTrack >> 1) * 4 + (logicalTrack & 1);
}

Bytes TitleDisk::fileBytes(int directory, const TitleEntry& entry) const {
    DiskBuilder disk = builder();
    Bytes bytes;
    int t = entry.startTrack;
    int r = entry.startSector;
    for (int k = 0; k < sectorCount(entry); ++k) {
        Bytes sector(kSectorSize, 0);
        if (const SectorSpec* s = findFileSector(disk, trackIndex(directory, t), t, r)) {
            std::copy_n(s->data.begin(), std::min<size_t>(kSectorSize, s->data.size()),
                        sector.begin());
        }
        bytes.insert(bytes.end(), sector.begin(), sector.end());
        if (++r > kSectorsPerTrack) {
            r = 1;
            ++t;
        }
    }
    return bytes;
}

DiskBuilder TitleDisk::builder() const {
    DiskBuilder disk = disk_;
    const int directories = layout_ == TitleLayout::TwoHD ? 2 : 1;
    for (int j = 0; j < directories; ++j) {
        // The directory is logical track 1 of its set: C 0, H 1, from R 1.
        const Bytes& dir = directories_[j];
        const int track = trackIndex(j, 1);
        for (size_t at = 0; at < dir.size(); at += kSectorSize) {
            const int r = static_cast<int>(at / kSectorSize) + 1;
            disk.setSectorData(track, r,
                               Bytes(dir.begin() + static_cast<long>(at),
                                     dir.begin() + static_cast<long>(at + kSectorSize)));
        }
    }
    return disk;
}

}  // namespace d88test
