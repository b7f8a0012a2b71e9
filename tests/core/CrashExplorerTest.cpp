// Every state a crash can leave the library in, for each operation of the table below, over the
// real library, journal and import code on a recording disk:
// - a kill after every change the operation makes;
// - a power loss at every such point, keeping any part of the changes not yet flushed (all of them
//   up to 2^10 parts, else 2,000 drawn from a fixed random start);
// - every call failing in turn with a full disk or a device error, and in the full run every pair
//   of calls, so that the rollback and the retry after a failure fail too.
// On each state the program starts again, and so does the command, which then imports a palette.
// The library must hold the palettes from before the operation or after it, and after it once the
// operation said so; a start killed anywhere and started again ends the same; a journal set aside
// is reported and leaves every earlier one as it was.
//
// `make test` runs a bounded part; HUEWRIGHT_CRASH_EXPLORE=all (`make crash-explore`) runs all of
// it and prints the states explored and the violations per operation.
#include "library/DiskJournal.h"
#include "library/PaletteOperations.h"
#include "tests/core/MemoryLibraryFile.h"
#include "tests/core/RecordingDisk.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <unordered_map>

namespace {

const LogFontImage kFont{{-24, 0, 0, 0, 400, 0, 0, 0, 0, 1, 2, 0, 34}, u"Verdana"};
const std::string kLibrary = "palettes.dat";
const std::string kJournal = "palettes.dat._journal";
const std::string kEarlierAside = "palettes.dat._journal_unmatched";

bool Exhaustive() {
    const char* value = std::getenv("HUEWRIGHT_CRASH_EXPLORE");
    return value && std::string(value) == "all";
}

// The window as the operations see it: every question answered yes.
struct YesView : PaletteView {
    std::u16string counter = u"new", name;
    PaletteColors colors = kDefaultPalette;
    LogFontImage font = kFont;
    int failures = 0;

    std::u16string CounterText() override { return counter; }
    void SetCounterText(const std::u16string& text) override { counter = text; }
    std::u16string NameText() override { return name; }
    void SetNameText(const std::u16string& text) override { name = text; }
    void SelectName() override {}
    std::u16string SearchText() override { return {}; }
    bool AskYesNo(const std::u16string&) override { return true; }
    bool ConfirmDelete(const std::u16string&) override { return true; }
    void ShowRefusal(const std::u16string&) override {}
    void ReportWriteFailure(FileError) override { ++failures; }
    PaletteColors WorkspaceColors() override { return colors; }
    LogFontImage WorkspaceFont() override { return font; }
    LogFontImage DefaultFont() override { return kFont; }
    bool WorkspaceFontIsDefault() override { return font == kFont; }
    bool WorkspaceFontIsSame(const LogFontImage& other) override { return font == other; }
    void ShowPaletteContent(const PaletteRecord& record) override { colors = RecordColors(record); }
    void ClearUndoTarget() override {}
};

PaletteRecord Palette(std::u16string_view name, Color box1) {
    PaletteColors colors = kDefaultPalette;
    colors.box[0] = box1;
    return MakeRecord(name, colors, kFont);
}

std::string BytesOf(std::span<const PaletteRecord> records) {
    return {reinterpret_cast<const char*>(records.data()), records.size_bytes()};
}

// The library as the program or the command opens it on a disk.
struct Session {
    YesView view;
    PaletteLibrary library;
    PaletteOperations operations{library, view};
    FileError opened = 0;

