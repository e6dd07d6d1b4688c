// The directory entry that both game-disk layouts use, and the rules that
// turn an entry into a file: its name, whether the user's filter selects it,
// and how many 1024-byte sectors it spans.
#pragma once

#include <cstddef>
#include <cstdint>

namespace d88title {

// Every file sector of both layouts: R 1 to 5 of size code 3 on each logical
// track, where logical track t has cylinder t >> 1 and head t & 1.
inline constexpr int kSectorSize = 1024;
inline constexpr int kSizeCode = 3;
inline constexpr int kSectorsPerLogicalTrack = 5;

inline constexpr int kNameLength = 7;
inline constexpr uint8_t kEndMark = 0xFF;

struct TitleDirectoryEntry {
    uint8_t name[7];  // ends at the first byte of 0x20 or below; 0xFF in byte 0 ends the directory
    uint8_t unused[5];
    uint8_t startTrack;  // logical track and R of the file's first sector
    uint8_t startSector;
    uint8_t endTrack;  // logical track and R of the file's last sector
    uint8_t endSector;
};

static_assert(sizeof(TitleDirectoryEntry) == 16);
static_assert(offsetof(TitleDirectoryEntry, startTrack) == 12);
static_assert(offsetof(TitleDirectoryEntry, startSector) == 13);
static_assert(offsetof(TitleDirectoryEntry, endTrack) == 14);
static_assert(offsetof(TitleDirectoryEntry, endSector) == 15);

// Copies the entry's name into `name` (kNameLength + 1 bytes), NUL-terminated.
void entryName(const TitleDirectoryEntry& entry, char* name);

// A null filter selects every entry; any other only the entry of exactly that
// name, byte for byte.
bool filterSelects(const char* filter, const char* name);

// Upper-cases a to z in place, byte by byte and whatever the locale: the
// filter is typed in lower or upper case, the names on disk are upper case.
void upperCaseAscii(char* text);

// The sectors that the entry spans; zero or negative when its end lies
// before its start, and then its file is empty.
int entrySectorCount(const TitleDirectoryEntry& entry);

}  // namespace d88title
