// The eight tonal scales of a palette (target: 200 µs for all eight) and a palette's dark variant
// (target: 1 ms), each of a different palette every iteration.
#include "color/DarkVariant.h"
#include "color/TonalScales.h"

#include <benchmark/benchmark.h>

namespace {

// The next palette of a fixed walk through the colors, so no figure repeats.
PaletteColors NextPalette(Color& walk) {
    PaletteColors colors{};
    for (int box = 0; box < 4; ++box) {
        walk = (walk * 2654435761u + 12345u) & 0xFFFFFF;
        colors.box[box] = walk;
        walk = (walk * 2654435761u + 12345u) & 0xFFFFFF;
        colors.text[box] = walk;
    }
    return colors;
}

void BM_EightTonalScales(benchmark::State& state) {
    Color walk = 0x123456;
    for (auto _ : state) {
        const PaletteColors colors = NextPalette(walk);
        for (int box = 0; box < 4; ++box) {
            benchmark::DoNotOptimize(MakeTonalScale(colors.box[box]));
            benchmark::DoNotOptimize(MakeTonalScale(colors.text[box]));
        }
    }
}
BENCHMARK(BM_EightTonalScales)->Unit(benchmark::kMicrosecond);

// Random palettes are the hard case: their backgrounds often have to move off the mirror.
void BM_DarkVariant(benchmark::State& state) {
    const auto target = static_cast<ContrastTarget>(state.range(0));
    const std::array<TextSize, 4> sizes = {TextSize::Heading, TextSize::Body, TextSize::Body, TextSize::Body};
    Color walk = 0x654321;
    for (auto _ : state) {
        benchmark::DoNotOptimize(MakeDarkVariant(NextPalette(walk), sizes, target));
    }
}
BENCHMARK(BM_DarkVariant)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The default palette, as a user starts.
void BM_DarkVariantOfTheDefaultPalette(benchmark::State& state) {
    const std::array<TextSize, 4> sizes = {TextSize::Heading, TextSize::Body, TextSize::Body, TextSize::Body};
    for (auto _ : state) {
        benchmark::DoNotOptimize(MakeDarkVariant(kDefaultPalette, sizes, ContrastTarget::AA));
    }
}
BENCHMARK(BM_DarkVariantOfTheDefaultPalette)->Unit(benchmark::kMicrosecond);

} // namespace
