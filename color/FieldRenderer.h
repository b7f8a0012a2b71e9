// Pixel generation of the color field and of the color slider's ramp, plus the corner table of
// the slider pointer triangle. Writes into caller-owned 32-bit
// bottom-up DIB memory (0x00RRGGBB pixels, memory row 0 = bottom screen row);
// never allocates, never draws through a graphics API.
#pragma once

#include "color/ColorMath.h"
#include "color/Geometry.h"
#include "color/SelectorAxes.h"

#include <array>
#include <cstdint>
#include <optional>

// Regenerates the inner field (columns inner.left..inner.right and rows
// inner.top..inner.bottom, both inclusive, in screen coordinates) of a
// bitmapWidth x bitmapHeight bottom-up bitmap for the mode index and the fixed
// component z, starting at the bottom row; row k from the bottom has
// t = k / (rows - 1), accumulated per row in doubles (t = 0 for a single row).
// Pixels outside the inner field are not touched. Returns false, writing
// nothing, when bits is null, the mode index is outside 0..5 or the inner
// field does not lie inside the bitmap. In the Hue mode a z of 3600 or more
// (hue 360) writes nothing, as FillSaturationRow does for sector 6.
bool RenderField(Pixel* bits, int bitmapWidth, int bitmapHeight, Rect inner, int modeIndex, int z) noexcept;

// One slider ramp of `length` pixels from component value 0 at the first pixel
// to the maximum at the last, through the two other components (fixedFirst a,
// fixedSecond b; see SliderFixedFromSelector), reversed when `reverse`.
// Red (0,a,b)->(255,a,b); Green (a,0,b)->(a,255,b); Blue (b,a,0)->(b,a,255);
// Hue FillHueRow(a/1000, b/1000); Saturation FillSaturationRow(a/10, b/1000);
// Brightness FillBrightnessRow(a/10, b/1000). Other mode indexes write nothing.
void RenderRamp(Pixel* ramp, int length, int modeIndex, int fixedFirst, int fixedSecond,
                bool reverse) noexcept;

// The ramp is reversed when SliderVertical is set and the mode code lacks the
// 0x80 bit, or when SliderHorizontal is set and the code has it.
bool SliderRampReversed(std::uint32_t styleFlags, std::int32_t modeCode) noexcept;

// Writes a ramp into the bitmap over rampRect (edges inclusive, screen
// coordinates), starting at the row of rampRect.bottom and moving up:
// horizontal sliders copy the whole ramp into every row (CopyRun), vertical
// sliders fill each row with one ramp pixel, the first ramp pixel on the
// bottom row (FillRun). Returns false, writing nothing, when the rectangle is
// not inside the bitmap or rampLength does not match the rectangle's
// length along the ramp.
bool WriteRampToBitmap(Pixel* bits, int bitmapWidth, int bitmapHeight, Rect rampRect, const Pixel* ramp,
                       int rampLength, bool horizontal) noexcept;

// Triangle kinds of GTDrawHelper::DrawTriangle (tip at (x, y)).
enum TriangleKind : int {
    TrianglePointsLeft = 1,
    TrianglePointsUp = 2,
    TrianglePointsRight = 3,
    TrianglePointsDown = 4,
    TriangleLowerRight = 5,
    TriangleUpperRight = 6,
    TriangleLowerLeft = 7,
    TriangleUpperLeft = 8,
};

// Corners P0 = (x, y), P1, P2 for kinds 1..8 with c = size - 1; nullopt for
// any other kind (DrawTriangle then draws nothing).
std::optional<std::array<Point, 3>> TriangleCorners(int x, int y, int kind, int size) noexcept;
