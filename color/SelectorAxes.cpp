#include "color/SelectorAxes.h"

#include <cmath>

namespace {

// Wide argument: sums like pos + delta or maxPos - value cannot overflow.
int ClampInt(long long value, int low, int high) noexcept {
    return value < low ? low : (value > high ? high : static_cast<int>(value));
}

} // namespace

std::optional<SelectorAxes> AxesForMode(int modeIndex) noexcept {
    if (!IsValidModeIndex(modeIndex))
        return std::nullopt;
    return kSelectorAxes[modeIndex];
}

Color ColorFromPosition(int modeIndex, int x, int y, int z) noexcept {
    if (!IsValidModeIndex(modeIndex))
        return 0;
    const SelectorAxes& axes = kSelectorAxes[modeIndex];
    switch (modeIndex) {
    case ModeRed:
        return MakeColor(z, y, x);
    case ModeGreen:
        return MakeColor(y, z, x);
    case ModeBlue:
        return MakeColor(x, y, z);
    case ModeHue:
        return ColorMath::HsbToColor(z / 10.0, static_cast<double>(x) / axes.xMax,
                                     static_cast<double>(y) / axes.yMax);
    case ModeSaturation:
        return ColorMath::HsbToColor(x / 10.0, z / 1000.0, static_cast<double>(y) / axes.yMax);
    default: // ModeBrightness
        return ColorMath::HsbToColor(x / 10.0, static_cast<double>(y) / axes.yMax, z / 1000.0);
    }
}

SelectorPosition PositionFromHsb(int modeIndex, double hue, double saturation, double brightness) noexcept {
    switch (modeIndex) {
    case ModeHue:
        return {SaturationToThousandths(saturation), BrightnessToThousandths(brightness), HueToTenths(hue)};
    case ModeSaturation:
        return {HueToTenths(hue), BrightnessToThousandths(brightness), SaturationToThousandths(saturation)};
    case ModeBrightness:
        return {HueToTenths(hue), SaturationToThousandths(saturation), BrightnessToThousandths(brightness)};
    default:
        return PositionFromColor(modeIndex, ColorMath::HsbToColor(hue, saturation, brightness));
    }
}

SelectorPosition PositionFromColor(int modeIndex, Color color) noexcept {
    const int r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
    switch (modeIndex) {
    case ModeRed:
        return {b, g, r};
    case ModeGreen:
        return {b, r, g};
    case ModeBlue:
        return {r, g, b};
    case ModeHue:
    case ModeSaturation:
    case ModeBrightness: {
        double hue = 0.0, saturation = 0.0, brightness = 0.0;
        ColorMath::RgbToHsb(r / 255.0, g / 255.0, b / 255.0, hue, saturation, brightness);
        return PositionFromHsb(modeIndex, hue, saturation, brightness);
    }
    default:
        return {0, 0, 0};
    }
}

bool SelectorAcceptsZ(int modeIndex, int value) noexcept {
    if (!IsValidModeIndex(modeIndex))
        return false;
    return value >= 0 && value <= kSelectorAxes[modeIndex].zMax;
}

SelectorGeometry ComputeSelectorGeometry(int clientWidth, int clientHeight) noexcept {
    SelectorGeometry g{};
    g.client = {0, 0, clientWidth, clientHeight};
    g.inner = {3, 3, clientWidth - 3, clientHeight - 3};
    g.hit = g.inner;
    return g;
}

SelectorXY SelectorPositionFromPoint(Point mouse, Rect inner, int xMax, int yMax) noexcept {
    const int px = mouse.x < inner.left ? inner.left : (mouse.x > inner.right ? inner.right : mouse.x);
    const int py = mouse.y < inner.top ? inner.top : (mouse.y > inner.bottom ? inner.bottom : mouse.y);
    const int width = inner.right - inner.left;
    const int height = inner.bottom - inner.top;
    // Zero extent: 0 on that axis (no division by zero). The int16 conversion is modular (C++20).
    const int x = width > 0 ? CeilToInt(static_cast<double>(px - inner.left) * xMax / width) : 0;
    const int y = height > 0 ? CeilToInt(static_cast<double>(inner.bottom - py) * yMax / height) : 0;
    return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
}

Point SelectorMarkerCentre(Rect inner, int x, int y, int xMax, int yMax) noexcept {
    const long long width = inner.right - inner.left;
    const long long height = inner.bottom - inner.top;
    const long long dx = xMax != 0 ? width * x / xMax : 0; // axis maximum 0: no division
    const long long dy = yMax != 0 ? height * y / yMax : 0;
    return {static_cast<int>(inner.left + dx), static_cast<int>(inner.bottom - dy)};
}

