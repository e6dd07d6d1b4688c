#include "d88builder.h"

#include <cstdio>

namespace d88test {

namespace {
constexpr size_t kHeaderSize = 0x2B0;
constexpr size_t kSectorHeaderSize = 16;
}  // namespace

uint8_t patternByte(int track, int r, int position) {
    return static_cast<uint8_t>(track * 31 + r * 7 + position * 3 + (position >> 8) * 5);
}

Bytes sectorPattern(int track, int r, int size) {
    Bytes data(static_cast<size_t>(size));
    for (int i = 0; i < size; ++i) {
        data[static_cast<size_t>(i)] = patternByte(track, r, i);
    }
    return data;
}

DiskBuilder& DiskBuilder::setName(std::string_view name) {
    name_ = std::string(name.substr(0, 17));
    return *this;
}

DiskBuilder& DiskBuilder::setMediaType(uint8_t mediaType) {
    mediaType_ = mediaType;
    return *this;
}

DiskBuilder& DiskBuilder::setDiskSize(uint32_t size) {
    diskSize_ = size;
    return *this;
}

DiskBuilder& DiskBuilder::setTrackOffset(int track, uint32_t offset) {
    trackOffsets_[track] = offset;
    return *this;
}

DiskBuilder& DiskBuilder::addSector(int track, SectorSpec sector) {
    tracks_[track].push_back(std::move(sector));
    return *this;
}

DiskBuilder& DiskBuilder::addTrack(int track, int c, int h, int firstR, int count, int n) {
    for (int i = 0; i < count; ++i) {
        const int r = firstR + i;
        SectorSpec s;
        s.c = static_cast<uint8_t>(c);
        s.h = static_cast<uint8_t>(h);
        s.r = static_cast<uint8_t>(r);
        s.n = static_cast<uint8_t>(n);
        s.data = sectorPattern(track, r, 128 << n);
        addSector(track, std::move(s));
    }
    return *this;
}

DiskBuilder& DiskBuilder::addStandardTrack(int track, int firstR, int count, int n) {
    return addTrack(track, track / 2, track % 2, firstR, count, n);
}

DiskBuilder& DiskBuilder::setSectorData(int track, int r, Bytes data) {
    for (SectorSpec& s : tracks_[track]) {
        if (s.r == r) {
            s.data = std::move(data);
            break;
        }
    }
    return *this;
}

Bytes DiskBuilder::build() const {
    Bytes image(kHeaderSize, 0);
    for (size_t i = 0; i < name_.size(); ++i) {
        image[i] = static_cast<uint8_t>(name_[i]);
    }
    image[0x1B] = mediaType_;
    for (const auto& [track, sectors] : tracks_) {
        if (track >= 0 && track < 164) {
            putLe32(image, 0x20 + 4 * static_cast<size_t>(track),
                    static_cast<uint32_t>(image.size()));
        }
        for (const SectorSpec& s : sectors) {
            const size_t at = image.size();
            image.resize(at + kSectorHeaderSize, 0);
            image[at + 0] = s.c;
            image[at + 1] = s.h;
            image[at + 2] = s.r;
            image[at + 3] = s.n;
            putLe16(image, at + 4, s.sectorCount.value_or(static_cast<uint16_t>(sectors.size())));
            putLe16(image, at + 14, s.dataSize.value_or(static_cast<uint16_t>(s.data.size())));
            image.insert(image.end(), s.data.begin(), s.data.end());
        }
    }
    for (const auto& [track, offset] : trackOffsets_) {
        putLe32(image, 0x20 + 4 * static_cast<size_t>(track), offset);
    }
    putLe32(image, 0x1C, diskSize_.value_or(static_cast<uint32_t>(image.size())));
    return image;
}

Bytes concat(const std::vector<Bytes>& disks) {
    Bytes all;
    for (const Bytes& d : disks) {
        all.insert(all.end(), d.begin(), d.end());
    }
    return all;
}

void putLe16(Bytes& bytes, size_t offset, uint16_t value) {
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void putLe32(Bytes& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint32_t le32At(const Bytes& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | bytes[offset + static_cast<size_t>(i)];
    }
    return value;
}

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return false;
    }
    const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::optional<Bytes> readFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        return std::nullopt;
    }
    Bytes bytes;
    uint8_t chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(f);
    return bytes;
}

}  // namespace d88test
