// The palette library over a real file of 100,000 records (26,000,000 bytes) in a scratch
// directory, beside the plain file operations it cannot beat: reading the whole file into fresh
// memory, and rewriting it from a buffer with one fsync.
//
// PlainRead and PlainWriteAndFlush are the baselines; LoadLibrary (which also writes the backup)
// and WriteLibrary report x_plain, their mean time over the baseline's mean from the same run.
// Targets: load <= 2x plain read, write <= 1.5x plain write and flush. ConvertCompactLibrary loads
// a compact file and writes it back converted; it has no target.
#include "cli/PosixLibraryFiles.h"
#include "library/DiskJournal.h"
#include "library/PaletteLibrary.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kRecords = 100000;
constexpr std::size_t kLibraryBytes = kRecords * kRecordSize;
constexpr std::size_t kCompactBytes = kRecords * kCompactRecordSize;

const LogFontImage kDefaultFont{{-48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 34}, u"Georgia"};
const LogFontImage kStartFont{{-24, 0, 0, 0, 400, 0, 0, 0, 0, 1, 2, 0, 34}, u"Verdana"};

// Varied but plausible records: numbered names, colors spread over the wheel, a few fonts.
std::vector<std::byte> CurrentImage() {
    static const char16_t* const faces[] = {u"Georgia", u"Verdana", u"Tahoma", u"Trebuchet MS",
                                            u"Palatino Linotype"};
    std::vector<std::byte> image(kLibraryBytes);
    std::uint32_t random = 0x2545F491u;
    for (int i = 0; i < kRecords; ++i) {
        PaletteColors colors;
        for (std::size_t box = 0; box < 4; ++box) {
            random = random * 1664525u + 1013904223u;
            const double hue = (random >> 8) % 360;
            colors.box[box] = ColorMath::HsbToColor(hue, 0.15 + 0.1 * box, 0.85);
            colors.text[box] = ColorMath::HsbToColor(hue, 0.4, 0.3 + 0.1 * (random & 3));
        }
        LogFontImage font = i % 3 ? kStartFont : kDefaultFont;
        font.numbers.height = -(14 + i % 40);
        font.numbers.italic = static_cast<std::uint8_t>(i % 7 == 0);
        std::fill(std::begin(font.faceName), std::end(font.faceName), u'\0');
        std::u16string_view face = faces[i % 5];
        std::copy(face.begin(), face.end(), font.faceName);
        const std::string name = "Palette #" + std::to_string(i + 1);
        PaletteRecord record = MakeRecord(std::u16string(name.begin(), name.end()), colors, font);
        std::memcpy(image.data() + i * kRecordSize, &record, kRecordSize);
    }
    return image;
}

// The compact records: the marker word, a reserved word, then the eight colors.
std::vector<std::byte> CompactImage(const std::vector<std::byte>& current) {
    std::vector<std::byte> image(kCompactBytes);
    for (int i = 0; i < kRecords; ++i) {
        std::byte* at = image.data() + i * kCompactRecordSize;
        std::memcpy(at, &CompactRecordMagic, 4);
        std::memcpy(at + 8, current.data() + i * kRecordSize + offsetof(PaletteRecord, colors), 32);
    }
    return image;
}

bool PutFile(const std::string& path, const std::vector<std::byte>& bytes) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, bytes.data(), bytes.size()) &&
              ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
    return close(fd) == 0 && ok;
}

// The scratch directory and its files, made on first use and removed when the program ends.
struct Scratch {
    std::string dir, library, compactDir, compact;
    std::vector<std::byte> current, compactBytes;
    bool ready = false;

    Scratch() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/huewright-bench-XXXXXX";
        if (!mkdtemp(pattern.data())) {
            return;
        }
        dir = pattern;
        library = dir + "/palettes.dat";
        compactDir = dir + "/compact";
        compact = compactDir + "/palettes.dat";
        current = CurrentImage();
        compactBytes = CompactImage(current);
        ready = mkdir(compactDir.c_str(), 0755) == 0 && PutFile(library, current) &&
                PutFile(compact, compactBytes);
    }
    ~Scratch() {
        if (dir.empty()) {
            return;
        }
        for (const std::string& file : {library, library + "._backup", compact, compact + "._backup"}) {
            unlink(file.c_str());
        }
        rmdir(compactDir.c_str());
        rmdir(dir.c_str());
    }
};

Scratch& TheScratch() {
    static Scratch scratch;
    return scratch;
}

// Mean seconds per iteration of each baseline, for the ratios of the benchmarks that follow it.
double plainReadSeconds = 0.0;
double plainWriteSeconds = 0.0;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration elapsed) {
    return std::chrono::duration<double>(elapsed).count();
}

void ReportRatio(benchmark::State& state, double seconds, double baseline) {
    if (baseline > 0.0 && state.iterations() > 0) {
        state.counters["x_plain"] = seconds / static_cast<double>(state.iterations()) / baseline;
    }
}

bool OpenLibrary(PaletteLibrary& library, const std::string& path, BackupWriter& backup) {
    int fd = open(path.c_str(), O_RDWR);
    if (fd < 0) {
        return false;
    }
    const std::string dir = path.substr(0, path.find_last_of('/'));
    FileError error = library.OpenPaletteLibrary(
        std::make_unique<PosixLibraryFile>(fd),
        std::make_unique<DiskJournal>(std::make_unique<PosixJournalFolder>(dir + "/palettes.dat._journal")),
        backup, 0, kDefaultFont, kStartFont);
    return error == 0 && library.Count() == kRecords;
}

