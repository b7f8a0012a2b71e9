// The library operations against a scripted window: what it shows, what it is asked, and what
// the library and its file hold afterwards.
#include "library/PaletteOperations.h"
#include "tests/core/MemoryLibraryFile.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

const LogFontImage kDefaultFont{{-48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 34}, u"Georgia"};
const LogFontImage kOtherFont{{-24, 0, 0, 0, 400, 0, 0, 0, 0, 1, 2, 0, 34}, u"Verdana"};

struct ScriptedView : PaletteView {
    std::u16string counter = u"123 of 200", name, search;
    PaletteColors colors = kDefaultPalette;
    LogFontImage font = kDefaultFont;
    std::deque<bool> answers;
    std::vector<std::u16string> asked, refused;
    std::vector<FileError> failures;
    int nameSelections = 0, undoClears = 0;

    std::u16string CounterText() override { return counter; }
    void SetCounterText(const std::u16string& text) override { counter = text; }
    std::u16string NameText() override { return name; }
    void SetNameText(const std::u16string& text) override { name = text; }
    void SelectName() override { ++nameSelections; }
    std::u16string SearchText() override { return search; }
    bool AskYesNo(const std::u16string& text) override { return Answer(text); }
    bool ConfirmDelete(const std::u16string& text) override { return Answer(text); }
    void ShowRefusal(const std::u16string& text) override { refused.push_back(text); }
    void ReportWriteFailure(FileError error) override { failures.push_back(error); }
    PaletteColors WorkspaceColors() override { return colors; }
    LogFontImage WorkspaceFont() override { return font; }
    LogFontImage DefaultFont() override { return kDefaultFont; }
    bool WorkspaceFontIsDefault() override { return font == kDefaultFont; }
    bool WorkspaceFontIsSame(const LogFontImage& other) override { return font == other; }
    void ShowPaletteContent(const PaletteRecord& record) override {
        colors = RecordColors(record);
        font = record.font;
    }
    void ClearUndoTarget() override { ++undoClears; }

    bool Answer(const std::u16string& text) {
        asked.push_back(text);
        bool answer = !answers.empty() && answers.front();
        if (!answers.empty()) {
            answers.pop_front();
        }
        return answer;
    }
};

PaletteColors Colors(Color box1) {
    PaletteColors colors = kDefaultPalette;
    colors.box[0] = box1;
    return colors;
}

class PaletteOperationsTest : public ::testing::Test {
protected:
    // A library of the named palettes; palette i has box 1 color i. Starts on a new palette.
    void Open(std::initializer_list<std::u16string> names) {
        std::vector<unsigned char> records;
        Color box1 = 0;
        for (const auto& name : names) {
            PaletteRecord record = MakeRecord(name, Colors(box1++), kDefaultFont);
            auto* first = reinterpret_cast<const unsigned char*>(&record);
            records.insert(records.end(), first, first + sizeof(record));
        }
        file = records;
        auto memory = std::make_unique<MemoryLibraryFile>(file);
        auto memoryJournal = std::make_unique<MemoryJournal>(journalBytes);
        handle = memory.get();
        journal = memoryJournal.get();
        library.OpenPaletteLibrary(std::move(memory), std::move(memoryJournal), backup, -1, kDefaultFont,
                                   kDefaultFont);
        library.currentPaletteIndex = -1;
        operations.OnNewPalette();
    }
    void Show(int index) {
        library.currentPaletteIndex = index;
        operations.ShowCurrentPalette();
    }
    std::u16string Name(int index) const { return RecordName(library.Record(index)); }

    std::vector<unsigned char> file;
    std::string journalBytes;
    MemoryLibraryFile* handle = nullptr;
    MemoryJournal* journal = nullptr;
    MemoryBackup backup;
    PaletteLibrary library;
    ScriptedView view;
    PaletteOperations operations{library, view};
};

TEST_F(PaletteOperationsTest, AnEmptyLibraryOnlySaves) {
    Open({});
    EXPECT_EQ(view.counter, u"new");
    EXPECT_EQ(view.name, u"Enter new palette name here");
    operations.OnViewNext();
    operations.OnViewPrevious();
    operations.OnDeletePalette();
    EXPECT_TRUE(view.asked.empty());
    operations.OnSavePalette(); // under the placeholder: refused silently
    EXPECT_EQ(library.Count(), 0);
    view.name = u"Sea";
    operations.OnSavePalette();
    EXPECT_EQ(library.Count(), 1);
    EXPECT_EQ(view.counter, u"1 of 1");
    EXPECT_EQ(file.size(), kRecordSize);
}

TEST_F(PaletteOperationsTest, NamesAreUniqueCaseSensitively) {
    Open({u"Blue", u"Red"});
    view.name = u"Blue";
    operations.OnSavePalette();
    EXPECT_EQ(view.refused, std::vector<std::u16string>{u"Palette already exists with the same name."});
    view.name = u"blue";
    operations.OnSavePalette();
    EXPECT_EQ(library.Count(), 3);
    Show(1); // renaming Red to Blue is refused as well
    view.name = u"Blue";
    operations.OnSavePalette();
    EXPECT_EQ(Name(1), u"Red");
    EXPECT_EQ(view.refused.size(), 2u);
}

