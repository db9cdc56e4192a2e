// The whole skin load (unpack, description, every BMP, the derived images) against the
// unpacking alone, on the skin the program stores. What the load adds to the decode is
// the difference of the two.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "skin/core/SkinModel.h"
#include "skin/resources/SkinRead.h"

namespace {

const std::vector<std::uint8_t>& DefaultSkin() {
    static const std::vector<std::uint8_t> bytes = [] {
        std::ifstream in(TOVALIN_DEFAULT_SKIN, std::ios::binary);
        return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }();
    return bytes;
}

void LzhDecode(benchmark::State& state) {
    const auto& packed = DefaultSkin();
    if (packed.empty()) return state.SkipWithError("no default skin at " TOVALIN_DEFAULT_SKIN);
    std::size_t unpacked = 0;
    for (auto _ : state) {
        // A fresh buffer each time, as a load unpacks into one.
        std::vector<std::uint8_t> archive;
        if (!skin::TSkinReader::UnpackStream(packed, archive)) return state.SkipWithError("does not unpack");
        benchmark::DoNotOptimize(archive.data());
        unpacked = archive.size();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(unpacked));
}
BENCHMARK(LzhDecode)->Unit(benchmark::kMicrosecond);

void LoadSkin(benchmark::State& state) {
    const auto& packed = DefaultSkin();
    if (packed.empty()) return state.SkipWithError("no default skin at " TOVALIN_DEFAULT_SKIN);
    skin::TSkinModel model(nullptr);
    model.SkinStream.LoadFromBytes(packed.data(), packed.size());
    for (auto _ : state) {
        if (!model.LoadSkin()) return state.SkipWithError("does not load");
        benchmark::DoNotOptimize(model.ToolbarFace.get());
    }
}
BENCHMARK(LoadSkin)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
