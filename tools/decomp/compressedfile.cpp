#include "compressedfile.h"

#include <cstdint>
#include <cstdio>
#include <new>

#include "decoder.h"

namespace decomp {

namespace {

constexpr long kMaxFileSize = kHeaderSize + long{INT32_MAX};

// The size by seeking to the end; -1 when the file cannot seek (a pipe) or is
// too long for the stream length to be represented.
long fileSize(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const long size = std::ftell(file);
    if (size < 0 || size > kMaxFileSize || std::fseek(file, 0, SEEK_SET) != 0) {
        return -1;
    }
    return size;
}

bool readAll(std::FILE* file, FileContents& contents) {
    const long size = fileSize(file);
    if (size < 0) {
        return false;
    }
    contents.size = static_cast<size_t>(size);
    contents.bytes.reset(new (std::nothrow) uint8_t[contents.size]);
    if (contents.bytes == nullptr) {
        return false;
    }
    // A short read would decode a stream that is not the file: refuse it.
    return std::fread(contents.bytes.get(), 1, contents.size, file) == contents.size;
}

}  // namespace

bool readCompressedFile(const char* path, FileContents& contents) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return false;
    }
    const bool read = readAll(file, contents);
    std::fclose(file);
    if (!read) {
        contents = FileContents{};
    }
    return read;
}

}  // namespace decomp
