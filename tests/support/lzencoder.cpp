#include "lzencoder.h"

#include <algorithm>
#include <utility>

namespace d88test {

namespace {

constexpr int kFlagBits = 16;
constexpr uint16_t kFirstFlagBit = 0x8000;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 18;
constexpr int kMaxDistance = 4095;
constexpr int kMaxRun = 127;
// How many earlier places with the same three bytes are tried per position:
// enough for long matches in text, bounded for long runs of equal data.
constexpr int kMaxCandidates = 256;
constexpr int kHashBits = 16;

void appendLe16(Bytes& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void appendFlagWord(Bytes& stream, const std::vector<LzItem>& items, size_t wordIndex) {
    uint16_t word = 0;
    for (int bit = 0; bit < kFlagBits; ++bit) {
        const size_t k = wordIndex * kFlagBits + bit;
        if (k < items.size() && items[k].kind == LzItem::Kind::BackReference) {
            word |= static_cast<uint16_t>(kFirstFlagBit >> bit);
        }
    }
    appendLe16(stream, word);
}

// Finds earlier occurrences of the three bytes at a position through chains
// of positions that share a hash.
class MatchFinder {
  public:
    explicit MatchFinder(const Bytes& data)
        : data_(data), head_(size_t{1} << kHashBits, -1), previous_(data.size(), -1) {}

    void insert(int position) {
        if (position + kMinMatch > static_cast<int>(data_.size())) {
            return;
        }
        const uint32_t h = hash(position);
        previous_[position] = head_[h];
        head_[h] = position;
    }

    // The longest match for the bytes at position: {length, distance}.
    std::pair<int, int> longest(int position) const {
        const int size = static_cast<int>(data_.size());
        std::pair<int, int> best{0, 0};
        if (position + kMinMatch > size) {
            return best;
        }
        const int limit = std::min(kMaxMatch, size - position);
        int candidate = head_[hash(position)];
        for (int tries = 0;
             candidate >= 0 && tries < kMaxCandidates && position - candidate <= kMaxDistance;
             ++tries, candidate = previous_[candidate]) {
            int length = 0;
            while (length < limit && data_[candidate + length] == data_[position + length]) {
                ++length;
            }
            if (length > best.first) {
                best = {length, position - candidate};
                if (length == limit) {
                    break;
                }
            }
        }
        return best;
    }

  private:
    uint32_t hash(int p) const {
        const uint32_t key = data_[p] | (data_[p + 1] << 8) | (data_[p + 2] << 16);
        return (key * 2654435761u) >> (32 - kHashBits);
    }

    const Bytes& data_;
    std::vector<int> head_;
    std::vector<int> previous_;
};

}  // namespace

LzItem LzItem::backReference(int length, int distance) {
    LzItem item;
    item.kind = Kind::BackReference;
    item.length = length;
    item.distance = distance;
    return item;
}

LzItem LzItem::literalRun(Bytes bytes) {
    LzItem item;
    item.kind = Kind::LiteralRun;
    item.length = static_cast<int>(bytes.size());
    item.literals = std::move(bytes);
    return item;
}

LzItem LzItem::fillRun(int count, uint8_t byte) {
    LzItem item;
    item.kind = Kind::FillRun;
    item.length = count;
    item.fill = byte;
    return item;
}

Bytes LzItem::encoded() const {
    Bytes bytes;
    switch (kind) {
        case Kind::BackReference:
            appendLe16(bytes, static_cast<uint16_t>(((length - kMinMatch) << 12) |
                                                    (distance & kMaxDistance)));
            break;
        case Kind::LiteralRun:
            // Sized at once: an insert after a push_back draws a false
            // out-of-bounds warning from some optimisers.
            bytes.resize(1 + literals.size());
            bytes[0] = static_cast<uint8_t>(literals.size() << 1);
            std::copy(literals.begin(), literals.end(), bytes.begin() + 1);
            break;
        case Kind::FillRun:
            bytes.push_back(static_cast<uint8_t>((length << 1) | 1));
            bytes.push_back(fill);
            break;
    }
    return bytes;
}

Bytes lzStream(const std::vector<LzItem>& items) {
    Bytes stream;
    if (items.empty()) {
        return stream;
    }
    appendFlagWord(stream, items, 0);
    for (size_t k = 0; k < items.size(); ++k) {
        // Item number k + 1 = 16q takes the last bit of word q; word q + 1
        // comes before it.
        if ((k + 1) % kFlagBits == 0) {
            appendFlagWord(stream, items, (k + 1) / kFlagBits);
        }
        const Bytes bytes = items[k].encoded();
        stream.insert(stream.end(), bytes.begin(), bytes.end());
    }
    return stream;
}

std::vector<LzItem> lzParse(const Bytes& data) {
    std::vector<LzItem> items;
    Bytes pending;
    const auto flushLiterals = [&]() {
        if (!pending.empty()) {
            items.push_back(LzItem::literalRun(pending));
            pending.clear();
        }
    };
    MatchFinder finder(data);
    const int size = static_cast<int>(data.size());
    int position = 0;
    while (position < size) {
        int run = 1;
        while (position + run < size && run < kMaxRun && data[position + run] == data[position]) {
            ++run;
        }
        const auto [matchLength, distance] = finder.longest(position);
        int advance = 1;
        if (run >= kMinMatch && run >= matchLength) {
            flushLiterals();
            items.push_back(LzItem::fillRun(run, data[position]));
            advance = run;
        } else if (matchLength >= kMinMatch) {
            flushLiterals();
            items.push_back(LzItem::backReference(matchLength, distance));
            advance = matchLength;
        } else {
            pending.push_back(data[position]);
            if (static_cast<int>(pending.size()) == kMaxRun) {
                flushLiterals();
            }
        }
        for (int i = 0; i < advance; ++i) {
            finder.insert(position + i);
        }
        position += advance;
    }
    flushLiterals();
    return items;
}

Bytes lzCompressStream(const Bytes& data) {
    return lzStream(lzParse(data));
}

Bytes lzFile(uint16_t decodedLength, const Bytes& stream) {
    Bytes file(2 + stream.size());
    file[0] = static_cast<uint8_t>(decodedLength);
    file[1] = static_cast<uint8_t>(decodedLength >> 8);
    std::copy(stream.begin(), stream.end(), file.begin() + 2);
    return file;
}

Bytes lzCompressFile(const Bytes& data) {
    return lzFile(static_cast<uint16_t>(data.size()), lzCompressStream(data));
}

}  // namespace d88test
