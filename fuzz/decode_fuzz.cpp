// decodeStream over arbitrary streams: the stream and the output are heap
// blocks of exactly their lengths, so a read past the stream or a write past
// the decoded length is caught.
#include <cstdint>
#include <cstring>
#include <memory>

#include "decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const int32_t decodedLength = data[0] | (data[1] << 8);
    const size_t streamLength = size - 2;
    std::unique_ptr<uint8_t[]> stream(new uint8_t[streamLength > 0 ? streamLength : 1]);
    std::memcpy(stream.get(), data + 2, streamLength);
    std::unique_ptr<uint8_t[]> output(new uint8_t[decodedLength > 0 ? decodedLength : 1]);
    const int32_t count = decomp::decodeStream(stream.get(), output.get(), decodedLength,
                                               static_cast<int32_t>(streamLength));
    if (count < 0 || count > decodedLength) {
        __builtin_trap();
    }
    return 0;
}
