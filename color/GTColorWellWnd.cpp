#include "color/GTColorWellWnd.h"

#include "app/AccessibleTexts.h"
#include "app/WorkspaceFlags.h"
#include "color/ColorCtrlMessages.h"
#include "color/GTColorSelectorWnd.h"
#include "framework/DcGuards.h"
#include "framework/OffscreenCanvas.h"
#include "framework/OleDragSource.h"
#include "framework/RepaintNow.h"
#include "widgets/CxShadeButton.h"

#include <cstring>

std::wstring WellDragText(Color color, bool textColor) {
    return std::wstring(textColor ? L"T" : L"") + std::to_wstring(RedOf(color)) + L"," +
           std::to_wstring(GreenOf(color)) + L"," + std::to_wstring(BlueOf(color));
}

// The longest text, T255,255,255 with its zero, takes 26 of the 35 bytes; 255,255,255 takes 24 of 25.
UniqueGlobal WellDragBlock(Color color, bool textColor) {
    std::wstring text = WellDragText(color, textColor);
    UniqueGlobal block(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, textColor ? 35 : 25));
    if (block) {
        // A fixed block's handle is its address.
        std::memcpy(block.Get(), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    return block;
}

bool GTColorWellWnd::Create(DWORD style, int left, int top, int right, int bottom, HWND parent, int id) {
    // A DC of its own keeps its state from one paint to the next: a shared one is set up again for
    // every paint, and under Wine that includes a font selection, several system calls, on each of the
    // repaints a drag move makes.
    const wchar_t* className = RegisterWindowClass(CS_DBLCLKS | CS_OWNDC, LoadCursorW(nullptr, IDC_ARROW));
    if (!CreateChild(className, L"HuewrightColorWnd", style, RECT{left, top, right, bottom}, parent, id)) {
        return false;
    }
    UpdateWindow(Hwnd());
    return true;
}

void GTColorWellWnd::SetColor(Color newColor) {
    if (newColor != color) {
        accessibility.ValueChanged();
    }
    color = newColor;
    RepaintNow(Hwnd());
}

LRESULT GTColorWellWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        LRESULT result = DefaultProc(message, wParam, lParam);
        DragColor(message == WM_RBUTTONDOWN, lParam);
        return result;
    }
    // These apply wherever the release is, x = 0 included: an abandoned drag sends no button-up.
    case WM_LBUTTONUP:
        ApplyBoxColor();
        return DefaultProc(message, wParam, lParam);
    case WM_RBUTTONUP:
        ApplyTextColor();
        return DefaultProc(message, wParam, lParam);
    case WM_MOUSEMOVE:
        return GetCapture() == Hwnd() ? DefaultProc(message, wParam, lParam) : 0;
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        SetFocus(Hwnd());
        return DefaultProc(message, wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(wParam) ? 0 : DefaultProc(message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        return OnFocusMessage(message, wParam, lParam);
    default:
        if (message == WM_COLORCTRL_CHANGED) {
            return OnColorCtrlChanged();
        }
        if (auto answer = accessibility.OnMessage(Hwnd(), message, wParam, lParam)) {
            return *answer;
        }
        return DefaultProc(message, wParam, lParam);
    }
}

LRESULT GTColorWellWnd::OnFocusMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultProc(message, wParam, lParam);
    focusCue.Follow(Hwnd(), message, wParam);
    return result;
}

// Space and Enter press the well as a click does; with Shift they give the color to the box's text.
bool GTColorWellWnd::OnKeyDown(WPARAM key) {
    if (key != VK_SPACE && key != VK_RETURN) {
        return false;
    }
    if (GetKeyState(VK_SHIFT) < 0) {
        ApplyTextColor();
    } else {
        ApplyBoxColor();
    }
    return true;
}

AccessibleFacts GTColorWellWnd::Facts(LONG) {
    const bool tabStop = (GetWindowLongW(Hwnd(), GWL_STYLE) & WS_TABSTOP) != 0;
    return {ROLE_SYSTEM_PUSHBUTTON, accessibleName, NamedColorText(color),
            tabStop ? STATE_SYSTEM_FOCUSABLE : 0, targetBox ? L"Apply to its box" : L""};
}

