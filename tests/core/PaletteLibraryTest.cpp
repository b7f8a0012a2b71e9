// The record layout, loading with its backup and conversions, and writing back through the
// rollback journal.
#include "library/PaletteLibrary.h"
#include "library/RollbackJournal.h"
#include "tests/core/MemoryLibraryFile.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<unsigned char>;

const LogFontImage kDefaultFont{{-48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 34}, u"Georgia"};
const LogFontImage kStartFont{{-24, 0, 0, 0, 400, 0, 0, 0, 0, 1, 2, 0, 34}, u"Verdana"};

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

void PutName(Bytes& bytes, std::size_t at, std::u16string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        bytes[at + 2 * i] = static_cast<unsigned char>(name[i]);
        bytes[at + 2 * i + 1] = static_cast<unsigned char>(name[i] >> 8);
    }
}

// `count` records of `size` bytes; record i has the name "P<i>" and the colors i*16 + 0..7.
Bytes Library(std::size_t size, int count, std::uint32_t marker) {
    Bytes bytes(size * count);
    const std::size_t colors = size == kCompactRecordSize ? 8 : 136;
    for (int i = 0; i < count; ++i) {
        std::size_t at = size * i;
        Put32(bytes, at, i == 0 ? marker : 0);
        if (size != kCompactRecordSize) {
            PutName(bytes, at + 8, u"P" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
        }
        for (int c = 0; c < 8; ++c) {
            Put32(bytes, at + colors + 4 * c, i * 16 + c);
        }
    }
    return bytes;
}

struct Opened {
    Bytes file;
    std::string journalBytes;
    MemoryBackup backup;
    PaletteLibrary library;
    MemoryLibraryFile* handle = nullptr;
    MemoryJournal* journal = nullptr;
    FileError error = 0;

    Opened(Bytes bytes, int startIndex, bool writable = true, std::string journalFound = {})
        : file(std::move(bytes)), journalBytes(std::move(journalFound)) {
        auto memory = std::make_unique<MemoryLibraryFile>(file, writable);
        auto memoryJournal = std::make_unique<MemoryJournal>(journalBytes);
        handle = memory.get();
        journal = memoryJournal.get();
        error = library.OpenPaletteLibrary(std::move(memory), std::move(memoryJournal), backup, startIndex,
                                           kDefaultFont, kStartFont);
    }
};

TEST(PaletteLibraryTest, RecordFieldsLieAtTheirOffsets) {
    Bytes image = Library(kRecordSize, 1, PaletteRecordMagic);
    Put32(image, 168, 0xFFFFFFE8); // lfHeight -24
    image[168 + 20] = 1;           // lfItalic
    PutName(image, 168 + 28, u"Arial");
    PaletteRecord record;
    std::memcpy(&record, image.data(), sizeof(record));

    EXPECT_EQ(RecordName(record), u"P0");
    PaletteColors colors = RecordColors(record);
    EXPECT_EQ(colors.box, (std::array<Color, 4>{0, 2, 4, 6}));
    EXPECT_EQ(colors.text, (std::array<Color, 4>{1, 3, 5, 7}));
    EXPECT_EQ(record.font.numbers.height, -24);
    EXPECT_EQ(record.font.numbers.italic, 1);
    EXPECT_EQ(std::u16string(record.font.faceName), u"Arial");

    PaletteRecord made = MakeRecord(u"P0", colors, record.font);
    EXPECT_EQ(std::memcmp(&made, image.data(), sizeof(made)), 0);
}

TEST(PaletteLibraryTest, NamesAreCutToSixtyThreeAndReadToTheirTerminatorOrTheFieldEnd) {
    PaletteRecord record = MakeRecord(std::u16string(70, u'x'), {}, kDefaultFont);
    EXPECT_EQ(RecordName(record), std::u16string(63, u'x'));
    std::fill(std::begin(record.name), std::end(record.name), u'y');
    EXPECT_EQ(RecordName(record), std::u16string(64, u'y'));
}

TEST(PaletteLibraryTest, AnEmptyFileStartsANewPaletteWithoutBackup) {
    Opened opened({}, 5);
    EXPECT_EQ(opened.error, 0u);
    EXPECT_EQ(opened.library.Count(), 0);
    EXPECT_EQ(opened.library.currentPaletteIndex, -1);
    EXPECT_EQ(opened.library.Capacity(), 20);
    EXPECT_FALSE(opened.backup.written);
}

TEST(PaletteLibraryTest, TheStartIndexIsKeptWithinTheLibrary) {
    const std::pair<int, int> kCases[] = {{7, 2}, {-1, 0}, {1, 1}, {-5, 0}};
    for (auto [start, shown] : kCases) {
        Opened opened(Library(kRecordSize, 3, PaletteRecordMagic), start);
        EXPECT_EQ(opened.library.currentPaletteIndex, shown) << "start " << start;
        EXPECT_EQ(opened.backup.bytes, opened.file);
    }
}

TEST(PaletteLibraryTest, CapacityFollowsTheFileLength) {
    EXPECT_EQ(Opened(Bytes(2600), 0).library.Capacity(), 97);
    EXPECT_EQ(Opened(Bytes(400), 0).library.Capacity(), 20);
}

TEST(PaletteLibraryTest, ATrailingPartialRecordStaysUntilTheFirstWrite) {
    Bytes bytes = Library(kRecordSize, 3, PaletteRecordMagic);
    bytes.resize(1000, 0xAB);
    Opened opened(bytes, 0);
    EXPECT_EQ(opened.library.Count(), 3);
    EXPECT_EQ(opened.file.size(), 1000u);
    EXPECT_EQ(opened.library.WritePaletteLibrary(), 0u);
    bytes.resize(780);
    EXPECT_EQ(opened.file, bytes);
}

TEST(PaletteLibraryTest, CompactRecordsBecomeNumberedPalettesWithTheDefaultFont) {
    Bytes compact = Library(kCompactRecordSize, 2, CompactRecordMagic);
    Opened opened(compact, -1);
    EXPECT_EQ(opened.error, 0u);
    EXPECT_EQ(opened.backup.bytes, compact);
    ASSERT_EQ(opened.file.size(), 520u);
    ASSERT_EQ(opened.library.Count(), 2);
    EXPECT_EQ(opened.library.currentPaletteIndex, 0);
    for (int i = 0; i < 2; ++i) {
        const PaletteRecord& record = opened.library.Record(i);
        EXPECT_EQ(record.magic, PaletteRecordMagic);
        EXPECT_EQ(RecordName(record), i == 0 ? u"Palette #1" : u"Palette #2");
        EXPECT_EQ(record.colors[7], static_cast<Color>(i * 16 + 7));
        EXPECT_EQ(record.font, kDefaultFont);
        EXPECT_EQ(std::memcmp(&record, opened.file.data() + kRecordSize * i, kRecordSize), 0);
    }
}

TEST(PaletteLibraryTest, NamedRecordsKeepTheirNamesAndTakeTheStartFont) {
    Bytes named = Library(kNamedRecordSize, 2, 0x12345678);
    std::fill(named.begin() + kNamedRecordSize + 8, named.begin() + kNamedRecordSize + 136, 'z');
    Opened opened(named, 1);
    ASSERT_EQ(opened.file.size(), 520u);
    EXPECT_EQ(RecordName(opened.library.Record(0)), u"P0");
    EXPECT_EQ(RecordName(opened.library.Record(1)), std::u16string(63, u'\u7A7A'));
    EXPECT_EQ(opened.library.Record(1).colors[0], 16u);
    EXPECT_EQ(opened.library.Record(1).font, kStartFont);
    EXPECT_EQ(opened.library.currentPaletteIndex, 1);
}

TEST(PaletteLibraryTest, AReadOnlyLegacyFileIsConvertedInMemoryOnly) {
    Bytes compact = Library(kCompactRecordSize, 2, CompactRecordMagic);
    Opened opened(compact, 0, false);
    EXPECT_EQ(opened.library.Count(), 2);
    EXPECT_EQ(opened.file, compact);
    EXPECT_EQ(opened.library.WritePaletteLibrary(), kAccessDenied);
    EXPECT_EQ(opened.file, compact);
}

TEST(PaletteLibraryTest, AnUnreadableFileIsNeverWritten) {
    Bytes bytes = Library(kRecordSize, 2, PaletteRecordMagic);
    auto memory = std::make_unique<MemoryLibraryFile>(bytes);
    memory->failRead = 23; // ERROR_CRC
    MemoryBackup backup;
    PaletteLibrary library;
    EXPECT_EQ(library.OpenPaletteLibrary(std::move(memory), nullptr, backup, 0, kDefaultFont, kStartFont),
              23u);
    EXPECT_EQ(library.Count(), 0);
    EXPECT_FALSE(library.Writable());
    EXPECT_EQ(library.WritePaletteLibrary(), kAccessDenied);
    EXPECT_EQ(bytes, Library(kRecordSize, 2, PaletteRecordMagic));
}

// Mapped or read, the library is the same; a mapped file is let go at the first change, before
// anything is written to it.
TEST(PaletteLibraryTest, AMappedFileIsReadInPlaceUntilTheFirstChange) {
    for (bool mappable : {true, false}) {
        Bytes bytes = Library(kRecordSize, 3, PaletteRecordMagic);
        auto memory = std::make_unique<MemoryLibraryFile>(bytes);
        memory->mappable = mappable;
        MemoryLibraryFile* handle = memory.get();
        MemoryBackup backup;
        PaletteLibrary library;
        ASSERT_EQ(library.OpenPaletteLibrary(std::move(memory), nullptr, backup, 1, kDefaultFont, kStartFont),
                  0u);
        EXPECT_EQ(backup.bytes, bytes);
        EXPECT_EQ(handle->mapped, mappable);
        EXPECT_EQ(RecordName(library.Record(2)), u"P2");
        library.SetRecord(0, MakeRecord(u"changed", {}, kStartFont));
        EXPECT_FALSE(handle->mapped);
        library.Remove(1);
        EXPECT_EQ(library.WritePaletteLibrary(), 0u) << mappable;
        ASSERT_EQ(bytes.size(), 2 * kRecordSize);
        EXPECT_EQ(RecordName(library.Record(0)), u"changed");
        EXPECT_EQ(RecordName(library.Record(1)), u"P2");
    }
}

TEST(PaletteLibraryTest, AFailedWriteReportsItsErrorAndLeavesMemoryAlone) {
    enum Step { ShortWrite, FlushFails, SetLengthFails };
    for (Step step : {ShortWrite, FlushFails, SetLengthFails}) {
        Opened opened(Library(kRecordSize, 3, PaletteRecordMagic), 0);
        opened.library.Append(MakeRecord(u"new", {}, kStartFont));
        opened.handle->failWrite = step == ShortWrite ? 112 : 0; // ERROR_DISK_FULL
        opened.handle->bytesBeforeWriteFailure = 300;
        opened.handle->failFlush = step == FlushFails ? 1117 : 0; // ERROR_IO_DEVICE
        opened.handle->failSetLength = step == SetLengthFails ? 112 : 0;
        EXPECT_EQ(opened.library.WritePaletteLibrary(), step == FlushFails ? 1117u : 112u) << step;
        ASSERT_EQ(opened.library.Count(), 4);
        EXPECT_EQ(RecordName(opened.library.Record(3)), u"new");
        EXPECT_EQ(RecordName(opened.library.Record(1)), u"P1");

        opened.handle->failWrite = opened.handle->failFlush = opened.handle->failSetLength = 0;
        EXPECT_EQ(opened.library.WritePaletteLibrary(), 0u);
        EXPECT_EQ(opened.file.size(), 4 * kRecordSize);
    }
}

TEST(PaletteLibraryTest, AppendsGrowTheArrayAndRemovalClosesTheGap) {
    Opened opened({}, -1);
    for (int i = 0; i < 20; ++i) {
        opened.library.Append(MakeRecord(std::u16string(1, static_cast<char16_t>(u'a' + i)), {}, kStartFont));
    }
    EXPECT_EQ(opened.library.Capacity(), 30);
    opened.library.Remove(0);
    ASSERT_EQ(opened.library.Count(), 19);
    EXPECT_EQ(RecordName(opened.library.Record(0)), u"b");
    EXPECT_EQ(RecordName(opened.library.Record(18)), u"t");
    EXPECT_EQ(opened.library.WritePaletteLibrary(), 0u);
    EXPECT_EQ(opened.file.size(), 19 * kRecordSize);
    // Past the first growth and through the second, every record lands in the array.
    for (int i = 19; i < 31; ++i) {
        opened.library.Append(MakeRecord(std::u16string(1, static_cast<char16_t>(u'A' + i)), {}, kStartFont));
    }
    EXPECT_EQ(opened.library.Capacity(), 45);
    EXPECT_EQ(RecordName(opened.library.Record(30)), std::u16string(1, static_cast<char16_t>(u'A' + 30)));
}

} // namespace

