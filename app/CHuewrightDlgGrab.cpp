// The desktop color grab: the dialog shrinks around the color field, holds the mouse, and the
// screen pixel under the cursor becomes the selected color until a button is released.
#include "app/CHuewrightDlg.h"

#include "framework/DcGuards.h"
#include "res/resource.h"

namespace {

SIZE ClientSize(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    return {client.right, client.bottom};
}

} // namespace

void CHuewrightDlg::StartDesktopGrab() {
    placementBeforeGrab.length = sizeof(placementBeforeGrab);
    GetWindowPlacement(Hwnd(), &placementBeforeGrab);
    SetCapture(Hwnd());
    savedCursor = SetCursor(grabCursor);
    grabActive = true;

    // The field and the first well have the rectangles of their placeholders.
    const SIZE field = ClientSize(Item(IDC_SELECTOR));
    const SIZE well = ClientSize(Item(IDC_WELL1));
    const RECT& normal = placementBeforeGrab.rcNormalPosition;
    SetWindowPos(Hwnd(), HWND_TOP, normal.left, normal.top, field.cx + 25, 6 * well.cy + field.cy + 15,
                 SWP_SHOWWINDOW);

    RECT placeholder{};
    GetWindowRect(Item(IDC_SELECTOR), &placeholder);
    SetCursorPos((placeholder.left + placeholder.right) / 2, (placeholder.top + placeholder.bottom) / 2);
    ShadedButton(IDC_DESKTOP_GRAB).SetIcon(IDI_GRAB_PRESSED, BS_CENTER, IDI_GRAB_PRESSED, IDI_GRAB_PRESSED);
}

void CHuewrightDlg::TrackDesktopGrab() {
    POINT cursor{};
    GetCursorPos(&cursor);
    WindowDc screen(nullptr);
    COLORREF pixel = GetPixel(screen.Get(), cursor.x, cursor.y);
    if (pixel != CLR_INVALID) {
        selector.SetColor(pixel);
    }
}

void CHuewrightDlg::EndDesktopGrab() {
    ReleaseCapture();
    SetCursor(savedCursor);
    grabActive = false;
    SetWindowPlacement(Hwnd(), &placementBeforeGrab);
    CxShadeButton& grabButton = ShadedButton(IDC_DESKTOP_GRAB);
    grabButton.SetIcon(IDI_GRAB, BS_CENTER, IDI_GRAB_PRESSED, IDI_GRAB_PRESSED);
    InvalidateRect(grabButton.Hwnd(), nullptr, TRUE);
}
