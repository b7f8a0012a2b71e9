// Color conversions and row generators (inherited from ColorMath) plus the two GDI drawing
// operations the color field and slider share: the beveled frame and the pointer triangle.
#pragma once

#include <windows.h>

#include "color/ColorMath.h"

class GTDrawHelper : public ColorMath {
public:
    // Frame flags.
    static constexpr int kFrameSunken = 2;
    static constexpr int kFrameInnerBlack = 4;

    virtual ~GTDrawHelper() = default;
    virtual void DrawFrameRect(HDC dc, const RECT& rect, int flags);
    virtual void DrawFrame(HDC dc, int left, int top, int right, int bottom, int flags);
    virtual void DrawTriangle(HDC dc, int x, int y, int kind, int size, COLORREF penColor,
                              COLORREF fillColor);
};