// A write killed after its journal: the rewrite stops `cut` bytes in and, as the process is gone,
// nothing undoes it before the next start. Returns the journal it left.
std::string KilledDelete(Bytes& file, std::size_t cut) {
    Opened opened(file, 0);
    opened.library.Remove(1);
    opened.handle->failWrite = 31; // ERROR_GEN_FAILURE, for the rewrite and the rollback alike
    opened.handle->bytesBeforeWriteFailure = cut;
    EXPECT_NE(opened.library.WritePaletteLibrary(), 0u);
    file = opened.file;
    return opened.journalBytes;
}

// Whatever point a rewrite reaches, the next start finds the library as it was before it.
TEST(PaletteLibraryJournalTest, ARewriteCutAnywhereIsRolledBackAtTheNextStart) {
    const Bytes before = Library(kRecordSize, 6, PaletteRecordMagic);
    for (std::size_t cut :
         {std::size_t{0}, std::size_t{1}, kRecordSize - 1, 3 * kRecordSize + 7, 5 * kRecordSize}) {
        Bytes file = before;
        const std::string journal = KilledDelete(file, cut);
        ASSERT_FALSE(journal.empty()) << cut;
        Opened restarted(file, 0, true, journal);
        EXPECT_EQ(restarted.error, 0u);
        EXPECT_EQ(restarted.file, before) << cut;
        EXPECT_EQ(restarted.backup.bytes, before) << cut;
        EXPECT_TRUE(restarted.journalBytes.empty());
        EXPECT_EQ(restarted.library.Count(), 6);
    }
}