std::optional<SelectorXY> SelectorKeyPosition(int virtualKey, SelectorXY current, int xMax,
                                              int yMax) noexcept {
    SelectorXY next = current;
    switch (virtualKey) {
    case KeyPageUp:
        next = {xMax, yMax};
        break;
    case KeyPageDown:
        next = {xMax, 0};
        break;
    case KeyEnd:
        next = {0, 0};
        break;
    case KeyHome:
        next = {0, yMax};
        break;
    case KeyLeft:
        next.x = ClampInt(current.x - 1LL, 0, xMax);
        break;
    case KeyUp:
        next.y = ClampInt(current.y + 1LL, 0, yMax);
        break;
    case KeyRight:
        next.x = ClampInt(current.x + 1LL, 0, xMax);
        break;
    case KeyDown:
        next.y = ClampInt(current.y - 1LL, 0, yMax);
        break;
    default:
        return std::nullopt;
    }
    next.x = ClampInt(next.x, 0, xMax);
    next.y = ClampInt(next.y, 0, yMax);
    if (next == current)
        return std::nullopt;
    return next;
}

std::optional<SliderRange> SliderRangeForMode(int modeIndex) noexcept {
    if (!IsValidModeIndex(modeIndex))
        return std::nullopt;
    return kSliderRanges[modeIndex];
}

int SliderPositionForValue(std::int32_t modeCode, int value, int minPos, int maxPos) noexcept {
    const long long target = HasSelectorModeFlag(modeCode) ? static_cast<long long>(maxPos) - value : value;
    return minPos < maxPos ? ClampInt(target, minPos, maxPos) : ClampInt(target, maxPos, minPos);
}

int SliderPositionFromCoordinate(int coordinate, int rampFirst, int rampLast, int minPos,
                                 int maxPos) noexcept {
    const int c = coordinate < rampFirst ? rampFirst : (coordinate > rampLast ? rampLast : coordinate);
    const int e = c - rampFirst;
    const int f = rampLast - rampFirst;
    if (f <= 0)
        return minPos; // zero (or inverted) extent: no division by zero
    const double share = static_cast<double>(e) / f * (maxPos - minPos);
    return minPos + TruncToInt(minPos < maxPos ? share + 0.5 : share - 0.5);
}

int SliderPositionFromPoint(Point mouse, Rect ramp, bool horizontal, int minPos, int maxPos) noexcept {
    return horizontal ? SliderPositionFromCoordinate(mouse.x, ramp.left, ramp.right, minPos, maxPos)
                      : SliderPositionFromCoordinate(mouse.y, ramp.top, ramp.bottom, minPos, maxPos);
}

std::optional<int> SliderKeyPosition(int virtualKey, int pos, const SliderRange& range) noexcept {
    int r = pos;
    int delta = 0;
    switch (virtualKey) {
    case KeyPageUp:
        delta = -range.pageStep;
        break;
    case KeyPageDown:
        delta = range.pageStep;
        break;
    case KeyEnd:
        r = range.maxPos;
        break;
    case KeyHome:
        r = range.minPos;
        break;
    case KeyRight:
    case KeyDown:
        delta = range.smallStep;
        break;
    case KeyLeft:
    case KeyUp:
        delta = -range.smallStep;
        break;
    default:
        return std::nullopt;
    }
    if (range.minPos < range.maxPos)
        r = ClampInt(static_cast<long long>(r) + delta, range.minPos, range.maxPos);
    else
        r = ClampInt(static_cast<long long>(r) - delta, range.maxPos, range.minPos);
    if (r == pos)
        return std::nullopt;
    return r;
}

int SliderPointerOffset(int pos, int minPos, int maxPos, int rampExtent) noexcept {
    if (maxPos == minPos)
        return 0; // empty range: no division by zero
    const double t = static_cast<double>(pos - minPos) / (maxPos - minPos);
    return TruncToInt(t * rampExtent);
}

SliderGeometry ComputeSliderGeometry(int clientWidth, int clientHeight, std::uint32_t styleFlags,
                                     int arrowSize) noexcept {
    SliderGeometry g{};
    g.client = {0, 0, clientWidth, clientHeight};
    g.hit = {2, 2, clientWidth - 3, clientHeight - 1};
    g.frame = g.hit;
    const bool horizontal = (styleFlags & SliderHorizontal) != 0;
    if (horizontal) {
        if (styleFlags & SliderArrowTopLeft)
            g.frame.top += arrowSize + 1;
        if (styleFlags & SliderArrowBottomRight)
            g.frame.bottom -= arrowSize + 1;
        g.frame.left += arrowSize - 3;
        g.frame.right -= arrowSize - 3;
    } else {
        if (styleFlags & SliderArrowTopLeft)
            g.frame.left += arrowSize + 1;
        if (styleFlags & SliderArrowBottomRight)
            g.frame.right -= arrowSize + 1;
        g.frame.top += arrowSize - 3;
        g.frame.bottom -= arrowSize - 3;
    }
    g.ramp = {g.frame.left + 2, g.frame.top + 2, g.frame.right - 2, g.frame.bottom - 2};
    g.rampLength = horizontal ? g.ramp.right - g.ramp.left + 1 : g.ramp.bottom - g.ramp.top + 1;
    return g;
}
