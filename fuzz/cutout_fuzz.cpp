// The sector-run cut-out over arbitrary image bytes with steered arguments,
// written as text in the number forms the command line takes, and the number
// parser over arbitrary text. The size stays below 64 KiB so that one input
// cannot ask for a gigabyte of output.
#include <cstdint>
#include <cstdio>
#include <string>

#include "cutout.h"
#include "memoryfile.h"
#include "numberarg.h"

namespace {

std::string number(int value, uint8_t form) {
    char text[32];
    switch (form % 4) {
        case 0:
            std::snprintf(text, sizeof text, "%d", value);
            break;
        case 1:
            std::snprintf(text, sizeof text, " 0x%x", static_cast<unsigned>(value));
            break;
        case 2:
            std::snprintf(text, sizeof text, "0%o", static_cast<unsigned>(value));
            break;
        default:
            std::snprintf(text, sizeof text, "\t+%dz", value);
            break;
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzsupport::MemoryFile file("cutout-fuzz");
    static std::FILE* sink = fuzzsupport::writingTarget("cutout-fuzz");
    const fuzzsupport::Steering steer(data, size, 24);
    std::string text(16, '\0');
    for (int i = 0; i < 15; ++i) {
        text[static_cast<size_t>(i)] = static_cast<char>(steer.u8(8 + i));
    }
    (void)d88title::parseNumber(text.c_str());

    const uint8_t forms = steer.u8(7);
    std::string words[] = {"d88title",
                           file.write(data, size),
                           "cut.bin",
                           number(steer.s8(0), forms),
                           number(steer.s16(1), forms >> 2),
                           number(steer.s16(3), forms >> 4),
                           number(steer.s16(5), forms >> 6),
                           text};
    char* argv[9] = {};
    for (int i = 0; i < 8; ++i) {
        argv[i] = words[i].data();
    }
    const int argc = 6 + steer.u8(23) % 3;
    DiskImage image;
    image.open(argv[1]);
    d88title::cutOutCommand(argc, argv, image, sink, sink);
    return 0;
}
