// Builds D88 images in memory for tests, benchmarks, fuzz seeds and samples.
// Every field can be set, including ones that make the image inconsistent:
// track offsets, disk sizes and sector counts that disagree with the data,
// data-size fields that differ from the bytes stored, truncated files.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace d88test {

using Bytes = std::vector<uint8_t>;

struct SectorSpec {
    uint8_t c = 0;
    uint8_t h = 0;
    uint8_t r = 1;
    uint8_t n = 2;
    // Sector-count field; by default the number of records in the track.
    std::optional<uint16_t> sectorCount;
    // Data-size field; by default data.size(). Only data is stored either way.
    std::optional<uint16_t> dataSize;
    Bytes data;
};

// The bytes that sectorPattern puts into a sector: different for every track,
// sector number and position, so that a test can tell any two sectors apart.
uint8_t patternByte(int track, int r, int position);
Bytes sectorPattern(int track, int r, int size);

class DiskBuilder {
  public:
    // Up to 17 bytes are written from offset 0; 17 runs into the reserved byte.
    DiskBuilder& setName(std::string_view name);
    DiskBuilder& setMediaType(uint8_t mediaType);
    // Overrides the size field; by default it is the disk's real length.
    DiskBuilder& setDiskSize(uint32_t size);
    // Overrides one track-table entry; by default each present track's offset.
    DiskBuilder& setTrackOffset(int track, uint32_t offset);

    DiskBuilder& addSector(int track, SectorSpec sector);
    // Adds `count` sectors R = firstR ... with ID (c, h, R, n), each of
    // 128 << n bytes of sectorPattern(track, R).
    DiskBuilder& addTrack(int track, int c, int h, int firstR, int count, int n);
    // The usual mapping of track index to cylinder and head: 2c + h.
    DiskBuilder& addStandardTrack(int track, int firstR, int count, int n);
    // Replaces the data of sector R of the track (first record with that R).
    DiskBuilder& setSectorData(int track, int r, Bytes data);

    // The track's records as added so far, for tests that tweak one of them.
    std::vector<SectorSpec>& track(int track) { return tracks_[track]; }

    Bytes build() const;

  private:
    std::string name_;
    uint8_t mediaType_ = 0;
    std::optional<uint32_t> diskSize_;
    std::map<int, uint32_t> trackOffsets_;
    std::map<int, std::vector<SectorSpec>> tracks_;
};

Bytes concat(const std::vector<Bytes>& disks);
void putLe16(Bytes& bytes, size_t offset, uint16_t value);
void putLe32(Bytes& bytes, size_t offset, uint32_t value);
uint32_t le32At(const Bytes& bytes, size_t offset);

bool writeFile(const std::string& path, const Bytes& bytes);
std::optional<Bytes> readFile(const std::string& path);

}  // namespace d88test