    explicit Session(RecordingDisk& disk) {
        RecordedBackup backup(disk, kLibrary + "._backup");
        opened = library.OpenPaletteLibrary(
            std::make_unique<RecordedLibraryFile>(disk, kLibrary),
            std::make_unique<DiskJournal>(std::make_unique<RecordedJournalFolder>(disk, kJournal)), backup,
            -1, kFont, kFont);
    }
    // Over a copy of another session's palettes in memory, for what an operation is to give.
    Session(const Session& other, std::vector<unsigned char>& file) : view(other.view) {
        const std::string bytes = BytesOf(other.library.AllRecords());
        file.assign(bytes.begin(), bytes.end());
        MemoryBackup backup;
        library.OpenPaletteLibrary(std::make_unique<MemoryLibraryFile>(file), nullptr, backup, -1, kFont,
                                   kFont);
        library.currentPaletteIndex = other.library.currentPaletteIndex;
    }
    std::string Palettes() const { return BytesOf(library.AllRecords()); }
};

// An operation on the library as the user or the command makes it; true when it said it was done.
using Step = std::function<bool(Session&)>;

bool Done(Session& session, const std::function<void()>& operation) {
    const int failures = session.view.failures;
    operation();
    return session.view.failures == failures;
}

Step Append(std::u16string name, Color box1) {
    return [=](Session& s) {
        s.library.currentPaletteIndex = -1;
        s.view.counter = u"new";
        s.view.name = name;
        s.view.colors = RecordColors(Palette(name, box1));
        return Done(s, [&] { s.operations.OnSavePalette(); });
    };
}

// Shows the palette at `index` as the user sees it after stepping to it; false when there is none.
bool ShowStored(Session& s, int index) {
    if (index >= s.library.Count()) {
        return false;
    }
    s.library.currentPaletteIndex = index;
    s.operations.ShowCounter();
    s.view.name = RecordName(s.library.Record(index));
    s.view.colors = RecordColors(s.library.Record(index));
    return true;
}

Step Overwrite(int index, Color box1) {
    return [=](Session& s) {
        if (!ShowStored(s, index)) {
            return false;
        }
        s.view.colors.box[0] = box1;
        return Done(s, [&] { s.operations.OnSavePalette(); });
    };
}

Step Delete(int index) {
    return
        [=](Session& s) { return ShowStored(s, index) && Done(s, [&] { s.operations.OnDeletePalette(); }); };
}

Step Import(int count) {
    return [=](Session& s) {
        std::vector<PaletteRecord> records;
        for (int i = 0; i < count; ++i) {
            records.push_back(Palette(u"Imported " + std::u16string(1, static_cast<char16_t>(u'A' + i)), i));
        }
        return AppendImportedRecords(s.library, records).error == 0;
    };
}

// A palette made from the shown one, put right after it, as the dark variant is.
Step InsertAfter(int index, Color box1) {
    return [=](Session& s) {
        return ShowStored(s, index) && s.operations.InsertAfterShown(Palette(u"Made after", box1));
    };
}

DiskState LibraryOf(const std::string& bytes) {
    DiskState disk;
    disk.files[1] = bytes;
    disk.names[kLibrary] = 1;
    // A journal set aside by an earlier start, which nothing may overwrite.
    disk.files[2] = "kept since an earlier start";
    disk.names[kEarlierAside] = 2;
    return disk;
}

DiskState ThreePalettes() {
    const PaletteRecord records[] = {Palette(u"Alpha", 1), Palette(u"Bravo", 2), Palette(u"Charlie", 3)};
    return LibraryOf(BytesOf(records));
}

// Three records of the older 168-byte layout, converted at the first start.
DiskState NamedLegacyLibrary() {
    std::string bytes;
    for (const PaletteRecord& record : {Palette(u"Alpha", 1), Palette(u"Bravo", 2), Palette(u"Charlie", 3)}) {
        std::string named(reinterpret_cast<const char*>(&record), kNamedRecordSize);
        named[0] = 7;
        bytes += named;
    }
    return LibraryOf(bytes);
}

struct Operation {
    const char* name;
    DiskState (*start)();
    std::vector<Step> steps;
    // Library rewrites that fail with a device error, once their first sector has landed.
    int failedRewrites = 0;
};

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations = {
        {"append", ThreePalettes, {Append(u"Delta", 4)}},
        {"overwrite", ThreePalettes, {Overwrite(1, 9)}},
        {"delete first", ThreePalettes, {Delete(0)}},
        {"delete middle", ThreePalettes, {Delete(1)}},
        {"delete last", ThreePalettes, {Delete(2)}},
        {"insert after the first", ThreePalettes, {InsertAfter(0, 5)}},
        {"import of 12", ThreePalettes, {Import(12)}},
        {"conversion at first start", NamedLegacyLibrary, {}},
        {"same palette saved twice", ThreePalettes, {Overwrite(1, 9), Overwrite(1, 10)}},
        {"save after a failed save", ThreePalettes, {Overwrite(1, 9), Overwrite(0, 11)}, 1},
        {"delete, then append", ThreePalettes, {Delete(0), Append(u"Delta", 4)}},
        {"command import after a delete", ThreePalettes, {Delete(1), Import(3)}},
    };
    return operations;
}

