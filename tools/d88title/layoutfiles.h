// What the two game-disk layouts share beyond the entry rules: reading a
// track's first sector ID for the detection, and walking one directory and
// writing the files of its entries. A layout differs only in where its
// directory lies and where it keeps each logical track in the track table.
#pragma once

#include <cstdio>

#include "diskimage.h"

namespace d88title {

// A listing has room for 64 IDs; 16 and 5 sectors are what the layouts check.
inline constexpr int kListingBytes = 256;
inline constexpr int kSixteenSectorListing = 16 * static_cast<int>(sizeof(SectorId));
inline constexpr int kFiveSectorListing = 5 * static_cast<int>(sizeof(SectorId));

// Lists the track; returns the bytes that listSectorIds wrote and, when it
// wrote any, the first sector's ID in `first`.
int listFirstSector(DiskImage& image, int track, SectorId* first);

// The track index that holds logical track t of the files of directory `set`.
using TrackIndexOf = int (*)(int set, int logicalTrack);

struct LayoutDirectory {
    int set;    // the directory's number, 0 or 1; in the 2HD layout also its track set
    int track;  // track index of its sectors, R 1 upwards, C 0, H 1
    int bytes;  // 2048 or 1024: sixteen entries per sector
    TrackIndexOf trackIndexOf;
};

inline constexpr int kMaxDirectoryBytes = 2048;

// Reads the directory and writes the file of every entry that the filter
// selects into the current directory. Returns the number of selected entries
// whose file was refused or could not be written in full.
int extractDirectory(DiskImage& image, const LayoutDirectory& directory, const char* filter,
                     std::FILE* err);

}  // namespace d88title
