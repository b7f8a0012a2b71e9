// Export and import of a 100,000-palette library as JSON, Adobe swatch exchange, GIMP palette and
// design tokens, beside plain moves of the same bytes measured in the same run.
//
// The argument picks the format: 0 JSON, 1 ASE, 2 GPL, 3 design tokens. The baselines run first: PlainCopy
// copies the format's bytes into memory never touched before, PlainFileWrite writes them to a scratch file
// (into the page cache, no fsync). ExportPalettes and ImportPalettes report x_copy and x_file, their
// mean time over each baseline's mean for the same format. Target: within 2x of the plain copy, the
// cost of reading or writing those bytes at all; a text format that cannot reach it is held to 2x of
// the file write. The other formats also report x_json, their mean time over JSON's for the same
// work in the same run: the design tokens are held to 2x of JSON both ways.
#include "library/PaletteExchange.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPalettes = 100000;
constexpr ExchangeFormat kFormats[] = {ExchangeFormat::Json, ExchangeFormat::Ase, ExchangeFormat::Gpl,
                                       ExchangeFormat::Tokens};
constexpr const char* kFormatNames[] = {"json", "ase", "gpl", "tokens"};
constexpr int kFormatCount = 4;

const LogFontImage kDefaultFont{{-48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 34}, u"Georgia"};
const LogFontImage kStartFont{{-24, 0, 0, 0, 400, 0, 0, 0, 0, 1, 2, 0, 34}, u"Verdana"};

// Numbered names, colors from a plain random state, and fonts that vary as a real library's do.
std::vector<PaletteRecord> MakeLibrary() {
    std::vector<PaletteRecord> palettes;
    palettes.reserve(kPalettes);
    std::uint32_t random = 0x2545F491u;
    for (int i = 0; i < kPalettes; ++i) {
        PaletteColors colors;
        for (std::size_t box = 0; box < 4; ++box) {
            random = random * 1664525u + 1013904223u;
            colors.box[box] = random >> 8;
            random = random * 1664525u + 1013904223u;
            colors.text[box] = random >> 8;
        }
        LogFontImage font = i % 3 ? kStartFont : kDefaultFont;
        font.numbers.height = -(14 + i % 40);
        font.numbers.italic = static_cast<std::uint8_t>(i % 7 == 0);
        const std::string name = "Palette #" + std::to_string(i + 1);
        palettes.push_back(MakeRecord(std::u16string(name.begin(), name.end()), colors, font));
    }
    return palettes;
}

// The library, each format's bytes, and a scratch file removed when the program ends.
struct Fixture {
    std::vector<PaletteRecord> palettes = MakeLibrary();
    std::string files[kFormatCount];
    std::string scratch;

    Fixture() {
        for (int f = 0; f < kFormatCount; ++f) {
            files[f] = ExportPalettes(palettes, kFormats[f]);
        }
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/huewright-exchange-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd >= 0) {
            close(fd);
            scratch = pattern;
        }
    }
    ~Fixture() {
        if (!scratch.empty()) {
            unlink(scratch.c_str());
        }
    }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

using Clock = std::chrono::steady_clock;

// Mean seconds per iteration of each baseline, by format.
double copySeconds[kFormatCount] = {};
double fileSeconds[kFormatCount] = {};
// JSON's mean seconds for the export and for the import, which run before the other formats'.
double jsonExportSeconds = 0.0;
double jsonImportSeconds = 0.0;

double MeanSeconds(const benchmark::State& state, Clock::time_point start) {
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return state.iterations() > 0 ? seconds / static_cast<double>(state.iterations()) : 0.0;
}

void Report(benchmark::State& state, Clock::time_point start, int f, double& jsonSeconds) {
    const double seconds = MeanSeconds(state, start);
    if (copySeconds[f] > 0.0 && fileSeconds[f] > 0.0) {
        state.counters["x_copy"] = seconds / copySeconds[f];
        state.counters["x_file"] = seconds / fileSeconds[f];
    }
    if (f == 0) {
        jsonSeconds = seconds;
    } else if (jsonSeconds > 0.0) {
        state.counters["x_json"] = seconds / jsonSeconds;
    }
    state.SetLabel(kFormatNames[f]);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * TheFixture().files[f].size()));
}

void BM_ExportImportPlainCopy(benchmark::State& state) {
    const int f = static_cast<int>(state.range(0));
    const std::string& bytes = TheFixture().files[f];
    const auto start = Clock::now();
    for (auto _ : state) {
        // Fresh pages, as the exported string and the file read for an import are.
        void* mapped =
            mmap(nullptr, bytes.size(), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) {
            state.SkipWithError("no memory");
            break;
        }
        std::memcpy(mapped, bytes.data(), bytes.size());
        benchmark::DoNotOptimize(mapped);
        munmap(mapped, bytes.size());
    }
    copySeconds[f] = MeanSeconds(state, start);
    state.SetLabel(kFormatNames[f]);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ExportImportPlainCopy)
    ->DenseRange(0, kFormatCount - 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ExportImportPlainFileWrite(benchmark::State& state) {
    const int f = static_cast<int>(state.range(0));
    const Fixture& fixture = TheFixture();
    const std::string& bytes = fixture.files[f];
    const auto start = Clock::now();
    for (auto _ : state) {
        const int fd = fixture.scratch.empty() ? -1 : open(fixture.scratch.c_str(), O_WRONLY | O_TRUNC);
        std::size_t done = 0;
        while (fd >= 0 && done < bytes.size()) {
            const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
            if (put <= 0) {
                break;
            }
            done += static_cast<std::size_t>(put);
        }
        if (fd < 0 || close(fd) != 0 || done != bytes.size()) {
            state.SkipWithError("write failed");
            break;
        }
    }
    fileSeconds[f] = MeanSeconds(state, start);
    state.SetLabel(kFormatNames[f]);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ExportImportPlainFileWrite)
    ->DenseRange(0, kFormatCount - 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_ExportPalettes(benchmark::State& state) {
    const int f = static_cast<int>(state.range(0));
    const Fixture& fixture = TheFixture();
    const auto start = Clock::now();
    for (auto _ : state) {
        const std::string bytes = ExportPalettes(fixture.palettes, kFormats[f]);
        if (bytes.size() != fixture.files[f].size()) {
            state.SkipWithError("export differs");
            break;
        }
    }
    Report(state, start, f, jsonExportSeconds);
}
BENCHMARK(BM_ExportPalettes)->DenseRange(0, kFormatCount - 1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ImportPalettes(benchmark::State& state) {
    const int f = static_cast<int>(state.range(0));
    const Fixture& fixture = TheFixture();
    const auto start = Clock::now();
    for (auto _ : state) {
        const ImportResult result =
            ImportPalettes(fixture.files[f], kFormats[f], kStartFont, u"Palettes.json");
        if (result.palettes.size() != kPalettes) {
            state.SkipWithError("import failed");
            break;
        }
    }
    Report(state, start, f, jsonImportSeconds);
}
BENCHMARK(BM_ImportPalettes)->DenseRange(0, kFormatCount - 1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
