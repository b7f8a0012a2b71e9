// The palette checker beside a plain owner window: its verdicts, its swatches and marks rendered
// into a bitmap of the test's own, closing, and its place kept across instances and in the settings.
// Then in the real main dialog: the checker following every way the boxes change, in every loop, and
// its contrast fixes given to the boxes and undone.
#include "app/CPaletteChecker.h"
#include "app/PlacementSettings.h"
#include "app/WorkspaceFlags.h"
#include "color/CColorBlend.h"
#include "color/Contrast.h"
#include "framework/DcGuards.h"
#include "framework/OleSession.h"
#include "framework/Profile.h"
#include "framework/UniqueHandle.h"
#include "library/Clipboard.h"
#include "library/ColorFormat.h"
#include "library/PaletteExchange.h"
#include "library/RecordFont.h"
#include "library/WholeFiles.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Box 1: grey text on white fails AA; box 2: black on pale yellow passes AAA; the red and the green
// of boxes 3 and 4 look alike without red-green vision.
constexpr PaletteColors kPalette{
    {MakeColor(255, 255, 255), MakeColor(255, 255, 204), MakeColor(200, 40, 40), MakeColor(0, 128, 0)},
    {MakeColor(170, 170, 170), MakeColor(0, 0, 0), MakeColor(255, 255, 255), MakeColor(0, 0, 0)},
};
constexpr std::array<BoxText, 4> kText{{{12.0, false}, {12.0, false}, {12.0, false}, {12.0, false}}};
constexpr COLORREF kMark = RGB(0xD0, 0, 0);

// The client area painted through WM_PRINTCLIENT into a 32-bit DIB.
class Rendering {
public:
    explicit Rendering(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        width = client.right;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -client.bottom, 1, 32, BI_RGB};
        void* bits = nullptr;
        UniqueDc memory(CreateCompatibleDC(nullptr));
        UniqueBitmap bitmap(CreateDIBSection(memory.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!memory || !bitmap) {
            return;
        }
        SelectObjectGuard selected(memory.Get(), bitmap.Get());
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT);
        GdiFlush();
        const auto* first = static_cast<const Pixel*>(bits);
        pixels.assign(first, first + width * client.bottom);
    }

    COLORREF At(int x, int y) const {
        Pixel pixel = pixels.at(static_cast<size_t>(y) * width + x);
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    // Every pixel along the swatch's edges, where the "Aa" never reaches.
    bool EdgesFilledWith(const RECT& swatch, COLORREF color) const {
        bool filled = swatch.right > swatch.left;
        for (int x = swatch.left; x < swatch.right; ++x) {
            filled = filled && At(x, swatch.top) == color && At(x, swatch.bottom - 1) == color;
        }
        for (int y = swatch.top; y < swatch.bottom; ++y) {
            filled = filled && At(swatch.left, y) == color && At(swatch.right - 1, y) == color;
        }
        return filled;
    }

private:
    int width = 0;
    std::vector<Pixel> pixels;
};

RECT WindowRectOf(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return rect;
}

class PaletteCheckerTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.Reset(CreateWindowExW(0, L"STATIC", L"Owner", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 300,
                                    200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        ASSERT_TRUE(owner);
        SetActiveWindow(owner.Get());
        PumpMessages();
    }
    UniqueWindow owner;
};

