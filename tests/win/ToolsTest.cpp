// The Tools menu through real input: the checker following the palette live, the library
// exported and imported through the real file dialogs, Ctrl+V pasting a color, Copy color as, and
// the grab magnifier's arrow-key nudge.
#include "app/CHuewrightDlg.h"
#include "app/ColorEntry.h"
#include "color/Contrast.h"
#include "framework/DcGuards.h"
#include "library/Clipboard.h"
#include "res/resource.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string FileBytes(const std::wstring& name) {
    std::ifstream in(std::filesystem::path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The checker's rendering, read at one pixel inside a swatch's corner, clear of any frame.
COLORREF SwatchPixel(const CPaletteChecker& checker, int row, int box) {
    RECT client{};
    GetClientRect(checker.Hwnd(), &client);
    WindowDc screen(nullptr);
    UniqueDc memory(CreateCompatibleDC(screen.Get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    SelectObjectGuard select(memory.Get(), bitmap.Get());
    SendMessageW(checker.Hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
    const RECT swatch = checker.SwatchRect(row, box);
    return GetPixel(memory.Get(), swatch.left + 3, swatch.top + 3);
}

class ToolsTest : public ::testing::Test {
protected:
    void SetUp() override { Start(); }
    void TearDown() override { Stop(); }
    void Start() {
        dialog = std::make_unique<CHuewrightDlg>();
        ASSERT_TRUE(dialog->CreateModeless());
        PumpMessages(dialog.get(), std::chrono::milliseconds(150));
    }
    void Stop() {
        DestroyWindow(dialog->Hwnd());
        dialog.reset();
        TakeQuitMessage();
    }
    void Command(int id) { SendMessageW(dialog->Hwnd(), WM_COMMAND, id, 0); }
    void Click(int id) { ClickButton(*dialog, id); }
    // A new palette whose box 1 takes `box1` from a real well click, saved under `name`.
    void SavePalette(const wchar_t* name, Color box1) {
        Click(IDC_NEW_PALETTE);
        dialog->Selector().SetColor(box1);
        MouseGesture({CentreOf(dialog->Well(0).Hwnd())}, false, dialog.get());
        SetDlgItemTextW(dialog->Hwnd(), IDC_PALETTE_NAME, name);
        Click(IDC_SAVE_PALETTE);
    }
    std::wstring StatusText() {
        PressKeys({VK_CONTROL, 'S'}, dialog.get());
        return ClipboardText();
    }

    TempWorkingDirectory folder;
    ScratchSettingsKey settings;
    std::unique_ptr<CHuewrightDlg> dialog;
};

TEST_F(ToolsTest, ThePaletteCheckerFollowsAWellClickAndAnUndoAndReopensWhereItWas) {
    PressKeys({VK_F2}, dialog.get());
    const CPaletteChecker& checker = dialog->Checker();
    ASSERT_TRUE(checker.IsOpen());
    const COLORREF before = dialog->Box(0).BoxColor();
    EXPECT_EQ(SwatchPixel(checker, 0, 0), before);

    dialog->Selector().SetColor(RGB(0, 0, 0));
    MouseGesture({CentreOf(dialog->Well(0).Hwnd())}, false, dialog.get());
    PumpMessages(dialog.get(), std::chrono::milliseconds(50));
    ASSERT_EQ(dialog->Box(0).BoxColor(), RGB(0, 0, 0));
    EXPECT_EQ(SwatchPixel(checker, 0, 0), RGB(0, 0, 0));
    EXPECT_DOUBLE_EQ(checker.Checks().boxes[0].ratio,
                     ContrastRatio(dialog->Box(0).TextColor(), RGB(0, 0, 0)));

    PressKeys({VK_ESCAPE}, dialog.get());
    EXPECT_EQ(SwatchPixel(checker, 0, 0), before);

    // A change made while another loop runs (a plain one here) reaches it as well.
    dialog->Box(1).SetTextColor(RGB(255, 255, 255));
    EXPECT_TRUE(WaitFor(
        [&] {
            return checker.Checks().boxes[1].ratio ==
                   ContrastRatio(RGB(255, 255, 255), dialog->Box(1).BoxColor());
        },
        std::chrono::milliseconds(500)));

    RECT placed{};
    GetWindowRect(checker.Hwnd(), &placed);
    Command(ID_FILE_EXIT);
    Stop();
    Start();
    ASSERT_TRUE(dialog->Checker().IsOpen());
    RECT reopened{};
    GetWindowRect(dialog->Checker().Hwnd(), &reopened);
    EXPECT_EQ(reopened.left, placed.left);
    EXPECT_EQ(reopened.top, placed.top);
    PressKeys({VK_F2}, dialog.get());
    EXPECT_FALSE(dialog->Checker().IsOpen());
}

// The library file is held without sharing while a dialog runs, so it is read between runs. The
// import reports in the status bar; imported again, the taken names are numbered, not refused.
TEST_F(ToolsTest, TheLibraryExportedAndImportedIntoAnEmptyLibraryIsTheSameLibrary) {
    SavePalette(L"Harbour", RGB(10, 40, 90));
    SavePalette(L"Dune", RGB(200, 170, 120));
    const std::wstring exported = folder.Path() + L"\\library.json";
    {
        FileDialogAnswerer answerer(exported);
        Command(ID_TOOLS_EXPORT_LIBRARY);
    }
    Stop();
    const std::string library = FileBytes(L"palettes.dat");
    ASSERT_EQ(library.size(), 2 * 260u);
    DeleteFileW(L"palettes.dat");
    Start();
    for (const wchar_t* expected :
         {L"Imported 2 palettes from library.json", L"Imported 2 palettes from library.json, 2 renamed"}) {
        FileDialogAnswerer answerer(exported);
        Command(ID_TOOLS_IMPORT);
        EXPECT_TRUE(answerer.messages.empty());
        EXPECT_EQ(StatusText(), expected);
    }
    Stop();
    const std::string twice = FileBytes(L"palettes.dat");
    ASSERT_EQ(twice.size(), 4 * sizeof(PaletteRecord));
    EXPECT_EQ(twice.substr(0, library.size()), library);
    PaletteRecord copies[2];
    std::memcpy(copies, twice.data() + library.size(), sizeof(copies));
    EXPECT_EQ(RecordName(copies[0]), u"Harbour (2)");
    EXPECT_EQ(RecordName(copies[1]), u"Dune (2)");
    Start();
}

TEST_F(ToolsTest, CtrlVPastesAColorOutsideTheEditsAndStaysThePasteInsideThem) {
    SetFocus(dialog->Item(IDC_MODE_RED));
    CopyTextToClipboard(dialog->Hwnd(), L" hsl(120, 100%, 25%) ");
    PressKeys({VK_CONTROL, 'V'}, dialog.get());
    EXPECT_EQ(dialog->Selector().CurrentColor(), RGB(0, 128, 0));

    CopyTextToClipboard(dialog->Hwnd(), L"sea green-ish");
    PressKeys({VK_CONTROL, 'V'}, dialog.get());
    EXPECT_EQ(dialog->Selector().CurrentColor(), RGB(0, 128, 0));
    EXPECT_EQ(StatusText(), kInvalidColorEntryAlert);

    SetFocus(dialog->Item(IDC_SEARCH));
    CopyTextToClipboard(dialog->Hwnd(), L"#ff0000");
    PressKeys({VK_CONTROL, 'V'}, dialog.get());
    EXPECT_EQ(WindowText(dialog->Item(IDC_SEARCH)), L"#ff0000");
    EXPECT_EQ(dialog->Selector().CurrentColor(), RGB(0, 128, 0));
}

// The OKLCH variant of the CSS export is kept for a .css name, which would otherwise mean the hex one.
TEST_F(ToolsTest, ThePaletteExportedAsOklchCssHasOklchValues) {
    dialog->Selector().SetColor(RGB(255, 0, 0));
    MouseGesture({CentreOf(dialog->Well(0).Hwnd())}, false, dialog.get());
    for (int fileType : {1, 2}) {
        const std::wstring exported = folder.Path() + L"\\palette" + std::to_wstring(fileType) + L".css";
        FileDialogAnswerer answerer(exported, fileType);
        Command(ID_TOOLS_EXPORT_PALETTE);
        const std::string css = FileBytes(exported);
        EXPECT_NE(css.find(fileType == 1 ? "-box-1: #ff0000;" : "-box-1: oklch(62.80% 0.25768 29.23);"),
                  std::string::npos)
            << css;
    }
}

// Design tokens and the Tailwind theme come from their filters whatever the name's extension says;
// the tokens, saved as .json, come back in through the import and its report in the status bar.
TEST_F(ToolsTest, TheTokensAndTailwindFiltersWriteTheirFormatsAndTheTokensComeBackIn) {
    dialog->Selector().SetColor(RGB(255, 0, 0));
    MouseGesture({CentreOf(dialog->Well(0).Hwnd())}, false, dialog.get());
    const std::wstring tokens = folder.Path() + L"\\brand.json";
    const std::wstring theme = folder.Path() + L"\\theme.css";
    for (const auto& [file, fileType] : {std::pair{tokens, 6}, std::pair{theme, 7}}) {
        FileDialogAnswerer answerer(file, fileType);
        Command(ID_TOOLS_EXPORT_PALETTE);
    }
    EXPECT_NE(FileBytes(tokens).find(R"("box-1": {"$type": "color", "$value": {"colorSpace": "srgb", )"
                                     R"("components": [1, 0, 0], "hex": "#ff0000"}})"),
              std::string::npos);
    const std::string css = FileBytes(theme);
    EXPECT_TRUE(css.starts_with("@theme {\n")) << css;
    EXPECT_NE(css.find("-box-1: oklch(62.7955% 0.2576833 29.2339);"), std::string::npos) << css;
    {
        FileDialogAnswerer answerer(tokens);
        Command(ID_TOOLS_IMPORT);
        EXPECT_TRUE(answerer.messages.empty());
    }
    EXPECT_EQ(StatusText(), L"Imported 1 palette from brand.json");
}

// Tools > Copy color as: the selected color in each CSS form, whatever the copy format; the oklch()
// text pastes back as the same color.
TEST_F(ToolsTest, CopyColorAsPutsEachCssFormOfTheSelectedColorOnTheClipboard) {
    HMENU tools = GetSubMenu(GetMenu(dialog->Hwnd()), 3);
    HMENU copyAs = nullptr;
    for (int i = 0; i < GetMenuItemCount(tools); ++i) {
        wchar_t caption[64] = {};
        GetMenuStringW(tools, i, caption, 64, MF_BYPOSITION);
        copyAs = std::wstring_view(caption) == L"Copy color as" ? GetSubMenu(tools, i) : copyAs;
    }
    ASSERT_NE(copyAs, nullptr);
    struct Item {
        UINT id;
        const wchar_t* caption;
        const wchar_t* text;
    };
    const Item kItems[] = {
        {ID_COPY_AS_HEX, L"#rrggbb", L"#1a2b3c"},
        {ID_COPY_AS_RGB, L"rgb()", L"rgb(26, 43, 60)"},
        {ID_COPY_AS_HSL, L"hsl()", L"hsl(210, 39.5%, 16.9%)"},
        {ID_COPY_AS_OKLCH, L"oklch()", L"oklch(28.26% 0.03883 249.34)"},
    };
    ASSERT_EQ(GetMenuItemCount(copyAs), static_cast<int>(std::size(kItems)));
    dialog->Selector().SetColor(RGB(26, 43, 60));
    for (int i = 0; i < GetMenuItemCount(copyAs); ++i) {
        wchar_t caption[64] = {};
        GetMenuStringW(copyAs, i, caption, 64, MF_BYPOSITION);
        EXPECT_EQ(std::wstring(caption), kItems[i].caption);
        EXPECT_EQ(GetMenuItemID(copyAs, i), kItems[i].id);
        Command(static_cast<int>(kItems[i].id));
        EXPECT_EQ(ClipboardText(), kItems[i].text);
    }

    dialog->Selector().SetColor(RGB(0, 0, 0));
    SetFocus(dialog->Item(IDC_MODE_RED));
    PressKeys({VK_CONTROL, 'V'}, dialog.get());
    EXPECT_EQ(dialog->Selector().CurrentColor(), RGB(26, 43, 60));
}

// Two colors meeting at x = 760, away from the dialog.
LRESULT CALLBACK TwoColorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    PaintDc paint(hwnd);
    RECT left{0, 0, 60, 80};
    RECT right{60, 0, 120, 80};
    FillRect(paint.Get(), &left, UniqueBrush(CreateSolidBrush(RGB(200, 30, 30))).Get());
    FillRect(paint.Get(), &right, UniqueBrush(CreateSolidBrush(RGB(30, 30, 200))).Get());
    return 0;
}

TEST_F(ToolsTest, DuringTheGrabArrowsNudgeTheCursorAndEnterEndsIt) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = TwoColorProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"HuewrightTwoColors";
    RegisterClassW(&windowClass);
    UniqueWindow patch(CreateWindowExW(WS_EX_TOPMOST, L"HuewrightTwoColors", nullptr, WS_POPUP | WS_VISIBLE,
                                       700, 500, 120, 80, nullptr, nullptr, GetModuleHandleW(nullptr),
                                       nullptr));
    UpdateWindow(patch.Get());

    MouseGesture({CentreOf(dialog->Item(IDC_DESKTOP_GRAB))});
    MovePointerTo({759, 540});
    PumpMessages(dialog.get(), std::chrono::milliseconds(100));
    EXPECT_EQ(dialog->Selector().CurrentColor(), RGB(200, 30, 30));
    ASSERT_TRUE(IsWindowVisible(dialog->Magnifier().Hwnd()));

    PressKeys({VK_RIGHT}, dialog.get());
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 760);
    EXPECT_EQ(cursor.y, 540);
    EXPECT_EQ(dialog->Selector().CurrentColor(), RGB(30, 30, 200));
    EXPECT_EQ(dialog->Magnifier().CentreColor(), RGB(30, 30, 200));

    PressKeys({VK_RETURN}, dialog.get());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(IsWindowVisible(dialog->Magnifier().Hwnd()));
    EXPECT_EQ(dialog->Selector().CurrentColor(), RGB(30, 30, 200));
    patch.Reset();
    UnregisterClassW(L"HuewrightTwoColors", GetModuleHandleW(nullptr));
}

} // namespace
