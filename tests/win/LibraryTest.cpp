// The palette library file at start-up, in a throwaway working folder: the stored palette and its
// font are shown, a rewrite cut short is rolled back, older files are converted behind a byte-exact
// backup, and a file that cannot be written is said once and left as it was.
#include "app/CHuewrightDlg.h"
#include "library/RecordFont.h"
#include "library/RollbackJournal.h"
#include "res/resource.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using Bytes = std::vector<char>;
constexpr const wchar_t* kSection = L"Software\\Lumenfold\\Huewright\\Settings";

Bytes ReadBytes(const wchar_t* name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const wchar_t* name, const Bytes& bytes) {
    std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

LOGFONTW CourierItalic() {
    LOGFONTW font{};
    font.lfHeight = -30;
    font.lfWeight = 400;
    font.lfItalic = 1;
    wcscpy(font.lfFaceName, L"Courier New");
    return font;
}

// Palettes "P0".."P<count-1>"; palette i has the box colors 0x10i0 + box.
Bytes StoredLibrary(int count) {
    Bytes bytes;
    for (int i = 0; i < count; ++i) {
        PaletteColors colors{};
        for (int box = 0; box < 4; ++box) {
            colors.box[box] = 0x1000 * i + box;
            colors.text[box] = 0x00FFFFFF - box;
        }
        std::u16string name = u"P" + std::u16string(1, static_cast<char16_t>(u'0' + i));
        PaletteRecord record = MakeRecord(name, colors, ToRecordFont(CourierItalic()));
        auto* first = reinterpret_cast<const char*>(&record);
        bytes.insert(bytes.end(), first, first + sizeof(record));
    }
    return bytes;
}

DWORD StoredNumber(const wchar_t* name) {
    DWORD value = 0, size = sizeof(value);
    RegGetValueW(HKEY_CURRENT_USER, kSection, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

void StoreNumber(const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kSection, name, REG_DWORD, &value, sizeof(value));
}

class LibraryTest : public ::testing::Test {
protected:
    void TearDown() override { TakeQuitMessage(); }

    TempWorkingDirectory folder;
    ScratchSettingsKey settings;
};

TEST_F(LibraryTest, StartsFromTheStoredPaletteAndItsFontAndKeepsTheIndex) {
    const Bytes library = StoredLibrary(3);
    WriteBytes(L"palettes.dat", library);
    StoreNumber(L"curPalette", 7);
    {
        CHuewrightDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        PumpMessages(&dialog, std::chrono::milliseconds(250));
        EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_COUNTER)), L"3 of 3");
        EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_NAME)), L"P2");
        EXPECT_EQ(dialog.Box(0).BoxColor(), 0x2000u);
        EXPECT_EQ(dialog.Box(3).TextColor(), 0x00FFFFFCu);
        EXPECT_FALSE(dialog.IsChecked(IDC_BOLD));
        EXPECT_TRUE(dialog.IsChecked(IDC_ITALIC));
        LOGFONTW shown{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog.Box(0).Hwnd(), WM_GETFONT, 0, 0)),
                   sizeof(shown), &shown);
        EXPECT_STREQ(shown.lfFaceName, L"Courier New");
        SendMessageW(dialog.Hwnd(), WM_COMMAND, ID_FILE_EXIT, 0);
        DestroyWindow(dialog.Hwnd());
    }
    // Nothing is written at exit: the file is as it was.
    EXPECT_EQ(StoredNumber(L"curPalette"), 2u);
    EXPECT_EQ(StoredNumber(L"colorWBox1"), 0x2000u);
    EXPECT_EQ(ReadBytes(L"palettes.dat"), library);
    EXPECT_EQ(ReadBytes(L"palettes.dat._backup"), library);
}

