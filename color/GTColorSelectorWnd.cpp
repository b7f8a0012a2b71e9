#include "color/GTColorSelectorWnd.h"

#include "framework/RepaintNow.h"

#include "app/AccessibleTexts.h"
#include "color/CColorBlend.h"
#include "color/FieldRenderer.h"
#include "color/GTColorSliderWnd.h"
#include "color/GTColorWellWnd.h"
#include "color/GTDrawHelper.h"
#include "color/SelectorAxes.h"
#include "color/Shades.h"
#include "framework/DcGuards.h"
#include "framework/Dpi.h"

namespace {

constexpr int kMarkerRadius = 5;

} // namespace

bool GTColorSelectorWnd::Create(DWORD style, int left, int top, int right, int bottom, HWND parent, int id) {
    if (!CreateColorWindow(L"HuewrightColorWnd3", style, left, top, right, bottom, parent, id)) {
        return false;
    }
    linkedSlider = nullptr;
    selectedWell = nullptr;
    mode = ModeRed;
    z = x = y = 0;
    xMax = yMax = 255;
    Invalidate();
    UpdateWindow(Hwnd());
    return true;
}

// Does not notify: the owner reads the color before and sets it again afterwards.
void GTColorSelectorWnd::SetMode(int code) {
    auto axes = AxesForMode(ModeIndexOfCode(code));
    if (!axes) {
        return;
    }
    mode = static_cast<SelectorMode>(ModeIndexOfCode(code));
    x = y = z = 0;
    xMax = axes->xMax;
    yMax = axes->yMax;
    Invalidate();
    ControlAccessibility::Tell(Hwnd(), EVENT_OBJECT_NAMECHANGE);
}

Color GTColorSelectorWnd::GetColor() const {
    return ColorFromPosition(mode, x, y, z);
}

void GTColorSelectorWnd::SetColor(Color newColor) {
    SelectorPosition position = PositionFromColor(mode, newColor);
    x = position.x;
    y = position.y;
    z = position.z;
    color = GetColor();
    NotifyColorChanged(color);
    Invalidate();
}

// The position, the marker and the slider stay where they are.
void GTColorSelectorWnd::BlendPicked(double percent) {
    color = BlendColors(firstBlendColor, secondBlendColor, percent);
    NotifyColorChanged(color);
}

// The order is fixed: later receivers rely on what earlier ones did.
LRESULT GTColorSelectorWnd::NotifyColorChanged(Color changed) {
    int id = ControlId();
    if (id == 0) {
        return -1;
    }
    accessibility.ValueChanged();
    ColorCtrlNotify record{Hwnd(), id, changed};
    auto recordParam = reinterpret_cast<LPARAM>(&record);
    if (linkedSlider) {
        SendMessageW(linkedSlider->Hwnd(), WM_COLORCTRL_CHANGED, id, recordParam);
    }
    if (selectedWell) {
        SendMessageW(selectedWell->Hwnd(), WM_COLORCTRL_CHANGED, id, recordParam);
    }
    if (shadeSource) {
        auto shades = ShadesOf(mode, color, shadeSource->ShadeDecrement());
        for (size_t k = 0; k < shadeWells.size(); ++k) {
            if (shadeWells[k]) {
                shadeWells[k]->SetColor(shades[k]);
            }
        }
    }
    if (selectedWell) {
        SendStatus(StatusColorChanged);
    }
    HWND parent = GetParent(Hwnd());
    return parent ? SendMessageW(parent, WM_COLORCTRL_CHANGED, id, recordParam) : -1;
}

