// What the color field and the color slider have in common: creation with their own window class,
// an off-screen 32-bit DIB section of the client size, mouse tracking that the Ctrl key can lock,
// reported to the main dialog, the keyboard focus shown, and what they tell screen readers.
#pragma once

#include "color/ColorCtrlMessages.h"
#include "color/ColorMath.h"
#include "color/Geometry.h"
#include "framework/AccessibleObject.h"
#include "framework/FocusCue.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"

#include <windowsx.h>

#include <functional>

class ColorTrackingWnd : public Window, protected AccessibleSource {
public:
    void SetNotifyWnd(HWND wnd) { notifyWnd = wnd; }
    bool IsTracking() const { return tracking; }
    bool IsTrackingLocked() const { return trackingLocked; }
    SIZE BitmapSize() const { return {bitmapWidth, bitmapHeight}; }

protected:
    // DrawFrame flags of both controls: the lit outer edge plus the inner black rectangle.
    static constexpr int kFrameFlags = 5;

    static Point PointOf(LPARAM lParam) { return Point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

    bool CreateColorWindow(const wchar_t* text, DWORD style, int left, int top, int right, int bottom,
                           HWND parent, int id);
    // A new bitmap for the client size; false (and no bitmap) when it cannot be made.
    bool ResizeBitmap(int width, int height);
    // Fills the bitmap with the button face, lets draw() add the rest and the focus cue, and copies
    // it to dc in one transfer. Nothing is painted without a bitmap or a memory DC.
    void PaintOffscreen(HDC dc, const std::function<void(HDC memory)>& draw);
    // The messages both controls answer alike: the focus, WM_GETOBJECT and WM_DESTROY; the rest goes
    // to the default handling.
    LRESULT OnCommonMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void SendStatus(ColorCtrlStatus status);
    // Ctrl held during a key press toggles locked tracking.
    void ToggleLockIfCtrlDown();
    void SendMouseStatus() { SendStatus(trackingLocked ? StatusLocked : StatusUnlocked); }

    bool tracking = false;
    bool trackingLocked = false;
    HWND notifyWnd = nullptr;
    UniqueBitmap bitmap;
    // Holds the bitmap selected from one paint to the next; declared after it so it goes first.
    UniqueDc bitmapDc;
    Pixel* bits = nullptr;
    int bitmapWidth = 0;
    int bitmapHeight = 0;
    FocusCue focusCue;
    ControlAccessibility accessibility{*this};
};
