// A plain color swatch: the selected-color well follows the selector and tells the main dialog;
// the shade wells are colored by the selector directly. A click, or Space or Enter while it has the
// focus, gives the color to the well's box (with Shift, or the right button, to its text); a drag
// with either button carries it to any box.
#pragma once

#include "color/ColorMath.h"
#include "framework/AccessibleObject.h"
#include "framework/FocusCue.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"

#include <string>

class CxShadeButton;
class GTColorSelectorWnd;

// The drag payload: red, green and blue in decimal, behind a "T" when the text color is meant.
std::wstring WellDragText(Color color, bool textColor);
// The block a drag carries: zero-filled, 25 bytes for a box color and 35 for a text color, holding
// the payload as UTF-16 with its terminating zero. Null when it cannot be allocated.
UniqueGlobal WellDragBlock(Color color, bool textColor);

class GTColorWellWnd : public Window, private AccessibleSource {
public:
    bool Create(DWORD style, int left, int top, int right, int bottom, HWND parent, int id);

    Color GetColor() const { return color; }
    // Shows a new color; the shade wells are set this way by the selector.
    void SetColor(Color newColor);

    void SetColorSource(GTColorSelectorWnd* source) { colorSource = source; }
    void SetNotifyWnd(HWND wnd) { notifyWnd = wnd; }
    void SetTargetBox(CxShadeButton* box) { targetBox = box; }
    void SetNestedBox(CxShadeButton* box) { nestedBox = box; }
    // What screen readers call the well: "Selected color", "Shade 1", ...
    void SetAccessibleName(const std::wstring& name) { accessibleName = name; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;
    void OnSysColorChange() override;
    UINT DialogCode(const MSG* message) const override;

private:
    AccessibleFacts Facts(LONG child) override;
    bool DoDefaultAction(LONG child) override;
    LRESULT OnFocusMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnKeyDown(WPARAM key);
    LRESULT OnColorCtrlChanged();
    void DragColor(bool textColor, LPARAM downPoint);
    void ApplyBoxColor();
    void ApplyTextColor();
    void InvalidateBoxes();
    bool CursorIsOverWell() const;

    Color color = MakeColor(128, 255, 0);
    GTColorSelectorWnd* colorSource = nullptr;
    HWND notifyWnd = nullptr;
    CxShadeButton* targetBox = nullptr;
    CxShadeButton* nestedBox = nullptr;
    std::wstring accessibleName;
    FocusCue focusCue;
    ControlAccessibility accessibility{*this};
};