TEST_F(PaletteOperationsTest, DeletionShowsTheNeighbourOrANewPalette) {
    Open({u"A", u"B", u"C", u"D", u"E"});
    view.answers = {true, true};
    Show(2);
    operations.OnDeletePalette();
    EXPECT_EQ(view.asked.back(), u"Go ahead and delete palette\n\"C\"");
    EXPECT_EQ(view.counter, u"2 of 4");
    EXPECT_EQ(view.name, u"B");
    Show(0);
    operations.OnDeletePalette();
    EXPECT_EQ(view.counter, u"1 of 3");
    EXPECT_EQ(view.name, u"B");
    EXPECT_EQ(file.size(), 3 * kRecordSize);

    Open({u"Only"});
    view.answers = {false, true};
    Show(0);
    operations.OnDeletePalette(); // No keeps it
    EXPECT_EQ(library.Count(), 1);
    operations.OnDeletePalette();
    EXPECT_EQ(library.Count(), 0);
    EXPECT_EQ(view.counter, u"new");
    EXPECT_EQ(view.colors, kDefaultPalette);
}

TEST_F(PaletteOperationsTest, NextAndPreviousWrapAndClearTheUndoTarget) {
    Open({u"A", u"B", u"C"});
    Show(2);
    operations.OnViewNext();
    EXPECT_EQ(view.counter, u"1 of 3");
    operations.OnViewPrevious();
    EXPECT_EQ(view.counter, u"3 of 3");
    EXPECT_EQ(view.colors.box[0], 2u);
    EXPECT_EQ(view.undoClears, 2);
}

TEST_F(PaletteOperationsTest, TheLeaveCheckAsksOnlyAboutRealChanges) {
    Open({u"A", u"B"});
    operations.OnViewNext(); // an untouched new palette goes without a question
    EXPECT_TRUE(view.asked.empty());
    view.name = u"A renamed";
    operations.OnViewNext(); // No: dropped
    view.colors.text[3] = 1;
    view.name = u"B renamed";
    operations.OnViewNext();
    view.font = kOtherFont;
    operations.OnViewNext();
    EXPECT_EQ(view.asked, (std::vector<std::u16string>{u"Palette name was changed.\nDo you want to save it?",
                                                       u"Palette was changed.\nDo you want to save it?",
                                                       u"Palette was changed.\nDo you want to save it?"}));
    EXPECT_EQ(Name(0), u"A");

    // Yes under the placeholder name keeps the new palette, its name selected.
    operations.OnNewPalette();
    view.colors.box[1] = 7;
    view.answers = {true};
    int selections = view.nameSelections;
    operations.OnViewNext();
    EXPECT_EQ(view.asked.back(), u"New palette has been changed.\nDo you want to save it now?");
    EXPECT_EQ(view.counter, u"new");
    EXPECT_EQ(view.nameSelections, selections + 1);
}

TEST_F(PaletteOperationsTest, ANewPaletteSavedOnTheWayIsAppendedAndNavigationGoesOnFromIt) {
    for (bool next : {true, false}) {
        Open({u"A", u"B", u"C"});
        view.colors.box[2] = 9;
        view.name = u"D";
        view.answers = {true};
        next ? operations.OnViewNext() : operations.OnViewPrevious();
        ASSERT_EQ(library.Count(), 4);
        EXPECT_EQ(Name(3), u"D");
        EXPECT_EQ(view.counter, next ? u"1 of 4" : u"3 of 4");
    }
}

TEST_F(PaletteOperationsTest, ALongestNameIsStoredWholeAndNotSeenAsChanged) {
    Open({u"A"});
    view.name = std::u16string(63, u'n');
    operations.OnSavePalette();
    operations.OnViewNext();
    EXPECT_TRUE(view.asked.empty());
    EXPECT_EQ(Name(1), std::u16string(63, u'n'));
}

TEST_F(PaletteOperationsTest, SearchMatchesNameStartsIgnoringTheCaseOfAsciiLetters) {
    Open({u"Blue sky", u"Navy blue", u"BLACK", u"\u00C9t\u00E9"});
    EXPECT_EQ(operations.FindPalettes(u"bl"), 2);
    EXPECT_EQ(operations.Matches(), (std::vector<std::uint32_t>{0, 2}));
    EXPECT_EQ(operations.FindPalettes(u"blue sky at night"), 0);
    EXPECT_EQ(operations.FindPalettes(u"\u00E9"), 0);

    view.search = u"bl";
    operations.OnSearchChange();
    EXPECT_EQ(view.name, u"Blue sky");
    view.search = u""; // cleared: the arrows still walk the last matches
    operations.OnSearchChange();
    operations.OnSearchKey(PaletteOperations::SearchKey::Down);
    EXPECT_EQ(view.name, u"BLACK");
    operations.OnSearchKey(PaletteOperations::SearchKey::Down);
    EXPECT_EQ(operations.MatchCursor(), 1);
    EXPECT_TRUE(operations.OnSearchKey(PaletteOperations::SearchKey::Enter));
}

