// The whole run of decomp, callable in-process: decomp COMPRESSED [OUTPUT].
// Decodes COMPRESSED into OUTPUT, or over COMPRESSED itself when no OUTPUT is
// given; further arguments are ignored. It prints nothing: its only results
// are the file it writes and the exit status.
#pragma once

namespace decomp {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;

// Returns the exit status. 0: no argument, or the file was decoded (nothing is
// written when it decodes to no bytes at all). 1: the compressed file could not
// be read whole, there was no memory, or the output could not be written; the
// output's old contents are then unchanged.
int runDecomp(int argc, const char* const* argv);

}  // namespace decomp