TEST_F(PaletteCheckerTest, ShowsTheVerdictsTheSwatchesAndThePairsThatLookAlike) {
    CPaletteChecker checker;
    checker.Update(kPalette, kText);
    checker.Open(owner.Get());
    ASSERT_TRUE(checker.IsOpen());
    EXPECT_EQ(GetActiveWindow(), owner.Get());
    EXPECT_EQ(WindowText(checker.Hwnd()), L"Palette inspector");
    const PaletteChecks& checks = checker.Checks();
    EXPECT_FALSE(checks.boxes[0].passesAA);
    EXPECT_TRUE(checks.boxes[1].passesAAA);
    EXPECT_EQ(checker.BoxLineTexts(0)[2], L"oklch(100.00% 0.00000 0.00)");
    EXPECT_EQ(checker.BoxLineTexts(3)[1], L"#000000 on #008000");
    EXPECT_EQ(checker.BoxLineTexts(3)[2], L"oklch(51.98% 0.17686 142.50)");
    EXPECT_EQ(checker.BoxLineTexts(0)[7], L"darkgray on white");
    EXPECT_EQ(checker.BoxLineTexts(3)[7], L"black on green");

    Rendering shot(checker.Hwnd());
    const auto& grey = checks.simulations[static_cast<int>(VisionDeficiency::Achromatopsia)].colors;
    for (int box = 0; box < 4; ++box) {
        EXPECT_TRUE(shot.EdgesFilledWith(checker.SwatchRect(0, box), kPalette.box[box])) << box;
        EXPECT_EQ(RedOf(grey.box[box]), GreenOf(grey.box[box]));
        EXPECT_EQ(GreenOf(grey.box[box]), BlueOf(grey.box[box]));
        EXPECT_TRUE(shot.EdgesFilledWith(checker.SwatchRect(4, box), grey.box[box])) << box;
    }
    bool threeAndFourMarked = false;
    for (int row = 1; row <= kVisionDeficiencyCount; ++row) {
        const auto& alike = checks.simulations[row - 1].hardToTell;
        threeAndFourMarked = threeAndFourMarked || alike[2][3];
        for (int box = 0; box < 4; ++box) {
            bool marked = std::find(alike[box].begin(), alike[box].end(), true) != alike[box].end();
            RECT swatch = checker.SwatchRect(row, box);
            int middle = (swatch.top + swatch.bottom) / 2;
            EXPECT_EQ(shot.At(swatch.left - 2, middle) == kMark, marked) << row << "," << box;
            EXPECT_EQ(shot.At(swatch.right + 1, middle) == kMark, marked) << row << "," << box;
        }
    }
    EXPECT_TRUE(threeAndFourMarked);

    // The same input again leaves nothing to repaint; a new color does.
    UpdateWindow(checker.Hwnd());
    checker.Update(kPalette, kText);
    EXPECT_FALSE(GetUpdateRect(checker.Hwnd(), nullptr, FALSE));
    PaletteColors changed = kPalette;
    changed.box[0] = MakeColor(0, 0, 128);
    checker.Update(changed, kText);
    PumpMessages(nullptr, std::chrono::milliseconds(100));
    const RECT swatch = checker.SwatchRect(0, 0);
    POINT corner{swatch.left + 1, swatch.top + 1};
    ClientToScreen(checker.Hwnd(), &corner);
    EXPECT_EQ(GetPixel(WindowDc(nullptr).Get(), corner.x, corner.y), changed.box[0]);
    EXPECT_TRUE(Rendering(checker.Hwnd()).EdgesFilledWith(checker.SwatchRect(0, 0), changed.box[0]));
    EXPECT_EQ(checker.BoxLineTexts(0)[7], L"darkgray on navy");
    EXPECT_EQ(checker.BoxLineTexts(3)[7], L"black on green");
}

// Every text of the box lines fits the room measured for it, inside the window, with the longest
// color names and the widest hex digits; the suite runs at 96, 144 and 192 DPI.
TEST_F(PaletteCheckerTest, EveryBoxTextFitsItsRoomWithTheLongestNames) {
    const Color longest = MakeColor(0xFA, 0xFA, 0xD2);     // lightgoldenrodyellow
    const Color longer = MakeColor(0x7B, 0x68, 0xEE);      // mediumslateblue
    const Color longerStill = MakeColor(0x00, 0xFA, 0x9A); // mediumspringgreen
    const PaletteColors named{{longest, longer, longest, MakeColor(0xDD, 0xDD, 0xDD)},
                              {longerStill, longest, longest, MakeColor(0, 0, 0)}};
    CPaletteChecker checker;
    checker.Update(named, kText);
    checker.Open(owner.Get());
    ASSERT_EQ(checker.BoxLineTexts(0)[7], L"mediumspringgreen on lightgoldenrodyellow");
    ASSERT_EQ(checker.BoxLineTexts(1)[7], L"lightgoldenrodyellow on mediumslateblue");
    RECT client{};
    GetClientRect(checker.Hwnd(), &client);
    const HWND fixAll = GetDlgItem(checker.Hwnd(), CPaletteChecker::kFixAllId);
    WindowDc dc(checker.Hwnd());
    SelectObjectGuard font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(fixAll, WM_GETFONT, 0, 0)));
    for (int box = 0; box < 4; ++box) {
        const auto texts = checker.BoxLineTexts(box);
        for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
            const RECT room = checker.BoxTextRect(box, i);
            SIZE size{};
            GetTextExtentPoint32W(dc.Get(), texts[i].c_str(), static_cast<int>(texts[i].size()), &size);
            EXPECT_LE(size.cx, room.right - room.left) << box << "," << i;
            EXPECT_LE(size.cy, room.bottom - room.top) << box << "," << i;
            EXPECT_GT(room.left, 0) << box << "," << i;
            EXPECT_LE(room.right, client.right) << box << "," << i;
        }
        // The names line lies between the box line and the fixes.
        EXPECT_EQ(checker.BoxTextRect(box, 7).top, checker.BoxTextRect(box, 1).bottom) << box;
        const HWND textFix = GetDlgItem(checker.Hwnd(), CPaletteChecker::FixButtonId(box, true));
        if (IsWindowVisible(textFix)) {
            RECT button{};
            GetWindowRect(textFix, &button);
            MapWindowPoints(nullptr, checker.Hwnd(), reinterpret_cast<POINT*>(&button), 2);
            EXPECT_GE(button.top, checker.BoxTextRect(box, 7).bottom) << box;
        }
    }
}

