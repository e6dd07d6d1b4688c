#include "cutout.h"

#include <cstring>

#include "numberarg.h"
#include "outputfile.h"
#include "titlemessages.h"
#include "warning.h"

namespace d88title {

namespace {

constexpr int kListingBytes = 256;
// One sector of size code 7; larger sectors are cut to their first piece of
// this size.
constexpr int kLargestSizeCode = 7;
constexpr int kSectorBufferBytes = 128 << kLargestSizeCode;

const SectorId* findSector(const SectorId* listed, int count, int r) {
    for (int i = 0; i < count; ++i) {
        if (listed[i].r == r) {
            return &listed[i];
        }
    }
    return nullptr;
}

}  // namespace

int cutOutCommand(int argc, char** argv, DiskImage& image, std::FILE* out, std::FILE* err) {
    if (argc < 6) {
        return -1;
    }
    const int disk = parseNumber(argv[3]);
    const int track = parseNumber(argv[4]);
    const int sector = parseNumber(argv[5]);
    // A seventh argument has always been accepted and has no effect.
    const int size = argc >= 7 ? parseNumber(argv[6]) : 0;
    if (!image.selectDisk(disk)) {
        std::fputs(kNoSuchDisk, out);
        return -1;
    }
    std::fprintf(out, kCutOutAnnouncement, disk, track, sector, size);
    // Warnings go to the other stream; the announcement comes first on a console.
    std::fflush(out);
    const int result = cutOutSectors(argv[2], image, track, sector, size, err);
    if (result == kCutOutOutputFailed) {
        return 1;
    }
    if (result == kCutOutNegativeSize) {
        std::fputs(kBadSize, out);
    } else if (result != kCutOutDone) {
        std::fputs(kNoSuchSector, out);
        std::fprintf(out, "%d\n", result);
    }
    return result;
}

int cutOutSectors(const char* path, DiskImage& image, int track, int sector, int size,
                  std::FILE* err) {
    if (sector <= 0) {
        return kCutOutBadSector;
    }
    if (size < 0) {
        return kCutOutNegativeSize;
    }
    d88tools::OutputFile file;
    if (!file.create(path)) {
        d88tools::warn(err, kOutputWriteFailed, path);
        return kCutOutOutputFailed;
    }
    SectorId listed[kListingBytes / sizeof(SectorId)];
    uint8_t buffer[kSectorBufferBytes];
    int listedCount = 0;
    int r = sector;
    int remaining = size;
    int result = kCutOutDone;
    for (;;) {
        if (listedCount < r) {
            if (listedCount != 0) {
                ++track;
                r = 1;
            }
            std::memset(listed, 0, sizeof listed);
            const int bytes =
                image.listSectorIds(track, reinterpret_cast<uint8_t*>(listed), kListingBytes);
            if (bytes == 0) {
                result = kCutOutNoTrack;
                break;
            }
            listedCount = bytes / static_cast<int>(sizeof(SectorId));
        }
        const SectorId* found = findSector(listed, listedCount, r);
        if (found == nullptr) {
            result = kCutOutNoSector;
            break;
        }
        const bool largerThanBuffer = found->n > kLargestSizeCode;
        int piece = largerThanBuffer ? kSectorBufferBytes : 128 << found->n;
        if (remaining != 0 && remaining < piece) {
            piece = remaining;
        } else if (largerThanBuffer && remaining != piece) {
            d88tools::warn(err, kCutOutSectorTooLarge, track, r, found->n);
        }
        // Cleared every time: bytes that a read does not deliver are zero,
        // never those of an earlier sector.
        std::memset(buffer, 0, static_cast<size_t>(piece));
        const int got =
            image.readSector(track, found->c, found->h, found->r, found->n, buffer, piece);
        if (got < piece) {
            d88tools::warn(err, kCutOutSectorShort, track, r, got, piece);
        }
        file.write(buffer, static_cast<size_t>(piece));
        remaining -= piece;
        ++r;
        if (remaining <= 0) {
            break;
        }
    }
    if (!file.finish()) {
        d88tools::warn(err, kOutputWriteFailed, path);
        return kCutOutOutputFailed;
    }
    return result;
}

}  // namespace d88title
