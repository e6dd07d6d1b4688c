// Disks in the layout that d88dir reads: tracks of 9 sectors of 512 bytes,
// R 1 to 9, track index 2c + h, a 3072-byte directory of 16-byte entries from
// sector 2, 5 or 7 of track 0, and files as runs of logical sectors.
#pragma once

#include <string>
#include <vector>

#include "d88builder.h"

namespace d88test {

struct DirEntrySpec {
    std::string name;  // up to 8 raw bytes; padded with spaces
    int startSector = 0;
    int endSector = 0;
    // Written at the file's first sector when given; the file's other bytes
    // are the sector pattern of the disk.
    Bytes data;
};

// The 16 directory bytes of one entry.
Bytes directoryEntry(const DirEntrySpec& entry);

class DirectoryDisk {
  public:
    // A disk of `tracks` standard tracks whose sectors hold sectorPattern.
    explicit DirectoryDisk(int tracks = 80, int directorySector = 2);

    DirectoryDisk& addEntry(const DirEntrySpec& entry);
    // Puts raw bytes into the directory at entry position `index`. The
    // directory starts as all 0xFF: 192 end marks.
    DirectoryDisk& setRawEntry(int index, const Bytes& bytes);

    // The bytes of logical sectors [start, start + count), as the disk holds them.
    Bytes sectors(int start, int count) const;
    // The image builder of the disk, for tests that damage it further.
    DiskBuilder builder() const;
    Bytes build() const { return builder().build(); }

  private:
    int tracks_;
    int directorySector_;
    int entryCount_ = 0;
    Bytes logical_;  // every sector of the disk, in logical order
};

}  // namespace d88test
