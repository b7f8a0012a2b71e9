// The palette checker's figures for one change: the contrast of the four boxes, the four simulated
// palettes and their hard-to-tell pairs. Target: below 50 µs per call. And the contrast fixes the
// inspector offers for the four boxes: target 1 ms for all four together.
#include "app/PaletteChecks.h"
#include "color/ContrastFixes.h"

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

// Both fixes, text and background, for each of the four boxes of a palette whose boxes all fail, as
// a changed palette asks for them; the text sizes are the default font's box 1 and body text.
void BM_FixesForFourBoxes(benchmark::State& state) {
    const auto target = static_cast<ContrastTarget>(state.range(0));
    const PaletteColors colors{{0xA1BEBE, 0x8AA0C8, 0x6E8CB4, 0xB5D2D2},
                               {0x556974, 0x6C7A99, 0x5A6E8C, 0x8FA3A3}};
    const TextSize sizes[4] = {TextSize::Heading, TextSize::Body, TextSize::Body, TextSize::Body};
    for (auto _ : state) {
        for (std::size_t box = 0; box < 4; ++box) {
            benchmark::DoNotOptimize(FixText(colors.text[box], colors.box[box], sizes[box], target));
            benchmark::DoNotOptimize(FixBackground(colors.text[box], colors.box[box], sizes[box], target));
        }
    }
}
BENCHMARK(BM_FixesForFourBoxes)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace
