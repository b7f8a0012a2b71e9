// Tests of the color field and slider math. Expected values are worked out by hand from the
// rules.
#include "color/SelectorAxes.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {
constexpr Color Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}
} // namespace

// ---------------------------------------------------------------- modes and axes

TEST(SelectorModes, CodesAndIndexes) {
    EXPECT_EQ(SelectorModeCode(ModeRed), 128);
    EXPECT_EQ(SelectorModeCode(ModeGreen), 129);
    EXPECT_EQ(SelectorModeCode(ModeBlue), 130);
    EXPECT_EQ(SelectorModeCode(ModeHue), 131);
    EXPECT_EQ(SelectorModeCode(ModeSaturation), 132);
    EXPECT_EQ(SelectorModeCode(ModeBrightness), 133);
    EXPECT_EQ(ModeIndexOfCode(SelectorModeCode(ModeBrightness)), 5);
    EXPECT_EQ(ModeIndexOfCode(0x03), 3);
    EXPECT_TRUE(HasSelectorModeFlag(SelectorModeCode(ModeRed)));
    EXPECT_FALSE(HasSelectorModeFlag(0x04));
}

TEST(SelectorAxesTable, PerMode) {
    EXPECT_EQ(AxesForMode(0), (SelectorAxes{255, 255, 255}));
    EXPECT_EQ(AxesForMode(2), (SelectorAxes{255, 255, 255}));
    EXPECT_EQ(AxesForMode(3), (SelectorAxes{1000, 1000, 3599}));
    EXPECT_EQ(AxesForMode(4), (SelectorAxes{3599, 1000, 1000}));
    EXPECT_EQ(AxesForMode(5), (SelectorAxes{3599, 1000, 1000}));
    EXPECT_FALSE(AxesForMode(6).has_value());
    EXPECT_FALSE(AxesForMode(-1).has_value());
    EXPECT_TRUE(SelectorAcceptsZ(ModeHue, 3599));
    EXPECT_FALSE(SelectorAcceptsZ(ModeHue, 3600));
    EXPECT_FALSE(SelectorAcceptsZ(ModeRed, -1));
    EXPECT_FALSE(SelectorAcceptsZ(ModeRed, 256));
}

// ---------------------------------------------------------------- GetColor / SetColor

TEST(ColorFromPosition, EveryMode) {
    EXPECT_EQ(ColorFromPosition(ModeRed, 30, 20, 10), Rgb(10, 20, 30));   // red z, green y, blue x
    EXPECT_EQ(ColorFromPosition(ModeGreen, 30, 20, 10), Rgb(20, 10, 30)); // red y, green z, blue x
    EXPECT_EQ(ColorFromPosition(ModeBlue, 30, 20, 10), Rgb(30, 20, 10));  // red x, green y, blue z
    // Hue: HsbToColor(240, 0.5, 1): sector 4, f 0 -> (t, p, v) = (0.5, 0.5, 1) -> (127, 127, 255)
    EXPECT_EQ(ColorFromPosition(ModeHue, 500, 1000, 2400), Rgb(127, 127, 255));
    // Saturation: HsbToColor(120, 1, 1) = green
    EXPECT_EQ(ColorFromPosition(ModeSaturation, 1200, 1000, 1000), Rgb(0, 255, 0));
    // Brightness: HsbToColor(60, 1, 0.5): sector 1, f 0 -> (q, v, p) = (0.5, 0.5, 0) -> (127, 127, 0)
    EXPECT_EQ(ColorFromPosition(ModeBrightness, 600, 1000, 500), Rgb(127, 127, 0));
    EXPECT_EQ(ColorFromPosition(6, 1, 2, 3), 0u);
}

TEST(ColorFromPosition, HueZ3600IsHue0) {
    EXPECT_EQ(ColorFromPosition(ModeHue, 1000, 1000, 3600), Rgb(255, 0, 0));
    EXPECT_EQ(ColorFromPosition(ModeHue, 1000, 1000, 0), Rgb(255, 0, 0));
    EXPECT_EQ(ColorFromPosition(ModeHue, 1000, 1000, 3601), 0u); // hue 360.1 out of range -> black
}

TEST(PositionFromColor, RgbModesInvertExactly) {
    const Color c = Rgb(10, 20, 30);
    EXPECT_EQ(PositionFromColor(ModeRed, c), (SelectorPosition{30, 20, 10}));
    EXPECT_EQ(PositionFromColor(ModeGreen, c), (SelectorPosition{30, 10, 20}));
    EXPECT_EQ(PositionFromColor(ModeBlue, c), (SelectorPosition{10, 20, 30}));
    for (int mode = 0; mode < 3; ++mode) {
        const SelectorPosition p = PositionFromColor(mode, c);
        EXPECT_EQ(ColorFromPosition(mode, p.x, p.y, p.z), c) << mode;
    }
    EXPECT_EQ(PositionFromColor(7, c), (SelectorPosition{0, 0, 0}));
}

