// Writes the demo's sample images and files into the directory given.
#include <cstdio>

#include "samples.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", argc > 0 ? argv[0] : "make_samples");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = writeDirectorySamples(dir) && writeDecompSamples(dir) && writeTitleSamples(dir);
    if (!ok) {
        std::fprintf(stderr, "make_samples: cannot write the samples into %s\n", argv[1]);
    }
    return ok ? 0 : 1;
}
