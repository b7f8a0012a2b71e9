// The palette checker beside a plain owner window: its verdicts, its swatches and marks rendered
// into a bitmap of the test's own, closing, and its place kept across instances and in the settings.
#include "app/CPaletteChecker.h"
#include "app/PlacementSettings.h"
#include "framework/DcGuards.h"
#include "framework/Profile.h"
#include "framework/UniqueHandle.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

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
}

} // namespace
