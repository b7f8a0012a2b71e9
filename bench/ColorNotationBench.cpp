// Reading one pasted color, notation by notation, beside the plainest one (#rrggbb, argument 0,
// which runs first) in the same run. Target: at most 2 us each, gamut mapping included; x_hex is
// each one's mean time over that of #rrggbb.
#include "app/ColorNotation.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <iterator>
#include <string>
#include <string_view>

namespace {

constexpr std::wstring_view kTexts[] = {
    L"#1a2b3c",
    L"rebeccapurple",
    L"rgb(26 43 60 / 50%)",
    L"hsl(210 40% 17%)",
    L"hwb(210 10% 76%)",
    L"lab(17.5 -1.2 -13.9)",
    L"lch(17.5 14 265)",
    L"oklab(0.2638 -0.0116 -0.0427)",
    L"oklch(26.38% 0.04425 254.76)",
    L"oklch(0.7 0.4 150)",
    L"color(display-p3 0 1 0)",
    L"color(prophoto-rgb 0.6 0.4 0.3)",
    L"color(xyz-d50 0.2 0.3 0.4)",
};

using Clock = std::chrono::steady_clock;
double hexSeconds = 0;

void BM_ParseColorNotation(benchmark::State& state) {
    const std::wstring_view text = kTexts[state.range(0)];
    const auto start = Clock::now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.data());
        benchmark::DoNotOptimize(ParseColorNotation(text));
    }
    const double seconds =
        std::chrono::duration<double>(Clock::now() - start).count() / static_cast<double>(state.iterations());
    if (state.range(0) == 0) {
        hexSeconds = seconds;
    }
    if (hexSeconds > 0) {
        state.counters["x_hex"] = seconds / hexSeconds;
    }
    state.SetLabel(std::string(text.begin(), text.end()));
}

} // namespace

BENCHMARK(BM_ParseColorNotation)->DenseRange(0, std::size(kTexts) - 1);
