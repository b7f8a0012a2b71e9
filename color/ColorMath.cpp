#include "color/ColorMath.h"

namespace {

using U32 = std::uint32_t;

// Clamp to [0, 1]; NaN gives 0. Used by the row generators only: inside the
// range nothing changes, outside it (e.g. a field parameter t accumulated to
// 1 + 2^-52) the fixed-point channels stay in 0..255 instead of wrapping.
double Clamp01(double value) noexcept
{
    if (!(value > 0.0)) return 0.0;  // also NaN
    return value < 1.0 ? value : 1.0;
}

// Pixel of three 12.20 channels: bits 20..27 of each value.
inline Pixel PackFixed(U32 red, U32 green, U32 blue) noexcept
{
    return ((red >> 4) & 0x00FF0000u) | ((green >> 12) & 0x0000FF00u) | ((blue >> 20) & 0x000000FFu);
}

// Writes `count` pixels whose channels start at (red, green, blue) in 12.20
// and add the steps after each pixel. The steps are the spec's signed 32-bit
// integers; the running sums are kept modulo 2^32 (unsigned), which yields
// exactly the bits of the signed repeated addition wherever that is defined
// (arithmetic vs logical shift differs only above bit 11 of the shifted value,
// and those bits are masked off) and cannot overflow into undefined behaviour.
// The body handles 8 pixels per pass in independent lanes so that compilers
// keep them in vector registers: lane k holds start + k * step and advances by
// 8 * step, which are the same sums modulo 2^32.
Pixel* WriteRamp(Pixel* out, int count, int red, int green, int blue,
                 int redStep, int greenStep, int blueStep) noexcept
{
    if (count <= 0) return out;
    U32 r = static_cast<U32>(red), g = static_cast<U32>(green), b = static_cast<U32>(blue);
    const U32 dr = static_cast<U32>(redStep), dg = static_cast<U32>(greenStep), db = static_cast<U32>(blueStep);
    int i = 0;
    if (count >= 8) {
        U32 r0 = r, r1 = r + dr, r2 = r + 2u * dr, r3 = r + 3u * dr;
        U32 r4 = r + 4u * dr, r5 = r + 5u * dr, r6 = r + 6u * dr, r7 = r + 7u * dr;
        U32 g0 = g, g1 = g + dg, g2 = g + 2u * dg, g3 = g + 3u * dg;
        U32 g4 = g + 4u * dg, g5 = g + 5u * dg, g6 = g + 6u * dg, g7 = g + 7u * dg;
        U32 b0 = b, b1 = b + db, b2 = b + 2u * db, b3 = b + 3u * db;
        U32 b4 = b + 4u * db, b5 = b + 5u * db, b6 = b + 6u * db, b7 = b + 7u * db;
        const U32 dr8 = 8u * dr, dg8 = 8u * dg, db8 = 8u * db;
        for (; i + 8 <= count; i += 8) {
            out[i + 0] = PackFixed(r0, g0, b0);
            out[i + 1] = PackFixed(r1, g1, b1);
            out[i + 2] = PackFixed(r2, g2, b2);
            out[i + 3] = PackFixed(r3, g3, b3);
            out[i + 4] = PackFixed(r4, g4, b4);
            out[i + 5] = PackFixed(r5, g5, b5);
            out[i + 6] = PackFixed(r6, g6, b6);
            out[i + 7] = PackFixed(r7, g7, b7);
            r0 += dr8; r1 += dr8; r2 += dr8; r3 += dr8; r4 += dr8; r5 += dr8; r6 += dr8; r7 += dr8;
            g0 += dg8; g1 += dg8; g2 += dg8; g3 += dg8; g4 += dg8; g5 += dg8; g6 += dg8; g7 += dg8;
            b0 += db8; b1 += db8; b2 += db8; b3 += db8; b4 += db8; b5 += db8; b6 += db8; b7 += db8;
        }
        r = r0; g = g0; b = b0;
    }
    for (; i < count; ++i) {
        out[i] = PackFixed(r, g, b);
        r += dr; g += dg; b += db;
    }
    return out + count;
}

// Bits 20..27 of a 12.20 value moved to the byte of channel C (0 red, 1 green, 2 blue).
template <int C>
inline Pixel ChannelBits(U32 value) noexcept
{
    if constexpr (C == 0) return (value >> 4) & 0x00FF0000u;
    else if constexpr (C == 1) return (value >> 12) & 0x0000FF00u;
    else return (value >> 20) & 0x000000FFu;
}

// A segment of FillHueRow: channel C moves from `start` by `step` per pixel,
// the other two are constant and given already packed in `fixed`. Same sums
// and bits as WriteRamp with zero steps for the constant channels, with a
// third of the work. When `room` (pixels writable from out, i.e. this segment
// and the later ones of the row) allows, the last partial pass of 8 is written
// whole, running on into pixels that the next segment overwrites, instead of
// a one-by-one tail. Returns out + count.
template <int C>
Pixel* WriteSegment(Pixel* out, int count, int room, Pixel fixed, int start, int step) noexcept
{
    if (count <= 0) return out;
    const int padded = (count + 7) & ~7;
    const int n = padded <= room ? padded : count;
    const U32 d = static_cast<U32>(step);
    U32 a = static_cast<U32>(start);
    int i = 0;
    if (n >= 8) {
        U32 a0 = a, a1 = a + d, a2 = a + 2u * d, a3 = a + 3u * d;
        U32 a4 = a + 4u * d, a5 = a + 5u * d, a6 = a + 6u * d, a7 = a + 7u * d;
        const U32 d8 = 8u * d;
        for (; i + 8 <= n; i += 8) {
            out[i + 0] = fixed | ChannelBits<C>(a0);
            out[i + 1] = fixed | ChannelBits<C>(a1);
            out[i + 2] = fixed | ChannelBits<C>(a2);
            out[i + 3] = fixed | ChannelBits<C>(a3);
            out[i + 4] = fixed | ChannelBits<C>(a4);
            out[i + 5] = fixed | ChannelBits<C>(a5);
            out[i + 6] = fixed | ChannelBits<C>(a6);
            out[i + 7] = fixed | ChannelBits<C>(a7);
            a0 += d8; a1 += d8; a2 += d8; a3 += d8; a4 += d8; a5 += d8; a6 += d8; a7 += d8;
        }
        a = a0;
    }
    for (; i < n; ++i) {
        out[i] = fixed | ChannelBits<C>(a);
        a += d;
    }
    return out + count;
}

// Sector (integral part of hue / 60) and fraction; false for a sector above 5,
// a negative hue or NaN (the callers then write nothing).
bool HueSector(double hue, int& sector, double& fraction) noexcept
{
    const double h6 = hue / 60.0;
    if (!(h6 >= 0.0 && h6 < 6.0)) return false;
    sector = static_cast<int>(h6);
    fraction = h6 - sector;
    return true;
}

// Places the constant channel c and the p, q, t channels (start values and
// steps) by sector as in HsbToRgb: 0 (c,t,p) 1 (q,c,p) 2 (p,c,t) 3 (p,q,c)
// 4 (t,p,c) 5 (c,p,q).
void WriteSectorRow(Pixel* row, int count, int sector,
                    int c, int cStep, int p, int pStep, int q, int qStep, int t, int tStep) noexcept
{
    switch (sector) {
    case 0: WriteRamp(row, count, c, t, p, cStep, tStep, pStep); break;
    case 1: WriteRamp(row, count, q, c, p, qStep, cStep, pStep); break;
    case 2: WriteRamp(row, count, p, c, t, pStep, cStep, tStep); break;
    case 3: WriteRamp(row, count, p, q, c, pStep, qStep, cStep); break;
    case 4: WriteRamp(row, count, t, p, c, tStep, pStep, cStep); break;
    case 5: WriteRamp(row, count, c, p, q, cStep, pStep, qStep); break;
    default: break;
    }
}

}  // namespace

