#include "dirdisk.h"

#include <algorithm>

namespace d88test {

namespace {
constexpr int kSectorSize = 512;
constexpr int kSectorsPerTrack = 9;
constexpr int kDirectoryBytes = 3072;
}  // namespace

Bytes directoryEntry(const DirEntrySpec& entry) {
    Bytes bytes(16, 0);
    for (int i = 0; i < 8; ++i) {
        bytes[i] =
            i < static_cast<int>(entry.name.size()) ? static_cast<uint8_t>(entry.name[i]) : ' ';
    }
    putLe16(bytes, 12, static_cast<uint16_t>(entry.startSector));
    putLe16(bytes, 14, static_cast<uint16_t>(entry.endSector));
    return bytes;
}

DirectoryDisk::DirectoryDisk(int tracks, int directorySector)
    : tracks_(tracks), directorySector_(directorySector) {
    logical_.resize(static_cast<size_t>(tracks) * kSectorsPerTrack * kSectorSize);
    for (int track = 0; track < tracks; ++track) {
        for (int r = 1; r <= kSectorsPerTrack; ++r) {
            const Bytes data = sectorPattern(track, r, kSectorSize);
            std::copy(data.begin(), data.end(),
                      logical_.begin() + ((track * kSectorsPerTrack + r - 1) * kSectorSize));
        }
    }
    // An empty directory: all end marks.
    const size_t dir = static_cast<size_t>(directorySector - 1) * kSectorSize;
    std::fill(logical_.begin() + dir, logical_.begin() + dir + kDirectoryBytes, 0xFF);
}

DirectoryDisk& DirectoryDisk::addEntry(const DirEntrySpec& entry) {
    setRawEntry(entryCount_++, directoryEntry(entry));
    if (!entry.data.empty()) {
        std::copy(entry.data.begin(), entry.data.end(),
                  logical_.begin() + static_cast<size_t>(entry.startSector) * kSectorSize);
    }
    return *this;
}

DirectoryDisk& DirectoryDisk::setRawEntry(int index, const Bytes& bytes) {
    const size_t at = static_cast<size_t>(directorySector_ - 1) * kSectorSize + 16 * index;
    std::copy(bytes.begin(), bytes.end(), logical_.begin() + at);
    return *this;
}

Bytes DirectoryDisk::sectors(int start, int count) const {
    const auto from = logical_.begin() + static_cast<size_t>(start) * kSectorSize;
    return Bytes(from, from + static_cast<size_t>(count) * kSectorSize);
}

DiskBuilder DirectoryDisk::builder() const {
    const Bytes& logical = logical_;
    DiskBuilder disk;
    for (int track = 0; track < tracks_; ++track) {
        for (int r = 1; r <= kSectorsPerTrack; ++r) {
            SectorSpec s;
            s.c = static_cast<uint8_t>(track / 2);
            s.h = static_cast<uint8_t>(track % 2);
            s.r = static_cast<uint8_t>(r);
            s.n = 2;
            const auto from = logical.begin() + ((track * kSectorsPerTrack + r - 1) * kSectorSize);
            s.data.assign(from, from + kSectorSize);
            disk.addSector(track, std::move(s));
        }
    }
    return disk;
}

}  // namespace d88test
