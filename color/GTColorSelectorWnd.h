// The two-dimensional color field: two components on the axes, the third fixed by the slider.
// It is the hub of the color controls: every change of its color updates the linked slider, the
// selected-color well, the shade wells and the main dialog, in that order.
#pragma once

#include "app/WorkspaceFlags.h"
#include "color/ColorTrackingWnd.h"
#include "color/Geometry.h"
#include "color/SelectorAxes.h"

#include <array>

class CColorBlend;
class GTColorSliderWnd;
class GTColorWellWnd;

// The owner's shade decrement (0..90), read each time the shades are recomputed.
class ShadeDecrementSource {
public:
    virtual double ShadeDecrement() = 0;

protected:
    ~ShadeDecrementSource() = default;
};

class GTColorSelectorWnd : public ColorTrackingWnd {
public:
    bool Create(DWORD style, int left, int top, int right, int bottom, HWND parent, int id);

    void SetMode(int code);
    Color GetColor() const;
    void SetColor(Color newColor);
    void BlendPicked(double percent);
    virtual LRESULT NotifyColorChanged(Color changed);

    void SetLinkedSlider(GTColorSliderWnd* slider) { linkedSlider = slider; }
    void SetSelectedWell(GTColorWellWnd* well) { selectedWell = well; }
    void SetShadeWells(GTColorWellWnd* first, GTColorWellWnd* second, GTColorWellWnd* third) {
        shadeWells = {first, second, third};
    }
    void SetShadeSource(ShadeDecrementSource* source) { shadeSource = source; }

    // The current color: the field position's color, or the last blend.
    Color CurrentColor() const { return color; }
    SelectorMode Mode() const { return mode; }
    int X() const { return x; }
    int Y() const { return y; }
    int Z() const { return z; }
    int XMax() const { return xMax; }
    int YMax() const { return yMax; }
    bool SquareMarker() const { return squareMarker; }
    bool FirstPicked() const { return firstPicked; }
    // The blend dialog while it runs, else null.
    CColorBlend* BlendDialog() const { return blendDialog; }

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Paint(HDC dc, const RECT& client) override;
    void OnSize(int width, int height) override;
    void OnSysColorChange() override;
    UINT DialogCode(const MSG* message) const override;
    AccessibleFacts Facts(LONG child) override;

private:
    void OnMouseMove(Point point);
    void OnLButtonDown(Point point);
    void OnLButtonUp();
    void OnMButtonDown(Point point);
    void OnRButtonUp(Point point);
    void OnKeyDown(WPARAM key);
    LRESULT OnSliderChanged();
    void DrawMarker(HDC dc);
    void Invalidate() { InvalidateRect(Hwnd(), nullptr, FALSE); }

    SelectorMode mode = ModeHue;
    int z = -1;
    int x = -1;
    int y = -1;
    int xMax = -1;
    int yMax = -1;
    Color color = 0;
    Color firstBlendColor = 0;
    Color secondBlendColor = 0;
    bool firstPicked = false;
    bool squareMarker = false;
    // In pixels of the screen the field is on, set with its size.
    int markerRadius = 0;
    Rect clientRect{};
    Rect innerRect{};
    Rect hitRect{};
    HCURSOR crossCursor = LoadCursorW(nullptr, IDC_CROSS);
    GTColorSliderWnd* linkedSlider = nullptr;
    GTColorWellWnd* selectedWell = nullptr;
    std::array<GTColorWellWnd*, 3> shadeWells{};
    CColorBlend* blendDialog = nullptr;
    ShadeDecrementSource* shadeSource = nullptr;
};