std::string Key(const DiskState& state) {
    std::string key;
    for (const auto& [name, file] : state.names) {
        key += name + '\0' + std::to_string(state.files.at(file).size()) + '\0' + state.files.at(file);
    }
    return key;
}

DiskState Live(const RecordingDisk::Point& point) {
    DiskState state = point.durable;
    for (const DiskChange& change : point.cached) {
        change.ApplyTo(state);
    }
    return state;
}

// What a start on one disk state gives, and what went wrong on the way; the same for every point
// that leaves that state, so it is worked out once.
struct Outcome {
    std::string palettes;
    std::string problem;
};

// The palettes a start finds on a disk state.
std::string Open(const DiskState& state) {
    RecordingDisk disk(state);
    return Session(disk).Palettes();
}

Outcome Restart(const DiskState& state) {
    Outcome outcome;
    RecordingDisk disk(state);
    std::string keptAs;
    {
        Session program(disk);
        outcome.palettes = program.Palettes();
        keptAs = program.library.JournalSetAside();
        if (program.opened || !program.library.Writable()) {
            outcome.problem = "the program's start failed";
        }
    }
    disk.Note();
    if (state.names.contains(kEarlierAside) && *disk.live.Find(kEarlierAside) != *state.Find(kEarlierAside)) {
        outcome.problem = "an earlier journal set aside was overwritten";
    }
    for (const auto& [name, file] : disk.live.names) {
        if (!state.names.contains(name) && name.starts_with(kJournal + "_") && name != kJournal + keptAs) {
            outcome.problem = "a journal was set aside without a word";
        }
    }
    for (const RecordingDisk::Point& point : disk.points) {
        if (Open(Live(point)) != outcome.palettes) {
            outcome.problem = "a start killed part way and started again ends otherwise";
        }
    }
    const PaletteRecord zulu = Palette(u"Zulu", 26);
    RecordingDisk commandDisk(state);
    {
        Session command(commandDisk);
        const std::string before = command.Palettes();
        if (command.opened || AppendImportedRecords(command.library, {&zulu, 1}).error) {
            outcome.problem = "the command could not import";
        } else if (before != outcome.palettes) {
            outcome.problem = "the command's start found other palettes than the program's";
        }
    }
    if (outcome.problem.empty() && Open(commandDisk.live) != outcome.palettes + BytesOf({&zulu, 1})) {
        outcome.problem = "the command's import is not in the library";
    }
    return outcome;
}

struct Tally {
    long kill = 0, power = 0, failure = 0, violations = 0;
    std::vector<std::string> examples;
};

class Explorer {
public:
    explicit Explorer(const Operation& operation) : operation(operation) {}

    // One run of the operation's steps, with the calls in `failing` failing; records the valid
    // palettes of each phase.
    RecordingDisk Run(const std::map<int, Failure>& failing, std::vector<std::set<std::string>>& valid) {
        RecordingDisk disk(operation.start());
        disk.failing = failing;
        disk.failedRewrites = operation.failedRewrites;
        disk.Note();
        Session session(disk);
        // A start that failed never writes: the disk keeps the palettes it had.
        const std::string found = Open(operation.start());
        valid.assign(1, {found, session.Palettes()});
        // What an operation that said it failed was to give may be on the disk until a later one
        // says it is done: the failure may have come after the file was written.
        std::set<std::string> unsettled;
        for (const Step& step : operation.steps) {
            std::vector<unsigned char> file;
            Session target(session, file);
            step(target);
            valid.push_back(unsettled);
            valid.back().insert({session.Palettes(), target.Palettes()});
            if (!session.library.Writable()) {
                valid.back().insert(found);
            }
            disk.phase = static_cast<int>(valid.size()) - 1;
            const bool done = step(session);
            if (done && session.Palettes() != target.Palettes()) {
                Violation("the operation said done, but memory holds other palettes");
            }
            if (done) {
                unsettled.clear();
            } else {
                unsettled.insert(target.Palettes());
            }
        }
        valid.push_back(unsettled);
        valid.back().insert(session.Palettes());
        if (!session.library.Writable()) {
            valid.back().insert(found);
        }
        disk.phase = static_cast<int>(valid.size()) - 1;
        disk.Note();
        return disk;
    }

