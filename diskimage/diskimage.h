// The one reader of D88 image files. It opens an image, finds its disks,
// selects one and reads sectors of it by track index and sector ID. It only
// reads, prints nothing and allocates nothing; every failure shows in the
// result (false, or a byte count of 0 or less than asked).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "d88format.h"

using d88::DiskHeader;
using d88::SectorHeader;
using d88::SectorId;

namespace d88 {
struct ReaderMemory;
}

class DiskImage {
  public:
    DiskImage();
    ~DiskImage();
    DiskImage(const DiskImage&) = delete;
    DiskImage& operator=(const DiskImage&) = delete;

    // A null path does what close() does. Otherwise false when the file cannot
    // be opened; true, with the disk table built, when it can.
    bool open(const char* path);
    bool close();

    int diskCount() const { return diskCount_; }
    bool selectDisk(int index);
    void setSectorRange(int first, int last) {
        firstSector_ = first;
        lastSector_ = last;
    }

    // Reads the data of sector (c, h, r, n) of the track; returns the bytes read.
    int readSector(int track, int c, int h, int r, int n, uint8_t* buffer, int length);
    // Reads length bytes of consecutive sectors of size code n, moving on to the
    // next track after the last sector number of the range.
    int readSectors(int track, int c, int h, int r, int n, uint8_t* buffer, int length);
    // Writes the SectorId of each record of the track; returns the BYTES written.
    int listSectorIds(int track, uint8_t* buffer, int length);

    const char* diskName() const { return diskName_; }
    int mediaType() const { return mediaType_; }

  private:
    // Positions are 64-bit so that no sum of a disk start, a track offset and
    // data sizes can overflow.
    bool trackStart(int track, int64_t* position) const;
    bool readAt(int64_t position, void* buffer, int64_t length, int64_t* got);
    // Small reads of sector headers and data go through one block of the file
    // read ahead, instead of a seek and a read of the file for each.
    int64_t readCached(int64_t position, void* buffer, int64_t length);
    bool readSectorHeader(int64_t position, SectorHeader* header);
    bool haveMemory();
    void indexTrack(int64_t trackPosition);
    // The lookup as a plain walk of the records from `position`, the k-th of
    // the track being record `firstK`.
    int walkForSector(int64_t position, int64_t firstK, uint32_t id, uint8_t* buffer, int length);
    int readData(int64_t position, int dataSize, uint8_t* buffer, int length);

    std::FILE* file_ = nullptr;
    int diskCount_ = 0;
    int firstSector_ = 1;
    int lastSector_ = 16;
    int diskStarts_[d88::kMaxDisks] = {};
    int diskSize_ = 0;
    int diskStart_ = -1;
    int trackOffsets_[d88::kTrackCount] = {};
    int mediaType_ = -1;
    char diskName_[d88::kDiskNameLength + 1] = {};
    // The track index and the read-ahead block, allocated once, at the first
    // track operation; null when no memory could be had, and the operations
    // then read the file record by record and walk the track every time.
    std::unique_ptr<d88::ReaderMemory> memory_;
    bool memoryRefused_ = false;
};
