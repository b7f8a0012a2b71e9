#include "tests/win/ColorControlsFixture.h"

#include "color/SelectorAxes.h"
#include "tests/win/TestSupport.h"

LRESULT RecordingSlider::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COLORCTRL_CHANGED) {
        log.push_back("slider");
    }
    return GTColorSliderWnd::OnMessage(message, wParam, lParam);
}

LRESULT RecordingWell::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COLORCTRL_CHANGED) {
        log.push_back("well");
    }
    return GTColorWellWnd::OnMessage(message, wParam, lParam);
}

LRESULT ColorParent::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COLORCTRL_STATUS) {
        log.push_back("status" + std::to_string(wParam));
        statuses.push_back(wParam);
        if (wParam == StatusColorChanged) {
            shadesAtStatus.push_back(
                {shadeWells[0]->GetColor(), shadeWells[1]->GetColor(), shadeWells[2]->GetColor()});
        }
        return 0;
    }
    if (message == WM_COLORCTRL_CHANGED) {
        const auto& record = *reinterpret_cast<const ColorCtrlNotify*>(lParam);
        log.push_back("parent");
        changedValues.push_back(record.value);
        return 0;
    }
    if (message == WM_COLORWELL_CHANGED) {
        log.push_back("wellchanged");
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

void ColorControlsTest::SetUp() {
    const wchar_t* className = Window::RegisterWindowClass(0, LoadCursorW(nullptr, IDC_ARROW));
    ASSERT_TRUE(parent.CreateChild(className, L"color controls", WS_POPUP | WS_VISIBLE, RECT{0, 0, 420, 300},
                                   nullptr, 0));
    SetForegroundWindow(parent.Hwnd());
    ASSERT_TRUE(selector.Create(WS_CHILD | WS_VISIBLE, 10, 10, 10 + kFieldWidth, 10 + kFieldHeight,
                                parent.Hwnd(), 1000));
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, 290, 6, 324, 106, parent.Hwnd(), 1001));
    ASSERT_TRUE(selectedWell.Create(WS_CHILD | WS_VISIBLE, 10, 120, 276, 170, parent.Hwnd(), 1002));
    for (int k = 0; k < 3; ++k) {
        ASSERT_TRUE(shadeWells[k].Create(WS_CHILD | WS_VISIBLE, 10, 172 + 40 * k, 276, 210 + 40 * k,
                                         parent.Hwnd(), 1009 + k));
    }
    selector.SetLinkedSlider(&slider);
    selector.SetSelectedWell(&selectedWell);
    selector.SetShadeWells(&shadeWells[0], &shadeWells[1], &shadeWells[2]);
    selector.SetNotifyWnd(parent.Hwnd());
    selector.SetShadeSource(&parent);
    selectedWell.SetColorSource(&selector);
    slider.SetLinkedSelector(&selector);
    slider.SetNotifyWnd(parent.Hwnd());
    parent.shadeWells = {&shadeWells[0], &shadeWells[1], &shadeWells[2]};
    selector.SetMode(SelectorModeCode(ModeHue));
    slider.SetMode(SelectorModeCode(ModeHue));
    PumpMessages();
    ClearRecords();
}

void ColorControlsTest::TearDown() {
    HoldCtrlAtXLevel(false);
    DestroyWindow(parent.Hwnd());
    selectorDragActive = false;
}

void ColorControlsTest::Mouse(HWND hwnd, UINT message, int x, int y, WPARAM keys) {
    SendMessageW(hwnd, message, keys, MAKELPARAM(x, y));
}

void ColorControlsTest::Key(HWND hwnd, WPARAM key) {
    SendMessageW(hwnd, WM_KEYDOWN, key, 1);
}

bool ColorControlsTest::TapCtrl() {
    POINT clear{400, 280};
    ClientToScreen(parent.Hwnd(), &clear);
    MovePointerTo(clear);
    bool pressed = HoldCtrlAtXLevel(true);
    return HoldCtrlAtXLevel(false) && pressed;
}

void ColorControlsTest::ClearRecords() {
    log.clear();
    parent.statuses.clear();
    parent.changedValues.clear();
    parent.shadesAtStatus.clear();
}