TEST_F(PaletteOperationsTest, MatchesFollowTheirPalettesThroughADeletion) {
    Open({u"Bay", u"Bee", u"Cow", u"Bus"});
    view.search = u"b";
    operations.OnSearchChange();
    view.answers = {true};
    operations.OnDeletePalette(); // Bay
    EXPECT_EQ(operations.Matches(), (std::vector<std::uint32_t>{0, 2}));
    operations.OnSearchKey(PaletteOperations::SearchKey::Down);
    EXPECT_EQ(view.name, u"Bus");
}

TEST_F(PaletteOperationsTest, AFailedWriteLeavesTheLibraryAsItWas) {
    Open({u"A", u"B"});
    const std::vector<unsigned char> before = file;
    handle->failWrite = 112; // ERROR_DISK_FULL
    view.name = u"C";
    operations.OnSavePalette();
    EXPECT_EQ(library.Count(), 2);
    EXPECT_EQ(view.counter, u"new");
    Show(1);
    view.colors.box[0] = 99;
    operations.OnSavePalette();
    EXPECT_EQ(library.Record(1).colors[0], 1u);
    view.answers = {true};
    operations.OnDeletePalette();
    EXPECT_EQ(library.Count(), 2);
    EXPECT_EQ(view.failures, (std::vector<FileError>{112, 112, 112}));

    handle->failWrite = 0;
    library.WritePaletteLibrary();
    EXPECT_EQ(file, before);
}

// A taken name gets the first free number, as a file manager names a copy, cut to leave room for
// it without splitting a surrogate pair.
TEST_F(PaletteOperationsTest, ImportNumbersTakenNamesAndAFailedWriteImportsNothing) {
    const std::u16string longName = std::u16string(58, u'x') + u"😀yyy";
    Open({u"A", u"B", u"A (2)", longName});
    Show(1);
    const std::vector<PaletteRecord> imported = {
        MakeRecord(u"C", Colors(7), kDefaultFont), MakeRecord(u"A", Colors(8), kDefaultFont),
        MakeRecord(u"C", Colors(9), kDefaultFont), MakeRecord(u"A", Colors(10), kDefaultFont),
        MakeRecord(longName, Colors(11), kDefaultFont)};
    const std::vector<unsigned char> before = file;
    handle->failWrite = 112;
    ImportOutcome failed = operations.ImportRecords(imported);
    EXPECT_EQ(failed.imported, 0);
    EXPECT_EQ(failed.error, 112u);
    EXPECT_EQ(library.Count(), 4);
    handle->failWrite = 0;
    library.WritePaletteLibrary();
    EXPECT_EQ(file, before);

    ImportOutcome outcome = operations.ImportRecords(imported);
    EXPECT_EQ(outcome.imported, 5);
    EXPECT_EQ(outcome.renamed, 4);
    const std::u16string expected[] = {u"C", u"A (3)", u"C (2)", u"A (4)",
                                       std::u16string(58, u'x') + u" (2)"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(RecordName(library.Record(4 + i)), expected[i]);
        EXPECT_EQ(library.Record(4 + i).colors[0], 7u + i);
    }
    EXPECT_EQ(file.size(), 9 * kRecordSize);
    EXPECT_EQ(view.counter, u"2 of 9");
}

// A dark variant goes right after the palette it was made from and is shown, numbered when its name
// is taken; a failed write leaves the library as it was; from a new palette it goes to the end.
TEST_F(PaletteOperationsTest, AVariantIsInsertedAfterTheShownPaletteAndShown) {
    Open({u"Sea", u"Sea (dark)", u"Sand"});
    Show(0);
    handle->failWrite = 112;
    EXPECT_FALSE(operations.InsertAfterShown(MakeRecord(u"Sea (dark)", Colors(7), kDefaultFont)));
    EXPECT_EQ(view.failures, std::vector<FileError>{112});
    EXPECT_EQ(library.Count(), 3);
    handle->failWrite = 0;
    EXPECT_TRUE(operations.InsertAfterShown(MakeRecord(u"Sea (dark)", Colors(7), kDefaultFont)));
    EXPECT_EQ(library.Count(), 4);
    EXPECT_EQ(Name(1), u"Sea (dark) (2)");
    EXPECT_EQ(Name(2), u"Sea (dark)");
    EXPECT_EQ(library.currentPaletteIndex, 1);
    EXPECT_EQ(view.counter, u"2 of 4");
    EXPECT_EQ(view.name, u"Sea (dark) (2)");
    EXPECT_EQ(view.colors.box[0], 7u);

    operations.OnNewPalette();
    EXPECT_TRUE(operations.InsertAfterShown(MakeRecord(u"Untitled palette (dark)", Colors(8), kDefaultFont)));
    EXPECT_EQ(Name(4), u"Untitled palette (dark)");
    EXPECT_EQ(view.counter, u"5 of 5");
}

} // namespace
