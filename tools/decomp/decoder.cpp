#include "decoder.h"

#include <algorithm>
#include <cstring>

namespace decomp {

namespace {

struct DecoderState {
    const uint8_t* stream;
    int32_t streamLength;
    uint8_t* output;
    int32_t decodedLength;
    int32_t position = 0;
    int32_t count = 0;
    uint16_t flags = 0;
    int32_t flagBitsLeft = 0;
};

int32_t streamBytesLeft(const DecoderState& s) {
    return s.streamLength - s.position;
}

uint16_t readLe16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

bool readFlagWord(DecoderState& s) {
    if (streamBytesLeft(s) < kFlagWordSize) {
        return false;
    }
    s.flags = readLe16(s.stream + s.position);
    s.position += kFlagWordSize;
    s.flagBitsLeft = kFlagBits;
    return true;
}

bool takeFlagBit(DecoderState& s) {
    const bool set = (s.flags & kFirstFlagBit) != 0;
    s.flags = static_cast<uint16_t>(s.flags << 1);
    --s.flagBitsLeft;
    return set;
}

// How many of an item's bytes fit below the decoded length; the rest are cut.
int32_t storable(const DecoderState& s, int32_t length) {
    return std::min(length, s.decodedLength - s.count);
}

bool decodeBackReference(DecoderState& s) {
    if (streamBytesLeft(s) < kBackReferenceSize) {
        return false;
    }
    const uint16_t value = readLe16(s.stream + s.position);
    s.position += kBackReferenceSize;
    const int32_t length = (value >> kLengthShift) + kMinBackReferenceLength;
    const int32_t distance = value & kDistanceMask;
    const int32_t stored = storable(s, length);
    uint8_t* const out = s.output + s.count;
    if (distance >= length && distance <= s.count) {
        std::memcpy(out, out - distance, static_cast<size_t>(stored));
    } else {
        // Byte by byte, because the copy may read what it has just written.
        // Positions without a source (before the first byte, or distance 0)
        // keep the zero that the cleared buffer holds.
        for (int32_t i = 0; i < stored; ++i) {
            const int32_t source = s.count - distance + i;
            if (source >= 0 && distance != 0) {
                out[i] = s.output[source];
            }
        }
    }
    s.count += stored;
    return true;
}

bool decodeRun(DecoderState& s) {
    if (streamBytesLeft(s) < 1) {
        return false;
    }
    const uint8_t control = s.stream[s.position];
    const int32_t length = control >> kRunLengthShift;
    const bool fill = (control & kFillRunBit) != 0;
    const int32_t itemSize = 1 + (fill ? 1 : length);
    if (streamBytesLeft(s) < itemSize) {
        return false;
    }
    const uint8_t* const data = s.stream + s.position + 1;
    const int32_t stored = storable(s, length);
    if (fill) {
        std::memset(s.output + s.count, *data, static_cast<size_t>(stored));
    } else {
        std::memcpy(s.output + s.count, data, static_cast<size_t>(stored));
    }
    s.position += itemSize;
    s.count += stored;
    return true;
}

}  // namespace

int32_t decodeStream(const uint8_t* stream, uint8_t* output, int32_t decodedLength,
                     int32_t streamLength) {
    if (streamLength <= 0 || decodedLength <= 0) {
        return 0;
    }
    std::memset(output, 0, static_cast<size_t>(decodedLength));
    DecoderState s{stream, streamLength, output, decodedLength};
    while (s.count < s.decodedLength) {
        if (s.flagBitsLeft == 0 && !readFlagWord(s)) {
            break;
        }
        const bool backReference = takeFlagBit(s);
        // The next word stands before the item that takes the last bit.
        if (s.flagBitsLeft == 0 && !readFlagWord(s)) {
            break;
        }
        const bool whole = backReference ? decodeBackReference(s) : decodeRun(s);
        if (!whole || s.position >= s.streamLength) {
            break;
        }
    }
    return s.count;
}

}  // namespace decomp
