// The color slider: sets the color field's fixed third component and shows it as a ramp through
// the field's two other components, with a triangular pointer at the current position.
#pragma once

#include "color/ColorTrackingWnd.h"
#include "color/Geometry.h"
#include "color/SelectorAxes.h"

#include <cstdint>
#include <memory>

class GTColorSelectorWnd;

class GTColorSliderWnd : public ColorTrackingWnd {
public:
    bool Create(DWORD style, int left, int top, int right, int bottom, HWND parent, int id);

    void SetMode(int code);
    void SetValue(int value);
    virtual LRESULT NotifyColorChanged(int value);

    void SetLinkedSelector(GTColorSelectorWnd* selector) { linkedSelector = selector; }

    int ModeCode() const { return modeCode; }
    int Pos() const { return pos; }
    int MinPos() const { return minPos; }
    int MaxPos() const { return maxPos; }
    // The component value the field takes from this position.
    int ComponentValue() const { return SliderComponentValue(modeCode, pos, maxPos); }
    int FixedFirst() const { return fixedFirst; }
    int FixedSecond() const { return fixedSecond; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;
    void OnSize(int width, int height) override;
    void OnSysColorChange() override;
    UINT DialogCode(const MSG* message) const override;
    AccessibleFacts Facts(LONG child) override;

private:
    bool Horizontal() const { return (styleFlags & SliderHorizontal) != 0; }
    void OnMouseMove(Point point);
    void OnLButtonDown(Point point);
    void OnLButtonUp();
    void OnKeyDown(WPARAM key);
    LRESULT OnSelectorChanged();
    void DrawRamp();
    void DrawPointers(HDC dc);
    void Invalidate() { InvalidateRect(Hwnd(), nullptr, FALSE); }

    int modeCode = 0;
    std::uint32_t styleFlags = SliderDefaultStyle;
    int minPos = -1;
    int maxPos = -1;
    int pos = -1;
    int smallStep = -1;
    int pageStep = -1;
    Rect hitRect{};
    Rect frameRect{};
    Rect rampRect{};
    int arrowSize = SliderDefaultArrowSize;
    int fixedFirst = -1;
    int fixedSecond = -1;
    std::unique_ptr<Pixel[]> rampBuffer;
    int rampLength = 0;
    Rect clientRect{};
    GTColorSelectorWnd* linkedSelector = nullptr;
};
