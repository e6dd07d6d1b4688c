#include "decomp.h"

#include <cstdint>
#include <memory>
#include <new>

#include "compressedfile.h"
#include "decoder.h"
#include "replacefile.h"

namespace decomp {

int runDecomp(int argc, const char* const* argv) {
    if (argc < 2) {
        return kExitDone;
    }
    const char* const compressedPath = argv[1];
    const char* const outputPath = argc >= 3 ? argv[2] : compressedPath;

    FileContents file;
    if (!readCompressedFile(compressedPath, file)) {
        return kExitFailed;
    }
    // A file without a whole header and a stream decodes to nothing.
    if (file.size <= static_cast<size_t>(kHeaderSize)) {
        return kExitDone;
    }
    const int32_t decodedLength = file.bytes[0] | (file.bytes[1] << 8);
    if (decodedLength == 0) {
        return kExitDone;
    }
    std::unique_ptr<uint8_t[]> output(new (std::nothrow) uint8_t[decodedLength]);
    if (output == nullptr) {
        return kExitFailed;
    }
    const int32_t streamLength = static_cast<int32_t>(file.size - kHeaderSize);
    const int32_t count =
        decodeStream(file.bytes.get() + kHeaderSize, output.get(), decodedLength, streamLength);
    // Released before the output is written: the input is no longer needed.
    file = FileContents{};
    if (count <= 0) {
        return kExitDone;
    }
    return writeOutputFile(outputPath, output.get(), static_cast<size_t>(count)) ? kExitDone
                                                                                 : kExitFailed;
}

}  // namespace decomp
