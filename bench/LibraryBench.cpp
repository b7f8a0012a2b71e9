// The palette library over a real file of 100,000 records (26,000,000 bytes) in a scratch
// directory, beside the plain file operations it cannot beat: reading the whole file into fresh
// memory, and rewriting it from a buffer with one fsync.
//
// PlainRead and PlainWriteAndFlush are the baselines; LoadLibrary (which also writes the backup)
// and WriteLibrary report x_plain, their mean time over the baseline's mean from the same run.
// Targets: load <= 2x plain read, write <= 1.5x plain write and flush. ConvertCompactLibrary loads
// a compact file and writes it back converted; it has no target.
#include "library/PaletteLibrary.h"
#include "library/RollbackJournal.h"

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

FileError LastError() {
    return static_cast<FileError>(errno);
}

// The library file over a descriptor it owns; the same calls the Windows file makes, in POSIX.
class PosixLibraryFile : public LibraryFile {
public:
    explicit PosixLibraryFile(int fd, bool writable = true) : fd(fd), writable(writable) {}
    ~PosixLibraryFile() override { close(fd); }
    PosixLibraryFile(const PosixLibraryFile&) = delete;
    PosixLibraryFile& operator=(const PosixLibraryFile&) = delete;

    bool Writable() const override { return writable; }
    FileError Length(std::uint64_t& length) override {
        struct stat info {};
        FileError error = Stat(info);
        length = static_cast<std::uint64_t>(info.st_size);
        return error;
    }
    FileError ReadFromStart(void* into, std::size_t size) override { return ReadAt(0, into, size); }
    FileError Identity(std::uint64_t& identity) override {
        struct stat info {};
        FileError error = Stat(info);
        identity = static_cast<std::uint64_t>(info.st_ino);
        return error;
    }
    FileError ReadAt(std::uint64_t offset, void* into, std::size_t size) override {
        auto* at = static_cast<char*>(into);
        std::size_t done = 0;
        while (done < size) {
            ssize_t got = pread(fd, at + done, size - done, static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return got < 0 ? LastError() : EIO;
            }
            done += static_cast<std::size_t>(got);
        }
        return 0;
    }
    FileError WriteAt(std::uint64_t offset, const void* from, std::size_t size) override {
        return lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0 ? LastError() : Write(from, size);
    }
    FileError Rewind() override { return lseek(fd, 0, SEEK_SET) < 0 ? LastError() : 0; }
    FileError Write(const void* from, std::size_t size) override {
        const auto* at = static_cast<const char*>(from);
        while (size > 0) {
            ssize_t put = write(fd, at, size);
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put < 0) {
                return LastError();
            }
            at += put;
            size -= static_cast<std::size_t>(put);
        }
        return 0;
    }
    FileError Flush() override { return fsync(fd) != 0 ? LastError() : 0; }
    FileError SetLength(std::uint64_t length) override {
        return ftruncate(fd, static_cast<off_t>(length)) != 0 ? LastError() : 0;
    }

private:
    FileError Stat(struct stat& info) const { return fstat(fd, &info) != 0 ? LastError() : 0; }

    int fd;
    bool writable;
};

bool WriteAll(int fd, const void* from, std::size_t size) {
    const auto* at = static_cast<const char*>(from);
    while (size > 0) {
        ssize_t put = write(fd, at, size);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            return false;
        }
        at += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

// The journal as the Windows side keeps it: written over the last one, cut, flushed, cleared after
// use, and deleted at the end.
class PosixJournal : public JournalFile {
public:
    explicit PosixJournal(std::string dir) : path(std::move(dir) + "/palettes.dat._journal") {}
    ~PosixJournal() override { unlink(path.c_str()); }
    PosixJournal(const PosixJournal&) = delete;
    PosixJournal& operator=(const PosixJournal&) = delete;

    FileError Read(std::string& bytes) override {
        bytes.clear();
        int fd = open(path.c_str(), O_RDONLY);
        if (fd < 0) {
            return errno == ENOENT ? 0 : LastError();
        }
        char buffer[1 << 16];
        ssize_t got = 0;
        while ((got = read(fd, buffer, sizeof(buffer))) > 0) {
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        close(fd);
        return got < 0 ? LastError() : 0;
    }
    FileError Write(std::span<const std::span<const std::byte>> pieces) override {
        int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
        if (fd < 0) {
            return LastError();
        }
        bool written = true;
        off_t length = 0;
        for (auto piece : pieces) {
            written = written && WriteAll(fd, piece.data(), piece.size());
            length += static_cast<off_t>(piece.size());
        }
        written = written && ftruncate(fd, length) == 0 && fsync(fd) == 0;
        const FileError error = written ? 0 : LastError();
        close(fd);
        return error;
    }
    FileError Clear() override {
        int fd = open(path.c_str(), O_WRONLY);
        const char zeros[kJournalMarkSize]{};
        const bool cleared = fd >= 0 && WriteAll(fd, zeros, sizeof(zeros));
        if (fd >= 0) {
            close(fd);
        }
        return cleared ? 0 : Remove();
    }
    FileError Remove() override { return unlink(path.c_str()) != 0 && errno != ENOENT ? LastError() : 0; }
    FileError SetAside() override {
        return rename(path.c_str(), (path + "_unmatched").c_str()) != 0 ? LastError() : 0;
    }

private:
    std::string path;
};

// Overwrites the backup's pages in place rather than truncating first, as the Windows side does.
class PosixBackup : public BackupWriter {
public:
    explicit PosixBackup(std::string dir) : path(std::move(dir) + "/palettes.dat._backup") {}

    ~PosixBackup() override { Close(); }

    void WriteBackupPiece(const void* data, std::size_t size, bool first, bool last) override {
        if (first) {
            Close();
            fd = open(path.c_str(), O_RDWR | O_CREAT, 0644);
            written = 0;
        }
        if (fd >= 0 && !WriteAll(fd, data, size)) {
            Close();
        }
        written += size;
        if (fd >= 0 && last) {
            (void)!ftruncate(fd, static_cast<off_t>(written));
            Close();
        }
    }

private:
    void Close() {
        if (fd >= 0) {
            close(fd);
        }
        fd = -1;
    }

    std::string path;
    int fd = -1;
    std::size_t written = 0;
};

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
    FileError error =
        library.OpenPaletteLibrary(std::make_unique<PosixLibraryFile>(fd),
                                   std::make_unique<PosixJournal>(dir), backup, 0, kDefaultFont, kStartFont);
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
    PosixBackup backup(scratch.dir);
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

void BM_WriteLibrary(benchmark::State& state) {
    Scratch& scratch = TheScratch();
    PosixBackup backup(scratch.dir);
    PaletteLibrary library;
    if (!scratch.ready || !OpenLibrary(library, scratch.library, backup)) {
        state.SkipWithError("load failed");
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
    Scratch& scratch = TheScratch();
    PosixBackup backup(scratch.dir);
    PaletteLibrary library;
    if (!scratch.ready || !OpenLibrary(library, scratch.library, backup)) {
        state.SkipWithError("load failed");
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
    PosixBackup backup(scratch.compactDir);
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