void BM_PlainRead(benchmark::State& state) {
    Scratch& scratch = TheScratch();
    if (!scratch.ready) {
        state.SkipWithError("no scratch files");
        return;
    }
    const auto start = Clock::now();
    for (auto _ : state) {
        int fd = open(scratch.library.c_str(), O_RDONLY);
        struct stat info {};
        fstat(fd, &info);
        const auto size = static_cast<std::size_t>(info.st_size);
        // The program reads its library once, at start, into memory it has never touched; a heap
        // block reused from the previous iteration would spare the baseline those page faults.
        void* mapped = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        auto* buffer = static_cast<std::byte*>(mapped);
        std::size_t done = 0;
        while (mapped != MAP_FAILED && done < size) {
            ssize_t got = pread(fd, buffer + done, size - done, static_cast<off_t>(done));
            if (got <= 0) {
                break;
            }
            done += static_cast<std::size_t>(got);
        }
        close(fd);
        benchmark::DoNotOptimize(buffer);
        if (mapped != MAP_FAILED) {
            munmap(mapped, size);
        }
        if (done != kLibraryBytes) {
            state.SkipWithError("short read");
            break;
        }
    }
    if (state.iterations() > 0) {
        plainReadSeconds = Seconds(Clock::now() - start) / static_cast<double>(state.iterations());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLibraryBytes));
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadLibrary(benchmark::State& state) {
    Scratch& scratch = TheScratch();
    if (!scratch.ready) {
        state.SkipWithError("no scratch files");
        return;
    }
    PosixBackup backup(scratch.dir + "/palettes.dat._backup");
    const auto start = Clock::now();
    for (auto _ : state) {
        PaletteLibrary library;
        if (!OpenLibrary(library, scratch.library, backup)) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(library.Record(kRecords - 1).magic);
    }
    ReportRatio(state, Seconds(Clock::now() - start), plainReadSeconds);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLibraryBytes));
}
BENCHMARK(BM_LoadLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainWriteAndFlush(benchmark::State& state) {
    Scratch& scratch = TheScratch();
    int fd = scratch.ready ? open(scratch.library.c_str(), O_RDWR) : -1;
    if (fd < 0) {
        state.SkipWithError("no scratch files");
        return;
    }
    const auto start = Clock::now();
    for (auto _ : state) {
        if (lseek(fd, 0, SEEK_SET) != 0 || !WriteAll(fd, scratch.current.data(), kLibraryBytes) ||
            fsync(fd) != 0 || ftruncate(fd, static_cast<off_t>(kLibraryBytes)) != 0) {
            state.SkipWithError("write failed");
            break;
        }
    }
    if (state.iterations() > 0) {
        plainWriteSeconds = Seconds(Clock::now() - start) / static_cast<double>(state.iterations());
    }
    close(fd);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLibraryBytes));
}
BENCHMARK(BM_PlainWriteAndFlush)->Unit(benchmark::kMillisecond)->UseRealTime();

// The scratch library opened for a benchmark that writes it; the benchmark is skipped when it
// cannot be.
bool OpenScratchLibrary(benchmark::State& state, PaletteLibrary& library, PosixBackup& backup) {
    Scratch& scratch = TheScratch();
    if (!scratch.ready || !OpenLibrary(library, scratch.library, backup)) {
        state.SkipWithError("load failed");
        return false;
    }
    return true;
}

void BM_WriteLibrary(benchmark::State& state) {
    PosixBackup backup(TheScratch().dir + "/palettes.dat._backup");
    PaletteLibrary library;
    if (!OpenScratchLibrary(state, library, backup)) {
        return;
    }
    const auto start = Clock::now();
    for (auto _ : state) {
        if (library.WritePaletteLibrary() != 0) {
            state.SkipWithError("write failed");
            break;
        }
    }
    ReportRatio(state, Seconds(Clock::now() - start), plainWriteSeconds);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLibraryBytes));
}
BENCHMARK(BM_WriteLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();

// Deleting the first palette changes every byte of the file, so the journal holds all of it: the
// whole library is read, written to the journal and flushed, then rewritten and flushed. The record
// is put back with the clock stopped.
void BM_DeleteFirstRecord(benchmark::State& state) {
    PosixBackup backup(TheScratch().dir + "/palettes.dat._backup");
    PaletteLibrary library;
    if (!OpenScratchLibrary(state, library, backup)) {
        return;
    }
    Clock::duration deleting{};
    for (auto _ : state) {
        const PaletteRecord first = library.Record(0);
        const auto start = Clock::now();
        library.Remove(0);
        const FileError error = library.WritePaletteLibrary();
        deleting += Clock::now() - start;
        state.PauseTiming();
        library.Insert(0, first);
        if (error != 0 || library.WritePaletteLibrary() != 0) {
            state.SkipWithError("write failed");
        }
        state.ResumeTiming();
    }
    ReportRatio(state, Seconds(deleting), plainWriteSeconds);
}
BENCHMARK(BM_DeleteFirstRecord)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each load converts the compact file and writes 26 MB over it, so the compact bytes are put back
// (and flushed, to keep their writeback out of the next load) with the clock stopped.
void BM_ConvertCompactLibrary(benchmark::State& state) {
    Scratch& scratch = TheScratch();
    if (!scratch.ready) {
        state.SkipWithError("no scratch files");
        return;
    }
    PosixBackup backup(scratch.compactDir + "/palettes.dat._backup");
    for (auto _ : state) {
        state.PauseTiming();
        const bool restored = PutFile(scratch.compact, scratch.compactBytes);
        state.ResumeTiming();
        PaletteLibrary library;
        if (!restored || !OpenLibrary(library, scratch.compact, backup)) {
            state.SkipWithError("conversion failed");
            break;
        }
        benchmark::DoNotOptimize(library.Record(kRecords - 1).magic);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLibraryBytes));
}
BENCHMARK(BM_ConvertCompactLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
