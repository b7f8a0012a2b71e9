// Damaged settings at start-up: the values of the real settings key written with the wrong type,
// with no or too much data, empty, far too long or out of range. The real dialog must still start
// on the primary screen and show every damaged value as its default.
#include "app/CHuewrightDlg.h"
#include "app/WorkspaceFlags.h"
#include "library/RecordFont.h"
#include "res/resource.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <fstream>
#include <ostream>
#include <vector>

namespace {

constexpr const wchar_t* kSection = L"Software\\Lumenfold\\Huewright\\Settings";
const std::vector<const wchar_t*> kNumberNames = {
    L"left",       L"right",      L"top",         L"bottom",           L"colorWBox1",   L"colorWBox2",
    L"colorWBox3", L"colorWBox4", L"colorWTxt1",  L"colorWTxt2",       L"colorWTxt3",   L"colorWTxt4",
    L"curPalette", L"curColor",   L"colorFormat", L"dontShowTooltips", L"showAllColors"};
const std::vector<const wchar_t*> kColorNames = {L"colorWBox1", L"colorWBox2", L"colorWBox3",
                                                 L"colorWBox4", L"colorWTxt1", L"colorWTxt2",
                                                 L"colorWTxt3", L"colorWTxt4", L"curColor"};
// The font's numbers as the built-in default, so that only a damaged face name can change the font.
constexpr const wchar_t* kDefaultFontDesc = L"-48:0:0:0:700:1:0:0:0:1:2:0:34";
const std::wstring kLongText(10000, L'9');

struct Stored {
    const wchar_t* name;
    DWORD type;
    std::vector<BYTE> data;
};

Stored Raw(const wchar_t* name, DWORD type, std::vector<BYTE> data) {
    return {name, type, std::move(data)};
}

Stored Number(const wchar_t* name, int value) {
    auto raw = static_cast<DWORD>(value);
    auto* bytes = reinterpret_cast<const BYTE*>(&raw);
    return {name, REG_DWORD, {bytes, bytes + sizeof(raw)}};
}

Stored Text(const wchar_t* name, const std::wstring& text) {
    auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    return {name, REG_SZ, {bytes, bytes + (text.size() + 1) * sizeof(wchar_t)}};
}

// The kinds of damage, each as what it stores under a name.
Stored ShortText(const wchar_t* name) {
    return Text(name, L"100");
}
Stored EmptyText(const wchar_t* name) {
    return Text(name, L"");
}
Stored LongText(const wchar_t* name) {
    return Text(name, kLongText);
}
Stored SmallNumber(const wchar_t* name) {
    return Number(name, 100);
}
Stored Binary(const wchar_t* name) {
    return Raw(name, REG_BINARY, {100, 0, 0, 0});
}
Stored NumberWithoutData(const wchar_t* name) {
    return Raw(name, REG_DWORD, {});
}
Stored NumberOfTwoBytes(const wchar_t* name) {
    return Raw(name, REG_DWORD, {100, 0});
}
Stored NumberOfEightBytes(const wchar_t* name) {
    return Raw(name, REG_DWORD, {100, 0, 0, 0, 0, 0, 0, 0});
}
Stored ColorAboveTwentyFourBits(const wchar_t* name) {
    return Number(name, std::wcsstr(name, L"Txt") ? 0x01000000 : -1);
}

using Damage = Stored (*)(const wchar_t*);

// The same damage done to each of the values.
std::vector<Stored> Each(const std::vector<const wchar_t*>& names, Damage damage) {
    std::vector<Stored> values;
    for (const wchar_t* name : names) {
        values.push_back(damage(name));
    }
    return values;
}

// The two strings of the settings, with the font numbers valid so that the face name is read.
std::vector<Stored> Strings(Damage damage) {
    return {damage(L"colorFormatStr"), damage(L"Font_Name"), Text(L"Font_Desc", kDefaultFontDesc)};
}

enum class Where { AtOneOne, AtStored, NotPlaced };

struct Row {
    const char* name;
    std::vector<Stored> values;
    std::wstring copyFormat = L"#RRGGBB";
    // The choice the copy-format dialog opens with; -1 for none.
    int formatChoice = 0;
    // With a library of three palettes, so that the start index shows.
    bool library = false;
    std::wstring counter = L"new";
    Where where = Where::AtOneOne;
    POINT stored{};
};

// Test names and failure messages show the row by its name.
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

const std::vector<Row> kRows = {
    {.name = "NumbersAsText", .values = Each(kNumberNames, ShortText)},
    {.name = "StringsAsNumbers", .values = Strings(SmallNumber)},
    {.name = "FontDescAsNumber", .values = {SmallNumber(L"Font_Desc")}},
    {.name = "NumbersAsBinary", .values = Each(kNumberNames, Binary)},
    {.name = "StringsAsBinary", .values = Strings(Binary)},
    {.name = "FontDescAsBinary", .values = {Binary(L"Font_Desc")}},
    {.name = "NumbersAsEmptyText", .values = Each(kNumberNames, EmptyText)},
    // An empty copy format is one the format dialog accepts: it stays.
    {.name = "StringsEmpty", .values = Strings(EmptyText), .copyFormat = L""},
    {.name = "FontDescEmpty", .values = {EmptyText(L"Font_Desc")}},
    {.name = "NumbersAsLongText", .values = Each(kNumberNames, LongText)},
    // The format buffer holds 32 characters: a longer format is cut to them.
    {.name = "StringsLong", .values = Strings(LongText), .copyFormat = kLongText.substr(0, 32)},
    {.name = "FontDescLong", .values = {LongText(L"Font_Desc")}},
    {.name = "NumbersWithoutData", .values = Each(kNumberNames, NumberWithoutData)},
    {.name = "NumbersOfTwoBytes", .values = Each(kNumberNames, NumberOfTwoBytes)},
    {.name = "NumbersOfEightBytes", .values = Each(kNumberNames, NumberOfEightBytes)},
    {.name = "ColorsAboveTwentyFourBits", .values = Each(kColorNames, ColorAboveTwentyFourBits)},
    {.name = "FarRight", .values = {Number(L"left", 100000), Number(L"top", 10)}, .where = Where::NotPlaced},
    {.name = "FarLeft", .values = {Number(L"left", -100000), Number(L"top", 10)}, .where = Where::NotPlaced},
    {.name = "FarBelow", .values = {Number(L"left", 10), Number(L"top", 100000)}, .where = Where::NotPlaced},
    {.name = "FarAbove", .values = {Number(L"left", 10), Number(L"top", -100000)}, .where = Where::NotPlaced},
    {.name = "AtTheLargestNumbers",
     .values = {Number(L"left", INT_MAX), Number(L"top", INT_MAX)},
     .where = Where::NotPlaced},
    {.name = "AtTheSmallestNumbers",
     .values = {Number(L"left", INT_MIN), Number(L"top", INT_MIN)},
     .where = Where::NotPlaced},
    // The size always comes from the template; only the origin is used.
    {.name = "RightAndBottomBeforeLeftAndTop",
     .values = {Number(L"left", 200), Number(L"top", 100), Number(L"right", 50), Number(L"bottom", -400)},
     .where = Where::AtStored,
     .stored = {200, 100}},
    {.name = "UnknownFormatNumber", .values = {Number(L"colorFormat", 99)}, .formatChoice = -1},
    {.name = "NegativeFormatNumber", .values = {Number(L"colorFormat", -1)}, .formatChoice = -1},
    {.name = "PaletteMinusFive",
     .values = {Number(L"curPalette", -5)},
     .library = true,
     .counter = L"1 of 3"},
    {.name = "PaletteSmallest",
     .values = {Number(L"curPalette", INT_MIN)},
     .library = true,
     .counter = L"1 of 3"},
    // Beyond the end of the library the last palette shows.
    {.name = "PaletteBillion",
     .values = {Number(L"curPalette", 1000000000)},
     .library = true,
     .counter = L"3 of 3"},
    {.name = "PaletteAsText", .values = {Text(L"curPalette", L"2")}, .library = true, .counter = L"1 of 3"},
    {.name = "PaletteAsBinary",
     .values = {Raw(L"curPalette", REG_BINARY, {2, 0, 0, 0})},
     .library = true,
     .counter = L"1 of 3"},
    {.name = "PaletteOfTwoBytes",
     .values = {Raw(L"curPalette", REG_DWORD, {2, 0})},
     .library = true,
     .counter = L"1 of 3"},
};

LOGFONTW DefaultBoxFont() {
    LOGFONTW font{};
    font.lfHeight = -48;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfOutPrecision = 1;
    font.lfClipPrecision = 2;
    font.lfPitchAndFamily = 0x22;
    wcscpy(font.lfFaceName, L"Georgia");
    return font;
}

// Three palettes in the default colors and font, so the boxes look the same with or without them.
void WriteLibrary() {
    std::ofstream file(L"palettes.dat", std::ios::binary);
    for (const char16_t* name : {u"P0", u"P1", u"P2"}) {
        PaletteRecord record = MakeRecord(name, kDefaultPalette, ToRecordFont(DefaultBoxFont()));
        file.write(reinterpret_cast<const char*>(&record), sizeof(record));
    }
}

LOGFONTW FontOf(HWND hwnd) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

bool MenuChecked(HWND dialog, UINT id) {
    return (GetMenuState(GetMenu(dialog), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

int shownChoice = -2;

void CALLBACK ReadAndCancelFormatDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND chooser = FindWindowW(L"#32770", L"Set copy-color format");
    if (!chooser || shownChoice != -2) {
        return;
    }
    shownChoice = -1;
    for (int i = 0; i < 5; ++i) {
        if (IsDlgButtonChecked(chooser, IDC_FORMAT_HTML + i) == BST_CHECKED) {
            shownChoice = i;
        }
    }
    PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
}

// The choice the copy-format dialog opens with, read from inside its modal loop and then cancelled;
// -1 when none is selected, -2 when the dialog never showed.
int FormatChoiceShown(HWND dialog) {
    shownChoice = -2;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadAndCancelFormatDialog);
    SendMessageW(dialog, WM_COMMAND, ID_SET_COPY_FORMAT, 0);
    KillTimer(nullptr, timer);
    return shownChoice;
}

class DamagedSettingsTest : public ::testing::TestWithParam<Row> {
protected:
    void TearDown() override {
        TakeQuitMessage();
        lastChangedBox = nullptr;
    }

    static void Store(const std::vector<Stored>& values) {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExW(HKEY_CURRENT_USER, kSection, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        for (const auto& [name, type, data] : values) {
            EXPECT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())),
                      ERROR_SUCCESS)
                << name;
        }
        RegCloseKey(key);
    }

