#include "titleentry.h"

#include <cstring>

namespace d88title {

void entryName(const TitleDirectoryEntry& entry, char* name) {
    int length = 0;
    while (length < kNameLength && entry.name[length] > 0x20) {
        name[length] = static_cast<char>(entry.name[length]);
        ++length;
    }
    name[length] = '\0';
}

bool filterSelects(const char* filter, const char* name) {
    return filter == nullptr || std::strcmp(filter, name) == 0;
}

void upperCaseAscii(char* text) {
    for (char* p = text; *p != '\0'; ++p) {
        if (*p >= 'a' && *p <= 'z') {
            *p = static_cast<char>(*p - ('a' - 'A'));
        }
    }
}

int entrySectorCount(const TitleDirectoryEntry& entry) {
    return (entry.endTrack - entry.startTrack) * kSectorsPerLogicalTrack + entry.endSector -
           entry.startSector + 1;
}

}  // namespace d88title
