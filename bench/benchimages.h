// Images of realistic size for the benchmarks and bench/run-tools.
#pragma once

#include "d88builder.h"
#include "titledisk.h"

namespace bench {

// A layout disk whose directories list files over its whole data area.
d88test::Bytes fullTitleDisk(d88test::TitleLayout layout);
// A directory-tools disk of 160 tracks whose 190 files fill it.
d88test::Bytes fullDirectoryDisk();
// 64 directory-tools disks of 80 tracks with 60 files each.
d88test::Bytes sixtyFourDirectoryDisks();

}  // namespace bench
