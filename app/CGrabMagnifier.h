// The magnifier of the desktop color grab: a small window beside the cursor showing the pixels around
// it enlarged, the centre pixel framed, and that pixel's value.
#pragma once

#include "color/ColorMath.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"

class CGrabMagnifier : public Window {
public:
    // Pixels on each side of the centre, and how much each is enlarged on a 96 DPI screen.
    static constexpr int kReach = 5;
    static constexpr int kZoom = 10;
    static constexpr int kSpan = 2 * kReach + 1;

    ~CGrabMagnifier() override;

    // Takes the screen around `cursor`, then shows the window beside it; creates it on first use.
    void Follow(HWND owner, POINT cursor);
    void Hide();
    // Whether the window lies over any of the pixels it would take around `cursor`.
    bool Covers(POINT cursor) const;
    // The screen pixel at the centre of the last Follow.
    Color CentreColor() const { return centre; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    void Capture(POINT cursor);
    void PlaceBeside(POINT cursor);
    int ImageSide() const { return kSpan * zoom; }

    UniqueDc pixelsDc;
    UniqueBitmap pixels;
    UniqueFont labelFont;
    Color centre = 0;
    // kZoom and the gap to the cursor on the owner's screen, set when the window is made.
    int zoom = kZoom;
    int cursorGap = 0;
};
