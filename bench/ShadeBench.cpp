// The shaded button's face synthesis in every style, at about the size of a palette box (380 x 110)
// and of a dialog button (104 x 24), beside two baselines on an 8-bit bitmap of the same size: a plain
// fill of the pixel rows and a loop that only writes one generator value per pixel.
//
// ShadePixels times FillShadePixels on one bitmap, the part that grows with the size; ShadeFaces times
// the faces a button builds when it is first drawn and hovered (the normal and hover faces and the
// focus lines: bitmaps, palettes, tints, the copy and the pixels). Each benchmark times
// its synthesis and both baselines interleaved in the same iterations (manual time = the synthesis
// only), so all three see the same caches and clock state. Counters: x_fill and x_rand, the synthesis
// time over each baseline's. Target: x_rand <= 2 for the pixels of every style.
#include "widgets/ShadeFaces.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>

namespace {

struct FaceSize {
    int width;
    int height;
};

constexpr FaceSize kSizes[] = {{380, 110}, {104, 24}};
constexpr SystemColors kSystem{0x00A0A0A0u, 0x00F0F0F0u, 0x00FFFFFFu};

void PlainFill(ShadeBitmap& bitmap, std::uint8_t value) {
    for (int y = 0; y < bitmap.Height(); ++y)
        std::memset(bitmap.Row(y), value, static_cast<std::size_t>(bitmap.Width()));
}

// On a local copy of the generator, as the faces work, so this is the fastest serial chain of states.
void RandomFill(ShadeBitmap& bitmap, ShadeRandom& random) {
    ShadeRandom local = random;
    const int w = bitmap.Width(), h = bitmap.Height();
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = bitmap.Row(y);
        for (int x = 0; x < w; ++x)
            row[x] = static_cast<std::uint8_t>(local.Next() & 0xFF);
    }
    random = local;
}

// A tool button's shading in the style under test.
template <bool kWholeFaces> void BM_Shade(benchmark::State& state) {
    const unsigned style = static_cast<unsigned>(state.range(0));
    const FaceSize size = kSizes[state.range(1)];
    const ShadeParams params{style, 8, 70, 10, 0x00FFE2DFu};
    ShadeBitmap pixels, baseline;
    pixels.Create(size.width, size.height, 8);
    baseline.Create(size.width, size.height, 8);
    ShadeRandom random;
    using Clock = std::chrono::steady_clock;
    double shadeSeconds = 0.0, fillSeconds = 0.0, randomSeconds = 0.0;
    std::uint8_t value = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        if (kWholeFaces) {
            DeferredShadeFaces faces;
            faces.Describe(params, size.width, size.height, 2, kSystem, random);
            benchmark::DoNotOptimize(faces.Hover().Info());
        } else
            FillShadePixels(pixels, style, params.granularity, random);
        benchmark::ClobberMemory();
        const auto t1 = Clock::now();
        PlainFill(baseline, value++);
        benchmark::ClobberMemory();
        const auto t2 = Clock::now();
        RandomFill(baseline, random);
        benchmark::ClobberMemory();
        const auto t3 = Clock::now();
        const double shadeTime = std::chrono::duration<double>(t1 - t0).count();
        shadeSeconds += shadeTime;
        fillSeconds += std::chrono::duration<double>(t2 - t1).count();
        randomSeconds += std::chrono::duration<double>(t3 - t2).count();
        state.SetIterationTime(shadeTime);
    }
    state.counters["x_fill"] = fillSeconds > 0 ? shadeSeconds / fillSeconds : 0.0;
    state.counters["x_rand"] = randomSeconds > 0 ? shadeSeconds / randomSeconds : 0.0;
}

const char* const kStyleNames[9] = {"Noise",      "Diagonal", "Rows",        "Columns", "RowBump",
                                    "ColumnBump", "SoftBump", "RoundedBump", "Brushed"};

void Register() {
    for (const bool wholeFaces : {false, true}) {
        for (int s = 0; s < 2; ++s) {
            const std::string sizeName =
                std::to_string(kSizes[s].width) + "x" + std::to_string(kSizes[s].height);
            for (int style = 0; style < 9; ++style) {
                const std::string name = std::string(wholeFaces ? "ShadeFaces/" : "ShadePixels/") +
                                         kStyleNames[style] + "/" + sizeName;
                benchmark::RegisterBenchmark(name.c_str(), wholeFaces ? BM_Shade<true> : BM_Shade<false>)
                    ->Args({style, s})
                    ->UseManualTime();
            }
        }
    }
}

[[maybe_unused]] const bool kRegistered = (Register(), true);

} // namespace