TEST(PaletteLibraryJournalTest, AJournalThatCannotBeWrittenRefusesTheWriteAndTouchesNothing) {
    const Bytes before = Library(kRecordSize, 3, PaletteRecordMagic);
    Opened opened(before, 0);
    opened.library.Remove(1);
    opened.journal->failWrite = 112; // ERROR_DISK_FULL
    opened.journal->bytesBeforeWriteFailure = 50;
    EXPECT_EQ(opened.library.WritePaletteLibrary(), 112u);
    EXPECT_EQ(opened.file, before);
    EXPECT_TRUE(opened.journalBytes.empty());
    EXPECT_EQ(opened.library.Count(), 2);
}

// Deleting the last palette only cuts the file short; every other write is journaled, appends too,
// and a finished one leaves its journal cleared.
TEST(PaletteLibraryJournalTest, EveryWriteButACutIsJournaled) {
    Opened opened(Library(kRecordSize, 3, PaletteRecordMagic), 0);
    opened.library.Append(opened.library.Record(0));
    ASSERT_EQ(opened.library.WritePaletteLibrary(), 0u);
    EXPECT_EQ(opened.journal->writes, 1);
    opened.library.Remove(3);
    ASSERT_EQ(opened.library.WritePaletteLibrary(), 0u);
    EXPECT_EQ(opened.journal->writes, 1);
    opened.library.SetRecord(2, opened.library.Record(1));
    ASSERT_EQ(opened.library.WritePaletteLibrary(), 0u);
    EXPECT_EQ(opened.journal->writes, 2);
    EXPECT_FALSE(ReadJournal(std::as_bytes(std::span(opened.journalBytes))));
}