// A delete of the first palette killed one record into its rewrite: the journal beside the file
// brings all three palettes back before the backup is made, and goes.
TEST_F(LibraryTest, ARewriteCutShortIsRolledBackBeforeTheBackup) {
    const Bytes library = StoredLibrary(3);
    WriteBytes(L"palettes.dat", library);
    const JournalHeader header{1, 780, 520, 0, Crc32({})};
    const auto old = std::as_bytes(std::span(library));
    const std::span<const std::byte> pieces[] = {old};
    const std::string head = JournalHeaderBytes(header), tail = JournalTrailerBytes(header, pieces);
    Bytes journal(head.begin(), head.end());
    journal.insert(journal.end(), library.begin(), library.end());
    journal.insert(journal.end(), tail.begin(), tail.end());
    WriteBytes(L"palettes.dat._journal", journal);
    Bytes torn = library;
    std::copy(library.begin() + 260, library.begin() + 520, torn.begin());
    WriteBytes(L"palettes.dat", torn);
    {
        CHuewrightDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        PumpMessages(&dialog, std::chrono::milliseconds(100));
        EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_COUNTER)), L"1 of 3");
        DestroyWindow(dialog.Hwnd());
    }
    EXPECT_EQ(ReadBytes(L"palettes.dat"), library);
    EXPECT_EQ(ReadBytes(L"palettes.dat._backup"), library);
    EXPECT_FALSE(std::filesystem::exists(L"palettes.dat._journal"));
}

// The stored palettes are read in place until the first change, which cuts and rewrites the file.
TEST_F(LibraryTest, AStoredLibraryIsRewrittenAtItsFirstChange) {
    const Bytes library = StoredLibrary(3);
    WriteBytes(L"palettes.dat", library);
    {
        CHuewrightDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        MessageBoxAnswerer answerer(IDYES);
        SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_DELETE_PALETTE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog.Item(IDC_DELETE_PALETTE)));
        ASSERT_EQ(answerer.seen.size(), 1u); // the question, and no write failure after it
        // The journal of that rewrite stays for the next one to reuse, its mark zeroed...
        const Bytes journal = ReadBytes(L"palettes.dat._journal");
        ASSERT_GT(journal.size(), kJournalMarkSize);
        EXPECT_EQ(Bytes(journal.begin(), journal.begin() + kJournalMarkSize), Bytes(kJournalMarkSize));
        DestroyWindow(dialog.Hwnd());
    }
    // ...and goes with the library.
    EXPECT_FALSE(std::filesystem::exists(L"palettes.dat._journal"));
    EXPECT_EQ(ReadBytes(L"palettes.dat"), Bytes(library.begin() + kRecordSize, library.end()));
    EXPECT_EQ(ReadBytes(L"palettes.dat._backup"), library);
}

TEST_F(LibraryTest, ACompactFileIsConvertedBehindAnExactBackup) {
    Bytes compact(80);
    const std::uint32_t marker = CompactRecordMagic;
    std::memcpy(compact.data(), &marker, sizeof(marker));
    compact[8] = 0x11;
    WriteBytes(L"palettes.dat", compact);
    WriteBytes(L"palettes.dat._backup", Bytes(1000, 'x'));

    {
        CHuewrightDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_COUNTER)), L"1 of 2");
        EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_NAME)), L"Palette #1");
        EXPECT_EQ(dialog.Box(0).BoxColor(), 0x11u);
        DestroyWindow(dialog.Hwnd());
    }
    EXPECT_EQ(ReadBytes(L"palettes.dat").size(), 520u);
    EXPECT_EQ(ReadBytes(L"palettes.dat._backup"), compact);
}

// A name that fills its 64 units without a terminator is shown whole; leaving the unchanged
// palette asks nothing.
TEST_F(LibraryTest, AStoredNameWithoutTerminatorDoesNotCountAsChanged) {
    Bytes library = StoredLibrary(2);
    const std::u16string fullName(64, u'N');
    std::memcpy(library.data() + offsetof(PaletteRecord, name), fullName.data(), 128);
    WriteBytes(L"palettes.dat", library);
    StoreNumber(L"curPalette", 0);
    CHuewrightDlg dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_NAME)), std::wstring(64, L'N'));
    {
        MessageBoxAnswerer answerer(IDNO);
        ClickButton(dialog, IDC_VIEW_NEXT);
        EXPECT_TRUE(answerer.seen.empty()) << answerer.seen[0].text;
    }
    EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_COUNTER)), L"2 of 2");
    DestroyWindow(dialog.Hwnd());
}

