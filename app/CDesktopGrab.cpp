#include "app/CDesktopGrab.h"

#include "framework/DcGuards.h"
#include "framework/Dpi.h"
#include "res/resource.h"

namespace {

// Long enough for the windows a moved magnifier uncovered to repaint first.
constexpr UINT kRereadMilliseconds = 20;

SIZE ClientSize(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    return {client.right, client.bottom};
}

} // namespace

CDesktopGrab::CDesktopGrab(GTColorSelectorWnd& selector, CxShadeButton& grabButton)
    : selector(selector), grabButton(grabButton),
      grabCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDCUR_GRAB))) {}

void CDesktopGrab::StartDesktopGrab(HWND dialogWindow) {
    dialog = dialogWindow;
    placementBeforeGrab.length = sizeof(placementBeforeGrab);
    GetWindowPlacement(dialog, &placementBeforeGrab);
    SetCapture(dialog);
    savedCursor = SetCursor(grabCursor);
    grabActive = true;

    // The field and the first well have the rectangles of their placeholders.
    const SIZE field = ClientSize(GetDlgItem(dialog, IDC_SELECTOR));
    const SIZE well = ClientSize(GetDlgItem(dialog, IDC_WELL1));
    const RECT& normal = placementBeforeGrab.rcNormalPosition;
    const int dpi = WindowDpi(dialog);
    SetWindowPos(dialog, HWND_TOP, normal.left, normal.top, field.cx + ScaleToDpi(25, dpi),
                 6 * well.cy + field.cy + ScaleToDpi(15, dpi), SWP_SHOWWINDOW);

    RECT placeholder{};
    GetWindowRect(GetDlgItem(dialog, IDC_SELECTOR), &placeholder);
    const POINT centre{(placeholder.left + placeholder.right) / 2,
                       (placeholder.top + placeholder.bottom) / 2};
    SetCursorPos(centre.x, centre.y);
    grabButton.SetIcon(IDI_GRAB_PRESSED, BS_CENTER, IDI_GRAB_PRESSED, IDI_GRAB_PRESSED);
    magnifier.Follow(dialog, centre);
}

// The magnifier moves first. A long move can land where it was, and then the screen there shows the
// magnifier until the windows it uncovered have drawn themselves again: the pixel is read once they
// have had that chance.
void CDesktopGrab::TrackDesktopGrab() {
    POINT cursor{};
    GetCursorPos(&cursor);
    const bool covered = magnifier.Covers(cursor);
    magnifier.Follow(dialog, cursor);
    if (covered) {
        SetTimer(dialog, kRereadTimer, kRereadMilliseconds, nullptr);
        return;
    }
    ReadPixel(cursor);
}

void CDesktopGrab::OnRereadTimer() {
    KillTimer(dialog, kRereadTimer);
    if (!grabActive) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    magnifier.Follow(dialog, cursor);
    ReadPixel(cursor);
}

void CDesktopGrab::ReadPixel(POINT cursor) {
    WindowDc screen(nullptr);
    COLORREF pixel = GetPixel(screen.Get(), cursor.x, cursor.y);
    if (pixel != CLR_INVALID) {
        selector.SetColor(pixel);
    }
}

// Arrows move the cursor by one pixel and Enter ends the grab as a button release would.
bool CDesktopGrab::OnGrabKey(WPARAM key) {
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

void CDesktopGrab::EndDesktopGrab() {
    ReleaseCapture();
    SetCursor(savedCursor);
    grabActive = false;
    magnifier.Hide();
    SetWindowPlacement(dialog, &placementBeforeGrab);
    grabButton.SetIcon(IDI_GRAB, BS_CENTER, IDI_GRAB_PRESSED, IDI_GRAB_PRESSED);
    InvalidateRect(grabButton.Hwnd(), nullptr, TRUE);
}
