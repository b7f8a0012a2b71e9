// The main dialog under a contrast theme: its own chrome takes the system colors and loses its
// textures, while the palette's colors stay what they are. The theme and its colors are set in the
// test prefix for the test's length.
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"

#include <commctrl.h>

#include <array>
#include <cwchar>
#include <vector>

namespace {

constexpr const wchar_t* kThemeKey = L"Control Panel\\Accessibility\\HighContrast";

// Turns the theme on or off as Windows does, through the system and in the flags kept with the user's
// settings; Wine has no SPI_SETHIGHCONTRAST, and the program reads the flags there too.
void SetContrastTheme(bool on) {
    HIGHCONTRASTW contrast{sizeof(contrast)};
    contrast.dwFlags = on ? HCF_HIGHCONTRASTON : 0;
    SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof(contrast), &contrast, 0);
    const wchar_t* flags = on ? L"1" : L"0";
    RegSetKeyValueW(HKEY_CURRENT_USER, kThemeKey, L"Flags", REG_SZ, flags,
                    static_cast<DWORD>((wcslen(flags) + 1) * sizeof(wchar_t)));
}

// What the screen shows of a window's client area, row by row.
std::vector<COLORREF> Screenshot(HWND window, RECT& client) {
    GetClientRect(window, &client);
    std::vector<COLORREF> pixels;
    HDC dc = GetDC(window);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            pixels.push_back(GetPixel(dc, x, y));
        }
    }
    ReleaseDC(window, dc);
    return pixels;
}

// The columns right of the text, where a label shows only its face.
bool FaceIsFlat(HWND label, COLORREF face) {
    RECT client{};
    const std::vector<COLORREF> pixels = Screenshot(label, client);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = client.right - 8; x < client.right; ++x) {
            if (pixels[static_cast<size_t>(y * client.right + x)] != face) {
                return false;
            }
        }
    }
    return true;
}

COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

class ContrastThemeTest : public MainDialogFixture {
protected:
    void SetUp() override {
        DWORD size = sizeof(savedFlags);
        hadFlags = RegGetValueW(HKEY_CURRENT_USER, kThemeKey, L"Flags", RRF_RT_REG_SZ, nullptr, savedFlags,
                                &size) == ERROR_SUCCESS;
        MainDialogFixture::SetUp();
    }
    void TearDown() override {
        SetSysColors(static_cast<int>(kElements.size()), kElements.data(), saved.data());
        SetContrastTheme(false);
        if (hadFlags) {
            RegSetKeyValueW(HKEY_CURRENT_USER, kThemeKey, L"Flags", REG_SZ, savedFlags,
                            static_cast<DWORD>((wcslen(savedFlags) + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, kThemeKey, L"Flags");
        }
        MainDialogFixture::TearDown();
    }

    void Repaint() {
        PumpMessages(&dialog, std::chrono::milliseconds(100));
        RedrawWindow(dialog.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    static constexpr std::array<int, 2> kElements = {COLOR_BTNFACE, COLOR_BTNTEXT};
    std::array<COLORREF, 2> saved{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
    wchar_t savedFlags[16] = {};
    bool hadFlags = false;
};

TEST_F(ContrastThemeTest, ChromeTakesTheSystemColorsAndThePaletteKeepsItsOwn) {
    HWND label = dialog.Item(IDC_SHADES_LABEL);
    HWND bar = dialog.Item(kStatusBarId);
    ASSERT_FALSE(FaceIsFlat(label, GetSysColor(COLOR_BTNFACE))) << "the label shows its texture";
    SetContrastTheme(true);
    // A black theme, as Windows' own contrast themes set it along with the flag.
    const std::array<COLORREF, 2> black = {RGB(0, 0, 0), RGB(255, 255, 255)};
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), black.data());
    SendMessageW(dialog.Hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    Repaint();

    EXPECT_TRUE(FaceIsFlat(label, RGB(0, 0, 0)));
    EXPECT_TRUE(FaceIsFlat(dialog.Item(IDC_MODE_RED), RGB(0, 0, 0)));
    RECT pane{};
    SendMessageW(bar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane));
    EXPECT_EQ(PixelAt(bar, pane.right - 4, pane.bottom - 4), RGB(0, 0, 0));
    // The boxes, the wells and the field show the palette's own colors.
    for (int box = 0; box < 3; ++box) {
        EXPECT_EQ(PixelAt(dialog.Box(box).Hwnd(), 1, 1), dialog.Box(box).BoxColor()) << "box " << box + 1;
    }
    EXPECT_EQ(PixelAt(dialog.Well(1).Hwnd(), 4, 4), dialog.Well(1).GetColor());

    // Off again: the label's texture is back.
    SetSysColors(static_cast<int>(kElements.size()), kElements.data(), saved.data());
    SetContrastTheme(false);
    SendMessageW(dialog.Hwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    Repaint();
    EXPECT_FALSE(FaceIsFlat(label, GetSysColor(COLOR_BTNFACE)));
}

} // namespace
