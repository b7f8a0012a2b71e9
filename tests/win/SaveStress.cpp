// Saves into and deletes from a library of 10,000 palettes without end, through the real library
// operations on the real file and its rollback journal, for scripts/test-killed-saves.sh to kill at
// random moments. Each start first loads what the previous kill left with the real loader, rolling
// back a rewrite cut short, compares it with the palettes as they were before and after the
// operation that was cut short, and prints what it found.
// save_stress.exe RUN [check], in the library's folder; with "check" it stops after the comparison.
// save_stress.exe cross ROUND saves three palettes beside huewright-cli instead (see below).
#include "library/DiskJournal.h"
#include "library/PaletteOperations.h"
#include "library/Win32LibraryFile.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Records = std::vector<PaletteRecord>;

constexpr int kStartingPalettes = 10000;
constexpr const wchar_t* kLibrary = L"palettes.dat";
// The palettes as the previous run found them, and what it did to them since.
constexpr const char* kExpected = "stress-expected.dat";
constexpr const char* kJournal = "stress-journal.txt";
constexpr const char* kJournalNext = "stress-journal.new";
// Made once the comparison is done, when the killing may start.
constexpr const char* kReady = "stress-ready";

std::u16string Utf16(const std::string& text) {
    return {text.begin(), text.end()};
}

LogFontImage StressFont() {
    LogFontImage font{};
    font.numbers.height = -20;
    font.numbers.weight = 400;
    std::memcpy(font.faceName, u"Stress", sizeof(u"Stress"));
    return font;
}

// Operation `number` of run `run`: a kind ('a'ppend, 'o'verwrite, 'd'elete) and a record index.
struct Step {
    char kind = 0;
    int index = -1;
    int number = 0;
    // The last step of the write the journal saw before the kill.
    std::string phase = "none";
};

// The palette that step `number` of run `run` saves: its name and colors tell them apart.
PaletteRecord StepRecord(int run, int number) {
    PaletteColors colors{};
    for (int box = 0; box < 4; ++box) {
        colors.box[box] = static_cast<Color>((run * 7919 + number * 104729 + box) & 0xFFFFFF);
        colors.text[box] = static_cast<Color>((run * 31 + number * 17 + box) & 0xFFFFFF);
    }
    return MakeRecord(Utf16("Run " + std::to_string(run) + " op " + std::to_string(number)), colors,
                      StressFont());
}

void Apply(Records& records, int run, const Step& step) {
    switch (step.kind) {
    case 'a':
        records.push_back(StepRecord(run, step.number));
        break;
    case 'o':
        records[step.index] = StepRecord(run, step.number);
        break;
    case 'd':
        records.erase(records.begin() + step.index);
        break;
    }
}

