#include "trackindex.h"

#include <cstring>

namespace d88 {

void TrackIndex::start(int64_t trackPosition) {
    trackPosition_ = trackPosition;
    count_ = 0;
    complete_ = true;
    resumePosition_ = 0;
}

bool TrackIndex::add(uint32_t id, int64_t dataPosition, uint16_t dataSize) {
    if (count_ == kCapacity) {
        return false;
    }
    records_[count_++] = {dataPosition, id, dataSize};
    return true;
}

void TrackIndex::finish(bool complete, int64_t resumePosition) {
    complete_ = complete;
    resumePosition_ = resumePosition;
    // Only as many slots as the track needs are cleared: an ordinary track of
    // a few sectors costs a few dozen bytes, not the whole table.
    uint32_t slots = 16;
    while (slots < 2u * static_cast<uint32_t>(count_)) {
        slots <<= 1;
    }
    slotMask_ = slots - 1;
    std::memset(slots_, 0, slots * sizeof slots_[0]);
    for (int i = 0; i < count_; ++i) {
        uint32_t slot = hash(records_[i].id) & slotMask_;
        while (slots_[slot] != 0 && records_[slots_[slot] - 1].id != records_[i].id) {
            slot = (slot + 1) & slotMask_;
        }
        if (slots_[slot] == 0) {  // the first record with an ID is the one found
            slots_[slot] = i + 1;
        }
    }
}

const TrackIndex::Record* TrackIndex::find(uint32_t id) const {
    for (uint32_t slot = hash(id) & slotMask_; slots_[slot] != 0; slot = (slot + 1) & slotMask_) {
        const Record& record = records_[slots_[slot] - 1];
        if (record.id == id) {
            return &record;
        }
    }
    return nullptr;
}

}  // namespace d88
