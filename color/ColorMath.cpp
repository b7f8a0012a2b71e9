#include "color/ColorMath.h"

namespace {

using U32 = std::uint32_t;

// Clamp to [0, 1]; NaN gives 0. Used by the row generators only: inside the
// range nothing changes, outside it (e.g. a field parameter t accumulated to
// 1 + 2^-52) the fixed-point channels stay in 0..255 instead of wrapping.
double Clamp01(double value) noexcept {
    if (!(value > 0.0))
        return 0.0; // also NaN
    return value < 1.0 ? value : 1.0;
}

// Pixel of three 12.20 channels: bits 20..27 of each value.
inline Pixel PackFixed(U32 red, U32 green, U32 blue) noexcept {
    return ((red >> 4) & 0x00FF0000u) | ((green >> 12) & 0x0000FF00u) | ((blue >> 20) & 0x000000FFu);
}

// Sector (integral part of hue / 60) and fraction; false for a sector above 5,
// a negative hue or NaN (the callers then write nothing).
bool HueSector(double hue, int& sector, double& fraction) noexcept {
    const double h6 = hue / 60.0;
    if (!(h6 >= 0.0 && h6 < 6.0))
        return false;
    sector = static_cast<int>(h6);
    fraction = h6 - sector;
    return true;
}

// Places the constant channel c and the p, q, t channels (start values and
// steps) by sector as in HsbToRgb: 0 (c,t,p) 1 (q,c,p) 2 (p,c,t) 3 (p,q,c)
// 4 (t,p,c) 5 (c,p,q).
void WriteSectorRow(Pixel* row, int count, int sector, int c, int cStep, int p, int pStep, int q, int qStep,
                    int t, int tStep) noexcept {
    enum { C, P, Q, T };
    static constexpr int kPlacement[6][3] = {{C, T, P}, {Q, C, P}, {P, C, T},
                                             {P, Q, C}, {T, P, C}, {C, P, Q}};
    if (sector < 0 || sector > 5)
        return;
    const int start[4] = {c, p, q, t};
    const int step[4] = {cStep, pStep, qStep, tStep};
    const int* place = kPlacement[sector];
    WriteFixedRamp(row, count, start[place[0]], start[place[1]], start[place[2]], step[place[0]],
                   step[place[1]], step[place[2]]);
}

// One row of pixels whose 12.20 channels start at (r, g, b) and add their steps after each pixel.
// The channels that do not move are packed once, outside the loop; the loop only computes the
// moving ones, which keeps it short enough for the compiler to vectorise.
template <bool MoveRed, bool MoveGreen, bool MoveBlue>
Pixel* WriteRampKernel(Pixel* row, int count, U32 r, U32 g, U32 b, U32 dr, U32 dg, U32 db) noexcept {
    const Pixel fixed = PackFixed(MoveRed ? 0 : r, MoveGreen ? 0 : g, MoveBlue ? 0 : b);
    for (int i = 0; i < count; ++i) {
        Pixel pixel = fixed;
        if constexpr (MoveRed)
            pixel |= PackFixed(r, 0, 0);
        if constexpr (MoveGreen)
            pixel |= PackFixed(0, g, 0);
        if constexpr (MoveBlue)
            pixel |= PackFixed(0, 0, b);
        row[i] = pixel;
        r += dr;
        g += dg;
        b += db;
    }
    return row + count;
}

} // namespace

// The sums are kept in unsigned arithmetic: where the signed repeated addition would overflow they
// wrap instead, and the bits that reach the pixel are the same.
Pixel* WriteFixedRamp(Pixel* row, int count, int red, int green, int blue, int redStep, int greenStep,
                      int blueStep) noexcept {
    if (count <= 0)
        return row;
    const U32 r = static_cast<U32>(red), g = static_cast<U32>(green), b = static_cast<U32>(blue);
    const U32 dr = static_cast<U32>(redStep), dg = static_cast<U32>(greenStep),
              db = static_cast<U32>(blueStep);
    // A switch rather than a table of pointers, so every kernel is inlined where it is chosen.
    switch ((dr != 0) << 2 | (dg != 0) << 1 | (db != 0)) {
    case 0:
        return WriteRampKernel<false, false, false>(row, count, r, g, b, dr, dg, db);
    case 1:
        return WriteRampKernel<false, false, true>(row, count, r, g, b, dr, dg, db);
    case 2:
        return WriteRampKernel<false, true, false>(row, count, r, g, b, dr, dg, db);
    case 3:
        return WriteRampKernel<false, true, true>(row, count, r, g, b, dr, dg, db);
    case 4:
        return WriteRampKernel<true, false, false>(row, count, r, g, b, dr, dg, db);
    case 5:
        return WriteRampKernel<true, false, true>(row, count, r, g, b, dr, dg, db);
    case 6:
        return WriteRampKernel<true, true, false>(row, count, r, g, b, dr, dg, db);
    default:
        return WriteRampKernel<true, true, true>(row, count, r, g, b, dr, dg, db);
    }
}

