// Pixel figures are given for a 96 DPI screen; these turn them into the pixels of a window's screen.
#pragma once

#include <windows.h>

inline constexpr int kBaseDpi = 96;

// The DPI of the monitor the window is on, or the system's where the system cannot say.
int WindowDpi(HWND window);

// The window rectangle around the client rectangle `rect` of `window`, with its style and menu, on a
// screen of `dpi`.
void AdjustWindowRectForDpi(RECT& rect, HWND window, int dpi);

// `pixels` at 96 DPI, at `dpi`.
inline int ScaleToDpi(int pixels, int dpi) {
    return MulDiv(pixels, dpi, kBaseDpi);
}

// `pixels` at 96 DPI, on the window's screen.
inline int ScaleForWindow(HWND window, int pixels) {
    return ScaleToDpi(pixels, WindowDpi(window));
}
