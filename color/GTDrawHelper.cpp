#include "color/GTDrawHelper.h"

#include "color/FieldRenderer.h"
#include "framework/DcGuards.h"
#include "framework/UniqueHandle.h"

void GTDrawHelper::DrawFrameRect(HDC dc, const RECT& rect, int flags) {
    DrawFrame(dc, rect.left, rect.top, rect.right, rect.bottom, flags);
}

void GTDrawHelper::DrawFrame(HDC dc, int left, int top, int right, int bottom, int flags) {
    UniquePen shadow(CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNSHADOW)));
    UniquePen highlight(CreatePen(PS_SOLID, 0, GetSysColor(COLOR_BTNHIGHLIGHT)));
    bool sunken = (flags & kFrameSunken) != 0;
    SelectObjectGuard pen(dc, sunken ? shadow.Get() : highlight.Get());
    MoveToEx(dc, left, bottom, nullptr);
    LineTo(dc, left, top);
    LineTo(dc, right + 1, top);

    SelectObject(dc, sunken ? highlight.Get() : shadow.Get());
    MoveToEx(dc, left + 1, bottom, nullptr);
    LineTo(dc, right, bottom);
    LineTo(dc, right, top);

    SelectObject(dc, GetStockObject(BLACK_PEN));
    if (flags & kFrameInnerBlack) {
        SelectObjectGuard brush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, left + 1, top + 1, right, bottom);
    }
}

void GTDrawHelper::DrawTriangle(HDC dc, int x, int y, int kind, int size, COLORREF penColor,
                                COLORREF fillColor) {
    auto corners = TriangleCorners(x, y, kind, size);
    if (!corners) {
        return;
    }
    POINT points[3];
    for (int i = 0; i < 3; ++i) {
        points[i] = POINT{(*corners)[i].x, (*corners)[i].y};
    }
    UniquePen pen(CreatePen(PS_SOLID, 0, penColor));
    UniqueBrush brush(CreateSolidBrush(fillColor));
    SelectObjectGuard selectedPen(dc, pen.Get());
    SelectObjectGuard selectedBrush(dc, brush.Get());
    Polygon(dc, points, 3);
}