int ColorMath::HsbToRgb(double hue, double saturation, double brightness, double& red, double& green,
                        double& blue) noexcept {
    if (saturation < 0.0)
        return -1;
    if (saturation > 1.0)
        return -1;
    if (brightness < 0.0)
        return -1;
    if (brightness > 1.0)
        return -1;
    if (hue < 0.0)
        return -1;
    if (hue > 360.0)
        return -1;

    const double v = brightness;
    const double s = saturation;
    if (s == 0.0) {
        red = green = blue = v;
        return 0;
    }
    if (hue == 360.0)
        hue = 0.0;
    int i = 0;
    double f = 0.0;
    if (!HueSector(hue, i, f)) { // only a NaN hue gets here: sector 0, fraction 0
        i = 0;
        f = 0.0;
    }
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - s * f);
    const double t = v * (1.0 - s * (1.0 - f));
    switch (i) {
    case 0:
        red = v;
        green = t;
        blue = p;
        break;
    case 1:
        red = q;
        green = v;
        blue = p;
        break;
    case 2:
        red = p;
        green = v;
        blue = t;
        break;
    case 3:
        red = p;
        green = q;
        blue = v;
        break;
    case 4:
        red = t;
        green = p;
        blue = v;
        break;
    default:
        red = v;
        green = p;
        blue = q;
        break; // 5
    }
    return 0;
}

Color ColorMath::HsbToColor(double hue, double saturation, double brightness) noexcept {
    double red = 0.0, green = 0.0, blue = 0.0;
    if (HsbToRgb(hue, saturation, brightness, red, green, blue) != 0)
        return 0;
    return MakeColor(ChannelToByte(red), ChannelToByte(green), ChannelToByte(blue));
}

int ColorMath::RgbToHsb(double red, double green, double blue, double& hue, double& saturation,
                        double& brightness) noexcept {
    double max = red, min = red;
    if (green > max)
        max = green;
    if (blue > max)
        max = blue;
    if (green < min)
        min = green;
    if (blue < min)
        min = blue;
    if (min < 0.0 || max > 1.0)
        return -1;

    brightness = max;
    if (!(max > 0.0)) {
        saturation = 0.0;
        hue = 0.0;
        return 0;
    }
    const double delta = max - min;
    saturation = delta / max;
    if (saturation == 0.0) {
        hue = 0.0;
        return 0;
    }
    double sector;
    if (max == red)
        sector = (green - blue) / delta;
    else if (max == green)
        sector = (blue - red) / delta + 2.0;
    else
        sector = (red - green) / delta + 4.0;
    hue = sector * 60.0;
    if (hue < 0.0)
        hue += 360.0;
    return 0;
}

void ColorMath::FillTwoColorRow(Pixel* row, int count, Color start, Color end) noexcept {
    if (count <= 0)
        return;
    const int r = RedOf(start) << FixedShift, g = GreenOf(start) << FixedShift,
              b = BlueOf(start) << FixedShift;
    // count 1 (below the minimum of 2): only the start pixel, no division by zero.
    const int divisor = count - 1;
    const int dr = divisor > 0 ? ((RedOf(end) << FixedShift) - r) / divisor : 0;
    const int dg = divisor > 0 ? ((GreenOf(end) << FixedShift) - g) / divisor : 0;
    const int db = divisor > 0 ? ((BlueOf(end) << FixedShift) - b) / divisor : 0;
    WriteFixedRamp(row, count, r, g, b, dr, dg, db);
}

// The six segment lengths add up to count thanks to the extra 0.1 on the last end. Rows shorter
// than 12 get lengths cut to what is left of the row, so no segment runs past it.
void ColorMath::HueSegmentLengths(int count, HueSegments& lengths) noexcept {
    const double D = count / 6.0;
    const double E1 = 0.0 + D;
    const double E2 = E1 + D;
    const double E3 = E2 + D;
    const double E4 = E3 + D;
    const double E5 = E4 + D;
    const double E6 = E5 + D + 0.1;
    const int raw[6] = {
        TruncToInt(E1),
        TruncToInt(E2) - TruncToInt(D),
        TruncToInt(E3) - TruncToInt(2.0 * D),
        TruncToInt(E4) - TruncToInt(3.0 * D),
        TruncToInt(E5) - TruncToInt(4.0 * D),
        TruncToInt(E6) - TruncToInt(5.0 * D),
    };
    int remaining = count;
    for (int k = 0; k < 6; ++k) {
        lengths[k] = raw[k] < 0 ? 0 : (raw[k] > remaining ? remaining : raw[k]);
        remaining -= lengths[k];
    }
}

void ColorMath::FillHueRow(Pixel* row, int count, double saturation, double brightness) noexcept {
    if (count <= 0)
        return;
    HueSegments n;
    HueSegmentLengths(count, n);
    FillHueRow(row, n, saturation, brightness);
}