    TempWorkingDirectory folder;
    ScratchSettingsKey settingsKey;
};

TEST_P(DamagedSettingsTest, StartsOnTheScreenWithTheDefaults) {
    const Row& row = GetParam();
    if (row.library) {
        WriteLibrary();
    }
    ASSERT_NO_FATAL_FAILURE(Store(row.values));
    CHuewrightDlg dialog;
    ASSERT_TRUE(dialog.CreateModeless());
    PumpMessages(&dialog, std::chrono::milliseconds(250));

    RECT window{}, onScreen{};
    GetWindowRect(dialog.Hwnd(), &window);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    EXPECT_TRUE(IntersectRect(&onScreen, &window, &screen));
    EXPECT_GT(window.right, window.left);
    EXPECT_GT(window.bottom, window.top);
    if (row.where == Where::AtStored) {
        EXPECT_EQ(window.left, row.stored.x);
        EXPECT_EQ(window.top, row.stored.y);
    } else {
        EXPECT_TRUE(EqualRect(&onScreen, &window)) << "partly off the screen";
    }
    if (row.where == Where::AtOneOne) {
        EXPECT_EQ(window.left, 1);
        EXPECT_EQ(window.top, 1);
    }

    EXPECT_EQ(dialog.Well(0).GetColor(), 0x00D08300u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(dialog.Box(i).BoxColor(), kDefaultPalette.box[i]) << "box " << i + 1;
        EXPECT_EQ(dialog.Box(i).TextColor(), kDefaultPalette.text[i]) << "box " << i + 1;
        EXPECT_EQ(dialog.Box(i).CopyFormat(), row.copyFormat) << "box " << i + 1;
    }
    // The colors as read; a palette from the library replaces them.
    if (!row.library) {
        EXPECT_EQ(dialog.Settings().colors, SettingsValues{}.colors);
    }
    EXPECT_EQ(dialog.ItemText(IDC_PALETTE_COUNTER), row.counter);
    EXPECT_FALSE(MenuChecked(dialog.Hwnd(), ID_NO_TOOLTIPS));
    EXPECT_FALSE(MenuChecked(dialog.Hwnd(), ID_SHOW_ALL_VALUES));
    EXPECT_TRUE(dialog.IsChecked(IDC_BOLD));
    EXPECT_TRUE(dialog.IsChecked(IDC_ITALIC));
    EXPECT_STREQ(FontOf(dialog.Box(0).Hwnd()).lfFaceName, L"Georgia");
    {
        // The font as the settings give it; the start itself shows the new palette's font.
        CFontHelper stored(L"Settings", L"Font");
        EXPECT_EQ(stored.GetFaceName(), L"Georgia");
        EXPECT_EQ(stored.GetHeight(), -48);
        EXPECT_EQ(stored.GetWeight(), 700);
    }
    EXPECT_EQ(FormatChoiceShown(dialog.Hwnd()), row.formatChoice);
    DestroyWindow(dialog.Hwnd());
}

INSTANTIATE_TEST_SUITE_P(DamagedSettings, DamagedSettingsTest, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
