// Tests of the color field and slider ramp generation and of the triangle corners. Expected pixels are worked
// out by hand from the stated steps; F = 255 << 20 = 267386880.
//
// Field set-up used throughout: a 22 x 18 bitmap with innerRect (3, 3, 18, 14)
// -> 16 columns (3..18) and 12 rows (3..14), both edges inclusive.
// Row k counted from the bottom (k = 0 is screen row 14, memory row 17 - 14 = 3)
// has t = k / 11 accumulated in doubles: t(5) = 0.4545..., t(11) = 1.0000000000000002.
// Per-row step for a 0 -> 255 edge: F / 11 = 24307898 (24307898.18 truncated);
// row 5: 5 * 24307898 = 121539490 -> 115.9 -> 115; row 11: 267386878 -> 254.
// Per-pixel step for 0 -> 255 over 16 columns: F / 15 = 17 << 20 -> 17 * j.
#include "color/FieldRenderer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr Pixel Px(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (r << 16) | (g << 8) | b;
}
constexpr Pixel kSentinel = 0xFF000000u;
constexpr int kW = 22, kH = 18;
constexpr Rect kInner{3, 3, 18, 14};

struct Field {
    std::vector<Pixel> bits = std::vector<Pixel>(kW * kH, kSentinel);
    // Pixel at inner column j (0..15) and row k from the bottom (0..11).
    Pixel At(int j, int k) const { return bits[(kH - 1 - (kInner.bottom - k)) * kW + kInner.left + j]; }
};

Field Render(int mode, int z) {
    Field f;
    EXPECT_TRUE(RenderField(f.bits.data(), kW, kH, kInner, mode, z));
    return f;
}

void ExpectOnlyInnerWritten(const Field& f) {
    for (int memRow = 0; memRow < kH; ++memRow) {
        const int screenRow = kH - 1 - memRow;
        for (int col = 0; col < kW; ++col) {
            const bool inside = col >= kInner.left && col <= kInner.right && screenRow >= kInner.top &&
                                screenRow <= kInner.bottom;
            const Pixel p = f.bits[memRow * kW + col];
            if (inside)
                EXPECT_EQ(p >> 24, 0u) << col << "," << screenRow;
            else
                EXPECT_EQ(p, kSentinel) << col << "," << screenRow;
        }
    }
}

} // namespace

// ---------------------------------------------------------------- field, RGB modes

TEST(RenderField, RedModeBilinear) {
    // Red z = 200: corners (200,0,0) (200,0,255) (200,255,0) (200,255,255); x blue, y green.
    const Field f = Render(ModeRed, 200);
    ExpectOnlyInnerWritten(f);
    EXPECT_EQ(f.At(0, 0), Px(200, 0, 0));
    EXPECT_EQ(f.At(15, 0), Px(200, 0, 255));
    EXPECT_EQ(f.At(7, 0), Px(200, 0, 119)); // 7 * 17
    EXPECT_EQ(f.At(0, 5), Px(200, 115, 0));
    EXPECT_EQ(f.At(0, 11), Px(200, 254, 0)); // truncated per-row steps miss 255
    EXPECT_EQ(f.At(15, 11), Px(200, 254, 255));
    // The bottom screen row of the field is memory row 3, the top one memory row 14.
    EXPECT_EQ(f.bits[3 * kW + 3], Px(200, 0, 0));
    EXPECT_EQ(f.bits[14 * kW + 18], Px(200, 254, 255));
}

