// Disks in the two game-disk layouts that d88title reads, valid in every
// track that the layouts check: file sectors of 1024 bytes, R 1 to 5, holding
// sectorPattern of their track index, and directories of 16-byte entries.
//   2HD layout: track indices 0 and 1 of 16 sectors of 256 bytes; 2 to 153 of
//   5 file sectors, in two interleaved sets (set j: logical track t at track
//   index j + 2t); directory j in R 1 and R 2 of track index j + 2.
//   2DD layout: track index 0 of 16 sectors of 256 bytes; logical track t at
//   track index (t >> 1) * 4 + (t & 1), tracks 4c + 2 and 4c + 3 carrying the
//   IDs of cylinder c + 1; the directory in R 1 of track index 1.
#pragma once

#include <string>

#include "d88builder.h"

namespace d88test {

enum class TitleLayout { TwoHD, TwoDD };

struct TitleEntry {
    std::string name;  // up to 7 raw bytes; padded with spaces
    int startTrack = 2;
    int startSector = 1;
    int endTrack = 2;
    int endSector = 1;
    // Written over the file's sectors from its first one when given; the
    // rest of those sectors keeps the sector pattern.
    Bytes data;
};

// The 16 directory bytes of one entry.
Bytes titleDirectoryEntry(const TitleEntry& entry);

class TitleDisk {
  public:
    explicit TitleDisk(TitleLayout layout);

    // Directory 0 or 1 in the 2HD layout, 0 in the 2DD layout; each starts
    // as all end marks and is filled from its first entry on.
    TitleDisk& addEntry(int directory, const TitleEntry& entry);
    // Puts raw bytes into the directory at entry position `index`.
    TitleDisk& setRawEntry(int directory, int index, const Bytes& bytes);

    // The track index of logical track t for the files of the directory.
    int trackIndex(int directory, int logicalTrack) const;
    // What the entry's file holds when extracted from this disk: 1024 bytes
    // for every sector it spans, zero where the disk lacks the sector.
    Bytes fileBytes(int directory, const TitleEntry& entry) const;

    // The image builder of the disk, directories included, for tests that
    // damage it further.
    DiskBuilder builder() const;
    Bytes build() const { return builder().build(); }

  private:
    TitleLayout layout_;
    DiskBuilder disk_;
    Bytes directories_[2];
    int entryCounts_[2] = {0, 0};
};

}  // namespace d88test