// A rewrite and its rollback both failed: the journal is the only copy of the old bytes. The retry
// that follows rolls back first, and a journal it then cannot write takes nothing with it.
TEST(PaletteLibraryJournalTest, ARetryAfterAFailedRollbackKeepsThePendingJournal) {
    const Bytes before = Library(kRecordSize, 3, PaletteRecordMagic);
    for (bool rollbackWorksAtRetry : {false, true}) {
        Opened opened(before, 0);
        const PaletteRecord first = opened.library.Record(0);
        opened.library.Remove(0);
        opened.handle->failWrite = 31; // the rewrite and its rollback
        opened.handle->bytesBeforeWriteFailure = kRecordSize + 10;
        ASSERT_NE(opened.library.WritePaletteLibrary(), 0u);
        opened.library.Insert(0, first);
        opened.handle->failWrite = rollbackWorksAtRetry ? 0 : 31;
        opened.journal->failWrite = 112;
        EXPECT_NE(opened.library.WritePaletteLibrary(), 0u);
        Opened restarted(opened.file, 0, true, opened.journalBytes);
        EXPECT_EQ(restarted.file, before) << rollbackWorksAtRetry;
    }
}

// The rollback itself killed part way: the journal stays, and the start after it finishes the job.
TEST(PaletteLibraryJournalTest, AnInterruptedRollbackIsDoneAgainAtTheNextStart) {
    const Bytes before = Library(kRecordSize, 4, PaletteRecordMagic);
    Bytes file = before;
    std::string journal = KilledDelete(file, 2 * kRecordSize);
    {
        Bytes half = file;
        auto memory = std::make_unique<MemoryLibraryFile>(half);
        memory->failWrite = 31;
        memory->bytesBeforeWriteFailure = 10;
        MemoryBackup backup;
        PaletteLibrary library;
        EXPECT_EQ(library.OpenPaletteLibrary(std::move(memory), std::make_unique<MemoryJournal>(journal),
                                             backup, 0, kDefaultFont, kStartFont),
                  31u);
        ASSERT_FALSE(journal.empty());
        file = half;
    }
    Opened restarted(file, 0, true, journal);
    EXPECT_EQ(restarted.file, before);
    EXPECT_TRUE(restarted.journalBytes.empty());
}

