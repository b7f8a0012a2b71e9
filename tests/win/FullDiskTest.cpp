// The palette library on a small disk of its own, which scripts/test-full-disk.sh mounts and names in
// HUEWRIGHT_SMALL_DISK: saves go on until the disk is full, every failed save is reported and loses
// nothing, and a start whose backup does not fit still loads the library and leaves it as it was.
#include "app/CHuewrightDlg.h"
#include "framework/SystemError.h"
#include "library/RecordFont.h"
#include "res/resource.h"
#include "tests/win/TestSupport.h"
#include "widgets/CFontHelper.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace {

using Bytes = std::vector<char>;

constexpr int kStoredPalettes = 300;
// One page of the memory disk.
constexpr std::uint64_t kRoom = 4096;

Bytes ReadBytes(const wchar_t* name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const wchar_t* name, const Bytes& bytes) {
    std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Append(Bytes& bytes, const PaletteRecord& record) {
    auto* first = reinterpret_cast<const char*>(&record);
    bytes.insert(bytes.end(), first, first + sizeof(record));
}

std::wstring Numbered(const std::wstring& prefix, int number) {
    return prefix + std::to_wstring(number);
}

PaletteRecord Record(const std::wstring& name, const PaletteColors& colors, const LogFontImage& font) {
    return MakeRecord(std::u16string(name.begin(), name.end()), colors, font);
}

// The font a new palette is saved with.
LogFontImage DefaultFont() {
    LOGFONTW font;
    CFontHelper(L"FullDiskTest", L"Font").GetDefaultLogFont(font);
    return ToRecordFont(font);
}

// "Stored 0".."Stored 299"; palette i has the box 1 color i.
Bytes StoredLibrary(const LogFontImage& font) {
    Bytes bytes;
    for (int i = 0; i < kStoredPalettes; ++i) {
        PaletteColors colors = kDefaultPalette;
        colors.box[0] = static_cast<Color>(i);
        Append(bytes, Record(Numbered(L"Stored ", i), colors, font));
    }
    return bytes;
}

std::uint64_t FreeBytes() {
    ULARGE_INTEGER available{};
    GetDiskFreeSpaceExW(std::filesystem::current_path().c_str(), &available, nullptr, nullptr);
    return available.QuadPart;
}

// The filler's bytes are written out: a file only given a length takes no room on a memory disk.
void FillDiskLeaving(std::uint64_t room) {
    WriteBytes(L"filler", Bytes(FreeBytes() - room));
    ASSERT_EQ(FreeBytes(), room);
}

std::wstring Counter(CHuewrightDlg& dialog) {
    return WindowText(dialog.Item(IDC_PALETTE_COUNTER));
}

// A new palette saved under `name`; true when the counter then shows it stored.
bool SaveNewPalette(CHuewrightDlg& dialog, const std::wstring& name) {
    ClickButton(dialog, IDC_NEW_PALETTE);
    SetDlgItemTextW(dialog.Hwnd(), IDC_PALETTE_NAME, name.c_str());
    ClickButton(dialog, IDC_SAVE_PALETTE);
    return Counter(dialog) != L"new";
}

// Each test works in a fresh folder of the small disk, removed afterwards to give the room back.
class FullDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        const wchar_t* disk = _wgetenv(L"HUEWRIGHT_SMALL_DISK");
        ASSERT_TRUE(disk && *disk)
            << "HUEWRIGHT_SMALL_DISK names no disk: scripts/test-full-disk.sh runs this test";
        previous = std::filesystem::current_path();
        folder =
            std::filesystem::path(disk) / ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        TakeQuitMessage();
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
        std::filesystem::remove_all(folder, ignored);
    }

    ScratchSettingsKey settings;
    std::filesystem::path previous;
    std::filesystem::path folder;
};

TEST_F(FullDiskTest, SavesUntilTheDiskIsFullReportsEachFailureAndKeepsEverySavedPalette) {
    const LogFontImage font = DefaultFont();
    Bytes expected = StoredLibrary(font);
    WriteBytes(L"palettes.dat", expected);
    const std::wstring writeError =
        L"The palette library \"palettes.dat\" could not be written:\n" + SystemErrorText(ERROR_DISK_FULL);
    MessageBoxAnswerer answerer(IDOK);
    int saved = 0;
    {
        CHuewrightDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        PumpMessages(&dialog, std::chrono::milliseconds(250));
        FillDiskLeaving(kRoom);
        while (SaveNewPalette(dialog, Numbered(L"Saved ", saved))) {
            Append(expected, Record(Numbered(L"Saved ", saved), kDefaultPalette, font));
            ASSERT_LT(++saved, 100) << "the disk never filled";
        }
        EXPECT_FALSE(SaveNewPalette(dialog, L"Second try"));
        ASSERT_EQ(answerer.seen.size(), 2u);
        for (const SeenMessageBox& box : answerer.seen) {
            EXPECT_EQ(box.caption, L"Huewright");
            EXPECT_EQ(box.text.rfind(writeError, 0), 0u) << box.text;
        }
        std::cout << saved << " palettes saved before the disk was full\n";

        // Deleting the last palette gives its room back, and the next save goes through.
        ClickButton(dialog, IDC_VIEW_PREVIOUS);
        {
            MessageBoxAnswerer yes(IDYES);
            ClickButton(dialog, IDC_DELETE_PALETTE);
        }
        expected.resize(expected.size() - kRecordSize);
        EXPECT_TRUE(SaveNewPalette(dialog, L"After the delete"));
        Append(expected, Record(L"After the delete", kDefaultPalette, font));
        DestroyWindow(dialog.Hwnd());
    }
    {
        CHuewrightDlg restarted;
        ASSERT_TRUE(restarted.CreateModeless());
        PumpMessages(&restarted, std::chrono::milliseconds(250));
        EXPECT_TRUE(Counter(restarted).ends_with(L" of " + std::to_wstring(kStoredPalettes + saved)));
        DestroyWindow(restarted.Hwnd());
    }
    EXPECT_EQ(answerer.seen.size(), 2u);
    EXPECT_EQ(ReadBytes(L"palettes.dat"), expected);
}

TEST_F(FullDiskTest, AStartWhoseBackupDoesNotFitLoadsTheLibraryAndLeavesItAsItWas) {
    const Bytes library = StoredLibrary(DefaultFont());
    WriteBytes(L"palettes.dat", library);
    FillDiskLeaving(kRoom);
    MessageBoxAnswerer answerer(IDOK);
    {
        CHuewrightDlg dialog;
        ASSERT_TRUE(dialog.CreateModeless());
        PumpMessages(&dialog, std::chrono::milliseconds(250));
        EXPECT_EQ(Counter(dialog), L"1 of 300");
        EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_NAME)), L"Stored 0");
        ClickButton(dialog, IDC_VIEW_PREVIOUS);
        EXPECT_EQ(Counter(dialog), L"300 of 300");
        EXPECT_EQ(WindowText(dialog.Item(IDC_PALETTE_NAME)), L"Stored 299");
        DestroyWindow(dialog.Hwnd());
    }
    EXPECT_TRUE(answerer.seen.empty());
    EXPECT_LT(ReadBytes(L"palettes.dat._backup").size(), library.size());
    EXPECT_EQ(ReadBytes(L"palettes.dat"), library);
}

} // namespace
