// Output files of the disk tools: created (or truncated) in binary mode under
// a name taken from a disk, and checked all the way to the close, so that a
// file that could not be written in full is never reported as done.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace d88tools {

// A name from a disk may be used as a file name in the current directory only
// when it cannot reach elsewhere: it holds no '/'.
bool nameStaysInCurrentDirectory(const char* name);

class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates or truncates the file; false when it cannot be opened.
    bool create(const char* path);
    // Writes go straight to the file, for callers that write in large pieces.
    void unbuffered();
    // Nothing is written once a write has failed; the failure sticks.
    void write(const uint8_t* data, size_t size);
    // Closes the file; true only when it opened and every byte reached it.
    bool finish();

    bool isOpen() const { return file_ != nullptr; }

  private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// Creates the file, writes size bytes and closes it; true when all went well.
bool writeWholeFile(const char* path, const uint8_t* data, size_t size);

}  // namespace d88tools