TEST(RenderField, GreenAndBlueModes) {
    // Green z = 100: x blue, y red.
    const Field g = Render(ModeGreen, 100);
    EXPECT_EQ(g.At(0, 0), Px(0, 100, 0));
    EXPECT_EQ(g.At(15, 0), Px(0, 100, 255));
    EXPECT_EQ(g.At(3, 5), Px(115, 100, 51));
    EXPECT_EQ(g.At(15, 11), Px(254, 100, 255));
    // Blue z = 50: x red, y green.
    const Field b = Render(ModeBlue, 50);
    ExpectOnlyInnerWritten(b);
    EXPECT_EQ(b.At(0, 0), Px(0, 0, 50));
    EXPECT_EQ(b.At(1, 0), Px(17, 0, 50));
    EXPECT_EQ(b.At(10, 5), Px(170, 115, 50));
    EXPECT_EQ(b.At(15, 11), Px(255, 254, 50));
}

// ---------------------------------------------------------------- field, HSB modes

TEST(RenderField, HueModeRowsAreSaturationRows) {
    // z = 900: hue 90, sector 1, f 0.5 -> (q, V, p); 16 columns.
    const Field f = Render(ModeHue, 900);
    ExpectOnlyInnerWritten(f);
    // Row 0: t = 0 -> V = 0: black.
    EXPECT_EQ(f.At(0, 0), Px(0, 0, 0));
    EXPECT_EQ(f.At(15, 0), Px(0, 0, 0));
    // Row 5: V = trunc(0.4545 * 255 = 115.9) << 20 = 120586240;
    // p-step = -(V / 16) = -7536640, q-step = trunc(-V/2)/16 = -3768320.
    // j = 15: p = 7536640 -> 7.19 -> 7; q = V - 56524800 = 64061440 -> 61.09 -> 61.
    // j = 8: p = 60293120 -> 57.5 -> 57; q = V - 30146560 = 90439680 -> 86.25 -> 86.
    EXPECT_EQ(f.At(0, 5), Px(115, 115, 115));
    EXPECT_EQ(f.At(8, 5), Px(86, 115, 57));
    EXPECT_EQ(f.At(15, 5), Px(61, 115, 7));
    // Row 11: t = 1.0000000000000002 -> V = trunc(255.00000000000006) << 20 = F;
    // p-step = -(F/16) = -16711680, q-step = -133693440/16 = -8355840.
    // j = 15: p = 16711680 -> 15.94 -> 15; q = F - 125337600 = 142049280 -> 135.47 -> 135.
    EXPECT_EQ(f.At(0, 11), Px(255, 255, 255));
    EXPECT_EQ(f.At(15, 11), Px(135, 255, 15));
}

TEST(RenderField, HueMode3600WritesNothing) {
    Field f;
    EXPECT_TRUE(RenderField(f.bits.data(), kW, kH, kInner, ModeHue, 3600));
    for (Pixel p : f.bits)
        EXPECT_EQ(p, kSentinel);
}

TEST(RenderField, SaturationModeRowsAreHueRows) {
    // 16 columns: D = 2.667, segment lengths 2, 3, 3, 2, 3, 3.
    // z = 1000 (s = 1), row 11 (v = 1 after clamping 1 + 2^-52): V = F, P = Pi = 0.
    // Seg 1 (2 px): green step F/1; seg 2 (3 px): red falls by trunc(-F/2) = -133693440 (255, 127, 0) ...
    const Field f = Render(ModeSaturation, 1000);
    ExpectOnlyInnerWritten(f);
    const Pixel top[16] = {
        Px(255, 0, 0),   Px(255, 255, 0), Px(255, 255, 0), Px(127, 255, 0), Px(0, 255, 0), Px(0, 255, 0),
        Px(0, 255, 127), Px(0, 255, 255), Px(0, 255, 255), Px(0, 0, 255),   Px(0, 0, 255), Px(127, 0, 255),
        Px(255, 0, 255), Px(255, 0, 255), Px(255, 0, 127), Px(255, 0, 0),
    };
    for (int j = 0; j < 16; ++j)
        EXPECT_EQ(f.At(j, 11), top[j]) << j;
    EXPECT_EQ(f.At(9, 0), Px(0, 0, 0)); // v = 0
    // Row 5, s = 1: V = 115 << 20, Pi = 0; seg 2 step trunc(-V/2) -> 57.5 -> 57.
    EXPECT_EQ(f.At(3, 5), Px(57, 115, 0));
    // z = 500 (s = 0.5), row 5: P = Pi = 60293120 (57.5 -> 57); seg 1 rises 57 -> 115.
    const Field h = Render(ModeSaturation, 500);
    EXPECT_EQ(h.At(0, 5), Px(115, 57, 57));
    EXPECT_EQ(h.At(1, 5), Px(115, 115, 57));
    EXPECT_EQ(h.At(3, 5), Px(86, 115, 57)); // V - 30146560 = 90439680 -> 86.25
}

