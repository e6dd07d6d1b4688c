#include "d88dir.h"

#include <algorithm>
#include <cstring>

#include "directory.h"
#include "messages.h"
#include "outputfile.h"
#include "warning.h"

namespace d88dir {

namespace {

// Static, as the tool has worked in fixed buffers from the start: a disk can
// hold no larger directory and the tool handles no larger file.
uint8_t directoryBuffer[kDirectoryBytes];
uint8_t dataBuffer[kDataBufferBytes];
char nameBuffer[kNameLength + 1];

// The directory's first sector from the mode's first character, or 0.
int directorySectorFromMode(char mode) {
    switch (mode) {
        case '0':
            return 2;
        case '1':
            return 5;
        case '2':
            return 7;
        default:
            return 0;
    }
}

struct EntryContext {
    DiskImage& image;
    std::FILE* err;
    int disk;
    const char* name;
};

// Reads one entry's sectors and writes its file. False only when a file that
// should have been written was not.
bool extractFile(const EntryContext& entry, const SectorAddress& start, int size) {
    if (size <= 0) {
        return true;
    }
    if (!d88tools::nameStaysInCurrentDirectory(entry.name)) {
        d88tools::warn(entry.err, kNameHasSlash, entry.disk, entry.name);
        return false;
    }
    const int wanted = std::min(size, kDataBufferBytes);
    if (wanted < size) {
        d88tools::warn(entry.err, kFileTooLarge, entry.disk, entry.name, size, wanted);
    }
    std::memset(dataBuffer, 0, static_cast<size_t>(wanted));
    const int got = entry.image.readSectors(start.track, start.c, start.h, start.r, kSizeCode,
                                            dataBuffer, wanted);
    if (got == 0) {
        d88tools::warn(entry.err, kFileUnreadable, entry.disk, entry.name, start.track, start.r);
        return true;
    }
    if (got < wanted) {
        d88tools::warn(entry.err, kFileShort, entry.disk, entry.name, got, wanted);
    }
    if (!d88tools::writeWholeFile(entry.name, dataBuffer, static_cast<size_t>(wanted))) {
        d88tools::warn(entry.err, kWriteFailed, entry.disk, entry.name);
        return false;
    }
    return true;
}

// Lists and extracts one disk's directory; false when a file was not written.
bool extractDisk(DiskImage& image, int disk, int directorySector, std::FILE* out, std::FILE* err) {
    std::memset(directoryBuffer, 0, sizeof directoryBuffer);
    const int got =
        image.readSectors(0, 0, 0, directorySector, kSizeCode, directoryBuffer, kDirectoryBytes);
    if (got < kDirectoryBytes) {
        d88tools::warn(err, kDirectoryShort, disk, got);
    }
    bool allWritten = true;
    const int entries = got / static_cast<int>(sizeof(DirectoryEntry));
    for (int j = 0; j < entries; ++j) {
        DirectoryEntry entry;
        std::memcpy(&entry, directoryBuffer + j * sizeof entry, sizeof entry);
        if (entry.name[0] == kEndMark) {
            break;
        }
        entryName(entry, nameBuffer);
        const int size = entryFileSize(entry);
        const SectorAddress start = logicalSector(entryStartSector(entry));
        std::fprintf(out, "%-12s  TRACK:%02x SECTOR:%02x SIZE:%04x\n", nameBuffer,
                     static_cast<unsigned>(start.track), static_cast<unsigned>(start.r),
                     static_cast<unsigned>(size));
        if (!extractFile({image, err, disk, nameBuffer}, start, size)) {
            allWritten = false;
        }
    }
    return allWritten;
}

}  // namespace

int runTool(DirectorySector variant, int argc, char** argv, DiskImage& image, std::FILE* out,
            std::FILE* err) {
    const bool fixed = variant == DirectorySector::FixedAtTwo;
    if (fixed ? argc != 2 : argc < 3) {
        const char* program = argc > 0 && argv[0] != nullptr ? argv[0] : "";
        std::fprintf(err, fixed ? "Usage: %s [d88file]\n" : "Usage: %s [d88file] [0~2]\n", program);
        return 1;
    }
    if (!image.open(argv[1])) {
        std::fputs(kOpenFailed, err);
        return 1;
    }
    bool allWritten = true;
    const int count = image.diskCount();
    for (int disk = 0; disk < count; ++disk) {
        image.selectDisk(disk);
        image.setSectorRange(1, kSectorsPerTrack);
        int directorySector = 2;
        if (!fixed) {
            const char mode = argv[2][0];
            // The byte is printed as a signed 8-bit value whatever char is here.
            std::fprintf(out, "%x\n",
                         static_cast<unsigned>(static_cast<int>(static_cast<int8_t>(mode))));
            directorySector = directorySectorFromMode(mode);
            if (directorySector == 0) {
                return -1;
            }
        }
        if (!extractDisk(image, disk, directorySector, out, err)) {
            allWritten = false;
        }
    }
    return allWritten ? 0 : 1;
}

}  // namespace d88dir
