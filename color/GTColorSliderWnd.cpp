#include "color/GTColorSliderWnd.h"

#include "app/AccessibleTexts.h"
#include "color/FieldRenderer.h"
#include "color/GTColorSelectorWnd.h"
#include "color/GTDrawHelper.h"
#include "framework/Dpi.h"
#include "framework/RepaintNow.h"

#include <new>

namespace {

constexpr COLORREF kPointerColor = 0x80B2;

} // namespace

bool GTColorSliderWnd::Create(DWORD style, int left, int top, int right, int bottom, HWND parent, int id) {
    if (!CreateColorWindow(L"HuewrightColorWnd2", style, left, top, right, bottom, parent, id)) {
        return false;
    }
    linkedSelector = nullptr;
    styleFlags = SliderDefaultStyle;
    Invalidate();
    SetMode(1);
    UpdateWindow(Hwnd());
    return true;
}

void GTColorSliderWnd::SetMode(int code) {
    auto range = SliderRangeForMode(ModeIndexOfCode(code));
    if (!range) {
        return;
    }
    modeCode = code;
    minPos = range->minPos;
    maxPos = range->maxPos;
    smallStep = range->smallStep;
    pageStep = range->pageStep;
    pos = SliderInitialPosition(code, *range);
    fixedFirst = fixedSecond = 0;
    Invalidate();
    ControlAccessibility::Tell(Hwnd(), EVENT_OBJECT_NAMECHANGE);
}

// Does not notify: the field calls this when it changed itself.
void GTColorSliderWnd::SetValue(int value) {
    int target = SliderPositionForValue(modeCode, value, minPos, maxPos);
    if (target == pos) {
        return;
    }
    pos = target;
    accessibility.ValueChanged();
    Invalidate();
}

// Only one receiver: the linked field, or the parent when there is none.
LRESULT GTColorSliderWnd::NotifyColorChanged(int value) {
    int id = ControlId();
    if (id == 0) {
        return -1;
    }
    accessibility.ValueChanged();
    ColorCtrlNotify record{Hwnd(), id, static_cast<std::uint32_t>(value)};
    HWND target = linkedSelector ? linkedSelector->Hwnd() : GetParent(Hwnd());
    return target ? SendMessageW(target, WM_COLORCTRL_CHANGED, id, reinterpret_cast<LPARAM>(&record)) : -1;
}

