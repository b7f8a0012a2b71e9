// Row generators of the color math core on a 1024-pixel row,
// beside a baseline that only writes 1024 pixels. items = pixels.
#include "color/ColorMath.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>

namespace {

constexpr int kRow = 1024;

void BM_BaselineFill(benchmark::State& state) {
    std::array<Pixel, kRow> row{};
    Pixel value = 0x00123456u;
    for (auto _ : state) {
        std::fill(row.begin(), row.end(), value);
        benchmark::DoNotOptimize(row.data());
        benchmark::ClobberMemory();
        ++value;
    }
    state.SetItemsProcessed(state.iterations() * kRow);
}

void BM_FillHueRow(benchmark::State& state) {
    std::array<Pixel, kRow> row{};
    double s = 0.75;
    for (auto _ : state) {
        benchmark::DoNotOptimize(s);
        ColorMath::FillHueRow(row.data(), kRow, s, 0.9);
        benchmark::DoNotOptimize(row.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kRow);
}

void BM_FillSaturationRow(benchmark::State& state) {
    std::array<Pixel, kRow> row{};
    double h = 200.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(h);
        ColorMath::FillSaturationRow(row.data(), kRow, h, 0.8);
        benchmark::DoNotOptimize(row.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kRow);
}

void BM_FillBrightnessRow(benchmark::State& state) {
    std::array<Pixel, kRow> row{};
    double h = 200.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(h);
        ColorMath::FillBrightnessRow(row.data(), kRow, h, 0.6);
        benchmark::DoNotOptimize(row.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kRow);
}

void BM_FillTwoColorRow(benchmark::State& state) {
    std::array<Pixel, kRow> row{};
    Color start = MakeColor(10, 200, 30);
    for (auto _ : state) {
        benchmark::DoNotOptimize(start);
        ColorMath::FillTwoColorRow(row.data(), kRow, start, MakeColor(250, 20, 140));
        benchmark::DoNotOptimize(row.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kRow);
}

} // namespace

BENCHMARK(BM_BaselineFill);
BENCHMARK(BM_FillHueRow);
BENCHMARK(BM_FillSaturationRow);
BENCHMARK(BM_FillBrightnessRow);
BENCHMARK(BM_FillTwoColorRow);
