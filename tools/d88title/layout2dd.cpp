#include "layoutfiles.h"
#include "layouts.h"
#include "titlemessages.h"

namespace d88title {

namespace {

constexpr int kLastCheckedTrack = 157;
// From here on only the two track indices of each cylinder that hold files
// are checked.
constexpr int kFirstSparseTrack = 78;
constexpr int kDirectoryTrack = 1;
constexpr int kDirectoryBytes = 1024;

// Cylinder c takes track indices 4c (head 0) and 4c + 1 (head 1).
int trackIndex2DD(int, int logicalTrack) {
    return (logicalTrack >> 1) * 4 + (logicalTrack & 1);
}

int checkTracks2DD(DiskImage& image) {
    SectorId first{};
    if (listFirstSector(image, 0, &first) != kSixteenSectorListing) {
        return 1;
    }
    if (first.c != 0 || first.h != 0 || first.n != 1) {
        return 2;
    }
    if (listFirstSector(image, kDirectoryTrack, &first) != kFiveSectorListing) {
        return 1;
    }
    if (first.c != 0 || first.h != 1 || first.n != 3) {
        return 2;
    }
    for (int i = 2; i <= kLastCheckedTrack; ++i) {
        if (i >= kFirstSparseTrack && (i & 2) != 0) {
            continue;
        }
        if (listFirstSector(image, i, &first) != kFiveSectorListing) {
            return 3;
        }
        if (first.c != (i + 2) >> 2) {
            return 4;
        }
        if (first.h != (i & 1)) {
            return 5;
        }
        if (first.n != 3) {
            return 6;
        }
    }
    return 0;
}

}  // namespace

LayoutResult extract2DD(DiskImage& image, const char* filter, std::FILE* out, std::FILE* err) {
    image.selectDisk(0);
    const int code = checkTracks2DD(image);
    if (code != 0) {
        return {code, 0};
    }
    std::fputs(kAnnounce2DD, out);
    // Warnings go to the other stream; the announcement comes first on a console.
    std::fflush(out);
    const LayoutDirectory directory{0, kDirectoryTrack, kDirectoryBytes, trackIndex2DD};
    return {0, extractDirectory(image, directory, filter, err)};
}

}  // namespace d88title