LRESULT GTColorSliderWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        OnKeyDown(wParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(PointOf(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(PointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp();
        return DefaultProc(message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        SetFocus(Hwnd());
        return DefaultProc(message, wParam, lParam);
    default:
        if (message == WM_COLORCTRL_CHANGED) {
            return OnSelectorChanged();
        }
        return OnCommonMessage(message, wParam, lParam);
    }
}

void GTColorSliderWnd::OnSysColorChange() {
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

// Tab is left to the dialog, so a keyboard user can move on from the slider.
UINT GTColorSliderWnd::DialogCode(const MSG*) const {
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

AccessibleFacts GTColorSliderWnd::Facts(LONG) {
    const int modeIndex = ModeIndexOfCode(modeCode);
    return {ROLE_SYSTEM_SLIDER,
            SliderAccessibleName(modeIndex),
            SliderAccessibleValue(modeIndex, ComponentValue()),
            STATE_SYSTEM_FOCUSABLE,
            {}};
}

void GTColorSliderWnd::OnSize(int width, int height) {
    arrowSize = ScaleForWindow(Hwnd(), SliderDefaultArrowSize);
    SliderGeometry geometry = ComputeSliderGeometry(width, height, styleFlags, arrowSize);
    clientRect = geometry.client;
    hitRect = geometry.hit;
    frameRect = geometry.frame;
    rampRect = geometry.ramp;
    rampLength = geometry.rampLength;
    rampBuffer.reset(rampLength > 0 ? new (std::nothrow) Pixel[rampLength] : nullptr);
    if (!rampBuffer) {
        return;
    }
    ResizeBitmap(width, height);
}

void GTColorSliderWnd::Paint(HDC dc, const RECT&) {
    PaintOffscreen(dc, [this](HDC memory) {
        GTDrawHelper().DrawFrameRect(
            memory, RECT{frameRect.left, frameRect.top, frameRect.right, frameRect.bottom}, kFrameFlags);
        GdiFlush();
        DrawRamp();
        DrawPointers(memory);
    });
}

// Without a ramp buffer (its allocation failed at the last resize) the ramp area stays blank.
void GTColorSliderWnd::DrawRamp() {
    if (!rampBuffer) {
        return;
    }
    RenderRamp(rampBuffer.get(), rampLength, ModeIndexOfCode(modeCode), fixedFirst, fixedSecond,
               SliderRampReversed(styleFlags, modeCode));
    WriteRampToBitmap(bits, bitmapWidth, bitmapHeight, rampRect, rampBuffer.get(), rampLength, Horizontal());
}

void GTColorSliderWnd::DrawPointers(HDC dc) {
    GTDrawHelper helper;
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF window = GetSysColor(COLOR_WINDOW);
    if (Horizontal()) {
        int offset = SliderPointerOffset(pos, minPos, maxPos, rampRect.right - rampRect.left);
        if (styleFlags & SliderArrowTopLeft) {
            helper.DrawTriangle(dc, rampRect.left + offset, frameRect.top - 2, TrianglePointsDown, arrowSize,
                                text, window);
        }
        if (styleFlags & SliderArrowBottomRight) {
            helper.DrawTriangle(dc, rampRect.left + offset, frameRect.bottom + 2, TrianglePointsUp, arrowSize,
                                text, window);
        }
        return;
    }
    int offset = SliderPointerOffset(pos, minPos, maxPos, rampRect.bottom - rampRect.top);
    if (styleFlags & SliderArrowBottomRight) {
        helper.DrawTriangle(dc, frameRect.right + 2, rampRect.top + offset, TrianglePointsLeft, arrowSize,
                            kPointerColor, kPointerColor);
    } else {
        helper.DrawTriangle(dc, frameRect.left - 2, rampRect.top + offset, TrianglePointsRight, arrowSize,
                            text, window);
    }
}

// No hit test: a captured drag outside the control clamps to the ends.
void GTColorSliderWnd::OnMouseMove(Point point) {
    SendMouseStatus();
    if (!tracking && !trackingLocked) {
        return;
    }
    int moved = SliderPositionFromPoint(point, rampRect, Horizontal(), minPos, maxPos);
    if (moved == pos) {
        return;
    }
    pos = moved;
    Invalidate();
    NotifyColorChanged(pos);
}

void GTColorSliderWnd::OnLButtonDown(Point point) {
    SetFocus(Hwnd());
    if (!hitRect.Contains(point)) {
        return;
    }
    SetCapture(Hwnd());
    tracking = true;
    OnMouseMove(point);
}

void GTColorSliderWnd::OnLButtonUp() {
    if (!tracking) {
        return;
    }
    ReleaseCapture();
    tracking = false;
    trackingLocked = false;
    SendStatus(StatusUnlocked);
    NotifyColorChanged(pos);
}

void GTColorSliderWnd::OnKeyDown(WPARAM key) {
    ToggleLockIfCtrlDown();
    if (tracking) {
        return;
    }
    auto moved =
        SliderKeyPosition(static_cast<int>(key), pos, SliderRange{minPos, maxPos, smallStep, pageStep});
    if (!moved) {
        return;
    }
    pos = *moved;
    NotifyColorChanged(pos);
    Invalidate();
}

// Follows the field; it does not notify back, so there is no echo.
LRESULT GTColorSliderWnd::OnSelectorChanged() {
    if (!linkedSelector) {
        return 0;
    }
    SliderFixed fixed =
        SliderFixedFromSelector(linkedSelector->Mode(), linkedSelector->X(), linkedSelector->Y());
    bool changed = false;
    if (fixed.first != fixedFirst && fixed.first >= 0 && fixed.first <= linkedSelector->XMax()) {
        fixedFirst = fixed.first;
        changed = true;
    }
    if (fixed.second != fixedSecond && fixed.second >= 0 && fixed.second <= linkedSelector->YMax()) {
        fixedSecond = fixed.second;
        changed = true;
    }
    const int target = SliderPositionForValue(modeCode, linkedSelector->Z(), minPos, maxPos);
    changed = changed || target != pos;
    if (target != pos) {
        accessibility.ValueChanged();
    }
    pos = target;
    if (changed) {
        RepaintNow(Hwnd());
    }
    return 0;
}
