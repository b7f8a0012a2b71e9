// The search by the start of a name over a library of 100,000 palettes, as it runs on each letter
// the user types. Target: at most 5 ms per call, whether few names match or all of them.
#include "library/PaletteOperations.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr int kPalettes = 100000;

class NoBackup : public BackupWriter {
public:
    void WriteBackupPiece(const void*, std::size_t, bool, bool) override {}
};

// Names such as "Palette 12345 Sea" and "palette 67 Dusk": every one starts with the same word.
const PaletteLibrary& Library() {
    static PaletteLibrary library = [] {
        PaletteLibrary made;
        NoBackup backup;
        made.OpenPaletteLibrary(nullptr, nullptr, backup, -1, {}, {});
        const char* kWords[] = {" Sea", " Dusk", " Forest", " Sand"};
        for (int i = 0; i < kPalettes; ++i) {
            std::string name = (i % 2 ? "Palette " : "palette ") + std::to_string(i) + kWords[i % 4];
            made.Append(MakeRecord(std::u16string(name.begin(), name.end()), kDefaultPalette, {}));
        }
        return made;
    }();
    return library;
}

void BM_FindPalettes(benchmark::State& state, const char16_t* text) {
    const PaletteLibrary& library = Library();
    std::vector<std::uint32_t> matches;
    for (auto _ : state) {
        FindMatches(library, text, matches);
        benchmark::DoNotOptimize(matches.data());
    }
    state.counters["matches"] = static_cast<double>(matches.size());
}
BENCHMARK_CAPTURE(BM_FindPalettes, all, u"PALETTE")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindPalettes, few, u"palette 9999")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FindPalettes, none, u"x")->Unit(benchmark::kMillisecond);

} // namespace