Pixel* WriteFixedRamp(Pixel* row, int count, int red, int green, int blue,
                      int redStep, int greenStep, int blueStep) noexcept
{
    return WriteRamp(row, count, red, green, blue, redStep, greenStep, blueStep);
}

int ColorMath::HsbToRgb(double hue, double saturation, double brightness,
                        double& red, double& green, double& blue) noexcept
{
    if (saturation < 0.0) return -1;
    if (saturation > 1.0) return -1;
    if (brightness < 0.0) return -1;
    if (brightness > 1.0) return -1;
    if (hue < 0.0) return -1;
    if (hue > 360.0) return -1;

    const double v = brightness;
    const double s = saturation;
    if (s == 0.0) {
        red = green = blue = v;
        return 0;
    }
    if (hue == 360.0) hue = 0.0;
    int i = 0;
    double f = 0.0;
    if (!HueSector(hue, i, f)) {  // only a NaN hue gets here: sector 0, fraction 0
        i = 0;
        f = 0.0;
    }
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - s * f);
    const double t = v * (1.0 - s * (1.0 - f));
    switch (i) {
    case 0: red = v; green = t; blue = p; break;
    case 1: red = q; green = v; blue = p; break;
    case 2: red = p; green = v; blue = t; break;
    case 3: red = p; green = q; blue = v; break;
    case 4: red = t; green = p; blue = v; break;
    default: red = v; green = p; blue = q; break;  // 5
    }
    return 0;
}

