#include "outputfile.h"

#include <cstring>

namespace d88tools {

bool nameStaysInCurrentDirectory(const char* name) {
    return std::strchr(name, '/') == nullptr;
}

OutputFile::~OutputFile() {
    finish();
}

bool OutputFile::create(const char* path) {
    finish();
    file_ = std::fopen(path, "wb");
    failed_ = file_ == nullptr;
    return file_ != nullptr;
}

void OutputFile::unbuffered() {
    if (file_ != nullptr) {
        std::setvbuf(file_, nullptr, _IONBF, 0);
    }
}

void OutputFile::write(const uint8_t* data, size_t size) {
    if (file_ == nullptr || failed_ || size == 0) {
        return;
    }
    if (std::fwrite(data, 1, size, file_) != size) {
        failed_ = true;
    }
}

bool OutputFile::finish() {
    if (file_ == nullptr) {
        return false;
    }
    // The close flushes the last buffered bytes: a full disk may show only here.
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed && !failed_;
}

bool writeWholeFile(const char* path, const uint8_t* data, size_t size) {
    OutputFile file;
    if (!file.create(path)) {
        return false;
    }
    // One write of the whole file: a stream buffer would only split it.
    file.unbuffered();
    file.write(data, size);
    return file.finish();
}

}  // namespace d88tools