void ColorMath::FillHueRow(Pixel* row, const HueSegments& n, double saturation, double brightness) noexcept {
    const double s = Clamp01(saturation);
    const double v = Clamp01(brightness);
    const int V = TruncToInt(v * 255.0) << FixedShift;
    const double P = V * (1.0 - s);
    const int Pi = TruncToInt(P);
    // Rising channels step by an integer division, falling ones by the truncated double quotient; a
    // segment of one pixel does not step.
    auto rising = [&](int k) { return n[k] > 1 ? (V - Pi) / (n[k] - 1) : 0; };
    auto falling = [&](int k) { return n[k] > 1 ? TruncToInt((P - V) / (n[k] - 1)) : 0; };
    Pixel* cursor = row;
    cursor = WriteFixedRamp(cursor, n[0], V, Pi, Pi, 0, rising(0), 0); // red to yellow
    cursor = WriteFixedRamp(cursor, n[1], V, V, Pi, falling(1), 0, 0); // yellow to green
    cursor = WriteFixedRamp(cursor, n[2], Pi, V, Pi, 0, 0, rising(2)); // green to cyan
    cursor = WriteFixedRamp(cursor, n[3], Pi, V, V, 0, falling(3), 0); // cyan to blue
    cursor = WriteFixedRamp(cursor, n[4], Pi, Pi, V, rising(4), 0, 0); // blue to magenta
    WriteFixedRamp(cursor, n[5], V, Pi, V, 0, 0, falling(5));          // magenta to red
}

void ColorMath::FillSaturationRow(Pixel* row, int count, double hue, double brightness) noexcept {
    if (count <= 0)
        return; // count 0 or less: nothing (no division by zero)
    int sector = 0;
    double f = 0.0;
    if (!HueSector(hue, sector, f))
        return; // sector above 5, negative or NaN hue: nothing
    const int V = TruncToInt(Clamp01(brightness) * 255.0) << FixedShift;
    const int pStep = -(V / count);
    const int qStep = TruncToInt(V * (1.0 - f) - V) / count;
    const int tStep = TruncToInt(f * V - V) / count;
    WriteSectorRow(row, count, sector, V, 0, V, pStep, V, qStep, V, tStep);
}

void ColorMath::FillBrightnessRow(Pixel* row, int count, double hue, double saturation) noexcept {
    if (count <= 0)
        return; // count 0 or less: nothing (no division by zero)
    int sector = 0;
    double f = 0.0;
    if (!HueSector(hue, sector, f))
        return; // sector above 5, negative or NaN hue: nothing
    const double s = Clamp01(saturation);
    const double F = FixedFullScale;
    const int vStep = FixedFullScale / count;
    const int pStep = TruncToInt((1.0 - s) * F) / count;
    const int qStep = TruncToInt((1.0 - s * f) * F) / count;
    const int tStep = TruncToInt((1.0 - s * (1.0 - f)) * F) / count;
    WriteSectorRow(row, count, sector, 0, vStep, 0, pStep, 0, qStep, 0, tStep);
}

Pixel* ColorMath::FillRun(Pixel* cursor, Pixel pixel, int count) noexcept {
    for (int i = 0; i < count; ++i)
        cursor[i] = pixel;
    return count > 0 ? cursor + count : cursor;
}

Pixel* ColorMath::CopyRun(Pixel* cursor, const Pixel* source, int count) noexcept {
    for (int i = 0; i < count; ++i)
        cursor[i] = source[i];
    return count > 0 ? cursor + count : cursor;
}

void ColorMath::ReverseRow(Pixel* row, int count) noexcept {
    if (count <= 1)
        return;
    Pixel* first = row;
    Pixel* last = row + count - 1;
    while (first < last) {
        const Pixel swap = *first;
        *first++ = *last;
        *last-- = swap;
    }
}

Color ShadeColor(int modeIndex, Color color, double percent) noexcept {
    const double factor = 100.0 - percent;
    int red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
    switch (modeIndex) {
    case 0:
        red = TruncToInt(red * factor / 100.0);
        return MakeColor(red, green, blue);
    case 1:
        green = TruncToInt(green * factor / 100.0);
        return MakeColor(red, green, blue);
    case 2:
        blue = TruncToInt(blue * factor / 100.0);
        return MakeColor(red, green, blue);
    case 3:
    case 4:
    case 5: {
        double hue = 0.0, saturation = 0.0, brightness = 0.0;
        ColorMath::RgbToHsb(red / 255.0, green / 255.0, blue / 255.0, hue, saturation, brightness);
        if (modeIndex == 3)
            hue = hue * factor / 100.0;
        else if (modeIndex == 4)
            saturation = saturation * factor / 100.0;
        else
            brightness = brightness * factor / 100.0;
        return ColorMath::HsbToColor(hue, saturation, brightness);
    }
    default:
        return color;
    }
}

Color BlendColors(Color first, Color second, double percentOfFirst) noexcept {
    const double a = percentOfFirst / 100.0;
    const double b = 1.0 - a;
    return MakeColor(TruncToInt(RedOf(first) * a + RedOf(second) * b),
                     TruncToInt(GreenOf(first) * a + GreenOf(second) * b),
                     TruncToInt(BlueOf(first) * a + BlueOf(second) * b));
}