TEST(PositionFromColor, HsbModesUseCeiling) {
    // Red: h 0, s 1, v 1.
    EXPECT_EQ(PositionFromColor(ModeHue, Rgb(255, 0, 0)), (SelectorPosition{1000, 1000, 0}));
    // Green: h = (0 - 0)/1 + 2 -> 120 -> z 1200.
    EXPECT_EQ(PositionFromColor(ModeHue, Rgb(0, 255, 0)), (SelectorPosition{1000, 1000, 1200}));
    // Grey 128: s 0, h 0, v 128/255 = 0.50196 -> ceil(501.96) = 502.
    EXPECT_EQ(PositionFromColor(ModeSaturation, Rgb(128, 128, 128)), (SelectorPosition{0, 502, 0}));
    // (255, 0, 1): red wins, (0 - 1/255)/1 * 60 = -0.235 -> 359.765 -> ceil(3597.65) = 3598; s 1, v 1.
    EXPECT_EQ(PositionFromColor(ModeBrightness, Rgb(255, 0, 1)), (SelectorPosition{3598, 1000, 1000}));
    // (0, 0, 102): blue wins, (0 - 0)/1 + 4 -> h 240; s 1; v = 102/255 = 0.4, 0.4 * 1000 = 400 -> 400.
    EXPECT_EQ(PositionFromColor(ModeSaturation, Rgb(0, 0, 102)), (SelectorPosition{2400, 400, 1000}));
}

TEST(PositionFromHsb, HueAbove359Point9GivesZ3600) {
    // ceil(359.95 * 10) = ceil(3599.5) = 3600; GetColor then uses hue 360 = hue 0.
    const SelectorPosition p = PositionFromHsb(ModeHue, 359.95, 1.0, 1.0);
    EXPECT_EQ(p, (SelectorPosition{1000, 1000, 3600}));
    EXPECT_EQ(ColorFromPosition(ModeHue, p.x, p.y, p.z), Rgb(255, 0, 0));
    EXPECT_EQ(PositionFromHsb(ModeSaturation, 359.95, 0.5, 0.25), (SelectorPosition{3600, 250, 500}));
    EXPECT_EQ(PositionFromHsb(ModeBrightness, 12.34, 0.5, 0.25), (SelectorPosition{124, 500, 250}));
}

// ---------------------------------------------------------------- selector geometry, mouse, marker

TEST(SelectorGeometry, InnerIsThreePixelsIn) {
    const SelectorGeometry g = ComputeSelectorGeometry(268, 94);
    EXPECT_EQ(g.client, (Rect{0, 0, 268, 94}));
    EXPECT_EQ(g.inner, (Rect{3, 3, 265, 91}));
    EXPECT_EQ(g.hit, g.inner);
    EXPECT_TRUE(g.hit.Contains(Point{3, 3}));
    EXPECT_FALSE(g.hit.Contains(Point{265, 50})); // right edge excluded
    EXPECT_FALSE(g.hit.Contains(Point{50, 91}));  // bottom edge excluded
    EXPECT_FALSE(g.hit.Contains(Point{2, 50}));
}

TEST(SelectorMouse, PointToPosition) {
    const Rect inner{3, 3, 265, 91}; // width 262, height 88
    EXPECT_EQ(SelectorPositionFromPoint({3, 91}, inner, 255, 255), (SelectorXY{0, 0}));
    EXPECT_EQ(SelectorPositionFromPoint({265, 3}, inner, 255, 255), (SelectorXY{255, 255}));
    // x = ceil(131 * 255 / 262) = ceil(127.5) = 128; y = ceil((91 - 47) * 255 / 88) = ceil(127.5) = 128
    EXPECT_EQ(SelectorPositionFromPoint({134, 47}, inner, 255, 255), (SelectorXY{128, 128}));
    // clamped into the field
    EXPECT_EQ(SelectorPositionFromPoint({-40, 500}, inner, 255, 255), (SelectorXY{0, 0}));
    EXPECT_EQ(SelectorPositionFromPoint({900, -9}, inner, 3599, 1000), (SelectorXY{3599, 1000}));
    // Hue mode, x = ceil(1 * 1000 / 262) = ceil(3.8) = 4
    EXPECT_EQ(SelectorPositionFromPoint({4, 91}, inner, 1000, 1000), (SelectorXY{4, 0}));
    // 16-bit signed intermediate: 40000 wraps to 40000 - 65536 = -25536
    EXPECT_EQ(SelectorPositionFromPoint({265, 91}, inner, 40000, 10), (SelectorXY{-25536, 0}));
    // degenerate rectangle: 0, no division by zero
    EXPECT_EQ(SelectorPositionFromPoint({5, 5}, Rect{5, 5, 5, 5}, 255, 255), (SelectorXY{0, 0}));
}