TEST_F(PaletteCheckerTest, TheCloseBoxHidesItAndANewInstanceOpensWhereItWas) {
    CheckerState state;
    {
        CPaletteChecker first;
        first.Open(owner.Get());
        SetWindowPos(first.Hwnd(), nullptr, 321, 123, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(first.Hwnd(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(first.IsOpen());
        EXPECT_FALSE(IsWindowVisible(first.Hwnd()));
        EXPECT_EQ(first.State(), (CheckerState{false, true, 321, 123}));
        first.Open(owner.Get());
        state = first.State();
    }
    EXPECT_EQ(state, (CheckerState{true, true, 321, 123}));
    CPaletteChecker second;
    second.Restore(state);
    second.Open(owner.Get());
    EXPECT_EQ(WindowRectOf(second.Hwnd()).left, 321);
    EXPECT_EQ(WindowRectOf(second.Hwnd()).top, 123);

    // A place on no monitor gives way to the owner's right side.
    CPaletteChecker third;
    third.Restore({true, true, 50000, 50000});
    third.Open(owner.Get());
    EXPECT_EQ(WindowRectOf(third.Hwnd()).left, WindowRectOf(owner.Get()).right);
    EXPECT_EQ(WindowRectOf(third.Hwnd()).top, WindowRectOf(owner.Get()).top);
}

TEST(CheckerSettingsTest, TheStateIsKeptAsOneStringValue) {
    ScratchSettingsKey key;
    SettingsValues settings;
    PlacementSettings placement(settings);
    settings.checker = {true, true, -300, 40};
    placement.SaveSettings(L"Settings");
    EXPECT_EQ(Profile::GetString(L"Settings", L"inspector", L""), L"1,-300,40");
    settings.checker = {};
    placement.LoadSettings(L"Settings");
    EXPECT_EQ(settings.checker, (CheckerState{true, true, -300, 40}));

    settings.checker.target = ContrastTarget::Apca;
    placement.SaveSettings(L"Settings");
    EXPECT_EQ(Profile::GetString(L"Settings", L"inspector", L""), L"1,-300,40,APCA");
    settings.checker = {};
    placement.LoadSettings(L"Settings");
    EXPECT_EQ(settings.checker, (CheckerState{true, true, -300, 40, ContrastTarget::Apca}));
}

// Boxes 1 to 4 as their fonts draw them, measured apart from the dialog's own measure: the em height
// in points at the screen's DPI.
std::array<BoxText, 4> BoxTextsOf(CHuewrightDlg& dialog) {
    std::array<BoxText, 4> texts{};
    WindowDc screen(nullptr);
    for (int i = 0; i < 4; ++i) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(dialog.Box(i).Hwnd(), WM_GETFONT, 0, 0));
        SelectObjectGuard selected(screen.Get(), font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen.Get(), &metrics);
        texts[i] = {(metrics.tmHeight - metrics.tmInternalLeading) * 72.0 /
                        GetDeviceCaps(screen.Get(), LOGPIXELSY),
                    metrics.tmWeight >= FW_BOLD};
    }
    return texts;
}

// The main dialog with the checker open, its box 1 text in a 15-point bold font, large only while
// bold, so that the "B" toggle changes a verdict.
class CheckerInDialogTest : public MainDialogFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole.Initialized());
        Profile::WriteString(L"Settings", L"Font_Desc", L"-20:0:0:0:700:0:0:0:0:1:2:0:34");
        MainDialogFixture::SetUp();
        SetFocus(dialog.Item(IDC_MODE_SATURATION));
    }
    void TearDown() override {
        running = nullptr;
        MainDialogFixture::TearDown();
    }
    // Sets a check box as a click would, then tells the dialog it was clicked.
    void CheckAndClick(int id, bool check) {
        SendMessageW(dialog.Item(id), BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED, 0);
        Click(id);
    }
    COLORREF ScreenSwatch(int box) {
        const RECT swatch = dialog.Checker().SwatchRect(0, box);
        POINT corner{swatch.left + 1, swatch.top + 1};
        ClientToScreen(dialog.Checker().Hwnd(), &corner);
        return GetPixel(WindowDc(nullptr).Get(), corner.x, corner.y);
    }
    // Once `loop` has handled what is queued, the checker shows the boxes as they are, in its checks
    // and on the screen, and the step did change them.
    void ExpectCheckerFollows(Dialog& loop, const std::string& step) {
        PumpMessages(&loop);
        const PaletteColors colors = BoxColors();
        const std::array<BoxText, 4> texts = BoxTextsOf(dialog);
        const PaletteChecks expected = CheckPalette(colors, texts);
        const PaletteChecks& shown = dialog.Checker().Checks();
        bool changed = colors != seenColors;
        for (int box = 0; box < 4; ++box) {
            EXPECT_DOUBLE_EQ(shown.boxes[box].ratio, expected.boxes[box].ratio)
                << step << ", box " << box + 1;
            EXPECT_EQ(shown.boxes[box].largeText, expected.boxes[box].largeText)
                << step << ", box " << box + 1;
            EXPECT_EQ(ScreenSwatch(box), colors.box[box]) << step << ", box " << box + 1;
            changed = changed || texts[box].pointSize != seenTexts[box].pointSize ||
                      texts[box].bold != seenTexts[box].bold;
        }
        for (int row = 0; row < kVisionDeficiencyCount; ++row) {
            EXPECT_EQ(shown.simulations[row].colors, expected.simulations[row].colors)
                << step << ", row " << row;
        }
        EXPECT_TRUE(changed) << step << " changed nothing";
        seenColors = colors;
        seenTexts = texts;
    }

    // Ticks inside the blend dialog's modal loop: each trackbar key there mixes a new selected color,
    // which first-color auto-assignment gives to box 1 while that loop, not the dialog's, runs.
    static void CALLBACK DriveBlend(HWND, UINT, UINT_PTR, DWORD) {
        DriveModalOnce(running->dialog.Selector().BlendDialog(), running->blend, [](Dialog& blend) {
            for (auto [key, name] : {std::pair{VK_HOME, "Home"}, std::pair{VK_END, "End"}}) {
                PressKeys({static_cast<WORD>(key)}, &blend);
                running->ExpectCheckerFollows(blend, std::string("blend trackbar ") + name);
            }
            PressKeys({VK_ESCAPE}, &blend);
        });
    }

    OleSession ole;
    PaletteColors seenColors{};
    std::array<BoxText, 4> seenTexts{};
    ModalDrive blend = ModalDrive::Waiting;
    static inline CheckerInDialogTest* running = nullptr;
};

