// The directory that d88dir reads from track 0 of every disk: 192 entries of
// 16 bytes in six 512-byte sectors, and the logical sector numbers the
// entries use (512-byte sectors counted from the disk's start, 9 per track).
#pragma once

#include <cstddef>
#include <cstdint>

namespace d88dir {

inline constexpr int kSectorSize = 512;
inline constexpr int kSizeCode = 2;
inline constexpr int kSectorsPerTrack = 9;
inline constexpr int kDirectoryEntries = 192;
inline constexpr int kDirectoryBytes = 3072;
inline constexpr int kDataBufferBytes = 160 * kSectorsPerTrack * kSectorSize;  // 737,280
inline constexpr int kNameLength = 8;
inline constexpr uint8_t kEndMark = 0xFF;

struct DirectoryEntry {
    uint8_t name[8];  // ends at the first space, 0xFF or 0x00
    uint8_t unused[4];
    uint8_t startSector[2];  // logical sector number, little-endian
    uint8_t endSector[2];
};

static_assert(sizeof(DirectoryEntry) == 16);
static_assert(offsetof(DirectoryEntry, startSector) == 12);
static_assert(offsetof(DirectoryEntry, endSector) == 14);
static_assert(kDirectoryEntries * sizeof(DirectoryEntry) == kDirectoryBytes);

// Where a logical sector lies: track index 2c + h, sector R from 1.
struct SectorAddress {
    int track;
    int c;
    int h;
    int r;
};

inline SectorAddress logicalSector(int logical) {
    const int track = logical / kSectorsPerTrack;
    return {track, track >> 1, track & 1, logical % kSectorsPerTrack + 1};
}

// Copies the entry's name into `name` (kNameLength + 1 bytes), 0x00-terminated.
void entryName(const DirectoryEntry& entry, char* name);
int entryStartSector(const DirectoryEntry& entry);
// (end - start + 1) * 512: zero or negative when the end lies before the start.
int entryFileSize(const DirectoryEntry& entry);

}  // namespace d88dir
