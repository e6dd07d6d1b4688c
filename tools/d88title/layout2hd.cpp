#include "layoutfiles.h"
#include "layouts.h"
#include "titlemessages.h"

namespace d88title {

namespace {

constexpr int kLastCheckedTrack = 153;
constexpr int kDirectoryBytes = 2048;

// Set j holds logical track t at track index j + 2t.
int trackIndex2HD(int set, int logicalTrack) {
    return set + 2 * logicalTrack;
}

int checkTracks2HD(DiskImage& image) {
    SectorId first{};
    for (int i = 0; i <= 1; ++i) {
        if (listFirstSector(image, i, &first) != kSixteenSectorListing) {
            return 1;
        }
        if (first.c != 0 || first.h != i || first.n != 1) {
            return 2;
        }
    }
    for (int i = 2; i <= kLastCheckedTrack; ++i) {
        if (listFirstSector(image, i, &first) != kFiveSectorListing) {
            return 3;
        }
        if (first.c != i / 4) {
            return 4;
        }
        if (first.h != ((i / 2) & 1)) {
            return 5;
        }
        if (first.n != 3) {
            return 6;
        }
    }
    return 0;
}

}  // namespace

LayoutResult extract2HD(DiskImage& image, const char* filter, std::FILE* out, std::FILE* err) {
    image.selectDisk(0);
    const int code = checkTracks2HD(image);
    if (code != 0) {
        return {code, 0};
    }
    std::fputs(kAnnounce2HD, out);
    // Warnings go to the other stream; the announcement comes first on a console.
    std::fflush(out);
    int notWritten = 0;
    for (int set = 0; set <= 1; ++set) {
        // Each directory is logical track 1 of its set.
        const LayoutDirectory directory{set, trackIndex2HD(set, 1), kDirectoryBytes, trackIndex2HD};
        notWritten += extractDirectory(image, directory, filter, err);
    }
    return {0, notWritten};
}

}  // namespace d88title
