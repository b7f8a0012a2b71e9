// The main window on screens of other DPIs. Under HUEWRIGHT_DPI_LAYOUT (tests/dpi/dpi-layout-test.sh
// sets it and runs this at 96, 144 and 192 DPI) the run at 96 writes the layout to that file and the
// others compare theirs with it; a move to another screen is checked in every run.
#include "app/CDlgStatusBar.h"
#include "framework/Dpi.h"
#include "res/resource.h"
#include "tests/win/MainDialogFixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// A visible child of the dialog, known by its place among the children, its id and its class.
struct Place {
    std::wstring key;
    RECT rect{};
    bool textFits = true;
};

// Whether the window's text, in its own font, fits inside it: on one line unless it is a
// multi-line control.
bool TextFits(HWND window, const RECT& rect) {
    const std::wstring text = WindowText(window);
    if (text.empty()) {
        return true;
    }
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    const bool multiline = (style & BS_MULTILINE) != 0 && ClassName(window) == L"Button";
    RECT needed{0, 0, rect.right - rect.left, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | (multiline ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return needed.right <= rect.right - rect.left && needed.bottom <= rect.bottom - rect.top;
}

// The status bar keeps to the bottom edge by itself, at the height its font gives it.
std::vector<Place> Places(HWND dialog) {
    std::vector<Place> places;
    int index = 0;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT), ++index) {
        if (!IsWindowVisible(child) || GetDlgCtrlID(child) == kStatusBarId) {
            continue;
        }
        Place place;
        place.key =
            std::to_wstring(index) + L":" + std::to_wstring(GetDlgCtrlID(child)) + L":" + ClassName(child);
        GetWindowRect(child, &place.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place.rect), 2);
        place.textFits = TextFits(child, place.rect);
        places.push_back(place);
    }
    return places;
}

void ExpectScaled(const std::vector<Place>& base, const std::vector<Place>& scaled, int dpi, bool checkText) {
    ASSERT_EQ(base.size(), scaled.size());
    for (size_t i = 0; i < base.size(); ++i) {
        SCOPED_TRACE(scaled[i].key);
        ASSERT_EQ(base[i].key, scaled[i].key);
        const RECT& from = base[i].rect;
        const RECT& to = scaled[i].rect;
        EXPECT_NEAR(to.left, ScaleToDpi(from.left, dpi), 2);
        EXPECT_NEAR(to.top, ScaleToDpi(from.top, dpi), 2);
        EXPECT_NEAR(to.right, ScaleToDpi(from.right, dpi), 2);
        EXPECT_NEAR(to.bottom, ScaleToDpi(from.bottom, dpi), 2);
        if (checkText && base[i].textFits) {
            EXPECT_TRUE(scaled[i].textFits) << "its text fits at 96 DPI";
        }
    }
}

std::wostream& operator<<(std::wostream& out, const Place& place) {
    return out << place.key << L' ' << place.rect.left << L' ' << place.rect.top << L' ' << place.rect.right
               << L' ' << place.rect.bottom << L' ' << place.textFits;
}

std::vector<Place> ReadPlaces(const char* path) {
    std::vector<Place> places;
    std::wifstream in(path);
    for (std::wstring line; std::getline(in, line);) {
        std::wistringstream fields(line);
        Place place;
        fields >> place.key >> place.rect.left >> place.rect.top >> place.rect.right >> place.rect.bottom >>
            place.textFits;
        places.push_back(place);
    }
    return places;
}

class DpiLayout : public MainDialogFixture {
protected:
    int Dpi() { return WindowDpi(dialog.Hwnd()); }

    // The field's and the slider's bitmaps and every shaded face have their control's real size.
    void ExpectBitmapsOfRealSize() {
        for (ColorTrackingWnd* control : {static_cast<ColorTrackingWnd*>(&dialog.Selector()),
                                          static_cast<ColorTrackingWnd*>(&dialog.Slider())}) {
            RECT client{};
            GetClientRect(control->Hwnd(), &client);
            EXPECT_EQ(control->BitmapSize().cx, client.right);
            EXPECT_EQ(control->BitmapSize().cy, client.bottom);
        }
        for (int id : {IDC_EXIT, IDC_VIEW_NEXT, IDC_SHADES_LABEL, IDC_AUTO_ALL, IDC_FIRST_BOX1}) {
            ExpectFaceOfRealSize(dialog.ShadedButton(id));
        }
        for (int box = 0; box < 4; ++box) {
            ExpectFaceOfRealSize(dialog.Box(box));
        }
    }

    static void ExpectFaceOfRealSize(CxShadeButton& button) {
        RECT outer{};
        GetWindowRect(button.Hwnd(), &outer);
        EXPECT_EQ(button.Faces().normal.Width(), outer.right - outer.left);
        EXPECT_EQ(button.Faces().normal.Height(), outer.bottom - outer.top);
    }

    void SendDpiChange(int dpi, const RECT& suggested) {
        SendMessageW(dialog.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        PumpMessages(&dialog);
    }
};

TEST_F(DpiLayout, TheLayoutFollowsTheScreensDpi) {
    ExpectBitmapsOfRealSize();
    const char* layoutFile = std::getenv("HUEWRIGHT_DPI_LAYOUT");
    if (!layoutFile) {
        return;
    }
    if (Dpi() == kBaseDpi) {
        std::wofstream out(layoutFile);
        for (const Place& place : Places(dialog.Hwnd())) {
            out << place << L'\n';
        }
        return;
    }
    const std::vector<Place> base = ReadPlaces(layoutFile);
    ASSERT_FALSE(base.empty()) << "the run at 96 DPI wrote no layout to " << layoutFile;
    ExpectScaled(base, Places(dialog.Hwnd()), Dpi(), true);
}

// Each place is scaled from the one the window was made with, so the way back restores it exactly.
TEST_F(DpiLayout, AMoveToAScreenOfAnotherDpiScalesTheWindowAndBack) {
    const int dpi = Dpi();
    const std::vector<Place> before = Places(dialog.Hwnd());
    RECT window{};
    GetWindowRect(dialog.Hwnd(), &window);
    const int larger = dpi * 3 / 2;
    SendDpiChange(larger, {window.left, window.top, window.left + MulDiv(window.right - window.left, 3, 2),
                           window.top + MulDiv(window.bottom - window.top, 3, 2)});
    ExpectScaled(before, Places(dialog.Hwnd()), kBaseDpi * 3 / 2, false);
    ExpectBitmapsOfRealSize();

    SendDpiChange(dpi, window);
    const std::vector<Place> after = Places(dialog.Hwnd());
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_TRUE(EqualRect(&before[i].rect, &after[i].rect)) << before[i].key;
    }
    ExpectBitmapsOfRealSize();
}

} // namespace
