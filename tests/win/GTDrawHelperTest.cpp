// The frame and triangle drawing, rendered into a DIB and read back pixel by pixel.
#include "color/GTDrawHelper.h"

#include <gtest/gtest.h>

namespace {

// A 40 x 40 top-down 32-bit DIB filled with a marker color.
class Canvas {
public:
    static constexpr int kSize = 40;
    static constexpr COLORREF kBackground = RGB(1, 2, 3);

    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 32, BI_RGB};
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        for (int i = 0; i < kSize * kSize; ++i) {
            bits[i] = 0x00010203; // RGB(1, 2, 3) as 0x00RRGGBB
        }
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) {
        GdiFlush();
        DWORD p = bits[y * kSize + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    bool Untouched() {
        GdiFlush();
        for (int i = 0; i < kSize * kSize; ++i) {
            if (bits[i] != 0x00010203) {
                return false;
            }
        }
        return true;
    }

    HDC dc;

private:
    HBITMAP bitmap;
    HGDIOBJ old;
    DWORD* bits = nullptr;
};

TEST(GTDrawHelperTest, FrameIsLitTopLeftShadedBottomRightWithABlackInnerRectangle) {
    Canvas canvas;
    GTDrawHelper().DrawFrame(canvas.dc, 5, 6, 30, 32, 5);
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(canvas.At(5, 20), light);        // left edge
    EXPECT_EQ(canvas.At(15, 6), light);        // top edge
    EXPECT_EQ(canvas.At(30, 6), light);        // the top line runs to right + 1
    EXPECT_EQ(canvas.At(15, 32), shadow);      // bottom edge
    EXPECT_EQ(canvas.At(30, 20), shadow);      // right edge
    EXPECT_EQ(canvas.At(6, 20), RGB(0, 0, 0)); // inner rectangle, one pixel inside
    EXPECT_EQ(canvas.At(15, 7), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(29, 20), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(15, 31), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(15, 20), Canvas::kBackground); // the inside stays unfilled
}

TEST(GTDrawHelperTest, SunkenFrameSwapsTheEdgesAndNoInnerRectangleWithoutFlagFour) {
    Canvas canvas;
    GTDrawHelper().DrawFrameRect(canvas.dc, RECT{5, 6, 30, 32}, 2);
    EXPECT_EQ(canvas.At(5, 20), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(30, 20), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(6, 20), Canvas::kBackground);
}

TEST(GTDrawHelperTest, TrianglePointingLeftFillsBetweenItsCorners) {
    Canvas canvas;
    GTDrawHelper().DrawTriangle(canvas.dc, 20, 30, 1, 6, RGB(200, 0, 0), RGB(0, 0, 200));
    // Corners (20, 30), (25, 35), (25, 25): the tip and the middle of the far edge are drawn.
    EXPECT_EQ(canvas.At(20, 30), RGB(200, 0, 0));
    EXPECT_EQ(canvas.At(25, 30), RGB(200, 0, 0));
    EXPECT_EQ(canvas.At(23, 30), RGB(0, 0, 200)); // filled inside
    EXPECT_EQ(canvas.At(18, 30), Canvas::kBackground);
    EXPECT_EQ(canvas.At(21, 34), Canvas::kBackground);
}

TEST(GTDrawHelperTest, UnknownTriangleKindsDrawNothing) {
    Canvas canvas;
    GTDrawHelper().DrawTriangle(canvas.dc, 20, 20, 0, 6, RGB(200, 0, 0), RGB(0, 0, 200));
    GTDrawHelper().DrawTriangle(canvas.dc, 20, 20, 9, 6, RGB(200, 0, 0), RGB(0, 0, 200));
    EXPECT_TRUE(canvas.Untouched());
}

} // namespace
