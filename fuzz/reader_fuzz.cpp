// The reader over arbitrary bytes as an image file: every disk, and every
// track operation with steered arguments into buffers of exactly the length
// passed, so that a write past the length is caught.
#include <cstdint>
#include <vector>

#include "diskimage.h"
#include "memoryfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzsupport::MemoryFile file("reader-fuzz");
    const fuzzsupport::Steering steer(data, size, 12);
    DiskImage image;
    if (!image.open(file.write(data, size))) {
        return 0;
    }
    image.setSectorRange(steer.s8(0), steer.s8(1));
    const int length = steer.s16(2);
    const int n = steer.s8(4);
    const int track = steer.s8(5);
    for (int disk = 0; disk < image.diskCount(); ++disk) {
        image.selectDisk(disk);
        std::vector<uint8_t> buffer(static_cast<size_t>(length > 0 ? length : 0));
        for (int t : {0, 1, track}) {
            // r walks a few IDs around the steered one, and two size codes.
            for (int r = steer.s8(6) - 1; r <= steer.s8(6) + 1; ++r) {
                image.readSector(t, steer.u8(7), steer.u8(8), r, n, buffer.data(), length);
                image.readSector(t, t >> 1, t & 1, r, 2, buffer.data(), length);
            }
            image.readSectors(t, steer.u8(7), steer.u8(8), steer.s8(6), n, buffer.data(), length);
            image.listSectorIds(t, buffer.data(), length);
        }
        image.readSectors(track, track >> 1, track & 1, steer.s8(6), steer.s8(9), buffer.data(),
                          length);
        (void)image.diskName();
        (void)image.mediaType();
    }
    image.selectDisk(steer.s8(10));
    image.close();
    return 0;
}
