// Both game-disk layouts over arbitrary image bytes: detection, directories
// and file extraction, with and without a name filter. Files land in a
// scratch directory of the process.
#include <cstdint>
#include <cstdio>

#include "layouts.h"
#include "memoryfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzsupport::MemoryFile file("title-layout-fuzz");
    static std::FILE* sink = fuzzsupport::writingTarget("title-layout-fuzz");
    const fuzzsupport::Steering steer(data, size, 8);
    // A filter of up to 7 steered bytes, or none.
    char filter[8] = {};
    for (int i = 0; i < 7; ++i) {
        filter[i] = static_cast<char>(steer.u8(1 + i));
    }
    const char* chosen = steer.u8(0) & 1 ? filter : nullptr;
    DiskImage image;
    if (!image.open(file.write(data, size))) {
        return 0;
    }
    if (d88title::extract2HD(image, chosen, sink, sink).code != 0) {
        d88title::extract2DD(image, chosen, sink, sink);
    }
    return 0;
}