Color ColorMath::HsbToColor(double hue, double saturation, double brightness) noexcept
{
    double red = 0.0, green = 0.0, blue = 0.0;
    if (HsbToRgb(hue, saturation, brightness, red, green, blue) != 0) return 0;
    return MakeColor(ChannelToByte(red), ChannelToByte(green), ChannelToByte(blue));
}

int ColorMath::RgbToHsb(double red, double green, double blue,
                        double& hue, double& saturation, double& brightness) noexcept
{
    double max = red, min = red;
    if (green > max) max = green;
    if (blue > max) max = blue;
    if (green < min) min = green;
    if (blue < min) min = blue;
    if (min < 0.0 || max > 1.0) return -1;

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
    if (hue < 0.0) hue += 360.0;
    return 0;
}

void ColorMath::FillTwoColorRow(Pixel* row, int count, Color start, Color end) noexcept
{
    if (count <= 0) return;
    const int r = RedOf(start) << FixedShift, g = GreenOf(start) << FixedShift, b = BlueOf(start) << FixedShift;
    // count 1 (below the spec's minimum 2): only the start pixel, no division by zero.
    const int divisor = count - 1;
    const int dr = divisor > 0 ? ((RedOf(end) << FixedShift) - r) / divisor : 0;
    const int dg = divisor > 0 ? ((GreenOf(end) << FixedShift) - g) / divisor : 0;
    const int db = divisor > 0 ? ((BlueOf(end) << FixedShift) - b) / divisor : 0;
    WriteRamp(row, count, r, g, b, dr, dg, db);
}

HueRowLayout ColorMath::HueLayout(int count) noexcept
{
    HueRowLayout layout{};
    layout.count = count > 0 ? count : 0;
    if (count <= 0) return layout;
    const double D = count / 6.0;
    const double E1 = 0.0 + D;
    const double E2 = E1 + D;
    const double E3 = E2 + D;
    const double E4 = E3 + D;
    const double E5 = E4 + D;
    const double E6 = E5 + D + 0.1;
    const int lengths[6] = {
        TruncToInt(E1),
        TruncToInt(E2) - TruncToInt(D),
        TruncToInt(E3) - TruncToInt(2.0 * D),
        TruncToInt(E4) - TruncToInt(3.0 * D),
        TruncToInt(E5) - TruncToInt(4.0 * D),
        TruncToInt(E6) - TruncToInt(5.0 * D),
    };
    // Rows shorter than 12 (and any rounding surprise): lengths are clamped to
    // what is left of count, so no segment runs past the row.
    int remaining = count;
    for (int k = 0; k < 6; ++k) {
        int n = lengths[k] < 0 ? 0 : lengths[k];
        if (n > remaining) n = remaining;
        layout.room[k] = remaining;
        remaining -= n;
        layout.length[k] = n;
    }
    return layout;
}

void ColorMath::FillHueRow(Pixel* row, int count, double saturation, double brightness) noexcept
{
    FillHueRow(row, HueLayout(count), saturation, brightness);
}

void ColorMath::FillHueRow(Pixel* row, const HueRowLayout& layout, double saturation, double brightness) noexcept
{
    if (layout.count <= 0) return;
    const double s = Clamp01(saturation);
    const double v = Clamp01(brightness);
    const int V = TruncToInt(v * 255.0) << FixedShift;
    const double P = V * (1.0 - s);
    const int Pi = TruncToInt(P);

    // A segment of one pixel gets step 0 (no division by zero). All steps are
    // computed before any pixel is written, so the divisions run side by side.
    const int rise = V - Pi;
    const double fall = P - V;
    int step[6];
    for (int k = 0; k < 6; ++k) {
        const int divisor = layout.length[k] - 1;
        if (divisor <= 0)
            step[k] = 0;
        else if ((k % 2) == 0)
            step[k] = rise / divisor;  // rising: integer division
        else
            step[k] = TruncToInt(fall / divisor);  // falling: trunc of the double quotient
    }

    const int* n = layout.length;
    const int* room = layout.room;
    const U32 vBits = static_cast<U32>(V), piBits = static_cast<U32>(Pi);
    Pixel* cursor = row;
    cursor = WriteSegment<1>(cursor, n[0], room[0], PackFixed(vBits, 0, piBits), Pi, step[0]);  // red to yellow: green rises
    cursor = WriteSegment<0>(cursor, n[1], room[1], PackFixed(0, vBits, piBits), V, step[1]);   // yellow to green: red falls
    cursor = WriteSegment<2>(cursor, n[2], room[2], PackFixed(piBits, vBits, 0), Pi, step[2]);  // green to cyan: blue rises
    cursor = WriteSegment<1>(cursor, n[3], room[3], PackFixed(piBits, 0, vBits), V, step[3]);   // cyan to blue: green falls
    cursor = WriteSegment<0>(cursor, n[4], room[4], PackFixed(0, piBits, vBits), Pi, step[4]);  // blue to magenta: red rises
    WriteSegment<2>(cursor, n[5], room[5], PackFixed(vBits, piBits, 0), V, step[5]);            // magenta to red: blue falls
}

