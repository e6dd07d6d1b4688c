// sample.lz: a short text, compressed with the test encoder, for decomp.
#include <string>

#include "lzencoder.h"
#include "samples.h"

namespace {

const char kSampleText[] =
    "This file came out of a compressed file found on a floppy disk.\n"
    "Repeated words, repeated words and repeated lines shrink well:\n"
    "----------------------------------------------------------------\n"
    "Side A: track 00 sector 01 ... track 00 sector 16\n"
    "Side B: track 01 sector 01 ... track 01 sector 16\n"
    "----------------------------------------------------------------\n"
    "The end.\n";

}  // namespace

bool writeDecompSamples(const std::string& dir) {
    const std::string text = kSampleText;
    return d88test::writeFile(dir + "/sample.lz",
                              d88test::lzCompressFile(d88test::Bytes(text.begin(), text.end())));
}
