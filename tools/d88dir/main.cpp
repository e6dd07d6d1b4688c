// Entry point of d88dir and of d88dir-fixed: the same source, built twice,
// with D88DIR_FIXED_SECTOR set for the variant whose directory is always at
// sector 2.
#include <cstdio>

#include "d88dir.h"

namespace {
// Static, so that the image is closed at process exit on every path.
DiskImage image;
}  // namespace

int main(int argc, char** argv) {
#ifdef D88DIR_FIXED_SECTOR
    constexpr auto variant = d88dir::DirectorySector::FixedAtTwo;
#else
    constexpr auto variant = d88dir::DirectorySector::FromMode;
#endif
    return d88dir::runTool(variant, argc, argv, image, stdout, stderr);
}
