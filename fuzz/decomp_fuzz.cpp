// The decomp program's whole path over arbitrary compressed files: reading
// the file, decoding, and writing the output through its temporary file.
#include <cstdint>

#include "decomp.h"
#include "memoryfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzsupport::MemoryFile file("decomp-fuzz");
    static std::FILE* const unused = fuzzsupport::writingTarget("decomp-fuzz");
    (void)unused;
    const char* argv[] = {"decomp", file.write(data, size), "out.bin", nullptr};
    decomp::runDecomp(3, argv);
    return 0;
}
