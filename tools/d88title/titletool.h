// The whole run of d88title, with the console streams handed in so that it
// can be run in-process. The image is opened on the first argument before the
// number of arguments is looked at; one or two arguments extract the files of
// whichever layout the first disk has, five or more cut out a run of sectors.
#pragma once

#include <cstdio>

namespace d88title {

// Returns the exit status: 0 done (or no arguments), 1 image not opened, no
// known layout, three or four arguments, or a file that was not written;
// otherwise the cut-out's status (-1, 2, 3, 4). Upper-cases argv[2] in place
// when it is the name filter.
int runTitleTool(int argc, char** argv, std::FILE* out, std::FILE* err);

}  // namespace d88title
