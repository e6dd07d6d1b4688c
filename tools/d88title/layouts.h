// The two game-disk layouts that d88title knows. Each recognises its layout
// by the sector IDs on the tracks of the image's first disk, announces it on
// `out` and writes the files of its directories into the current directory,
// all of them or only the one that `filter` names. A disk not of the layout
// leaves no trace: nothing printed, nothing created.
#pragma once

#include <cstdio>

#include "diskimage.h"

namespace d88title {

struct LayoutResult {
    // 0: the disk has the layout and its directories were processed; 1 to 6:
    // the detection check that failed, by the layout's own numbering.
    int code;
    // Selected entries whose file was refused or not written in full; each
    // has been reported on `err`.
    int filesNotWritten;
};

// Track indices 0 and 1 of 16 sectors, then 2 to 153 of 5; two interleaved
// track sets, each with its own directory.
LayoutResult extract2HD(DiskImage& image, const char* filter, std::FILE* out, std::FILE* err);

// Track index 0 of 16 sectors, track index 1 the directory's, then four track
// indices per cylinder of which only the first two hold files.
LayoutResult extract2DD(DiskImage& image, const char* filter, std::FILE* out, std::FILE* err);

}  // namespace d88title
