// Whole-field regeneration of the color field for each mode, at the dialog's field size (client
// 268 x 94, inner field (3, 3, 265, 91) = 263 x 89 pixels) and at 1024 x 768 (inner 1019 x 763),
// beside a baseline that only writes the same pixels with std::fill.
//
// Each mode benchmark times the field and the baseline interleaved in the same
// iterations (manual time = field only), so both see the same caches and clock
// state. Counters: ns_per_px (field), base_ns_per_px (baseline) and
// x_baseline = field time / baseline time per pixel. Target: x_baseline <= 3.
#include "color/FieldRenderer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

struct FieldSize {
    int width;
    int height;
};

constexpr FieldSize kSizes[] = {{268, 94}, {1024, 768}};

Rect InnerOf(const FieldSize& size) {
    return Rect{3, 3, size.width - 3, size.height - 3};
}

long long InnerPixels(const Rect& inner) {
    return static_cast<long long>(inner.right - inner.left + 1) * (inner.bottom - inner.top + 1);
}

// The baseline: the same inner pixels of the same bottom-up bitmap, only written.
void FillInner(Pixel* bits, int width, int height, const Rect& inner, Pixel value) {
    const int columns = inner.right - inner.left + 1;
    Pixel* row = bits + static_cast<std::ptrdiff_t>(height - 1 - inner.bottom) * width + inner.left;
    for (int y = inner.top; y <= inner.bottom; ++y, row += width)
        std::fill(row, row + columns, value);
}

// A representative z per mode: red 200, green 100, blue 50, hue 210.0 degrees,
// saturation 0.75, brightness 0.9.
constexpr int kZ[6] = {200, 100, 50, 2100, 750, 900};

void BM_Field(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const FieldSize size = kSizes[state.range(1)];
    const Rect inner = InnerOf(size);
    std::vector<Pixel> bits(static_cast<std::size_t>(size.width) * size.height, 0);
    using Clock = std::chrono::steady_clock;
    double fieldSeconds = 0.0, baselineSeconds = 0.0;
    Pixel value = 0x00102030u;
    int z = kZ[mode];
    for (auto _ : state) {
        benchmark::DoNotOptimize(z);
        const auto t0 = Clock::now();
        RenderField(bits.data(), size.width, size.height, inner, mode, z);
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        FillInner(bits.data(), size.width, size.height, inner, value++);
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        const double field = std::chrono::duration<double>(t1 - t0).count();
        fieldSeconds += field;
        baselineSeconds += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(field);
    }
    const double pixels = static_cast<double>(InnerPixels(inner)) * static_cast<double>(state.iterations());
    state.SetItemsProcessed(static_cast<long long>(pixels));
    state.counters["ns_per_px"] = fieldSeconds * 1e9 / pixels;
    state.counters["base_ns_per_px"] = baselineSeconds * 1e9 / pixels;
    state.counters["x_baseline"] = baselineSeconds > 0 ? fieldSeconds / baselineSeconds : 0.0;
}

void BM_Baseline(benchmark::State& state) {
    const FieldSize size = kSizes[state.range(1)];
    const Rect inner = InnerOf(size);
    std::vector<Pixel> bits(static_cast<std::size_t>(size.width) * size.height, 0);
    Pixel value = 0x00102030u;
    for (auto _ : state) {
        FillInner(bits.data(), size.width, size.height, inner, value++);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(InnerPixels(inner) * state.iterations());
}

const char* const kModeNames[6] = {"Red", "Green", "Blue", "Hue", "Saturation", "Brightness"};

void Register() {
    for (int s = 0; s < 2; ++s) {
        const std::string sizeName = std::to_string(kSizes[s].width) + "x" + std::to_string(kSizes[s].height);
        benchmark::RegisterBenchmark(("Baseline/" + sizeName).c_str(), BM_Baseline)->Args({0, s});
        for (int mode = 0; mode < 6; ++mode)
            benchmark::RegisterBenchmark((std::string("Field/") + kModeNames[mode] + "/" + sizeName).c_str(),
                                         BM_Field)
                ->Args({mode, s})
                ->UseManualTime();
    }
}

[[maybe_unused]] const bool kRegistered = (Register(), true);

} // namespace
