// Portable color arithmetic: HSB <-> RGB conversions, rounding rules, shade and blend formulas
// and the fixed-point row generators of the color field and the slider. Pure standard C++; the
// Win32 class GTDrawHelper derives from ColorMath and adds the GDI drawing members.
#pragma once

#include <climits>
#include <cmath>
#include <cstdint>

// 0x00BBGGRR: red in the low byte, high byte 0 (the Win32 COLORREF layout).
using Color = std::uint32_t;
// 0x00RRGGBB: blue in the low byte, high byte 0 (32-bit DIB pixel order).
using Pixel = std::uint32_t;

constexpr Color MakeColor(int red, int green, int blue) noexcept {
    return static_cast<Color>(red & 0xFF) | (static_cast<Color>(green & 0xFF) << 8) |
           (static_cast<Color>(blue & 0xFF) << 16);
}
constexpr int RedOf(Color color) noexcept {
    return static_cast<int>(color & 0xFF);
}
constexpr int GreenOf(Color color) noexcept {
    return static_cast<int>((color >> 8) & 0xFF);
}
constexpr int BlueOf(Color color) noexcept {
    return static_cast<int>((color >> 16) & 0xFF);
}

constexpr Pixel MakePixel(int red, int green, int blue) noexcept {
    return (static_cast<Pixel>(red & 0xFF) << 16) | (static_cast<Pixel>(green & 0xFF) << 8) |
           static_cast<Pixel>(blue & 0xFF);
}
constexpr Pixel ColorToPixel(Color color) noexcept {
    return MakePixel(RedOf(color), GreenOf(color), BlueOf(color));
}

// Double -> int conversions without undefined behaviour: NaN gives 0, values
// beyond the int range saturate. Inside the range they equal the plain cast
// (truncation toward zero) and ceil respectively.
inline int TruncToInt(double value) noexcept {
    if (!(value == value))
        return 0; // NaN
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    return static_cast<int>(value);
}
inline int CeilToInt(double value) noexcept {
    return TruncToInt(std::ceil(value));
}

// Control scales: hue in tenths of a degree, saturation
// and brightness in thousandths. Doubles -> integers use the ceiling, no -0.5
// (a hue above 359.9 degrees gives 3600).
inline int HueToTenths(double hueDegrees) noexcept {
    return CeilToInt(hueDegrees * 10.0);
}
inline int SaturationToThousandths(double saturation) noexcept {
    return CeilToInt(saturation * 1000.0);
}
inline int BrightnessToThousandths(double brightness) noexcept {
    return CeilToInt(brightness * 1000.0);
}

// A channel double (0..1) -> byte: ceil(c * 255 - 0.5) modulo 256
// (nearest, an exact half going down: 0.5 gives 127).
inline int ChannelToByte(double channel) noexcept {
    return CeilToInt(channel * 255.0 - 0.5) & 0xFF;
}

// Stateless; every member is static. GTDrawHelper (Win32) derives from it, so
// GTDrawHelper::HsbToRgb etc. resolve to these.
struct ColorMath {
    // 12.20 fixed point: channel c (0..255) is held as c << 20.
    static constexpr int FixedShift = 20;
    static constexpr int FixedFullScale = 255 << FixedShift; // 267386880

    // 0, or -1 when an input is out of range (outputs untouched). NaN is not
    // rejected; a NaN hue is treated as sector 0 with fraction 0.
    static int HsbToRgb(double hue, double saturation, double brightness, double& red, double& green,
                        double& blue) noexcept;
    // Color of the triple; 0 (black) when HsbToRgb fails.
    static Color HsbToColor(double hue, double saturation, double brightness) noexcept;
    // 0, or -1 when a channel is outside [0, 1] (outputs untouched).
    static int RgbToHsb(double red, double green, double blue, double& hue, double& saturation,
                        double& brightness) noexcept;

    // Row generators: write `count` pixels (0x00RRGGBB) into a caller-owned row.
    // Out-of-range input is made safe: count <= 0 writes nothing;
    // rows shorter than the minimum (2, 12, 1) are written in full without
    // division by zero and never past count; saturation and brightness are
    // clamped to [0, 1] (NaN -> 0), which changes nothing inside the range;
    // a negative or NaN hue writes nothing, like a sector above 5.
    static void FillTwoColorRow(Pixel* row, int count, Color start, Color end) noexcept;
    static void FillHueRow(Pixel* row, int count, double saturation, double brightness) noexcept;
    // The six segment lengths of a hue row depend on its length only; a caller filling many rows of
    // one length works them out once.
    using HueSegments = int[6];
    static void HueSegmentLengths(int count, HueSegments& lengths) noexcept;
    static void FillHueRow(Pixel* row, const HueSegments& lengths, double saturation,
                           double brightness) noexcept;
    static void FillSaturationRow(Pixel* row, int count, double hue, double brightness) noexcept;
    static void FillBrightnessRow(Pixel* row, int count, double hue, double saturation) noexcept;

    static Pixel* FillRun(Pixel* cursor, Pixel pixel, int count) noexcept;
    static Pixel* CopyRun(Pixel* cursor, const Pixel* source, int count) noexcept;
    static void ReverseRow(Pixel* row, int count) noexcept;
};

// The inner loop shared by every generator (and the color field's RGB modes):
// writes `count` pixels whose 12.20 channels start at (red, green, blue) and
// add the steps after each pixel; returns the cursor past them. No floating
// point, no division. count <= 0 writes nothing.
Pixel* WriteFixedRamp(Pixel* row, int count, int red, int green, int blue, int redStep, int greenStep,
                      int blueStep) noexcept;

// Scales the component of `modeIndex` (0 Red .. 5 Brightness) by
// (100 - percent) / 100; any other mode index returns the color unchanged.
Color ShadeColor(int modeIndex, Color color, double percent) noexcept;
// Each channel = trunc(first * a + second * (1 - a)), a = percentOfFirst / 100.
Color BlendColors(Color first, Color second, double percentOfFirst) noexcept;