TEST_F(CheckerInDialogTest, FollowsEveryWayTheBoxesChange) {
    // A change while the checker is closed shows as soon as it opens.
    Command(ID_ASSIGN_BOX2);
    PressKeys({VK_F2}, &dialog);
    ASSERT_TRUE(dialog.Checker().IsOpen());
    ExpectCheckerFollows(dialog, "opening");

    const std::wstring importFile = folder.Path() + L"\\imported.json";
    const std::vector<PaletteRecord> imported{MakeRecord(
        u"Imported",
        {{MakeColor(250, 240, 200), 0x202020, 0x404040, 0x606060}, {0, 0xF0F0F0, 0xE0E0E0, 0xD0D0D0}},
        ToRecordFont(LOGFONTW{-48, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, L"Georgia"}))};
    ASSERT_EQ(WriteWholeFile(importFile, ExportPalettes(imported, ExchangeFormat::Json)), 0u);

    const POINT field = CentreOf(dialog.Selector().Hwnd());
    const std::vector<std::pair<const char*, std::function<void()>>> steps{
        {"well click",
         [&] {
             dialog.Selector().SetColor(MakeColor(20, 60, 140));
             MouseGesture({CentreOf(dialog.Well(0).Hwnd())}, false, &dialog);
         }},
        {"key 3", [&] { PressKeys({'3'}, &dialog); }},
        {"Shift+4",
         [&] {
             PressKeys({VK_SHIFT, '4'}, &dialog);
         }},
        {"Escape", [&] { PressKeys({VK_ESCAPE}, &dialog); }},
        {"drop from a well",
         [&] {
             MouseGesture({CentreOf(dialog.Well(3).Hwnd()), CentreOf(dialog.Box(3).Hwnd())}, false, &dialog);
         }},
        {"auto-assignment during a drag",
         [&] {
             CheckAndClick(IDC_AUTO_FIRST, true);
             MouseGesture({field, {field.x + 30, field.y + 20}, {field.x + 60, field.y - 10}}, false,
                          &dialog);
         }},
        {"paste",
         [&] {
             CopyTextToClipboard(dialog.Hwnd(), L"#c83c28");
             PressKeys({VK_CONTROL, 'V'}, &dialog);
         }},
        {"Undo", [&] { Command(ID_UNDO_LAST_COLOR); }},
        {"bold toggle", [&] { CheckAndClick(IDC_BOLD, false); }},
        {"import and a step to the imported palette",
         [&] {
             {
                 FileDialogAnswerer answerer(importFile);
                 Command(ID_TOOLS_IMPORT);
                 EXPECT_TRUE(answerer.messages.empty());
             }
             MessageBoxAnswerer dontSave(IDNO);
             Click(IDC_VIEW_NEXT);
         }},
    };
    for (const auto& [step, action] : steps) {
        action();
        ExpectCheckerFollows(dialog, step);
    }

    // The blend dialog's loop, opened by two right clicks in the field, is checked from inside.
    running = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, DriveBlend);
    MouseGesture({{field.x - 40, field.y - 30}}, true, &dialog);
    MouseGesture({{field.x + 40, field.y + 30}}, true, &dialog);
    KillTimer(nullptr, timer);
    EXPECT_EQ(blend, ModalDrive::Driven);

    // Nothing polls: a box changed while no loop runs shows at the checker's next paint, and the
    // open checker has no timer ticking for it.
    dialog.Box(2).SetTextColor(MakeColor(1, 2, 3));
    UpdateWindow(dialog.Checker().Hwnd());
    EXPECT_DOUBLE_EQ(dialog.Checker().Checks().boxes[2].ratio,
                     ContrastRatio(MakeColor(1, 2, 3), dialog.Box(2).BoxColor()));
    Sleep(100);
    MSG tick{};
    EXPECT_FALSE(PeekMessageW(&tick, dialog.Hwnd(), WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_FALSE(PeekMessageW(&tick, dialog.Checker().Hwnd(), WM_TIMER, WM_TIMER, PM_NOREMOVE));
    EXPECT_EQ(dialog.Box(0).BoxColor(), MakeColor(250, 240, 200));
}

// The default palette in the real dialog, the checker open under AA: box 1's large text is 2.84:1.
class FixesInDialogTest : public MainDialogFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole.Initialized());
        MainDialogFixture::SetUp();
        PressKeys({VK_F2}, &dialog);
        ASSERT_TRUE(dialog.Checker().IsOpen());
        PumpMessages(&dialog);
    }
    HWND FixButton(int box, bool text) const {
        return GetDlgItem(dialog.Checker().Hwnd(), CPaletteChecker::FixButtonId(box, text));
    }
    void ClickInChecker(HWND button) {
        SendMessageW(button, BM_CLICK, 0, 0);
        PumpMessages(&dialog);
    }

    OleSession ole;
};

