// Images made to be as slow as possible for a reader that walks a track from
// its first record for every lookup: every track-table entry names one track
// of some 65535 records, almost all of them empty, with the sectors that the
// tools want at its end. About a megabyte, yet billions of record reads for
// a naive walk. Used by the benchmarks and the regression tests.
#pragma once

#include "d88builder.h"

namespace d88test {

// For the directory tools: the long track holds sectors R 1 to 9 of 512 bytes
// for C 0 to cylinders - 1 and H 0 and 1 at its end, the directory in C 0,
// H 0, R 2 to 7, with 192 entries of `sectorsPerFile` sectors from logical
// sector 0 (16 names, so that few files stand on disk afterwards).
//
// With `disks` above 1 the image holds that many disks whose 688-byte
// headers come one after another, each disk's track starting at the next
// header: every header's name field is a record whose data size skips the
// rest of the header, so all disks share the one long track behind them.
Bytes longTrackDirectoryImage(int sectorsPerFile, int cylinders, int disks);

// For d88title: a full 2HD layout disk whose track indices 154 to 163, which
// the layout's check leaves alone, all name one long track holding the file
// sectors of logical tracks 77 to 81 at its end; both directories list 128
// entries that read those tracks.
Bytes longTrackTitleImage();

// For the cut-out: every table entry names one long track whose first 64
// records are sectors R 1 to 64 of 256 bytes, so that a cut from track 0
// runs through all 164 entries.
Bytes longTrackCutImage();

}  // namespace d88test
