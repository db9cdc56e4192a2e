// Decoding speed of the codec against the byte-at-a-time baseline, in bytes
// of output per second, on a skin-like archive and on random data.
#include <benchmark/benchmark.h>

#include "LzhBaseline.h"
#include "SkinLikeData.h"
#include "lzhenc/LzhEncode.h"
#include "skin/resources/lzh.h"

namespace {
struct Input {
    std::vector<std::uint8_t> stream;
    std::int32_t size;
};

const Input& Archive() {
    static const Input input = [] {
        const auto data = benchdata::SkinLikeArchive();
        return Input{lzhenc::Encode(data), std::int32_t(data.size())};
    }();
    return input;
}

const Input& Random() {
    static const Input input = [] {
        const auto data = benchdata::RandomBytes(240 * 1024, 7);
        return Input{lzhenc::Encode(data), std::int32_t(data.size())};
    }();
    return input;
}

void Codec(benchmark::State& state, const Input& input) {
    for (auto _ : state) {
        std::vector<std::uint8_t> out;
        skin::TLZH lzh;
        lzh.Input = input.stream;
        lzh.Output = &out;
        lzh.Unpack(input.size);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * input.size);
    state.counters["packed_bytes"] = double(input.stream.size());
}

void Baseline(benchmark::State& state, const Input& input) {
    for (auto _ : state) {
        baseline::MemoryStream in, out;
        in.bytes = input.stream;
        baseline::Lzh lzh;
        lzh.input = &in;
        lzh.output = &out;
        lzh.Unpack(input.size);
        benchmark::DoNotOptimize(out.bytes.data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * input.size);
}
}  // namespace

BENCHMARK_CAPTURE(Codec, archive, Archive());
BENCHMARK_CAPTURE(Baseline, archive, Archive());
BENCHMARK_CAPTURE(Codec, random, Random());
BENCHMARK_CAPTURE(Baseline, random, Random());

BENCHMARK_MAIN();