TEST(RenderField, BrightnessModeRowsAreHueRowsWithSaturationT) {
    const Field f = Render(ModeBrightness, 1000); // v = 1: V = F
    ExpectOnlyInnerWritten(f);
    // Row 0: s = 0 -> P = V: white everywhere.
    for (int j = 0; j < 16; ++j)
        EXPECT_EQ(f.At(j, 0), Px(255, 255, 255)) << j;
    // Row 5: s = 0.4545...: P = F * 0.5454... = 145847389.09, Pi = 145847389 -> 139.
    // Seg 1: green step F - Pi (one step); seg 2: red step trunc((P - F)/2) = -60769745,
    // F - 60769745 = 206617135 -> 197.05 -> 197.
    EXPECT_EQ(f.At(0, 5), Px(255, 139, 139));
    EXPECT_EQ(f.At(1, 5), Px(255, 255, 139));
    EXPECT_EQ(f.At(3, 5), Px(197, 255, 139));
    EXPECT_EQ(f.At(4, 5), Px(139, 255, 139));
    // Row 11: s clamped to 1 -> the pure hue spectrum.
    EXPECT_EQ(f.At(3, 11), Px(127, 255, 0));
    EXPECT_EQ(f.At(15, 11), Px(255, 0, 0));
}

TEST(RenderField, RejectsBadArguments) {
    Field f;
    EXPECT_FALSE(RenderField(nullptr, kW, kH, kInner, ModeRed, 0));
    EXPECT_FALSE(RenderField(f.bits.data(), kW, kH, kInner, 6, 0));
    EXPECT_FALSE(RenderField(f.bits.data(), kW, kH, kInner, -1, 0));
    EXPECT_FALSE(RenderField(f.bits.data(), kW, kH, Rect{3, 3, 22, 14}, ModeRed, 0)); // right past the bitmap
    EXPECT_FALSE(RenderField(f.bits.data(), kW, kH, Rect{3, -1, 18, 14}, ModeRed, 0));
    EXPECT_FALSE(RenderField(f.bits.data(), kW, kH, Rect{10, 3, 9, 14}, ModeRed, 0)); // inverted
    for (Pixel p : f.bits)
        EXPECT_EQ(p, kSentinel);
}

TEST(RenderField, SingleRowAndColumnAreSafe) {
    // Below every minimum: one row (t stays 0) and one column; no division by zero, no overrun.
    for (int mode = 0; mode < 6; ++mode) {
        Field f;
        EXPECT_TRUE(RenderField(f.bits.data(), kW, kH, Rect{5, 5, 5, 5}, mode, 100));
        EXPECT_TRUE(RenderField(f.bits.data(), kW, kH, Rect{7, 2, 7, 9}, mode, 100));
        EXPECT_TRUE(RenderField(f.bits.data(), kW, kH, Rect{1, 12, 20, 12}, mode, 100));
        int written = 0;
        for (Pixel p : f.bits)
            written += (p >> 24) == 0 ? 1 : 0;
        EXPECT_EQ(written, 1 + 8 + 20) << mode;
    }
}

// ---------------------------------------------------------------- ramps

