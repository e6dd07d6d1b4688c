// Writing the decoded output so that a failure never destroys data: a regular
// file (or a path where nothing is yet) gets its new contents through a
// temporary file beside it that is renamed into place, so that the old file
// stays whole until the new one is. That is what lets a file be decoded in
// place, over itself, safely.
#pragma once

#include <cstddef>
#include <cstdint>

namespace decomp {

// Makes size bytes the whole contents of path; true when they all got there.
//
// An existing regular file keeps its permission bits (and its owner where the
// process may keep it) and is replaced only where it could have been written;
// a symbolic link stays in place and the file it leads to is replaced.
// Anything else (a device such as /dev/null, a pipe, a file that the process
// already holds open for writing, as /dev/stdout names its redirected output)
// is opened and written directly. On failure no temporary file is left and an
// existing regular file is unchanged.
bool writeOutputFile(const char* path, const uint8_t* data, size_t size);

}  // namespace decomp
