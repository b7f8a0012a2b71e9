// A plain color swatch: the selected-color well follows the selector and tells the main dialog;
// the shade wells are colored by the selector directly.
#pragma once

#include "color/ColorMath.h"
#include "framework/Window.h"

class GTColorSelectorWnd;

class GTColorWellWnd : public Window {
public:
    bool Create(DWORD style, int left, int top, int right, int bottom, HWND parent, int id);

    Color GetColor() const { return color; }
    // Shows a new color; the shade wells are set this way by the selector.
    void SetColor(Color newColor);

    void SetColorSource(GTColorSelectorWnd* source) { colorSource = source; }
    void SetNotifyWnd(HWND wnd) { notifyWnd = wnd; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    LRESULT OnColorCtrlChanged();

    Color color = MakeColor(128, 255, 0);
    GTColorSelectorWnd* colorSource = nullptr;
    HWND notifyWnd = nullptr;
};