TEST_F(FixesInDialogTest, AFixIsGivenLikeAnAssignmentAndEscapeTakesItBack) {
    ASSERT_EQ(BoxColors(), kDefaultPalette);
    EXPECT_EQ(dialog.Checker().BoxLineTexts(0)[3], L"2.84:1");
    for (int box = 0; box < 4; ++box) {
        const bool fails = !dialog.Checker().Checks().boxes[box].passesAA;
        for (bool text : {true, false}) {
            EXPECT_EQ(static_cast<bool>(IsWindowVisible(FixButton(box, text))), fails) << box;
        }
    }
    const std::wstring offered = WindowText(FixButton(0, true));
    ASSERT_EQ(offered.size(), std::wstring(L"Use #rrggbb for text").size()) << offered;

    ClickInChecker(FixButton(0, true));
    const Color fixed = dialog.Box(0).TextColor();
    EXPECT_EQ(L"Use " + FormatColor(fixed, L"#RRGGBB") + L" for text", offered);
    EXPECT_GE(ContrastRatio(fixed, dialog.Box(0).BoxColor()), 3.0);
    EXPECT_EQ(dialog.Box(0).BoxColor(), kDefaultPalette.box[0]);
    EXPECT_EQ(lastChangedBox, &dialog.Box(0));
    EXPECT_FALSE(undoAllBoxes);
    EXPECT_TRUE(dialog.Checker().Checks().boxes[0].passesAA);
    EXPECT_FALSE(IsWindowVisible(FixButton(0, true)));
    EXPECT_FALSE(IsWindowVisible(FixButton(0, false)));

    // The keyboard is where the click left it, in the checker; Esc still reaches the dialog's Undo.
    PressKeys({VK_ESCAPE}, &dialog);
    EXPECT_EQ(dialog.Box(0).TextColor(), MakeColor(0x74, 0x69, 0x55));
    EXPECT_TRUE(IsWindowVisible(FixButton(0, true)));

    // A background fix of box 3 repaints box 4 inside it and leaves its text as it was.
    ClickInChecker(FixButton(2, false));
    EXPECT_GE(ContrastRatio(kDefaultPalette.text[2], dialog.Box(2).BoxColor()), 4.5);
    EXPECT_EQ(dialog.Box(2).TextColor(), kDefaultPalette.text[2]);
    EXPECT_EQ(lastChangedBox, &dialog.Box(2));
}