TEST(SelectorMouse, MarkerCentre) {
    const Rect inner{3, 3, 265, 91};
    EXPECT_EQ(SelectorMarkerCentre(inner, 0, 0, 255, 255), (Point{3, 91}));
    EXPECT_EQ(SelectorMarkerCentre(inner, 255, 255, 255, 255), (Point{265, 3}));
    // mx = 3 + 262 * 128 / 255 = 3 + 131 (131.5 truncated); my = 91 - 88 * 128 / 255 = 91 - 44 (44.17)
    EXPECT_EQ(SelectorMarkerCentre(inner, 128, 128, 255, 255), (Point{134, 47}));
    EXPECT_EQ(SelectorMarkerCentre(inner, 5, 5, 0, 0), (Point{3, 91})); // no division by zero
}

TEST(SelectorMarker, PenColor) {
    EXPECT_TRUE(MarkerPenIsBlack(Rgb(0, 128, 0)));
    EXPECT_FALSE(MarkerPenIsBlack(Rgb(127, 127, 127)));
    EXPECT_TRUE(MarkerPenIsBlack(Rgb(10, 20, 255)));
}

// ---------------------------------------------------------------- selector keys

TEST(SelectorKeys, HueModeKeys) {
    const SelectorXY at{400, 300};
    // Page Up in Hue mode: (1000, 1000) = full saturation and brightness at the hue.
    const auto up = SelectorKeyPosition(KeyPageUp, at, 1000, 1000);
    ASSERT_TRUE(up.has_value());
    EXPECT_EQ(*up, (SelectorXY{1000, 1000}));
    EXPECT_EQ(ColorFromPosition(ModeHue, up->x, up->y, 1200), Rgb(0, 255, 0));
    // End: (0, 0) = black.
    const auto end = SelectorKeyPosition(KeyEnd, at, 1000, 1000);
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(*end, (SelectorXY{0, 0}));
    EXPECT_EQ(ColorFromPosition(ModeHue, end->x, end->y, 1200), Rgb(0, 0, 0));
    EXPECT_EQ(SelectorKeyPosition(KeyPageDown, at, 1000, 1000), (SelectorXY{1000, 0}));
    EXPECT_EQ(SelectorKeyPosition(KeyHome, at, 1000, 1000), (SelectorXY{0, 1000}));
    EXPECT_EQ(SelectorKeyPosition(KeyLeft, at, 1000, 1000), (SelectorXY{399, 300}));
    EXPECT_EQ(SelectorKeyPosition(KeyRight, at, 1000, 1000), (SelectorXY{401, 300}));
    EXPECT_EQ(SelectorKeyPosition(KeyUp, at, 1000, 1000), (SelectorXY{400, 301}));
    EXPECT_EQ(SelectorKeyPosition(KeyDown, at, 1000, 1000), (SelectorXY{400, 299}));
}

TEST(SelectorKeys, PastAnEdgeOrUnknownKeyChangesNothing) {
    EXPECT_FALSE(SelectorKeyPosition(KeyLeft, {0, 5}, 255, 255).has_value());
    EXPECT_FALSE(SelectorKeyPosition(KeyDown, {5, 0}, 255, 255).has_value());
    EXPECT_FALSE(SelectorKeyPosition(KeyRight, {255, 5}, 255, 255).has_value());
    EXPECT_FALSE(SelectorKeyPosition(KeyUp, {5, 255}, 255, 255).has_value());
    EXPECT_FALSE(SelectorKeyPosition(KeyEnd, {0, 0}, 255, 255).has_value());
    EXPECT_FALSE(SelectorKeyPosition(KeyPageUp, {255, 255}, 255, 255).has_value());
    EXPECT_FALSE(SelectorKeyPosition(0x20, {5, 5}, 255, 255).has_value());
    EXPECT_FALSE(SelectorKeyPosition(0x29, {5, 5}, 255, 255).has_value());
    EXPECT_FALSE(SelectorKeyPosition(0x09, {5, 5}, 255, 255).has_value()); // Tab
}

