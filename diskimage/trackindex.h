// The records of one track as a sector lookup walks them, gathered once so
// that further lookups on the same track cost a hash probe instead of a walk
// of every record before the wanted one. A crafted track can hold tens of
// thousands of records and be named by every entry of the track table; the
// walk of it, repeated for every sector of every file, is what this avoids.
#pragma once

#include <cstdint>

#include "d88format.h"

namespace d88 {

class TrackIndex {
  public:
    // A lookup stops at the k-th record when k equals that record's sector
    // count, which is 16-bit: no walk can stop so after the 65535th record.
    static constexpr int kCapacity = 65535;

    struct Record {
        int64_t dataPosition;
        uint32_t id;
        uint16_t dataSize;
    };

    static uint32_t key(int c, int h, int r, int n) {
        return static_cast<uint32_t>(c) | (static_cast<uint32_t>(h) << 8) |
               (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(n) << 24);
    }

    void forget() { trackPosition_ = -1; }
    bool holds(int64_t trackPosition) const { return trackPosition == trackPosition_; }

    // Starts gathering the records of the track that begins at trackPosition.
    void start(int64_t trackPosition);
    // Adds the next record a lookup could match; false when the index is full.
    bool add(uint32_t id, int64_t dataPosition, uint16_t dataSize);
    // Ends the gathering. When the walk went on past the capacity, lookups of
    // records not held resume it at resumePosition.
    void finish(bool complete, int64_t resumePosition);

    // The first record with this ID, or null.
    const Record* find(uint32_t id) const;
    bool complete() const { return complete_; }
    int64_t resumePosition() const { return resumePosition_; }

  private:
    static constexpr int kSlots = 131072;  // a power of two, at least twice the capacity
    static_assert((kSlots & (kSlots - 1)) == 0 && kSlots >= 2 * kCapacity);

    static uint32_t hash(uint32_t id) { return (id * 2654435761u) >> 15; }

    int64_t trackPosition_ = -1;
    int64_t resumePosition_ = 0;
    bool complete_ = true;
    int count_ = 0;
    uint32_t slotMask_ = 0;
    Record records_[kCapacity];
    int32_t slots_[kSlots];  // record number + 1; 0 is an empty slot
};

}  // namespace d88
