#include "directory.h"

#include "d88format.h"

namespace d88dir {

void entryName(const DirectoryEntry& entry, char* name) {
    int length = 0;
    while (length < kNameLength) {
        const uint8_t byte = entry.name[length];
        if (byte == ' ' || byte == kEndMark || byte == 0) {
            break;
        }
        name[length++] = static_cast<char>(byte);
    }
    name[length] = '\0';
}

int entryStartSector(const DirectoryEntry& entry) {
    return d88::le16(entry.startSector);
}

int entryFileSize(const DirectoryEntry& entry) {
    return (d88::le16(entry.endSector) - d88::le16(entry.startSector) + 1) * kSectorSize;
}

}  // namespace d88dir
