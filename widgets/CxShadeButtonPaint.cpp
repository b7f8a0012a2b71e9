// Drawing of the shaded button: the prepared faces, icons, border, focus dots and text, composed in
// a memory bitmap and copied to the screen in one transfer.
#include "widgets/CxShadeButton.h"

#include "framework/ContrastTheme.h"
#include "framework/DcGuards.h"
#include "framework/FocusCue.h"
#include "framework/OffscreenCanvas.h"

namespace {

void FillFace(HDC dc, const RECT& rect) {
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
}

void FillLine(HDC dc, int x, int y, int width, int height, COLORREF color) {
    RECT line{x, y, x + width, y + height};
    UniqueBrush brush(CreateSolidBrush(color));
    FillRect(dc, &line, brush.Get());
}

// One-pixel frame: top and left edges in one color, bottom and right in the other.
void Draw3dRect(HDC dc, const RECT& rect, COLORREF topLeft, COLORREF bottomRight) {
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    FillLine(dc, rect.left, rect.top, width - 1, 1, topLeft);
    FillLine(dc, rect.left, rect.top, 1, height - 1, topLeft);
    FillLine(dc, rect.right - 1, rect.top, 1, height, bottomRight);
    FillLine(dc, rect.left, rect.bottom - 1, width, 1, bottomRight);
}

void DrawBitmap(HDC dc, const ShadeBitmap& bitmap, int x, int y) {
    SetStretchBltMode(dc, COLORONCOLOR);
    SetDIBitsToDevice(dc, x, y, bitmap.Width(), bitmap.Height(), 0, 0, 0, bitmap.Height(), bitmap.Bits(),
                      static_cast<const BITMAPINFO*>(bitmap.Info()), DIB_RGB_COLORS);
}

void DrawIconAt(HDC dc, HICON icon, const RECT& rect, int shift) {
    if (icon) {
        DrawIconEx(dc, rect.left + shift, rect.top + shift, icon, rect.right - rect.left,
                   rect.bottom - rect.top, 0, nullptr, DI_NORMAL);
    }
}

} // namespace

// Under a contrast theme every face but a box's is the plain button face: a texture is no chrome.
void CxShadeButton::DrawFace(HDC dc, const RECT& item, const ShadeBitmap& face, int offset) const {
    if (face.IsEmpty() || (ContrastThemeOn() && !paletteBox)) {
        FillFace(dc, item);
        return;
    }
    DrawBitmap(dc, face, offset, offset);
}

void CxShadeButton::DrawFocusLines(HDC dc, RECT rect) {
    InflateRect(&rect, -focusMargin, -focusMargin);
    const ShadeFaces& lines = faces.Plain();
    if (!lines.focusHorizontal.IsEmpty()) {
        DrawBitmap(dc, lines.focusHorizontal, rect.left + 1, rect.top);
        DrawBitmap(dc, lines.focusHorizontal, rect.left + 1, rect.bottom);
    }
    if (!lines.focusVertical.IsEmpty()) {
        DrawBitmap(dc, lines.focusVertical, rect.left, rect.top + 1);
        DrawBitmap(dc, lines.focusVertical, rect.right, rect.top + 1);
    }
}

RECT CxShadeButton::TextRect(const RECT& item) const {
    RECT text = item;
    text.left += focusMargin + 2;
    text.right -= focusMargin + 2;
    if (!icon) {
        return text;
    }
    int iconWidth = iconRect.right - iconRect.left;
    if (iconAlign == BS_LEFT) {
        text.left += iconWidth;
    } else if (iconAlign == BS_RIGHT) {
        text.right -= iconWidth;
    } else {
        text.top = iconRect.bottom;
        text.bottom -= focusMargin + 1;
    }
    return text;
}

void CxShadeButton::DrawItem(const DRAWITEMSTRUCT& item) {
    // The state change repaints.
    if (FollowPressWithCursor()) {
        return;
    }

    RECT rect = item.rcItem;
    OffscreenCanvas canvas(item.hDC, rect);
    if (!canvas) {
        return;
    }
    HDC dc = canvas.Get();
    SetBkMode(dc, TRANSPARENT);
    SelectObjectGuard selectedFont(dc, font ? static_cast<HGDIOBJ>(font.Get())
                                            : GetStockObject(DEFAULT_GUI_FONT));

    RECT text = TextRect(rect);
    std::wstring caption(static_cast<size_t>(GetWindowTextLengthW(Hwnd())) + 1, L'\0');
    caption.resize(
        static_cast<size_t>(GetWindowTextW(Hwnd(), caption.data(), static_cast<int>(caption.size()))));
    auto drawText = [&](RECT where) {
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &where, textFormat);
    };

    if (item.itemState & ODS_DISABLED) {
        DrawFace(dc, rect, faces.Plain().normal, 0);
        if (icon) {
            DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, iconRect.left, iconRect.top,
                       0, 0, DST_ICON | DSS_DISABLED);
        }
        if (border && !flat) {
            DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
        }
        ::SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        drawText(text);
        OffsetRect(&text, -1, -1);
        ::SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        bool pressed = (item.itemState & ODS_SELECTED) || checked;
        RECT focusRect = rect;
        if (pressed) {
            DrawFace(dc, rect, faces.Hover(), static_cast<int>(border));
            DrawIconAt(dc, PressedIcon(), iconRect, pushLike ? 1 : 0);
            if (pushLike) {
                OffsetRect(&text, 1, 1);
            }
            if (border && flat) {
                Draw3dRect(dc, rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
            } else if (border) {
                DrawEdge(dc, &rect, EDGE_SUNKEN, BF_RECT);
            }
        } else {
            DrawFace(dc, rect, hovering && !faces.Hover().IsEmpty() ? faces.Hover() : faces.Plain().normal,
                     0);
            DrawIconAt(dc, hovering ? HoverIcon() : icon, iconRect, 0);
            if (border && (hovering || !flat)) {
                if (item.itemState & ODS_DEFAULT) {
                    DrawEdge(dc, &focusRect, EDGE_SUNKEN, BF_RECT);
                    InflateRect(&focusRect, -1, -1);
                    DrawEdge(dc, &focusRect, EDGE_RAISED, BF_RECT);
                } else if (flat) {
                    Draw3dRect(dc, rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
                } else {
                    DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
                }
            }
        }
        if (paletteBox && (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
            RECT inside = rect;
            InflateRect(&inside, -focusMargin, -focusMargin);
            FocusCue::DrawFocusBorder(dc, inside);
        } else if ((item.itemState & ODS_FOCUS) && focusMargin > 0) {
            DrawFocusLines(dc, focusRect);
        }
        ::SetTextColor(dc, ContrastThemeOn() && !paletteBox ? GetSysColor(COLOR_BTNTEXT) : textColor);
    }
    drawText(text);
    accessibility.FrameDrawn(Hwnd());
}