TEST(RenderRamp, RgbModes) {
    Pixel ramp[17];
    ramp[16] = kSentinel;
    // Red: (0, a, b) -> (255, a, b), a = 50, b = 100; step F/15 = 17 << 20.
    RenderRamp(ramp, 16, ModeRed, 50, 100, false);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ramp[i], Px(17 * i, 50, 100)) << i;
    EXPECT_EQ(ramp[16], kSentinel);
    // Green: (a, 0, b) -> (a, 255, b), a = 30, b = 60.
    RenderRamp(ramp, 16, ModeGreen, 30, 60, false);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(ramp[i], Px(30, 17 * i, 60)) << i;
}

TEST(RenderRamp, BlueModeKeepsRed200Green50) {
    // Selector at red 200 (its x), green 50 (its y): RGB modes take a = y, b = x.
    const SliderFixed fixed = SliderFixedFromSelector(ModeBlue, 200, 50);
    EXPECT_EQ(fixed, (SliderFixed{50, 200}));
    std::vector<Pixel> ramp(193);
    RenderRamp(ramp.data(), 193, ModeBlue, fixed.first, fixed.second, false);
    for (Pixel p : ramp) {
        EXPECT_EQ((p >> 16) & 0xFF, 200u);
        EXPECT_EQ((p >> 8) & 0xFF, 50u);
    }
    EXPECT_EQ(ramp.front() & 0xFF, 0u);
    EXPECT_EQ(ramp.back() & 0xFF, 255u); // step F / 192 = 1392640 exactly; 192 * 1392640 = F -> 255
}

TEST(RenderRamp, HsbModes) {
    Pixel ramp[16];
    // Hue: FillHueRow(a/1000 = 1, b/1000 = 1): the pure spectrum of 16 (lengths 2,3,3,2,3,3).
    RenderRamp(ramp, 16, ModeHue, 1000, 1000, false);
    EXPECT_EQ(ramp[0], Px(255, 0, 0));
    EXPECT_EQ(ramp[3], Px(127, 255, 0));
    EXPECT_EQ(ramp[15], Px(255, 0, 0));
    // Saturation: FillSaturationRow(hue 90, v 1): as the Hue field's top row.
    RenderRamp(ramp, 16, ModeSaturation, 900, 1000, false);
    EXPECT_EQ(ramp[0], Px(255, 255, 255));
    EXPECT_EQ(ramp[15], Px(135, 255, 15));
    // Brightness: FillBrightnessRow(hue 90, s 1): (q, v, p); v-step F/16 = 16711680,
    // q-step trunc(0.5 F)/16 = 8355840; i = 15: v 250675200 -> 239.06 -> 239, q 125337600 -> 119.5 -> 119.
    RenderRamp(ramp, 16, ModeBrightness, 900, 1000, false);
    EXPECT_EQ(ramp[0], Px(0, 0, 0));
    EXPECT_EQ(ramp[8], Px(63, 127, 0)); // v 133693440 -> 127.5, q 66846720 -> 63.75
    EXPECT_EQ(ramp[15], Px(119, 239, 0));
}

