// Nine-slice composition and region extraction against memcpy of the same bytes.
// After the usual table it prints Mpixel/s and each routine's speed as a fraction of the
// memcpy measured in the same run (1.0 = as fast as copying the target's bytes).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "raster/Blit.h"
#include "raster/RegionRuns.h"
#include "raster/Slices.h"

using namespace raster;

namespace {

constexpr int kTargetW = 455, kTargetH = 480;
constexpr int kWindowW = 1024, kWindowH = 768;

// A typical push-button strip: three 75 x 25 state frames with rounded magenta corners.
Bitmap ButtonStrip() {
    Bitmap strip(225, 25);
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 225; ++x) strip.SetPixel(x, y, Rgb(x, 120 + y * 4, 200 - y * 3));
    for (int f = 0; f < 3; ++f)
        for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {74, 0}, {73, 0}, {74, 1}, {0, 24}, {74, 24}})
            strip.SetPixel(f * 75 + x, y, kKeyColor);
    return strip;
}

// A window-sized frame image: rounded magenta corners, border and client all opaque.
Bitmap WindowBorder(PixelFormat format) {
    Bitmap b(kWindowW, kWindowH, format);
    b.Fill(Rgb(60, 90, 160));
    const int cut[5] = {5, 3, 2, 1, 1};
    for (int y = 0; y < 5; ++y) {
        FillRect(b, {0, y, cut[y], y + 1}, kKeyColor);
        FillRect(b, {kWindowW - cut[y], y, kWindowW, y + 1}, kKeyColor);
        FillRect(b, {0, kWindowH - 1 - y, cut[y], kWindowH - y}, kKeyColor);
        FillRect(b, {kWindowW - cut[y], kWindowH - 1 - y, kWindowW, kWindowH - y}, kKeyColor);
    }
    return b;
}

void Memcpy(benchmark::State& state, std::size_t bytes) {
    std::vector<std::uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}

void SetPixels(benchmark::State& state, std::int64_t pixels) {
    state.counters["Mpix/s"] =
        benchmark::Counter(double(pixels) / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_MemcpyTarget24(benchmark::State& state) { Memcpy(state, std::size_t(kTargetW) * kTargetH * 3); }

void BM_RenderElementImage(benchmark::State& state) {
    const Bitmap strip = ButtonStrip();
    const bool tile = state.range(0) != 0;
    for (auto _ : state) {
        Bitmap out = RenderElementImage({0, 0, kTargetW, kTargetH}, strip, {6, 6, 6, 6}, false, tile, 3, 2);
        benchmark::DoNotOptimize(out.Bits());
    }
    SetPixels(state, std::int64_t(kTargetW) * kTargetH);
}

void BM_MemcpyTarget32(benchmark::State& state) { Memcpy(state, std::size_t(kTargetW) * kTargetH * 4); }

// Into a kept 24-bit image (tile:0/1), or the 32-bit scratch the DC forms use (tile:2/3).
void BM_RenderElementInto(benchmark::State& state) {
    const Bitmap strip = ButtonStrip();
    const bool tile = state.range(0) % 2 != 0;
    Bitmap out(kTargetW, kTargetH, state.range(0) >= 2 ? PixelFormat::Bgra32 : PixelFormat::Bgr24);
    for (auto _ : state) {
        RenderElementInto(out, BoundsOf(out), strip, {6, 6, 6, 6}, false, tile, 3, 2);
        benchmark::DoNotOptimize(out.Bits());
        benchmark::ClobberMemory();
    }
    SetPixels(state, std::int64_t(kTargetW) * kTargetH);
}

void BM_MemcpyWindow32(benchmark::State& state) { Memcpy(state, std::size_t(kWindowW) * kWindowH * 4); }
void BM_MemcpyWindow24(benchmark::State& state) { Memcpy(state, std::size_t(kWindowW) * kWindowH * 3); }

void BM_RegionRuns(benchmark::State& state) {
    const Bitmap border = WindowBorder(state.range(0) == 32 ? PixelFormat::Bgra32 : PixelFormat::Bgr24);
    std::size_t runs = 0;
    for (auto _ : state) {
        const auto r = RegionRuns(border, 0, 0);
        runs = r.size();
        benchmark::DoNotOptimize(r.data());
    }
    state.counters["runs"] = double(runs);
    SetPixels(state, std::int64_t(kWindowW) * kWindowH);
}

BENCHMARK(BM_MemcpyTarget24)->UseRealTime();
BENCHMARK(BM_RenderElementImage)->Arg(0)->Arg(1)->ArgName("tile")->UseRealTime();
BENCHMARK(BM_MemcpyTarget32)->UseRealTime();
BENCHMARK(BM_RenderElementInto)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->ArgName("tile")->UseRealTime();
BENCHMARK(BM_MemcpyWindow32)->UseRealTime();
BENCHMARK(BM_MemcpyWindow24)->UseRealTime();
BENCHMARK(BM_RegionRuns)->Arg(32)->Arg(24)->ArgName("bpp")->UseRealTime();

// Keeps each run's time per iteration for the ratio table.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0)
                seconds[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const struct {
        const char* name;
        const char* baseline;
        double megapixels;
        double target;
    } pairs[] = {
        {"BM_RenderElementImage/tile:0", "BM_MemcpyTarget24", kTargetW * kTargetH / 1e6, 0.2},
        {"BM_RenderElementImage/tile:1", "BM_MemcpyTarget24", kTargetW * kTargetH / 1e6, 0.2},
        {"BM_RenderElementInto/tile:0", "BM_MemcpyTarget24", kTargetW * kTargetH / 1e6, 0.2},
        {"BM_RenderElementInto/tile:1", "BM_MemcpyTarget24", kTargetW * kTargetH / 1e6, 0.2},
        {"BM_RenderElementInto/tile:2", "BM_MemcpyTarget32", kTargetW * kTargetH / 1e6, 0.2},
        {"BM_RenderElementInto/tile:3", "BM_MemcpyTarget32", kTargetW * kTargetH / 1e6, 0.2},
        {"BM_RegionRuns/bpp:32", "BM_MemcpyWindow32", kWindowW * kWindowH / 1e6, 0.3},
        {"BM_RegionRuns/bpp:24", "BM_MemcpyWindow24", kWindowW * kWindowH / 1e6, 0.3},
    };
    std::printf("\n%-32s %10s %14s %8s\n", "routine", "Mpixel/s", "x memcpy", "aim");
    for (const auto& p : pairs) {
        auto it = reporter.seconds.find(std::string(p.name) + "/real_time");
        auto base = reporter.seconds.find(std::string(p.baseline) + "/real_time");
        if (it == reporter.seconds.end() || base == reporter.seconds.end()) continue;
        // Both times are in the unit the reporter chose (ns by default): only their ratio counts.
        std::printf("%-32s %10.0f %14.2f %8.1f\n", p.name, p.megapixels / (it->second * 1e-9), base->second / it->second,
                    p.target);
    }
    benchmark::Shutdown();
    return 0;
}
