#include "layoutfiles.h"

#include <cstring>

#include "outputfile.h"
#include "titleentry.h"
#include "titlemessages.h"
#include "warning.h"

namespace d88title {

int listFirstSector(DiskImage& image, int track, SectorId* first) {
    uint8_t listing[kListingBytes];
    const int bytes = image.listSectorIds(track, listing, kListingBytes);
    if (bytes >= static_cast<int>(sizeof(SectorId))) {
        std::memcpy(first, listing, sizeof *first);
    }
    return bytes;
}

namespace {

// Writes one entry's sectors, 1024 bytes for each counted sector whether or
// not the disk delivers it. False when the file was refused or not written.
bool extractEntry(DiskImage& image, const LayoutDirectory& directory,
                  const TitleDirectoryEntry& entry, const char* name, std::FILE* err) {
    if (!d88tools::nameStaysInCurrentDirectory(name)) {
        d88tools::warn(err, kNameHasSlash, name);
        return false;
    }
    d88tools::OutputFile file;
    if (!file.create(name)) {
        d88tools::warn(err, kFileWriteFailed, name);
        return false;
    }
    uint8_t sector[kSectorSize];
    int logicalTrack = entry.startTrack;
    int r = entry.startSector;
    const int count = entrySectorCount(entry);
    for (int k = 0; k < count; ++k) {
        const int track = directory.trackIndexOf(directory.set, logicalTrack);
        // Cleared every time, so that a missing or short sector can never
        // carry bytes of the sector before it into the file.
        std::memset(sector, 0, sizeof sector);
        const int got = image.readSector(track, logicalTrack >> 1, logicalTrack & 1, r, kSizeCode,
                                         sector, kSectorSize);
        if (got == 0) {
            d88tools::warn(err, kFileSectorMissing, name, track, r);
        } else if (got < kSectorSize) {
            d88tools::warn(err, kFileSectorShort, name, track, r, got);
        }
        file.write(sector, sizeof sector);
        if (++r > kSectorsPerLogicalTrack) {
            r = 1;
            ++logicalTrack;
        }
    }
    if (!file.finish()) {
        d88tools::warn(err, kFileWriteFailed, name);
        return false;
    }
    return true;
}

}  // namespace

int extractDirectory(DiskImage& image, const LayoutDirectory& directory, const char* filter,
                     std::FILE* err) {
    uint8_t entries[kMaxDirectoryBytes] = {};
    const int got =
        image.readSectors(directory.track, 0, 1, 1, kSizeCode, entries, directory.bytes);
    if (got < directory.bytes) {
        d88tools::warn(err, kDirectoryShort, directory.set, directory.track, got, directory.bytes);
    }
    // Only what was read holds entries: zero bytes in place of a missing
    // sector would otherwise read as entries of empty name.
    const int entryCount = got / static_cast<int>(sizeof(TitleDirectoryEntry));
    int notWritten = 0;
    for (int i = 0; i < entryCount; ++i) {
        TitleDirectoryEntry entry;
        std::memcpy(&entry, entries + i * sizeof entry, sizeof entry);
        if (entry.name[0] == kEndMark) {
            break;
        }
        char name[kNameLength + 1];
        entryName(entry, name);
        if (filterSelects(filter, name) && !extractEntry(image, directory, entry, name, err)) {
            ++notWritten;
        }
    }
    return notWritten;
}

}  // namespace d88title
