// decodeStream on 64 KiB outputs of the three item kinds, in bytes per second
// of output.
#include <benchmark/benchmark.h>

#include <random>

#include "decoder.h"
#include "lzencoder.h"

namespace {

using d88test::Bytes;

constexpr int kOutput = 65535;

Bytes literalHeavy() {
    std::mt19937 random(1);
    Bytes data(kOutput);
    for (uint8_t& b : data) {
        b = static_cast<uint8_t>(random());
    }
    return data;
}

Bytes fillHeavy() {
    std::mt19937 random(2);
    Bytes data;
    while (data.size() < kOutput) {
        data.insert(data.end(), 64 + random() % 200, static_cast<uint8_t>(random()));
    }
    data.resize(kOutput);
    return data;
}

Bytes backReferenceHeavy() {
    // Text-like data: words drawn from a small vocabulary, so nearly every
    // stretch repeats one seen within the window.
    static const char* const words[] = {"track ",  "sector ", "disk ", "image ", "file ",
                                        "header ", "record ", "data ", "size ",  "name "};
    std::mt19937 random(3);
    Bytes data;
    while (data.size() < kOutput) {
        const char* w = words[random() % 10];
        data.insert(data.end(), w, w + std::char_traits<char>::length(w));
    }
    data.resize(kOutput);
    return data;
}

void decode(benchmark::State& state, const Bytes& data) {
    const Bytes stream = d88test::lzCompressStream(data);
    Bytes output(data.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(decomp::decodeStream(stream.data(), output.data(),
                                                      static_cast<int32_t>(data.size()),
                                                      static_cast<int32_t>(stream.size())));
        benchmark::ClobberMemory();
    }
    if (output != data) {
        state.SkipWithError("decoded bytes differ");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(data.size()));
    state.counters["stream_bytes"] = static_cast<double>(stream.size());
}

void BM_DecodeLiteralHeavy(benchmark::State& state) {
    decode(state, literalHeavy());
}
void BM_DecodeFillHeavy(benchmark::State& state) {
    decode(state, fillHeavy());
}
void BM_DecodeBackReferenceHeavy(benchmark::State& state) {
    decode(state, backReferenceHeavy());
}

BENCHMARK(BM_DecodeLiteralHeavy);
BENCHMARK(BM_DecodeFillHeavy);
BENCHMARK(BM_DecodeBackReferenceHeavy);

}  // namespace