// Held by another reader, the file can only be read: its palettes show, the user hears why once,
// and the file stays as it was. Held exclusively, nothing can be read: the library starts empty.
// Either way a save is refused with the reason.
TEST_F(LibraryTest, AFileThatCannotBeWrittenIsShownSaidOnceAndLeftAsItWas) {
    const Bytes library = StoredLibrary(2);
    WriteBytes(L"palettes.dat", library);
    struct Case {
        DWORD share;
        const wchar_t* counter;
        const wchar_t* message;
    };
    const Case kCases[] = {
        {FILE_SHARE_READ, L"1 of 2", L"The palette library \"palettes.dat\" can only be read:\n"},
        {0, L"new", L"The palette library \"palettes.dat\" cannot be opened:\n"},
    };
    for (const Case& held : kCases) {
        MessageBoxAnswerer answerer(IDOK);
        UniqueFile other(
            CreateFileW(L"palettes.dat", GENERIC_READ, held.share, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(other);
        {
            CHuewrightDlg dialog;
            ASSERT_TRUE(dialog.CreateModeless());
            PumpMessages(&dialog, std::chrono::milliseconds(400));
            EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_COUNTER)), held.counter);
            SetDlgItemTextW(dialog.Hwnd(), IDC_PALETTE_NAME, L"Another");
            SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SAVE_PALETTE, BN_CLICKED),
                         reinterpret_cast<LPARAM>(dialog.Item(IDC_SAVE_PALETTE)));
            EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_COUNTER)), held.counter);
            DestroyWindow(dialog.Hwnd());
        }
        ASSERT_EQ(answerer.seen.size(), 2u);
        EXPECT_EQ(answerer.seen[0].caption, L"Huewright Warning!");
        EXPECT_EQ(answerer.seen[0].text.rfind(held.message, 0), 0u) << answerer.seen[0].text;
        EXPECT_EQ(answerer.seen[1].caption, L"Huewright");
        EXPECT_EQ(answerer.seen[1].text.rfind(
                      L"Palettes cannot be saved: the palette library \"palettes.dat\" could "
                      L"not be opened for writing when Huewright started:\n",
                      0),
                  0u)
            << answerer.seen[1].text;
        other.Reset();
        EXPECT_EQ(ReadBytes(L"palettes.dat"), library);
    }
}

} // namespace

// huewright-cli.exe, built beside the program, meets the library the running program holds: it says
// so in one line and changes nothing. Once the program is gone, the same import goes in.
TEST_F(LibraryTest, TheCommandLineLeavesTheHeldLibraryAlone) {
    const Bytes library = StoredLibrary(2);
    WriteBytes(L"palettes.dat", library);
    const std::string more = "GIMP Palette\nName: More\n#\n1 2 3\n";
    WriteBytes(L"more.gpl", Bytes(more.begin(), more.end()));
    auto importMore = [] {
        SECURITY_ATTRIBUTES inherited{sizeof(inherited), nullptr, TRUE};
        UniqueFile output(CreateFileW(L"cli-output.txt", GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        STARTUPINFOW startup{sizeof(startup)};
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = startup.hStdError = output.Get();
        std::wstring commandLine = L"huewright-cli import --into palettes.dat more.gpl";
        PROCESS_INFORMATION started{};
        DWORD status = 99;
        if (CreateProcessW((ModuleFolder() + L"huewright-cli.exe").c_str(), commandLine.data(), nullptr,
                           nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) {
            UniqueHandle process(started.hProcess), thread(started.hThread);
            WaitForSingleObject(process.Get(), 20000);
            GetExitCodeProcess(process.Get(), &status);
        }
        return status;
    };
    {
        CHuewrightDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        EXPECT_EQ(importMore(), 2u);
        const Bytes said = ReadBytes(L"cli-output.txt");
        EXPECT_EQ(std::string(said.begin(), said.end()),
                  "huewright-cli: palettes.dat is in use by Huewright; close it and try again.\r\n");
        DestroyWindow(dialog.Hwnd());
    }
    EXPECT_EQ(ReadBytes(L"palettes.dat"), library);
    EXPECT_EQ(importMore(), 0u);
    EXPECT_EQ(ReadBytes(L"palettes.dat").size(), 3 * kRecordSize);
}