// A journal cut short or damaged was still being written: the library was never touched, and the
// journal goes. A library put in place by hand after a crash (a length the rewrite cannot have
// left, other first bytes) is the user's: it is left alone, and the journal's old
// palettes are kept aside rather than grafted onto it or thrown away.
TEST(PaletteLibraryJournalTest, AJournalThatIsNotWholeOrNotThisLibrarysLeavesTheLibraryAlone) {
    const Bytes before = Library(kRecordSize, 4, PaletteRecordMagic);
    Bytes torn = before;
    const std::string journal = KilledDelete(torn, 300);
    std::string damaged = journal;
    damaged[kJournalHeaderSize + 5] ^= 1;
    Bytes otherStart = torn;
    otherStart[8] ^= 1; // the first record's name, which the delete of the second leaves alone
    const struct {
        std::string journal;
        Bytes library;
        bool setAside;
    } cases[] = {
        {journal.substr(0, kJournalHeaderSize), torn, false},
        {damaged, torn, false},
        {journal, Library(kRecordSize, 5, PaletteRecordMagic), true},
        {journal, otherStart, true},
    };
    for (const auto& c : cases) {
        Opened restarted(c.library, 0, true, c.journal);
        EXPECT_EQ(restarted.error, 0u);
        EXPECT_EQ(restarted.file, c.library);
        EXPECT_TRUE(restarted.journalBytes.empty());
        EXPECT_EQ(restarted.journal->setAside, c.setAside);
        EXPECT_EQ(restarted.library.JournalSetAside(), c.setAside ? "_unmatched" : "");
    }
}

// A mapped library larger than the pieces the backup is copied in reaches the backup whole.
TEST(PaletteLibraryTest, ABackupOfSeveralPiecesIsWhole) {
    const Bytes image = Library(kRecordSize, 4100, PaletteRecordMagic);
    Opened opened(image, 0);
    EXPECT_TRUE(opened.handle->mapped);
    EXPECT_TRUE(opened.backup.written);
    EXPECT_EQ(opened.backup.bytes, image);
}
