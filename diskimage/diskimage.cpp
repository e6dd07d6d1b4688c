#include "diskimage.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>
#include <new>

#include "trackindex.h"

namespace d88 {

struct ReaderMemory {
    static constexpr int kBlockSize = 65536;

    TrackIndex index;
    int64_t blockStart = -1;  // -1: the block holds nothing
    int64_t blockLength = 0;
    uint8_t block[kBlockSize];

    void forget() {
        index.forget();
        blockStart = -1;
        blockLength = 0;
    }
};

}  // namespace d88

namespace {

constexpr int64_t kMaxOffset = INT32_MAX;

uint32_t headerId(const SectorHeader& header) {
    return d88::TrackIndex::key(header.c, header.h, header.r, header.n);
}

bool isByte(int value) {
    return value >= 0 && value <= 255;
}

int64_t nextRecord(int64_t position, const SectorHeader& header) {
    return position + static_cast<int64_t>(d88::kSectorHeaderSize) + d88::le16(header.dataSize);
}

}  // namespace

bool DiskImage::haveMemory() {
    if (!memory_ && !memoryRefused_) {
        memory_.reset(new (std::nothrow) d88::ReaderMemory);
        memoryRefused_ = !memory_;
    }
    return memory_ != nullptr;
}

DiskImage::DiskImage() = default;

DiskImage::~DiskImage() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool DiskImage::open(const char* path) {
    close();
    if (path == nullptr) {
        return true;
    }
    file_ = std::fopen(path, "rb");
    if (file_ == nullptr) {
        return false;
    }
    int64_t running = 0;
    while (diskCount_ < d88::kMaxDisks) {
        DiskHeader header;
        int64_t got = 0;
        diskStarts_[diskCount_] = static_cast<int>(running);
        if (!readAt(running, &header, sizeof header, &got) || got < int64_t{sizeof header}) {
            break;
        }
        ++diskCount_;
        // A disk size outside the signed 32-bit range, or a next start beyond
        // it, cannot lead to a disk that the reader could address.
        running += d88::le32(header.diskSize);
        if (running > kMaxOffset) {
            break;
        }
    }
    return true;
}

bool DiskImage::close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (memory_) {
        memory_->forget();
    }
    diskCount_ = 0;
    mediaType_ = -1;
    return true;
}

bool DiskImage::selectDisk(int index) {
    if (file_ == nullptr) {
        return false;
    }
    diskStart_ = -1;
    mediaType_ = -1;
    diskSize_ = 0;
    diskName_[0] = '\0';
    if (index < 0 || index >= diskCount_) {
        return false;
    }
    diskStart_ = diskStarts_[index];

    DiskHeader header;
    int64_t got = 0;
    if (!readAt(diskStart_, &header, sizeof header, &got) || got < int64_t{sizeof header}) {
        // The file shrank since open: a disk without a readable header has no tracks.
        std::fill(std::begin(trackOffsets_), std::end(trackOffsets_), 0);
        return true;
    }
    const uint32_t size = d88::le32(header.diskSize);
    const bool sizeUsable = size <= kMaxOffset;
    diskSize_ = sizeUsable ? static_cast<int>(size) : 0;
    for (int i = 0; i < d88::kTrackCount; ++i) {
        const uint32_t offset = d88::le32(header.trackTable[i]);
        trackOffsets_[i] = (sizeUsable && offset <= kMaxOffset) ? static_cast<int>(offset) : 0;
    }
    mediaType_ = header.mediaType;
    int nameLength = 0;
    while (nameLength < d88::kDiskNameLength && header.name[nameLength] != 0) {
        diskName_[nameLength] = static_cast<char>(header.name[nameLength]);
        ++nameLength;
    }
    diskName_[nameLength] = '\0';
    return true;
}

bool DiskImage::trackStart(int track, int64_t* position) const {
    if (file_ == nullptr || track < 0 || track >= d88::kTrackCount) {
        return false;
    }
    const int offset = trackOffsets_[track];
    if (offset == 0 || offset > diskSize_) {
        return false;
    }
    *position = static_cast<int64_t>(diskStart_) + offset;
    return true;
}

bool DiskImage::readAt(int64_t position, void* buffer, int64_t length, int64_t* got) {
    *got = 0;
    if (length <= 0) {
        return true;
    }
    if (fseeko(file_, static_cast<off_t>(position), SEEK_SET) != 0) {
        return false;
    }
    *got = static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(length), file_));
    return true;
}

