// The tools open files by path; a fuzz input is handed to them as an
// in-memory file whose path is /proc/self/fd/N, rewritten for every input.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzzsupport {

class MemoryFile {
  public:
    explicit MemoryFile(const char* name) : fd_(memfd_create(name, 0)) {
        if (fd_ < 0) {
            std::perror("memfd_create");
            std::abort();
        }
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }

    // Replaces the file's contents; returns its path.
    const char* write(const uint8_t* data, size_t size) {
        if (ftruncate(fd_, 0) != 0 ||
            (size > 0 && pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size))) {
            std::perror("memory file");
            std::abort();
        }
        return path_.c_str();
    }

    const char* path() const { return path_.c_str(); }

  private:
    int fd_;
    std::string path_;
};

// Runs the file-writing targets inside a directory of their own, once per process.
// The directory is in memory where /dev/shm exists.
inline void enterScratchDirectory(const char* name) {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "/tmp/";
    std::string dir = base + std::string(name) + "-XXXXXX";
    if (mkdtemp(dir.data()) == nullptr || chdir(dir.c_str()) != 0) {
        std::perror("scratch directory");
        std::abort();
    }
}

// For the targets that write files and print: enters the scratch directory
// and opens the sink for the console streams, both once per process.
inline std::FILE* writingTarget(const char* name) {
    enterScratchDirectory(name);
    return std::fopen("/dev/null", "w");
}

// The first bytes of an input steer the target; the rest is the file.
class Steering {
  public:
    Steering(const uint8_t*& data, size_t& size, size_t bytes) {
        for (size_t i = 0; i < bytes && size > 0; ++i, --size, ++data) {
            bytes_[i] = *data;
        }
    }
    int8_t s8(int i) const { return static_cast<int8_t>(bytes_[i]); }
    uint8_t u8(int i) const { return bytes_[i]; }
    int16_t s16(int i) const { return static_cast<int16_t>(bytes_[i] | (bytes_[i + 1] << 8)); }

  private:
    uint8_t bytes_[64] = {};
};

}  // namespace fuzzsupport
