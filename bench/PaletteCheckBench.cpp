// The palette checker's figures for one change: the contrast of the four boxes, the four simulated
// palettes and their hard-to-tell pairs. Target: below 50 µs per call.
#include "app/PaletteChecks.h"

#include <benchmark/benchmark.h>

namespace {

// Each iteration changes one box's background, as a drag on a color well does, so no figure repeats.
void BM_CheckPalette(benchmark::State& state) {
    PaletteColors colors = kDefaultPalette;
    const std::array<BoxText, 4> text{{{12, false}, {14, true}, {18, false}, {10, false}}};
    Color changing = MakeColor(10, 200, 30);
    int box = 0;
    for (auto _ : state) {
        changing = (changing * 2654435761u) & 0xFFFFFF;
        colors.box[box] = changing;
        box = (box + 1) % 4;
        PaletteChecks checks = CheckPalette(colors, text);
        benchmark::DoNotOptimize(checks);
    }
}
BENCHMARK(BM_CheckPalette)->Unit(benchmark::kMicrosecond);

} // namespace
