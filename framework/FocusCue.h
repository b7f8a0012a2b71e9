// The keyboard focus of a control that draws itself, shown as Windows shows it: a dotted rectangle as
// thick as the system's focus border, only while the control has the focus and the window's UI state
// shows focus cues (after the keyboard was used, not after a click).
#pragma once

#include <windows.h>

class FocusCue {
public:
    // WM_SETFOCUS, WM_KILLFOCUS and WM_UPDATEUISTATE, after their default handling; the window is
    // invalidated when the cue appeared or went.
    void Follow(HWND window, UINT message, WPARAM wParam);
    bool Shown() const { return focused && !hidden; }
    // Inverts the dots along the inside of `rect`.
    void Draw(HDC dc, const RECT& rect) const { DrawFocusBorder(dc, rect, width, height); }
    // The same, as thick as the system's focus border is now.
    static void DrawFocusBorder(HDC dc, const RECT& rect);
    static void DrawFocusBorder(HDC dc, const RECT& rect, UINT width, UINT height);

private:
    bool focused = false;
    bool hidden = false;
    // The system's focus border, read when the focus comes.
    UINT width = 1;
    UINT height = 1;
};