TEST_F(FixesInDialogTest, FixAllGivesEveryFailingBoxItsTextFixAndOneEscapeUndoesIt) {
    ClickInChecker(GetDlgItem(dialog.Checker().Hwnd(), CPaletteChecker::kFixAllId));
    for (int box = 0; box < 4; ++box) {
        EXPECT_TRUE(dialog.Checker().Checks().boxes[box].passesAA) << box;
        EXPECT_EQ(dialog.Box(box).BoxColor(), kDefaultPalette.box[box]) << box;
        EXPECT_NE(dialog.Box(box).TextColor(), kDefaultPalette.text[box]) << box;
    }
    EXPECT_TRUE(undoAllBoxes);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog.Checker().Hwnd(), CPaletteChecker::kFixAllId)));
    PressKeys({VK_ESCAPE}, &dialog);
    EXPECT_EQ(BoxColors(), kDefaultPalette);
}

// Tab goes from the target list to Fix all and on to the first fix, which Enter applies.
TEST_F(FixesInDialogTest, TheKeyboardReachesTheFixes) {
    SetFocus(GetDlgItem(dialog.Checker().Hwnd(), CPaletteChecker::kTargetChoiceId));
    PressKeys({VK_TAB}, &dialog);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog.Checker().Hwnd(), CPaletteChecker::kFixAllId));
    PressKeys({VK_TAB}, &dialog);
    ASSERT_EQ(GetFocus(), FixButton(0, true));
    PressKeys({VK_RETURN}, &dialog);
    EXPECT_NE(dialog.Box(0).TextColor(), kDefaultPalette.text[0]);
    EXPECT_TRUE(IsWindowVisible(GetFocus()));
}

// The target is chosen in the checker's own list and kept with its place.
TEST_F(FixesInDialogTest, TheChosenTargetChangesTheFixesAndIsRemembered) {
    const HWND choice = GetDlgItem(dialog.Checker().Hwnd(), CPaletteChecker::kTargetChoiceId);
    const std::wstring underAA = WindowText(FixButton(3, true));
    SendMessageW(choice, CB_SETCURSEL, 2, 0);
    SendMessageW(dialog.Checker().Hwnd(), WM_COMMAND,
                 MAKEWPARAM(CPaletteChecker::kTargetChoiceId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(choice));
    PumpMessages(&dialog);
    EXPECT_EQ(dialog.Checker().State().target, ContrastTarget::Apca);
    EXPECT_NE(WindowText(FixButton(3, true)), underAA);
    ClickInChecker(FixButton(3, true));
    const BoxText size = BoxTextsOf(dialog)[3];
    EXPECT_TRUE(PassesTarget(dialog.Box(3).TextColor(), dialog.Box(3).BoxColor(),
                             TextSizeOf(size.pointSize, size.bold), ContrastTarget::Apca));
}

} // namespace