int64_t DiskImage::readCached(int64_t position, void* buffer, int64_t length) {
    int64_t got = 0;
    if (length <= 0) {
        return 0;
    }
    if (!haveMemory() || length > d88::ReaderMemory::kBlockSize) {
        readAt(position, buffer, length, &got);
        return got;
    }
    d88::ReaderMemory& m = *memory_;
    const bool inBlock = m.blockStart >= 0 && position >= m.blockStart &&
                         position + length <= m.blockStart + m.blockLength;
    if (!inBlock) {
        m.blockStart = -1;
        if (!readAt(position, m.block, d88::ReaderMemory::kBlockSize, &m.blockLength)) {
            return 0;
        }
        m.blockStart = position;
    }
    got = std::min(length, m.blockStart + m.blockLength - position);
    std::memcpy(buffer, m.block + (position - m.blockStart), static_cast<size_t>(got));
    return got;
}

bool DiskImage::readSectorHeader(int64_t position, SectorHeader* header) {
    return readCached(position, header, sizeof *header) == int64_t{sizeof *header};
}

int DiskImage::readSector(int track, int c, int h, int r, int n, uint8_t* buffer, int length) {
    int64_t position = 0;
    if (!trackStart(track, &position)) {
        return 0;
    }
    if (!isByte(c) || !isByte(h) || !isByte(r) || !isByte(n)) {
        return 0;  // no record's ID byte can equal such a value
    }
    const uint32_t id = d88::TrackIndex::key(c, h, r, n);
    if (!haveMemory()) {
        return walkForSector(position, 1, id, buffer, length);
    }
    d88::TrackIndex& index = memory_->index;
    if (!index.holds(position)) {
        indexTrack(position);
    }
    if (const d88::TrackIndex::Record* record = index.find(id)) {
        return readData(record->dataPosition, record->dataSize, buffer, length);
    }
    if (index.complete()) {
        return 0;
    }
    return walkForSector(index.resumePosition(), d88::TrackIndex::kCapacity + 1, id, buffer,
                         length);
}

void DiskImage::indexTrack(int64_t position) {
    d88::TrackIndex& index = memory_->index;
    index.start(position);
    for (int64_t k = 1;; ++k) {
        SectorHeader header;
        if (!readSectorHeader(position, &header)) {
            break;
        }
        const int sectorCount = d88::le16(header.sectorCount);
        if (sectorCount == 0) {
            break;
        }
        if (!index.add(headerId(header), position + static_cast<int64_t>(d88::kSectorHeaderSize),
                       d88::le16(header.dataSize))) {
            index.finish(false, position);
            return;
        }
        position = nextRecord(position, header);
        if (k == sectorCount) {
            break;
        }
    }
    index.finish(true, 0);
}

int DiskImage::walkForSector(int64_t position, int64_t firstK, uint32_t id, uint8_t* buffer,
                             int length) {
    for (int64_t k = firstK;; ++k) {
        SectorHeader header;
        if (!readSectorHeader(position, &header)) {
            return 0;
        }
        const int sectorCount = d88::le16(header.sectorCount);
        if (sectorCount == 0) {
            return 0;
        }
        if (headerId(header) == id) {
            return readData(position + static_cast<int64_t>(d88::kSectorHeaderSize),
                            d88::le16(header.dataSize), buffer, length);
        }
        position = nextRecord(position, header);
        if (k == sectorCount) {
            return 0;
        }
    }
}

int DiskImage::readData(int64_t position, int dataSize, uint8_t* buffer, int length) {
    return static_cast<int>(readCached(position, buffer, std::min(dataSize, std::max(length, 0))));
}

int DiskImage::readSectors(int track, int c, int h, int r, int n, uint8_t* buffer, int length) {
    // No sector carries a size code outside 0 to 255, and from 24 on the
    // nominal size no longer fits in 32 bits: cap it instead of shifting.
    if (n < 0 || n > 255) {
        return 0;
    }
    const int64_t sectorSize = n >= 24 ? int64_t{INT32_MAX} : (int64_t{128} << n);
    int done = 0;
    while (done < length) {
        const int chunk = static_cast<int>(std::min<int64_t>(sectorSize, length - done));
        const int got = readSector(track, c, h, r, n, buffer + done, chunk);
        if (got < chunk) {
            return done;
        }
        done += chunk;
        // A sector was found, so track, c, h and r are all within 0 to 255
        // here and none of the steps below can overflow.
        if (r == lastSector_) {
            r = firstSector_;
            ++track;
            if (h == 0) {
                h = 1;
            } else {
                h = 0;
                ++c;
            }
        } else {
            ++r;
        }
    }
    return done;
}

int DiskImage::listSectorIds(int track, uint8_t* buffer, int length) {
    int64_t position = 0;
    if (!trackStart(track, &position)) {
        return 0;
    }
    int written = 0;
    for (int64_t i = 0; written + 4 <= length; ++i) {
        SectorHeader header;
        if (!readSectorHeader(position, &header)) {
            break;
        }
        const SectorId id{header.c, header.h, header.r, header.n};
        std::memcpy(buffer + written, &id, sizeof id);
        written += 4;
        position = nextRecord(position, header);
        if (i + 1 == d88::le16(header.sectorCount)) {
            break;
        }
    }
    return written;
}