LRESULT GTColorSelectorWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_MBUTTONDOWN:
        OnMButtonDown(PointOf(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        tracking = true;
        return DefaultProc(message, wParam, lParam);
    case WM_RBUTTONUP:
        OnRButtonUp(PointOf(lParam));
        return DefaultProc(message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        SetFocus(Hwnd());
        return DefaultProc(message, wParam, lParam);
    default:
        if (message == WM_COLORCTRL_CHANGED) {
            return OnSliderChanged();
        }
        return OnCommonMessage(message, wParam, lParam);
    }
}

void GTColorSelectorWnd::OnSysColorChange() {
    Invalidate();
}

UINT GTColorSelectorWnd::DialogCode(const MSG*) const {
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

// A two-dimensional slider: readers know the slider role, and the value says both axes.
AccessibleFacts GTColorSelectorWnd::Facts(LONG) {
    return {ROLE_SYSTEM_SLIDER,
            FieldAccessibleName(mode),
            FieldAccessibleValue(mode, color),
            STATE_SYSTEM_FOCUSABLE,
            {}};
}

void GTColorSelectorWnd::OnSize(int width, int height) {
    SelectorGeometry geometry = ComputeSelectorGeometry(width, height);
    clientRect = geometry.client;
    innerRect = geometry.inner;
    hitRect = geometry.hit;
    markerRadius = ScaleForWindow(Hwnd(), kMarkerRadius);
    ResizeBitmap(width, height);
}

void GTColorSelectorWnd::Paint(HDC dc, const RECT&) {
    PaintOffscreen(dc, [this](HDC memory) {
        GTDrawHelper().DrawFrame(memory, clientRect.left + 1, clientRect.top + 1, clientRect.right - 1,
                                 clientRect.bottom - 1, kFrameFlags);
        GdiFlush();
        RenderField(bits, bitmapWidth, bitmapHeight, innerRect, mode, z);
        DrawMarker(memory);
    });
}

void GTColorSelectorWnd::DrawMarker(HDC dc) {
    SaveDC(dc);
    IntersectClipRect(dc, innerRect.left, innerRect.top, innerRect.right + 1, innerRect.bottom + 1);
    Point centre = SelectorMarkerCentre(innerRect, x, y, xMax, yMax);
    UniquePen pen(CreatePen(PS_SOLID, 1, MarkerPenIsBlack(GetColor()) ? RGB(0, 0, 0) : RGB(255, 255, 255)));
    {
        SelectObjectGuard selectedPen(dc, pen.Get());
        if (squareMarker) {
            RECT square{centre.x - markerRadius, centre.y - markerRadius, centre.x + markerRadius,
                        centre.y + markerRadius};
            FrameRect(dc, &square, GetSysColorBrush(COLOR_BACKGROUND));
        } else {
            Arc(dc, centre.x - markerRadius, centre.y - markerRadius, centre.x + markerRadius + 1,
                centre.y + markerRadius + 1, centre.x, centre.y - markerRadius, centre.x,
                centre.y - markerRadius);
        }
    }
    RestoreDC(dc, -1);
}

void GTColorSelectorWnd::OnMouseMove(Point point) {
    SendMouseStatus();
    if (!tracking && !trackingLocked) {
        return;
    }
    if (!hitRect.Contains(point)) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return;
    }
    SetCursor(crossCursor);
    SelectorXY position = SelectorPositionFromPoint(point, innerRect, xMax, yMax);
    x = position.x;
    y = position.y;
    RepaintNow(Hwnd());
    color = GetColor();
    NotifyColorChanged(color);
}

// The first notification still lets the boxes record their undo colors; the ones during the drag,
// with selectorDragActive set, do not.
void GTColorSelectorWnd::OnLButtonDown(Point point) {
    squareMarker = false;
    firstPicked = false;
    SetFocus(Hwnd());
    if (!hitRect.Contains(point)) {
        return;
    }
    SetCapture(Hwnd());
    tracking = true;
    color = GetColor();
    NotifyColorChanged(color);
    selectorDragActive = true;
    OnMouseMove(point);
}

void GTColorSelectorWnd::OnLButtonUp() {
    squareMarker = false;
    if (!tracking) {
        return;
    }
    ReleaseCapture();
    tracking = false;
    selectorDragActive = false;
    trackingLocked = false;
    SendStatus(StatusUnlocked);
}

// Tracking continues after the middle button is released, until the next left-button release.
void GTColorSelectorWnd::OnMButtonDown(Point point) {
    if (!hitRect.Contains(point)) {
        return;
    }
    SetCapture(Hwnd());
    tracking = true;
    OnMouseMove(point);
}

// Two right clicks pick two colors, blend them half and half and open the blend dialog, which
// re-mixes them by its trackbar. One dialog at a time, though the disabled main dialog lets no
// further click through while it runs.
void GTColorSelectorWnd::OnRButtonUp(Point point) {
    squareMarker = true;
    OnMouseMove(point);
    tracking = false;
    if (!firstPicked) {
        firstBlendColor = GetColor();
        firstPicked = true;
        return;
    }
    secondBlendColor = GetColor();
    firstPicked = false;
    BlendPicked(50);
    if (blendDialog) {
        return;
    }
    CColorBlend blend(firstBlendColor, secondBlendColor, this);
    blendDialog = &blend;
    blend.RunModal();
    blendDialog = nullptr;
}

void GTColorSelectorWnd::OnKeyDown(WPARAM key) {
    ToggleLockIfCtrlDown();
    if (tracking) {
        return;
    }
    auto moved = SelectorKeyPosition(static_cast<int>(key), SelectorXY{x, y}, xMax, yMax);
    if (!moved) {
        return;
    }
    x = moved->x;
    y = moved->y;
    RepaintNow(Hwnd());
    color = GetColor();
    NotifyColorChanged(color);
}

// The message's own value is not used: the slider's position is read directly.
LRESULT GTColorSelectorWnd::OnSliderChanged() {
    if (!linkedSlider) {
        return 0;
    }
    int value = linkedSlider->ComponentValue();
    if (!SelectorAcceptsZ(mode, value)) {
        return 0;
    }
    z = value;
    color = GetColor();
    NotifyColorChanged(color);
    RepaintNow(Hwnd());
    return 0;
}
