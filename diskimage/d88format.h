// On-disk layout of a D88 image: every disk starts with a DiskHeader, and every
// sector of a track is a SectorHeader followed at once by its data.
// All integers are little-endian; the structs hold raw bytes so that their
// layout is exactly the file's on every platform.
#pragma once

#include <cstddef>
#include <cstdint>

namespace d88 {

inline constexpr int kMaxDisks = 64;
inline constexpr int kTrackCount = 164;
inline constexpr int kDiskNameLength = 16;

struct DiskHeader {
    uint8_t name[16];                    // 0x00: raw bytes up to the first 0x00
    uint8_t reserved[11];                // 0x10: never read
    uint8_t mediaType;                   // 0x1B
    uint8_t diskSize[4];                 // 0x1C: distance to the next disk's start
    uint8_t trackTable[kTrackCount][4];  // 0x20: offsets from the disk's start
};

inline constexpr std::size_t kDiskHeaderSize = 0x2B0;
static_assert(sizeof(DiskHeader) == kDiskHeaderSize);
static_assert(offsetof(DiskHeader, mediaType) == 0x1B);
static_assert(offsetof(DiskHeader, diskSize) == 0x1C);
static_assert(offsetof(DiskHeader, trackTable) == 0x20);

struct SectorHeader {
    uint8_t c;               // 0x00
    uint8_t h;               // 0x01
    uint8_t r;               // 0x02
    uint8_t n;               // 0x03: size code, nominal size 128 << n
    uint8_t sectorCount[2];  // 0x04: records in this track
    uint8_t reserved[8];     // 0x06: never read
    uint8_t dataSize[2];     // 0x0E: data bytes that follow
};

inline constexpr std::size_t kSectorHeaderSize = 16;
static_assert(sizeof(SectorHeader) == kSectorHeaderSize);
static_assert(offsetof(SectorHeader, sectorCount) == 0x04);
static_assert(offsetof(SectorHeader, dataSize) == 0x0E);

// One sector's ID as listSectorIds writes it: C, H, R, N, 4 bytes per sector.
struct SectorId {
    uint8_t c;
    uint8_t h;
    uint8_t r;
    uint8_t n;
};

static_assert(sizeof(SectorId) == 4);

inline uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

inline uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace d88
