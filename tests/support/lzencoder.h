// An encoder of the compressed format for tests, benchmarks and samples.
//
// A compressed file is a 2-byte little-endian decoded length followed by the
// stream. The stream is a sequence of items, each with one flag bit (1 for a
// back-reference, 0 for a literal or fill run) taken from 16-bit flag words,
// most significant bit first. The first flag word opens the stream; each later
// one stands just before the 16th item that the previous word governs:
//   W1, I1 .. I15, W2, I16, I17 .. I31, W3, I32, ...
// so a stream whose last item is I16 still ends with W2 before it.
#pragma once

#include <cstdint>
#include <vector>

#include "d88builder.h"

namespace d88test {

struct LzItem {
    enum class Kind { BackReference, LiteralRun, FillRun };
    Kind kind = Kind::LiteralRun;
    // Back-reference: 3 to 18 bytes, copied from 0 to 4095 bytes back
    // (0 and distances beyond the output are for tests of bad streams).
    int length = 0;
    int distance = 0;
    // Literal run: 0 to 127 bytes as they stand.
    Bytes literals;
    // Fill run: the byte repeated length times, 0 to 127.
    uint8_t fill = 0;

    static LzItem backReference(int length, int distance);
    static LzItem literalRun(Bytes bytes);
    static LzItem fillRun(int count, uint8_t byte);

    // The bytes that the item adds to the stream, flag bit not included.
    Bytes encoded() const;
};

// The stream of the items, with the flag words placed as the format lays them
// out. No items give an empty stream.
Bytes lzStream(const std::vector<LzItem>& items);

// A greedy parse of data into items: fill runs for runs of one byte, the
// longest back-reference within reach, literal runs for the rest.
std::vector<LzItem> lzParse(const Bytes& data);

// The stream of data, and the whole compressed file (header and stream);
// data may hold at most 65535 bytes.
Bytes lzCompressStream(const Bytes& data);
Bytes lzCompressFile(const Bytes& data);

// A header of the given decoded length in front of a stream.
Bytes lzFile(uint16_t decodedLength, const Bytes& stream);

}  // namespace d88test
