// The desktop color grab: the dialog shrinks around the color field, holds the mouse, and the
// screen pixel under the cursor becomes the selected color until a button is released. A magnifier
// follows the cursor, and the arrow keys move it by single pixels.
#include "app/CHuewrightDlg.h"

#include "framework/DcGuards.h"
#include "res/resource.h"

namespace {

// Long enough for the windows a moved magnifier uncovered to repaint first.
constexpr UINT kGrabRereadMilliseconds = 20;

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
    const POINT centre{(placeholder.left + placeholder.right) / 2,
                       (placeholder.top + placeholder.bottom) / 2};
    SetCursorPos(centre.x, centre.y);
    ShadedButton(IDC_DESKTOP_GRAB).SetIcon(IDI_GRAB_PRESSED, BS_CENTER, IDI_GRAB_PRESSED, IDI_GRAB_PRESSED);
    magnifier.Follow(Hwnd(), centre);
}

// The magnifier moves first. A long move can land where it was, and then the screen there shows the
// magnifier until the windows it uncovered have drawn themselves again: the pixel is read once they
// have had that chance.
void CHuewrightDlg::TrackDesktopGrab() {
    POINT cursor{};
    GetCursorPos(&cursor);
    const bool covered = magnifier.Covers(cursor);
    magnifier.Follow(Hwnd(), cursor);
    if (covered) {
        SetTimer(Hwnd(), kGrabRereadTimer, kGrabRereadMilliseconds, nullptr);
        return;
    }
    ReadGrabPixel(cursor);
}

void CHuewrightDlg::OnGrabRereadTimer() {
    KillTimer(Hwnd(), kGrabRereadTimer);
    if (!grabActive) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    magnifier.Follow(Hwnd(), cursor);
    ReadGrabPixel(cursor);
}

void CHuewrightDlg::ReadGrabPixel(POINT cursor) {
    WindowDc screen(nullptr);
    COLORREF pixel = GetPixel(screen.Get(), cursor.x, cursor.y);
    if (pixel != CLR_INVALID) {
        selector.SetColor(pixel);
    }
}

// Arrows move the cursor by one pixel and Enter ends the grab as a button release would.
bool CHuewrightDlg::OnGrabKey(WPARAM key) {
    POINT step{};
    switch (key) {
    case VK_LEFT:
        step.x = -1;
        break;
    case VK_RIGHT:
        step.x = 1;
        break;
    case VK_UP:
        step.y = -1;
        break;
    case VK_DOWN:
        step.y = 1;
        break;
    case VK_RETURN:
        EndDesktopGrab();
        return true;
    default:
        return false;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    SetCursorPos(cursor.x + step.x, cursor.y + step.y);
    TrackDesktopGrab();
    return true;
}

void CHuewrightDlg::EndDesktopGrab() {
    ReleaseCapture();
    SetCursor(savedCursor);
    grabActive = false;
    magnifier.Hide();
    SetWindowPlacement(Hwnd(), &placementBeforeGrab);
    CxShadeButton& grabButton = ShadedButton(IDC_DESKTOP_GRAB);
    grabButton.SetIcon(IDI_GRAB, BS_CENTER, IDI_GRAB_PRESSED, IDI_GRAB_PRESSED);
    InvalidateRect(grabButton.Hwnd(), nullptr, TRUE);
}
