// Bytes placed at the very end of readable memory: the page after the last
// byte cannot be read, so a decoder that reads one byte too far crashes the
// test instead of passing it by luck.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "d88builder.h"

class GuardedBytes {
  public:
    explicit GuardedBytes(const d88test::Bytes& bytes) {
        const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        size_ = (bytes.size() + page - 1) / page * page + page;
        void* base =
            mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED) {
            throw std::runtime_error("mmap failed");
        }
        base_ = static_cast<uint8_t*>(base);
        uint8_t* const guard = base_ + size_ - page;
        if (mprotect(guard, page, PROT_NONE) != 0) {
            throw std::runtime_error("mprotect failed");
        }
        data_ = guard - bytes.size();
        if (!bytes.empty()) {
            std::memcpy(data_, bytes.data(), bytes.size());
        }
    }
    ~GuardedBytes() { munmap(base_, size_); }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    const uint8_t* data() const { return data_; }

  private:
    uint8_t* base_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};
