// Reading a compressed file whole into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace decomp {

struct FileContents {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
};

// Reads the whole file. False when it cannot be opened, its size cannot be
// had, it is too long for the decoder's signed 32-bit stream length, there is
// no memory for it, or fewer bytes than its size could be read.
bool readCompressedFile(const char* path, FileContents& contents);

}  // namespace decomp