// One line for every operation begun, then one for every step of its write, appended as they
// happen: the page cache keeps them when the process is killed. The steps of a start's rollback go
// after those of the operation it undoes, until the start has checked the library and begins anew.
class Journal {
public:
    Journal() : file(Open(OPEN_ALWAYS)) {}
    // Made whole beside the journal and put in its place, so that a kill leaves one or the other.
    void Restart(const std::string& line) {
        file.Reset();
        std::ofstream(kJournalNext) << line << "\n";
        MoveFileExA(kJournalNext, kJournal, MOVEFILE_REPLACE_EXISTING);
        file = Open(OPEN_ALWAYS);
    }
    void Note(const std::string& line) {
        const std::string text = line + "\n";
        DWORD written = 0;
        WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }

private:
    static UniqueFile Open(DWORD disposition) {
        return UniqueFile(CreateFileA(kJournal, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    UniqueFile file;
};

// The real file, telling the journal which step of a write is under way.
class JournaledFile : public LibraryFile {
public:
    JournaledFile(std::unique_ptr<LibraryFile> file, Journal& journal)
        : file(std::move(file)), journal(journal) {}

    bool Writable() const override { return file->Writable(); }
    FileError Length(std::uint64_t& length) override { return file->Length(length); }
    FileError ReadFromStart(void* into, std::size_t size) override { return file->ReadFromStart(into, size); }
    FileError ReadAt(std::uint64_t offset, void* into, std::size_t size) override {
        return file->ReadAt(offset, into, size);
    }
    // Only a rollback writes anywhere but from the start.
    FileError WriteAt(std::uint64_t offset, const void* from, std::size_t size) override {
        journal.Note("rollback");
        return file->WriteAt(offset, from, size);
    }
    FileError Rewind() override { return file->Rewind(); }
    FileError Write(const void* from, std::size_t size) override {
        journal.Note("write");
        return file->Write(from, size);
    }
    FileError Flush() override {
        journal.Note("flush");
        return file->Flush();
    }
    FileError SetLength(std::uint64_t length) override {
        journal.Note("set-length");
        return file->SetLength(length);
    }

private:
    std::unique_ptr<LibraryFile> file;
    Journal& journal;
};

// The real rollback journal, telling the step journal when it is written.
class NotedJournal : public DiskJournal {
public:
    explicit NotedJournal(Journal& journal)
        : DiskJournal(std::make_unique<Win32JournalFolder>(L"palettes.dat._journal")), journal(journal) {}
    FileError Write(std::span<const std::span<const std::byte>> pieces) override {
        journal.Note("journal");
        return DiskJournal::Write(pieces);
    }

private:
    Journal& journal;
};

// The window of the real program reduced to what the operations read and write; every question is
// answered yes, and a refusal or a failed write ends the run, since neither may happen here.
class ScriptedView : public PaletteView {
public:
    std::u16string name;
    PaletteColors colors{};

    std::u16string CounterText() override { return counter; }
    void SetCounterText(const std::u16string& text) override { counter = text; }
    std::u16string NameText() override { return name; }
    void SetNameText(const std::u16string& text) override { name = text; }
    void SelectName() override {}
    std::u16string SearchText() override { return {}; }
    bool AskYesNo(const std::u16string&) override { return true; }
    bool ConfirmDelete(const std::u16string&) override { return true; }
    void ShowRefusal(const std::u16string&) override { Stop("a save was refused"); }
    void ReportWriteFailure(FileError error) override {
        Stop("a write failed with error " + std::to_string(error));
    }
    PaletteColors WorkspaceColors() override { return colors; }
    LogFontImage WorkspaceFont() override { return StressFont(); }
    LogFontImage DefaultFont() override { return StressFont(); }
    bool WorkspaceFontIsDefault() override { return true; }
    bool WorkspaceFontIsSame(const LogFontImage& font) override { return font == StressFont(); }
    void ShowPaletteContent(const PaletteRecord&) override {}
    void ClearUndoTarget() override {}

private:
    [[noreturn]] static void Stop(const std::string& why) {
        std::cout << "FAILED: " << why << std::endl;
        std::exit(3);
    }
    std::u16string counter;
};

Records ReadRecords(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    Records records(bytes.size() / kRecordSize);
    std::memcpy(records.data(), bytes.data(), records.size() * kRecordSize);
    return records;
}

void WriteRecords(const std::filesystem::path& name, const Records& records) {
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(records.data()),
               static_cast<std::streamsize>(records.size() * kRecordSize));
}

bool Same(const Records& a, const Records& b, std::size_t from, std::size_t to) {
    return a.size() >= to && b.size() >= to &&
           std::memcmp(a.data() + from, b.data() + from, (to - from) * kRecordSize) == 0;
}

bool Same(const Records& a, const Records& b) {
    return a.size() == b.size() && Same(a, b, 0, a.size());
}

// What the previous run did: its number and its operations, the last one cut short by the kill.
struct Previous {
    int run = -1;
    std::vector<Step> steps;
};

Previous ReadJournal() {
    Previous previous;
    std::ifstream in(kJournal);
    std::string word;
    in >> word >> previous.run;
    while (in >> word) {
        if (word.size() == 1) {
            Step step{word[0], 0, static_cast<int>(previous.steps.size())};
            in >> step.index;
            previous.steps.push_back(step);
        } else if (!previous.steps.empty() && previous.steps.back().phase != "rollback") {
            // A start killed while it rolled the operation back: the steps after that are its own.
            previous.steps.back().phase = word;
        }
    }
    return previous;
}

// The palettes before and after the operation the kill cut short.
struct Expected {
    Records before;
    Records after;
    Step cut;
};

Expected Replay(const Previous& previous) {
    Expected expected{ReadRecords(kExpected), {}, {}};
    if (!previous.steps.empty()) {
        for (std::size_t i = 0; i + 1 < previous.steps.size(); ++i) {
            Apply(expected.before, previous.run, previous.steps[i]);
        }
        expected.cut = previous.steps.back();
    }
    expected.after = expected.before;
    Apply(expected.after, previous.run, expected.cut);
    return expected;
}

bool Held(const wchar_t* name) {
    UniqueFile probe(CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    return !probe && GetLastError() == ERROR_SHARING_VIOLATION;
}

// Wine closes a killed process's handles a moment after the process is gone, and until then the
// library cannot be opened. Returns about how long that took, in milliseconds.
int WaitUntilReleased(const wchar_t* name) {
    int waited = 0;
    for (; Held(name) && waited < 10000; waited += 5) {
        Sleep(5);
    }
    return waited;
}

struct Finding {
    std::string text;
    bool allowed;
};

// The library as loaded against the palettes before and after the operation the kill cut short:
// anything but one of the two is damage, described as far as it can be.
Finding Compare(const Records& before, const Records& after, const Step& step, const Records& loaded) {
    if (Same(loaded, after)) {
        return {"intact, as after the operation", true};
    }
    if (Same(loaded, before)) {
        return {"intact, as before the operation", true};
    }
    const auto index = static_cast<std::size_t>(step.index);
    if (step.kind == 'o' && loaded.size() == after.size() && Same(loaded, after, 0, index) &&
        Same(loaded, after, index + 1, after.size())) {
        return {"DAMAGED: torn record", false};
    }
    if (step.kind == 'd' && loaded.size() == before.size() && Same(loaded, before, 0, index)) {
        return {"DAMAGED: records after it partly moved", false};
    }
    return {"DAMAGED BEYOND THE OPERATION", false};
}

// The operation the kill cut short, and where the kill fell: the last step the journal saw begin.
std::string Describe(const Step& step, std::size_t count) {
    const std::string of = std::to_string(step.index) + " of " + std::to_string(count);
    const std::string what = step.kind == 'a'   ? "append to " + std::to_string(count)
                             : step.kind == 'o' ? "overwrite " + of
                                                : "delete " + of;
    if (step.phase == "none") {
        return what + ", killed before its write began";
    }
    if (step.phase == "rollback") {
        return what + ", killed again while the next start rolled it back";
    }
    return what +
           (step.phase == "done" ? ", killed after it ended" : ", killed once its " + step.phase + " began");
}

// The palettes a start found, written before its journal begins anew and named after its run until
// the journal has.
std::string PendingExpected(int run) {
    return "stress-expected-" + std::to_string(run) + ".dat";
}

// A start killed between writing its palettes and renaming them: they go with the journal when the
// journal is already that run's, and are dropped otherwise.
void SettleExpected(int journalRun) {
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        const std::string name = entry.path().filename().string();
        if (name == PendingExpected(journalRun)) {
            std::filesystem::rename(name, kExpected);
        } else if (name.starts_with("stress-expected-")) {
            std::filesystem::remove(name);
        }
    }
}

void CreateLibrary() {
    Records records;
    for (int i = 0; i < kStartingPalettes; ++i) {
        records.push_back(StepRecord(-1, i));
    }
    WriteRecords(kLibrary, records);
    WriteRecords(kExpected, records);
    std::ofstream(kJournal) << "run -1\n";
}

// The next operation: append, overwrite or delete alike, so the library stays near its size.
Step NextStep(std::mt19937& random, int number, int count) {
    const char kinds[] = {'a', 'o', 'd'};
    Step step{kinds[random() % 3], -1, number};
    if (step.kind != 'a') {
        step.index = static_cast<int>(random() % static_cast<unsigned>(count));
    }
    return step;
}

void Perform(PaletteLibrary& library, PaletteOperations& operations, ScriptedView& view, int run,
             const Step& step) {
    const PaletteRecord record = StepRecord(run, step.number);
    view.name = RecordName(record);
    view.colors = RecordColors(record);
    library.currentPaletteIndex = step.index;
    if (step.kind == 'd') {
        operations.OnDeletePalette();
    } else {
        operations.OnSavePalette();
    }
}

// Journals each operation before it begins, so the next start knows which one a kill cut short.
[[noreturn]] void SaveAndDeleteForever(PaletteLibrary& library, Journal& journal, int run) {
    ScriptedView view;
    PaletteOperations operations(library, view);
    std::mt19937 random(static_cast<unsigned>(run));
    for (int number = 0;; ++number) {
        const Step step = NextStep(random, number, library.Count());
        std::ostringstream line;
        line << step.kind << ' ' << step.index;
        journal.Note(line.str());
        Perform(library, operations, view, run, step);
        journal.Note("done");
    }
}

// One round of tests/cli/cross-program-test.sh: the library opened as Huewright opens it, beside
// huewright-cli importing into it, and three palettes saved through the real operations; each one
// reported saved is printed. A library another program holds is only read, and nothing saved.
int SaveBesideTheCommand(const std::string& round) {
    FileError error = 0;
    std::unique_ptr<LibraryFile> file = Win32LibraryFile::Open(kLibrary, error);
    if (!file || !file->Writable()) {
        std::cout << "held: the library is in use by another program, so it can only be read (error " << error
                  << ")" << std::endl;
        return 0;
    }
    Win32Backup backup(L"palettes.dat._backup");
    PaletteLibrary library;
    if (library.OpenPaletteLibrary(
            std::move(file),
            std::make_unique<DiskJournal>(std::make_unique<Win32JournalFolder>(L"palettes.dat._journal")),
            backup, 0, StressFont(), StressFont()) != 0) {
        std::cout << "FAILED: the library could not be opened" << std::endl;
        return 1;
    }
    ScriptedView view;
    PaletteOperations operations(library, view);
    for (int i = 1; i <= 3; ++i) {
        view.name = Utf16("Program " + round + "-" + std::to_string(i));
        view.SetCounterText(u"new");
        library.currentPaletteIndex = -1;
        operations.OnSavePalette();
        std::cout << "saved Program " << round << "-" << i << std::endl;
        // As a user saves now and then, holding the library all the while.
        Sleep(100);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cout << "usage: save_stress RUN [check] | save_stress cross ROUND" << std::endl;
        return 2;
    }
    if (std::string(argv[1]) == "cross" && argc > 2) {
        return SaveBesideTheCommand(argv[2]);
    }
    const int run = std::stoi(argv[1]);
    const bool checkOnly = argc > 2 && std::string(argv[2]) == "check";
    if (!std::filesystem::exists(kExpected)) {
        CreateLibrary();
    }

    const int heldFor = WaitUntilReleased(kLibrary);
    const Previous previous = ReadJournal();
    SettleExpected(previous.run);
    const Expected expected = Replay(previous);
    const bool partialTail = std::filesystem::file_size(kLibrary) % kRecordSize != 0;

    Journal journal;
    FileError openError = 0;
    std::unique_ptr<LibraryFile> file = Win32LibraryFile::Open(kLibrary, openError);
    if (file) {
        file = std::make_unique<JournaledFile>(std::move(file), journal);
    }
    Win32Backup backup(L"palettes.dat._backup");
    PaletteLibrary library;
    const FileError loadError = library.OpenPaletteLibrary(
        std::move(file), std::make_unique<NotedJournal>(journal), backup, 0, StressFont(), StressFont());
    Records loaded;
    for (int i = 0; i < library.Count(); ++i) {
        loaded.push_back(library.Record(i));
    }
    const Step& cut = expected.cut;
    Finding finding = Compare(expected.before, expected.after, cut, loaded);
    if (openError || loadError || !library.Writable()) {
        finding = {"LIBRARY CANNOT BE USED, error " + std::to_string(openError ? openError : loadError),
                   false};
    }
    std::cout << "run " << previous.run << " op " << cut.number << ": "
              << (cut.kind ? Describe(cut, expected.before.size()) : "killed before the first operation")
              << ": " << finding.text << (partialTail ? ", trailing partial record" : "") << std::endl;
    if (heldFor > 0) {
        std::cout << "run " << previous.run << ": the killed process held the library " << heldFor
                  << " ms more" << std::endl;
    }
    if (checkOnly || !finding.allowed) {
        return finding.allowed ? 0 : 1;
    }

    // A kill may fall here too: the palettes and the journal they go with are made anew together.
    WriteRecords(PendingExpected(run), loaded);
    journal.Restart("run " + std::to_string(run));
    std::filesystem::rename(PendingExpected(run), kExpected);
    std::ofstream(kReady).close();
    SaveAndDeleteForever(library, journal, run);
}