void ColorMath::FillSaturationRow(Pixel* row, int count, double hue, double brightness) noexcept
{
    if (count <= 0) return;  // count 0 or less: nothing (no division by zero)
    int sector = 0;
    double f = 0.0;
    if (!HueSector(hue, sector, f)) return;  // sector above 5, negative or NaN hue: nothing
    const int V = TruncToInt(Clamp01(brightness) * 255.0) << FixedShift;
    const int pStep = -(V / count);
    const int qStep = TruncToInt(V * (1.0 - f) - V) / count;
    const int tStep = TruncToInt(f * V - V) / count;
    WriteSectorRow(row, count, sector, V, 0, V, pStep, V, qStep, V, tStep);
}

void ColorMath::FillBrightnessRow(Pixel* row, int count, double hue, double saturation) noexcept
{
    if (count <= 0) return;  // count 0 or less: nothing (no division by zero)
    int sector = 0;
    double f = 0.0;
    if (!HueSector(hue, sector, f)) return;  // sector above 5, negative or NaN hue: nothing
    const double s = Clamp01(saturation);
    const double F = FixedFullScale;
    const int vStep = FixedFullScale / count;
    const int pStep = TruncToInt((1.0 - s) * F) / count;
    const int qStep = TruncToInt((1.0 - s * f) * F) / count;
    const int tStep = TruncToInt((1.0 - s * (1.0 - f)) * F) / count;
    WriteSectorRow(row, count, sector, 0, vStep, 0, pStep, 0, qStep, 0, tStep);
}

Pixel* ColorMath::FillRun(Pixel* cursor, Pixel pixel, int count) noexcept
{
    for (int i = 0; i < count; ++i) cursor[i] = pixel;
    return count > 0 ? cursor + count : cursor;
}

Pixel* ColorMath::CopyRun(Pixel* cursor, const Pixel* source, int count) noexcept
{
    for (int i = 0; i < count; ++i) cursor[i] = source[i];
    return count > 0 ? cursor + count : cursor;
}

void ColorMath::ReverseRow(Pixel* row, int count) noexcept
{
    if (count <= 1) return;
    Pixel* first = row;
    Pixel* last = row + count - 1;
    while (first < last) {
        const Pixel swap = *first;
        *first++ = *last;
        *last-- = swap;
    }
}

Color ShadeColor(int modeIndex, Color color, double percent) noexcept
{
    const double factor = 100.0 - percent;
    int red = RedOf(color), green = GreenOf(color), blue = BlueOf(color);
    switch (modeIndex) {
    case 0: red = TruncToInt(red * factor / 100.0); return MakeColor(red, green, blue);
    case 1: green = TruncToInt(green * factor / 100.0); return MakeColor(red, green, blue);
    case 2: blue = TruncToInt(blue * factor / 100.0); return MakeColor(red, green, blue);
    case 3:
    case 4:
    case 5: {
        double hue = 0.0, saturation = 0.0, brightness = 0.0;
        ColorMath::RgbToHsb(red / 255.0, green / 255.0, blue / 255.0, hue, saturation, brightness);
        if (modeIndex == 3) hue = hue * factor / 100.0;
        else if (modeIndex == 4) saturation = saturation * factor / 100.0;
        else brightness = brightness * factor / 100.0;
        return ColorMath::HsbToColor(hue, saturation, brightness);
    }
    default: return color;
    }
}

Color BlendColors(Color first, Color second, double percentOfFirst) noexcept
{
    const double a = percentOfFirst / 100.0;
    const double b = 1.0 - a;
    return MakeColor(TruncToInt(RedOf(first) * a + RedOf(second) * b),
                     TruncToInt(GreenOf(first) * a + GreenOf(second) * b),
                     TruncToInt(BlueOf(first) * a + BlueOf(second) * b));
}
