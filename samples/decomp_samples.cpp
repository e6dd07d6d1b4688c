#include "samples.h"

// The compressed sample comes with the decompression tool.
bool writeDecompSamples(const std::string&) {
    return true;
}
