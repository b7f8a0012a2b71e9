#include "color/FieldRenderer.h"

#include <cstddef>

namespace {

constexpr int kShift = ColorMath::FixedShift;

// True when the inclusive rectangle lies inside a width x height bitmap.
bool InsideBitmap(const Rect& r, int width, int height) noexcept {
    return r.left >= 0 && r.top >= 0 && r.left <= r.right && r.top <= r.bottom && r.right < width &&
           r.bottom < height;
}

// Three 12.20 channel values, red, green, blue.
struct FixedColor {
    int channel[3];
};

FixedColor Corner(int fixedChannel, int z, int xChannel, bool xFull, int yChannel, bool yFull) noexcept {
    FixedColor corner{};
    corner.channel[fixedChannel] = (z & 0xFF) << kShift;
    if (xFull) {
        corner.channel[xChannel] = 255 << kShift;
    }
    if (yFull) {
        corner.channel[yChannel] = 255 << kShift;
    }
    return corner;
}

// The RGB modes interpolate bilinearly between the field's four corners: the edge colors climb from
// the bottom corners to the top ones row by row, and each row runs from its left edge color to its
// right one. All steps are truncating integer divisions in 12.20.
void RenderRgbField(Pixel* firstRow, std::ptrdiff_t pitch, int columns, int rows, int modeIndex,
                    int z) noexcept {
    // Which channel is fixed, and which ones the x and y axes carry.
    static constexpr int kChannels[3][3] = {{0, 2, 1}, {1, 2, 0}, {2, 0, 1}};
    const int fixed = kChannels[modeIndex][0], xAxis = kChannels[modeIndex][1],
              yAxis = kChannels[modeIndex][2];
    FixedColor left = Corner(fixed, z, xAxis, false, yAxis, false);
    FixedColor right = Corner(fixed, z, xAxis, true, yAxis, false);
    const FixedColor topLeft = Corner(fixed, z, xAxis, false, yAxis, true);
    const FixedColor topRight = Corner(fixed, z, xAxis, true, yAxis, true);

    // A single row or column does not step.
    FixedColor leftStep{}, rightStep{};
    for (int c = 0; c < 3 && rows > 1; ++c) {
        leftStep.channel[c] = (topLeft.channel[c] - left.channel[c]) / (rows - 1);
        rightStep.channel[c] = (topRight.channel[c] - right.channel[c]) / (rows - 1);
    }
    Pixel* row = firstRow;
    for (int k = 0; k < rows; ++k, row += pitch) {
        FixedColor step{};
        for (int c = 0; c < 3 && columns > 1; ++c) {
            step.channel[c] = (right.channel[c] - left.channel[c]) / (columns - 1);
        }
        WriteFixedRamp(row, columns, left.channel[0], left.channel[1], left.channel[2], step.channel[0],
                       step.channel[1], step.channel[2]);
        for (int c = 0; c < 3; ++c) {
            left.channel[c] += leftStep.channel[c];
            right.channel[c] += rightStep.channel[c];
        }
    }
}

} // namespace

bool RenderField(Pixel* bits, int bitmapWidth, int bitmapHeight, Rect inner, int modeIndex, int z) noexcept {
    if (bits == nullptr || !IsValidModeIndex(modeIndex) || !InsideBitmap(inner, bitmapWidth, bitmapHeight))
        return false;
    const int columns = inner.right - inner.left + 1;
    const int rows = inner.bottom - inner.top + 1;
    const std::ptrdiff_t pitch = bitmapWidth;
    // Bottom-up: screen row r is memory row (height - 1 - r); one row up on screen is +pitch.
    Pixel* row = bits + static_cast<std::ptrdiff_t>(bitmapHeight - 1 - inner.bottom) * pitch + inner.left;

    if (IsRgbMode(modeIndex)) {
        RenderRgbField(row, pitch, columns, rows, modeIndex, z);
        return true;
    }

    const double dt = rows > 1 ? 1.0 / (rows - 1) : 0.0; // single row: t stays 0
    ColorMath::HueSegments segments;
    ColorMath::HueSegmentLengths(columns, segments);
    double t = 0.0;
    switch (modeIndex) {
    case ModeHue: {
        const double hue = z / 10.0;
        for (int k = 0; k < rows; ++k, row += pitch, t += dt)
            ColorMath::FillSaturationRow(row, columns, hue, t);
        break;
    }
    case ModeSaturation: {
        const double saturation = z / 1000.0;
        for (int k = 0; k < rows; ++k, row += pitch, t += dt)
            ColorMath::FillHueRow(row, segments, saturation, t);
        break;
    }
    default: { // ModeBrightness
        const double brightness = z / 1000.0;
        for (int k = 0; k < rows; ++k, row += pitch, t += dt)
            ColorMath::FillHueRow(row, segments, t, brightness);
        break;
    }
    }
    return true;
}