// ---------------------------------------------------------------- slider

TEST(SliderRanges, PerMode) {
    EXPECT_EQ(SliderRangeForMode(0), (SliderRange{0, 255, 1, 10}));
    EXPECT_EQ(SliderRangeForMode(2), (SliderRange{0, 255, 1, 10}));
    EXPECT_EQ(SliderRangeForMode(3), (SliderRange{0, 3599, 10, 100}));
    EXPECT_EQ(SliderRangeForMode(4), (SliderRange{0, 1000, 10, 100}));
    EXPECT_EQ(SliderRangeForMode(5), (SliderRange{0, 1000, 10, 100}));
    EXPECT_FALSE(SliderRangeForMode(6).has_value());
    EXPECT_EQ(SliderInitialPosition(SelectorModeCode(ModeHue), kSliderRanges[3]), 3599);
    EXPECT_EQ(SliderInitialPosition(0x03, kSliderRanges[3]), 0);
}

TEST(SliderValues, ComponentAndSetValue) {
    EXPECT_EQ(SliderComponentValue(SelectorModeCode(ModeHue), 3499, 3599), 100);
    EXPECT_EQ(SliderComponentValue(0x03, 3499, 3599), 3499);
    EXPECT_EQ(SliderPositionForValue(SelectorModeCode(ModeHue), 100, 0, 3599), 3499);
    EXPECT_EQ(SliderPositionForValue(SelectorModeCode(ModeHue), -5, 0, 3599), 3599); // 3604 clamped
    EXPECT_EQ(SliderPositionForValue(SelectorModeCode(ModeHue), 4000, 0, 3599), 0);  // -401 clamped
    EXPECT_EQ(SliderPositionForValue(0x00, 300, 0, 255), 255);
    EXPECT_EQ(SliderPositionForValue(0x00, 5, 10, 0), 5); // reversed range
    EXPECT_EQ(SliderPositionForValue(0x00, 50, 10, 0), 10);
}

TEST(SliderKeys, HueModeSteps) {
    const SliderRange hue = kSliderRanges[ModeHue];
    // Pos 3599 is value 0 (bottom). Page Up moves 100 positions (10 degrees), Up 10 (one degree).
    EXPECT_EQ(SliderKeyPosition(KeyPageUp, 3599, hue), 3499);
    EXPECT_EQ(SliderKeyPosition(KeyPageUp, 3499, hue), 3399);
    EXPECT_EQ(SliderKeyPosition(KeyUp, 3599, hue), 3589);
    EXPECT_EQ(SliderKeyPosition(KeyLeft, 3599, hue), 3589);
    EXPECT_EQ(SliderKeyPosition(KeyDown, 3000, hue), 3010);
    EXPECT_EQ(SliderKeyPosition(KeyRight, 3000, hue), 3010);
    EXPECT_EQ(SliderKeyPosition(KeyPageDown, 3000, hue), 3100);
    // Home: pos minPos -> the component is the maximum; End: pos maxPos -> the component 0.
    const auto home = SliderKeyPosition(KeyHome, 1234, hue);
    ASSERT_TRUE(home.has_value());
    EXPECT_EQ(*home, 0);
    EXPECT_EQ(SliderComponentValue(SelectorModeCode(ModeHue), *home, hue.maxPos), 3599);
    const auto end = SliderKeyPosition(KeyEnd, 1234, hue);
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(*end, 3599);
    EXPECT_EQ(SliderComponentValue(SelectorModeCode(ModeHue), *end, hue.maxPos), 0);
    // Clamping at the ends.
    EXPECT_EQ(SliderKeyPosition(KeyPageUp, 50, hue), 0);
    EXPECT_EQ(SliderKeyPosition(KeyPageDown, 3550, hue), 3599);
}

TEST(SliderKeys, UnchangedOrOtherKeys) {
    const SliderRange hue = kSliderRanges[ModeHue];
    EXPECT_FALSE(SliderKeyPosition(KeyEnd, 3599, hue).has_value());
    EXPECT_FALSE(SliderKeyPosition(KeyPageDown, 3599, hue).has_value());
    EXPECT_FALSE(SliderKeyPosition(KeyHome, 0, hue).has_value());
    EXPECT_FALSE(SliderKeyPosition(KeyUp, 0, hue).has_value());
    EXPECT_FALSE(SliderKeyPosition(0x20, 100, hue).has_value());
    EXPECT_FALSE(SliderKeyPosition(0x29, 100, hue).has_value());
    EXPECT_FALSE(SliderKeyPosition(0x09, 100, hue).has_value()); // Tab is ignored
    // A reversed range subtracts the delta: Page Up from 5 in [10 .. 0] with page 3 -> 8.
    const SliderRange reversed{10, 0, 1, 3};
    EXPECT_EQ(SliderKeyPosition(KeyPageUp, 5, reversed), 8);
    EXPECT_EQ(SliderKeyPosition(KeyPageDown, 1, reversed), 0);
}

