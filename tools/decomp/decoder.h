// The decoder of the compressed format. A compressed file is a 2-byte
// little-endian decoded length D followed by a stream of items: back-references
// into the bytes already produced, literal runs and fill runs. One flag bit per
// item (1: back-reference, 0: a control byte) comes from 16-bit flag words that
// are interleaved with the items.
#pragma once

#include <cstdint>

namespace decomp {

// The file layout.
constexpr int32_t kHeaderSize = 2;
constexpr int32_t kMaxDecodedLength = 65535;

// Flag words: 16 bits, most significant first. The first word opens the
// stream; every later word stands just before the item that takes the last
// bit of the word before it.
constexpr int32_t kFlagWordSize = 2;
constexpr int32_t kFlagBits = 16;
constexpr uint16_t kFirstFlagBit = 0x8000;

// A back-reference is a 16-bit little-endian value: length - 3 in the top four
// bits, the distance back from the end of the output in the low twelve.
constexpr int32_t kBackReferenceSize = 2;
constexpr int32_t kLengthShift = 12;
constexpr int32_t kMinBackReferenceLength = 3;
constexpr int32_t kMaxBackReferenceLength = 18;
constexpr uint16_t kDistanceMask = 0x0FFF;
constexpr int32_t kMaxDistance = 4095;

// A control byte: the run length in the top seven bits; the low bit chooses a
// fill run (one byte repeated) over a literal run (the bytes that follow).
constexpr uint8_t kFillRunBit = 0x01;
constexpr int32_t kRunLengthShift = 1;
constexpr int32_t kMaxRunLength = 127;

// Expands the stream into output, which holds decodedLength bytes, and
// returns the number of bytes produced, at most decodedLength.
//
// The output is cleared first, so that a back-reference reaching before the
// first byte (or of distance 0) yields zero bytes where it has no source; its
// length still counts. An item that would run past decodedLength is cut there.
// Only whole items are decoded: an item or flag word cut off by the end of the
// stream yields nothing, and no byte beyond streamLength is read. With
// decodedLength or streamLength 0 or less, nothing is read or written.
int32_t decodeStream(const uint8_t* stream, uint8_t* output, int32_t decodedLength,
                     int32_t streamLength);

}  // namespace decomp
