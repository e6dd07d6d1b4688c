// The second job of d88title: a run of sectors of any disk of an image, given
// by disk number, track index and sector number R, copied into a file byte for
// byte. The run follows R upwards within a track and goes on at R 1 of the
// next track index when R passes the number of sectors the track lists.
#pragma once

#include <cstdio>

#include "diskimage.h"

namespace d88title {

// Results of cutOutSectors; 1 to 4 are also the tool's exit status.
inline constexpr int kCutOutDone = 0;
inline constexpr int kCutOutNegativeSize = 1;
inline constexpr int kCutOutBadSector = 2;
inline constexpr int kCutOutNoTrack = 3;
inline constexpr int kCutOutNoSector = 4;
// The output file could not be created or written in full (reported on err).
inline constexpr int kCutOutOutputFailed = 5;

// argv: program, image, output file, disk number, track index, sector number,
// optionally size (0 or none: one whole sector); argc counts the program.
// Returns the exit status: -1 for a disk that does not exist (or fewer than
// six words), 1 when the output file failed, else the result of the cut.
int cutOutCommand(int argc, char** argv, DiskImage& image, std::FILE* out, std::FILE* err);

// Cuts `size` bytes (0: one whole sector) from sector R `sector` of track index
// `track` of the selected disk into the file at `path`.
int cutOutSectors(const char* path, DiskImage& image, int track, int sector, int size,
                  std::FILE* err);

}  // namespace d88title