TEST(SliderMouse, PositionFromCoordinate) {
    // Ramp 5..105 (f = 100), Hue range 0..3599.
    EXPECT_EQ(SliderPositionFromCoordinate(5, 5, 105, 0, 3599), 0);
    EXPECT_EQ(SliderPositionFromCoordinate(105, 5, 105, 0, 3599), 3599);
    EXPECT_EQ(SliderPositionFromCoordinate(55, 5, 105, 0, 3599), 1800);  // 0.5 * 3599 + 0.5 = 1800
    EXPECT_EQ(SliderPositionFromCoordinate(6, 5, 105, 0, 3599), 36);     // 35.99 + 0.5 -> 36
    EXPECT_EQ(SliderPositionFromCoordinate(-100, 5, 105, 0, 3599), 0);   // clamps above
    EXPECT_EQ(SliderPositionFromCoordinate(900, 5, 105, 0, 3599), 3599); // and below
    // minPos > maxPos: 10 + trunc(0.5 * -10 - 0.5) = 10 - 5 = 5
    EXPECT_EQ(SliderPositionFromCoordinate(55, 5, 105, 10, 0), 5);
    EXPECT_EQ(SliderPositionFromCoordinate(9, 9, 9, 0, 255), 0); // zero extent: minPos
    const Rect ramp{10, 5, 20, 105};
    EXPECT_EQ(SliderPositionFromPoint({0, 55}, ramp, false, 0, 3599), 1800);
    EXPECT_EQ(SliderPositionFromPoint({15, 55}, ramp, true, 0, 100), 50); // (15 - 10) / 10 * 100 + 0.5
}

TEST(SliderPointer, Offset) {
    EXPECT_EQ(SliderPointerOffset(3599, 0, 3599, 100), 100);
    EXPECT_EQ(SliderPointerOffset(0, 0, 3599, 100), 0);
    EXPECT_EQ(SliderPointerOffset(1800, 0, 3599, 100), 50); // 0.50014 * 100 = 50.01
    EXPECT_EQ(SliderPointerOffset(127, 0, 255, 200), 99);   // 0.498 * 200 = 99.6
    EXPECT_EQ(SliderPointerOffset(5, 7, 7, 100), 0);        // empty range
}

TEST(SliderGeometry, DefaultVerticalStyle) {
    // cx 24, cy 200: hit (2, 2, 21, 199); pointer on the right: right -= 7 -> 14;
    // ends inwards by 6 - 3 = 3: top 5, bottom 196; ramp = frame shrunk by 2.
    const SliderGeometry g = ComputeSliderGeometry(24, 200, SliderDefaultStyle);
    EXPECT_EQ(g.client, (Rect{0, 0, 24, 200}));
    EXPECT_EQ(g.hit, (Rect{2, 2, 21, 199}));
    EXPECT_EQ(g.frame, (Rect{2, 5, 14, 196}));
    EXPECT_EQ(g.ramp, (Rect{4, 7, 12, 194}));
    EXPECT_EQ(g.rampLength, 188); // 194 - 7 + 1
}

TEST(SliderGeometry, HorizontalBothPointers) {
    // cx 200, cy 30: hit (2, 2, 197, 29); top += 7 -> 9, bottom -= 7 -> 22; left 5, right 194.
    const SliderGeometry g =
        ComputeSliderGeometry(200, 30, SliderHorizontal | SliderArrowTopLeft | SliderArrowBottomRight);
    EXPECT_EQ(g.frame, (Rect{5, 9, 194, 22}));
    EXPECT_EQ(g.ramp, (Rect{7, 11, 192, 20}));
    EXPECT_EQ(g.rampLength, 186);
}

TEST(SliderFixed, FromSelectorAxes) {
    EXPECT_EQ(SliderFixedFromSelector(ModeRed, 7, 9), (SliderFixed{9, 7}));
    EXPECT_EQ(SliderFixedFromSelector(ModeBlue, 200, 50), (SliderFixed{50, 200}));
    EXPECT_EQ(SliderFixedFromSelector(ModeHue, 7, 9), (SliderFixed{7, 9}));
    EXPECT_EQ(SliderFixedFromSelector(ModeBrightness, 7, 9), (SliderFixed{7, 9}));
}