    void Check(const DiskState& state, const std::set<std::string>& valid, long& counter, const char* how) {
        ++counter;
        const std::string key = Key(state);
        auto found = outcomes.find(key);
        if (found == outcomes.end()) {
            found = outcomes.emplace(key, Restart(state)).first;
        }
        const Outcome& outcome = found->second;
        if (!outcome.problem.empty()) {
            Violation(std::string(how) + ": " + outcome.problem);
        } else if (!valid.contains(outcome.palettes)) {
            Violation(std::string(how) + ": the library holds palettes from neither before nor after");
        }
    }

    void ExplorePoints(const RecordingDisk& disk, const std::vector<std::set<std::string>>& valid, bool power,
                       long& kills) {
        for (const RecordingDisk::Point& point : disk.points) {
            Check(Live(point), valid[point.phase], kills, "kill");
            if (power) {
                ExplorePowerLoss(point, valid[point.phase]);
            }
        }
    }

    void ExplorePowerLoss(const RecordingDisk::Point& point, const std::set<std::string>& valid) {
        const std::size_t parts = point.cached.size();
        const std::size_t limit = Exhaustive() ? 10 : 4;
        const std::size_t samples = Exhaustive() ? 2000 : 16;
        std::mt19937_64 random(parts * 7919 + tally.power);
        const std::uint64_t count = parts <= limit ? std::uint64_t{1} << parts : samples;
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::uint64_t kept = parts <= limit ? i : random();
            DiskState state = point.durable;
            for (std::size_t part = 0; part < parts; ++part) {
                if (parts > 64 ? random() & 1 : (kept >> part) & 1) {
                    point.cached[part].ApplyTo(state);
                }
            }
            Check(state, valid, tally.power, "power loss");
        }
    }

    Tally Explore() {
        std::vector<std::set<std::string>> valid;
        const RecordingDisk reference = Run({}, valid);
        ExplorePoints(reference, valid, true, tally.kill);
        const int calls = reference.calls;
        for (int first = 0; first < calls; ++first) {
            for (Failure how : {Failure::DiskFull, Failure::DeviceError}) {
                const RecordingDisk failed = Run({{first, how}}, valid);
                ExplorePoints(failed, valid, false, tally.failure);
                for (int second = first + 1; Exhaustive() && second < failed.calls; ++second) {
                    const RecordingDisk twice = Run({{first, how}, {second, Failure::DeviceError}}, valid);
                    ExplorePoints(twice, valid, false, tally.failure);
                }
            }
        }
        return tally;
    }

private:
    void Violation(const std::string& what) {
        ++tally.violations;
        if (tally.examples.size() < 5 &&
            std::find(tally.examples.begin(), tally.examples.end(), what) == tally.examples.end()) {
            tally.examples.push_back(what);
        }
    }

    const Operation& operation;
    Tally tally;
    std::unordered_map<std::string, Outcome> outcomes;
};

class CrashExplorerTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(CrashExplorerTest, EveryCrashStateHoldsThePalettesBeforeOrAfter) {
    const Operation& operation = Operations()[GetParam()];
    const Tally tally = Explorer(operation).Explore();
    std::cout << operation.name << ": " << tally.kill << " kill, " << tally.power << " power loss, "
              << tally.failure << " failure states explored, " << tally.violations << " violated"
              << std::endl;
    for (const std::string& example : tally.examples) {
        ADD_FAILURE() << operation.name << ": " << example;
    }
    EXPECT_EQ(tally.violations, 0);
}

INSTANTIATE_TEST_SUITE_P(Operations, CrashExplorerTest, ::testing::Range<std::size_t>(0, Operations().size()),
                         [](const auto& info) {
                             std::string name = Operations()[info.param].name;
                             std::erase_if(
                                 name, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
                             return name;
                         });

} // namespace
