// The private messages the color controls exchange with each other and with the main dialog, and
// their payload.
#pragma once

#include <windows.h>

#include "color/ColorMath.h"

constexpr UINT WM_COLORCTRL_CHANGED = WM_USER + 270;
constexpr UINT WM_COLORWELL_APPLIED = WM_USER + 271;
constexpr UINT WM_COLORWELL_CHANGED = WM_USER + 272;
constexpr UINT WM_COLORCTRL_STATUS = WM_USER + 273;

// lParam of WM_COLORCTRL_CHANGED: who changed, and to what (a Color, or a slider position).
struct ColorCtrlNotify {
    HWND sender;
    int senderId;
    std::uint32_t value;
};

// wParam of WM_COLORCTRL_STATUS.
enum ColorCtrlStatus : WPARAM {
    StatusLocked = 0,
    StatusUnlocked = 1,
    StatusColorChanged = 2,
};