void RenderRamp(Pixel* ramp, int length, int modeIndex, int fixedFirst, int fixedSecond,
                bool reverse) noexcept {
    if (ramp == nullptr || length <= 0)
        return;
    const int a = fixedFirst, b = fixedSecond;
    switch (modeIndex) {
    case ModeRed:
        ColorMath::FillTwoColorRow(ramp, length, MakeColor(0, a, b), MakeColor(255, a, b));
        break;
    case ModeGreen:
        ColorMath::FillTwoColorRow(ramp, length, MakeColor(a, 0, b), MakeColor(a, 255, b));
        break;
    case ModeBlue:
        ColorMath::FillTwoColorRow(ramp, length, MakeColor(b, a, 0), MakeColor(b, a, 255));
        break;
    case ModeHue:
        ColorMath::FillHueRow(ramp, length, a / 1000.0, b / 1000.0);
        break;
    case ModeSaturation:
        ColorMath::FillSaturationRow(ramp, length, a / 10.0, b / 1000.0);
        break;
    case ModeBrightness:
        ColorMath::FillBrightnessRow(ramp, length, a / 10.0, b / 1000.0);
        break;
    default:
        return;
    }
    if (reverse)
        ColorMath::ReverseRow(ramp, length);
}

bool SliderRampReversed(std::uint32_t styleFlags, std::int32_t modeCode) noexcept {
    const bool flagged = HasSelectorModeFlag(modeCode);
    return ((styleFlags & SliderVertical) != 0 && !flagged) ||
           ((styleFlags & SliderHorizontal) != 0 && flagged);
}

bool WriteRampToBitmap(Pixel* bits, int bitmapWidth, int bitmapHeight, Rect rampRect, const Pixel* ramp,
                       int rampLength, bool horizontal) noexcept {
    if (bits == nullptr || ramp == nullptr || !InsideBitmap(rampRect, bitmapWidth, bitmapHeight))
        return false;
    const int columns = rampRect.right - rampRect.left + 1;
    const int rows = rampRect.bottom - rampRect.top + 1;
    if (rampLength != (horizontal ? columns : rows))
        return false;
    const std::ptrdiff_t pitch = bitmapWidth;
    Pixel* row =
        bits + static_cast<std::ptrdiff_t>(bitmapHeight - 1 - rampRect.bottom) * pitch + rampRect.left;
    for (int k = 0; k < rows; ++k, row += pitch) {
        if (horizontal)
            ColorMath::CopyRun(row, ramp, columns);
        else
            ColorMath::FillRun(row, ramp[k], columns);
    }
    return true;
}

std::optional<std::array<Point, 3>> TriangleCorners(int x, int y, int kind, int size) noexcept {
    const int c = size - 1;
    const Point tip{x, y};
    switch (kind) {
    case TrianglePointsLeft:
        return std::array<Point, 3>{tip, Point{x + c, y + c}, Point{x + c, y - c}};
    case TrianglePointsUp:
        return std::array<Point, 3>{tip, Point{x + c, y + c}, Point{x - c, y + c}};
    case TrianglePointsRight:
        return std::array<Point, 3>{tip, Point{x - c, y - c}, Point{x - c, y + c}};
    case TrianglePointsDown:
        return std::array<Point, 3>{tip, Point{x - c, y - c}, Point{x + c, y - c}};
    case TriangleLowerRight:
        return std::array<Point, 3>{tip, Point{x + c, y}, Point{x, y + c}};
    case TriangleUpperRight:
        return std::array<Point, 3>{tip, Point{x + c, y}, Point{x, y - c}};
    case TriangleLowerLeft:
        return std::array<Point, 3>{tip, Point{x - c, y}, Point{x, y + c}};
    case TriangleUpperLeft:
        return std::array<Point, 3>{tip, Point{x - c, y}, Point{x, y - c}};
    default:
        return std::nullopt;
    }
}
