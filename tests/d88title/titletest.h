// In-process test bench for the game-disk tool's operations: each test runs
// in a fresh current directory, so that the files written there are exactly
// what the directory holds afterwards, with the image kept elsewhere and both
// console streams captured.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <map>
#include <string>

#include "d88builder.h"
#include "diskimage.h"
#include "runprogram.h"

namespace d88test {

// A file sector of a layout disk, as TitleDisk fills it.
inline constexpr int kFileSector = 1024;
inline Bytes fileSector(int track, int r) {
    return sectorPattern(track, r, kFileSector);
}

// What the code under test wrote to a stream, read back afterwards.
class CapturedStream {
  public:
    CapturedStream() : file_(std::tmpfile()) {}
    ~CapturedStream() { std::fclose(file_); }
    CapturedStream(const CapturedStream&) = delete;
    CapturedStream& operator=(const CapturedStream&) = delete;

    std::FILE* get() const { return file_; }
    std::string text() const {
        std::fflush(file_);
        std::string all;
        std::rewind(file_);
        char chunk[4096];
        size_t got = 0;
        while ((got = std::fread(chunk, 1, sizeof chunk, file_)) > 0) {
            all.append(chunk, got);
        }
        return all;
    }

  private:
    std::FILE* file_;
};

// printf into a string, for the expected warnings.
inline std::string formatted(const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

inline Bytes zeros(size_t count) {
    return Bytes(count, 0);
}

inline Bytes head(const Bytes& bytes, size_t count) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<long>(count));
}

class InScratchDirectory : public ::testing::Test {
  protected:
    void SetUp() override {
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previous_ = here;
        ASSERT_EQ(chdir(work_.path().c_str()), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(previous_.c_str()), 0); }

    // Writes the image outside the current directory; returns its path.
    std::string storeImage(const Bytes& bytes) {
        const std::string path = store_.file("image.d88");
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    void openImage(const Bytes& bytes) { ASSERT_TRUE(image.open(storeImage(bytes).c_str())); }
    std::map<std::string, Bytes> files() const { return work_.contents(); }
    std::string workFile(const std::string& name) const { return work_.file(name); }

    DiskImage image;
    CapturedStream out;
    CapturedStream err;

  private:
    ScratchDir work_;
    ScratchDir store_;
    std::string previous_;
};

}  // namespace d88test