TEST(RenderRamp, ReverseAndUnknownMode) {
    Pixel ramp[16];
    RenderRamp(ramp, 16, ModeRed, 50, 100, true);
    EXPECT_EQ(ramp[0], Px(255, 50, 100));
    EXPECT_EQ(ramp[15], Px(0, 50, 100));
    EXPECT_EQ(ramp[5], Px(170, 50, 100)); // was index 10: 17 * 10
    Pixel untouched[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
    RenderRamp(untouched, 4, 6, 0, 0, true);
    RenderRamp(untouched, 0, ModeRed, 0, 0, false);
    for (Pixel p : untouched)
        EXPECT_EQ(p, kSentinel);
}

TEST(SliderRampReversed, Rule) {
    EXPECT_FALSE(SliderRampReversed(SliderDefaultStyle, SelectorModeCode(ModeHue))); // vertical, 0x80 code
    EXPECT_TRUE(SliderRampReversed(SliderDefaultStyle, 0x03));                       // vertical, no 0x80 bit
    EXPECT_TRUE(SliderRampReversed(SliderHorizontal, SelectorModeCode(ModeRed)));    // horizontal with 0x80
    EXPECT_FALSE(SliderRampReversed(SliderHorizontal, 0x00));
    EXPECT_FALSE(SliderRampReversed(0, SelectorModeCode(ModeRed))); // neither bit
    EXPECT_FALSE(SliderRampReversed(0, 0x01));
}

TEST(WriteRampToBitmap, VerticalAndHorizontal) {
    // 8 x 10 bitmap, ramp rect (2, 3, 4, 7): 3 columns, 5 rows (screen rows 3..7).
    std::vector<Pixel> bits(80, kSentinel);
    const Pixel ramp[5] = {1, 2, 3, 4, 5};
    ASSERT_TRUE(WriteRampToBitmap(bits.data(), 8, 10, Rect{2, 3, 4, 7}, ramp, 5, false));
    // Vertical: the first ramp pixel on the bottom row (screen 7 = memory row 2).
    for (int col = 2; col <= 4; ++col) {
        EXPECT_EQ(bits[2 * 8 + col], 1u);
        EXPECT_EQ(bits[6 * 8 + col], 5u); // screen row 3 = memory row 6
    }
    EXPECT_EQ(bits[2 * 8 + 1], kSentinel);
    EXPECT_EQ(bits[7 * 8 + 2], kSentinel);
    EXPECT_FALSE(WriteRampToBitmap(bits.data(), 8, 10, Rect{2, 3, 4, 7}, ramp, 4, false));

    std::vector<Pixel> h(80, kSentinel);
    const Pixel row[3] = {7, 8, 9};
    ASSERT_TRUE(WriteRampToBitmap(h.data(), 8, 10, Rect{2, 3, 4, 7}, row, 3, true));
    for (int memRow = 2; memRow <= 6; ++memRow) {
        EXPECT_EQ(h[memRow * 8 + 2], 7u);
        EXPECT_EQ(h[memRow * 8 + 4], 9u);
    }
    EXPECT_EQ(h[1 * 8 + 2], kSentinel);
    EXPECT_FALSE(WriteRampToBitmap(h.data(), 8, 10, Rect{2, 3, 8, 7}, row, 7, true));
}

// ---------------------------------------------------------------- triangles

TEST(TriangleCorners, Kinds) {
    const auto k1 = TriangleCorners(20, 30, 1, 6);
    ASSERT_TRUE(k1.has_value());
    EXPECT_EQ((*k1)[0], (Point{20, 30}));
    EXPECT_EQ((*k1)[1], (Point{25, 35}));
    EXPECT_EQ((*k1)[2], (Point{25, 25}));
    const struct {
        int kind;
        Point p1, p2;
    } cases[] = {
        {2, {25, 35}, {15, 35}}, {3, {15, 25}, {15, 35}}, {4, {15, 25}, {25, 25}}, {5, {25, 30}, {20, 35}},
        {6, {25, 30}, {20, 25}}, {7, {15, 30}, {20, 35}}, {8, {15, 30}, {20, 25}},
    };
    for (const auto& c : cases) {
        const auto t = TriangleCorners(20, 30, c.kind, 6);
        ASSERT_TRUE(t.has_value()) << c.kind;
        EXPECT_EQ((*t)[0], (Point{20, 30})) << c.kind;
        EXPECT_EQ((*t)[1], c.p1) << c.kind;
        EXPECT_EQ((*t)[2], c.p2) << c.kind;
    }
    EXPECT_FALSE(TriangleCorners(20, 30, 0, 6).has_value());
    EXPECT_FALSE(TriangleCorners(20, 30, 9, 6).has_value());
    EXPECT_FALSE(TriangleCorners(20, 30, -1, 6).has_value());
}
