// The whole run of d88dir and d88dir-fixed, with the image and the console
// streams handed in so that it can be run in-process. Output files go into
// the current directory.
#pragma once

#include <cstdio>

#include "diskimage.h"

namespace d88dir {

// d88dir-fixed always reads the directory from sector 2 and takes no mode.
enum class DirectorySector { FromMode, FixedAtTwo };

// Returns the exit status: 0 done, 1 wrong arguments, unopenable image or a
// file that could not be written, -1 a mode other than 0, 1 and 2.
int runTool(DirectorySector variant, int argc, char** argv, DiskImage& image, std::FILE* out,
            std::FILE* err);

}  // namespace d88dir