bool GTColorWellWnd::DoDefaultAction(LONG) {
    if (!targetBox) {
        return false;
    }
    ApplyBoxColor();
    return true;
}

void GTColorWellWnd::OnSysColorChange() {
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

// Tab is left to the dialog, so a keyboard user can move on from the well; Enter presses it.
UINT GTColorWellWnd::DialogCode(const MSG* message) const {
    const bool enter = message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
}

// Drawn off-screen and copied in one transfer so the swatch never flickers.
void GTColorWellWnd::Paint(HDC dc, const RECT& client) {
    OffscreenCanvas canvas(dc, client);
    if (!canvas) {
        return;
    }
    {
        UniqueBrush brush(CreateSolidBrush(color));
        SelectObjectGuard selectedPen(canvas.Get(), GetStockObject(NULL_PEN));
        SelectObjectGuard selectedBrush(canvas.Get(), brush.Get());
        Rectangle(canvas.Get(), client.left, client.top, client.right + 1, client.bottom + 1);
    }
    if (focusCue.Shown()) {
        RECT inside = client;
        InflateRect(&inside, -2, -2);
        focusCue.Draw(canvas.Get(), inside);
    }
    accessibility.FrameDrawn(Hwnd());
}

// The message's own value is not used: the well reads the selector's current color.
LRESULT GTColorWellWnd::OnColorCtrlChanged() {
    if (colorSource) {
        SetColor(colorSource->CurrentColor());
    }
    if (notifyWnd) {
        SendMessageW(notifyWnd, WM_COLORWELL_CHANGED, 0, 0);
    }
    return 0;
}

// The drag starts only once the mouse leaves the well. When nothing was dropped and the mouse is
// over the well again (or never left it) this was a click: the well gives the color to its box as
// if released where it was pressed. A drag abandoned anywhere else changes nothing.
void GTColorWellWnd::DragColor(bool textColor, LPARAM downPoint) {
    RECT start;
    GetClientRect(Hwnd(), &start);
    MapWindowPoints(Hwnd(), nullptr, reinterpret_cast<POINT*>(&start), 2);
    // Offered as CF_TEXT although it holds UTF-16: the boxes read it back the same way.
    DWORD effect = DragGlobalBlock(Hwnd(), start, textColor ? DragButton::Right : DragButton::Left, CF_TEXT,
                                   WellDragBlock(color, textColor), DROPEFFECT_COPY | DROPEFFECT_MOVE);
    if (effect == DROPEFFECT_NONE && CursorIsOverWell()) {
        SendMessageW(Hwnd(), textColor ? WM_RBUTTONUP : WM_LBUTTONUP, 0, downPoint);
    }
}

// With reverse auto-assignment the dialog's rule decides what box 1 gets, so the selected-color well
// (the one with a notify window) leaves the box alone and only reports the click.
void GTColorWellWnd::ApplyBoxColor() {
    if (!targetBox) {
        return;
    }
    if (!(notifyWnd && reverseAutoAssign)) {
        targetBox->SetShading(kGrainedBoxLook, color);
        InvalidateBoxes();
    }
    lastChangedBox = targetBox;
    undoAllBoxes = false;
    if (notifyWnd) {
        SendMessageW(notifyWnd, WM_COLORWELL_APPLIED, 0, 0);
    }
}

void GTColorWellWnd::ApplyTextColor() {
    if (!targetBox) {
        return;
    }
    targetBox->SetTextColor(color);
    lastChangedBox = targetBox;
    InvalidateBoxes();
    undoAllBoxes = false;
}

// The nested box is drawn over its container, so it is repainted after it.
void GTColorWellWnd::InvalidateBoxes() {
    InvalidateRect(targetBox->Hwnd(), nullptr, TRUE);
    if (nestedBox) {
        InvalidateRect(nestedBox->Hwnd(), nullptr, TRUE);
    }
}

bool GTColorWellWnd::CursorIsOverWell() const {
    POINT cursor;
    RECT well;
    return GetCursorPos(&cursor) && GetWindowRect(Hwnd(), &well) && PtInRect(&well, cursor);
}
