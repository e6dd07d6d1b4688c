// d88dir's whole run, each disk's directory walk and file extraction, over
// arbitrary image bytes; files land in a scratch directory of the process.
#include <cstdint>
#include <cstdio>

#include "d88dir.h"
#include "memoryfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzsupport::MemoryFile file("d88dir-fuzz");
    static std::FILE* sink = fuzzsupport::writingTarget("d88dir-fuzz");
    const fuzzsupport::Steering steer(data, size, 1);
    char mode[2] = {static_cast<char>('0' + steer.u8(0) % 4), 0};
    char program[] = "d88dir";
    char* argv[] = {program, const_cast<char*>(file.write(data, size)), mode, nullptr};
    DiskImage image;
    const auto variant = steer.u8(0) & 0x80 ? d88dir::DirectorySector::FixedAtTwo
                                            : d88dir::DirectorySector::FromMode;
    d88dir::runTool(variant, variant == d88dir::DirectorySector::FixedAtTwo ? 2 : 3, argv, image,
                    sink, sink);
    return 0;
}
