// Portable math of the color field and the color slider: mode codes, per-mode axes and ranges, color <->
// position, mouse and key handling arithmetic, control geometry. No windows here; the Win32 controls call
// these and do the messaging and drawing.
#pragma once

#include "color/ColorMath.h"
#include "color/Geometry.h"

#include <cstdint>
#include <optional>

// ---------------------------------------------------------------- modes

// The component the color field and the slider edit. The controls' SetMode takes it as a mode code,
// 0x80 | mode, which is also what the slider keeps and reads its direction from.
enum SelectorMode : int {
    ModeRed = 0,
    ModeGreen = 1,
    ModeBlue = 2,
    ModeHue = 3,
    ModeSaturation = 4,
    ModeBrightness = 5,
};
inline constexpr int SelectorModeCount = 6;
inline constexpr std::int32_t SelectorModeFlag = 0x80;

constexpr std::int32_t SelectorModeCode(SelectorMode mode) noexcept {
    return SelectorModeFlag | mode;
}

constexpr int ModeIndexOfCode(std::int32_t code) noexcept {
    return code & 0x7F;
}
constexpr bool HasSelectorModeFlag(std::int32_t code) noexcept {
    return (code & SelectorModeFlag) != 0;
}
constexpr bool IsValidModeIndex(int modeIndex) noexcept {
    return modeIndex >= 0 && modeIndex < SelectorModeCount;
}
constexpr bool IsRgbMode(int modeIndex) noexcept {
    return modeIndex >= ModeRed && modeIndex <= ModeBlue;
}

// Virtual-key codes the controls act on (the Win32 VK_ values).
enum ControlKey : int {
    KeyPageUp = 0x21,
    KeyPageDown = 0x22,
    KeyEnd = 0x23,
    KeyHome = 0x24,
    KeyLeft = 0x25,
    KeyUp = 0x26,
    KeyRight = 0x27,
    KeyDown = 0x28,
};

// ---------------------------------------------------------------- selector

struct SelectorAxes {
    int xMax;
    int yMax;
    int zMax;
    friend constexpr bool operator==(const SelectorAxes&, const SelectorAxes&) = default;
};

// Indexed by the mode index; the slider keeps the same table.
inline constexpr SelectorAxes kSelectorAxes[SelectorModeCount] = {
    {255, 255, 255},    // Red: x blue, y green, z red
    {255, 255, 255},    // Green: x blue, y red, z green
    {255, 255, 255},    // Blue: x red, y green, z blue
    {1000, 1000, 3599}, // Hue: x saturation, y brightness, z hue (tenths)
    {3599, 1000, 1000}, // Saturation: x hue, y brightness, z saturation
    {3599, 1000, 1000}, // Brightness: x hue, y saturation, z brightness
};

// Axes of a mode index; nullopt outside 0..5.
std::optional<SelectorAxes> AxesForMode(int modeIndex) noexcept;

struct SelectorPosition {
    int x;
    int y;
    int z;
    friend constexpr bool operator==(const SelectorPosition&, const SelectorPosition&) = default;
};

struct SelectorXY {
    int x;
    int y;
    friend constexpr bool operator==(const SelectorXY&, const SelectorXY&) = default;
};

// The selector's GetColor: the Color of (x, y, z) in a mode (RGB channels are
// taken modulo 256; HSB positions out of range give black as HsbToColor does).
// A mode index outside 0..5 gives 0.
Color ColorFromPosition(int modeIndex, int x, int y, int z) noexcept;

// The selector's SetColor inversion: RGB modes exact; HSB modes through
// RgbToHsb (channel / 255) and the ceiling rules. Outside 0..5: (0, 0, 0).
SelectorPosition PositionFromColor(int modeIndex, Color color) noexcept;

// The HSB half of SetColor from a triple (hue degrees, saturation and
// brightness 0..1): Hue (ceil(s*1000), ceil(b*1000), ceil(h*10)), Saturation
// (ceil(h*10), ceil(b*1000), ceil(s*1000)), Brightness (ceil(h*10),
// ceil(s*1000), ceil(b*1000)). A hue above 359.9 gives 3600. RGB modes go
// through HsbToColor and the exact inversion.
SelectorPosition PositionFromHsb(int modeIndex, double hue, double saturation, double brightness) noexcept;

// A slider value is taken as z only within [0, zMax] of the mode.
bool SelectorAcceptsZ(int modeIndex, int value) noexcept;

struct SelectorGeometry {
    Rect client; // (0, 0, cx, cy)
    Rect inner;  // (3, 3, cx - 3, cy - 3); the field covers both edges inclusive
    Rect hit;    // = inner; hit tests exclude right and bottom
};
SelectorGeometry ComputeSelectorGeometry(int clientWidth, int clientHeight) noexcept;

// Mouse point -> (x, y): the point is clamped into `inner` (edges inclusive),
// x = ceil((px - left) * xMax / (right - left)), y = ceil((bottom - py) * yMax
// / (bottom - top)) in floating point, each stored through a 16-bit signed
// intermediate. A zero-width (or zero-height) rectangle gives 0 on that axis.
SelectorXY SelectorPositionFromPoint(Point mouse, Rect inner, int xMax, int yMax) noexcept;

// (x, y) -> marker centre: mx = left + (right - left) * x / xMax,
// my = bottom - (bottom - top) * y / yMax, truncating integer arithmetic.
// An axis maximum of 0 puts the marker at left (or bottom).
Point SelectorMarkerCentre(Rect inner, int x, int y, int xMax, int yMax) noexcept;

// Keys: Page Up (xMax, yMax), Page Down (xMax, 0), End (0, 0), Home (0, yMax),
// Left/Right x -+ 1, Up/Down y +- 1; clamped to [0, max]. nullopt when the key
// is not one of these or neither coordinate changed (no notification then).
std::optional<SelectorXY> SelectorKeyPosition(int virtualKey, SelectorXY current, int xMax,
                                              int yMax) noexcept;

// Marker pen: black when the largest channel of the color is 128 or more.
constexpr bool MarkerPenIsBlack(Color color) noexcept {
    const int r = RedOf(color), g = GreenOf(color), b = BlueOf(color);
    const int m = r > g ? (r > b ? r : b) : (g > b ? g : b);
    return m >= 128;
}

// ---------------------------------------------------------------- slider

inline constexpr std::uint32_t SliderHorizontal = 0x8000;
inline constexpr std::uint32_t SliderVertical = 0x4000;
inline constexpr std::uint32_t SliderArrowTopLeft = 0x2000;
inline constexpr std::uint32_t SliderArrowBottomRight = 0x1000;
inline constexpr std::uint32_t SliderDefaultStyle = 0x50015280; // vertical, pointer on the right
inline constexpr int SliderDefaultArrowSize = 6;

struct SliderRange {
    int minPos;
    int maxPos;
    int smallStep;
    int pageStep;
    friend constexpr bool operator==(const SliderRange&, const SliderRange&) = default;
};

inline constexpr SliderRange kSliderRanges[SelectorModeCount] = {
    {0, 255, 1, 10},    // Red
    {0, 255, 1, 10},    // Green
    {0, 255, 1, 10},    // Blue
    {0, 3599, 10, 100}, // Hue
    {0, 1000, 10, 100}, // Saturation
    {0, 1000, 10, 100}, // Brightness
};

// Range of a mode index; nullopt outside 0..5.
std::optional<SliderRange> SliderRangeForMode(int modeIndex) noexcept;

// SetMode's position: maxPos with the 0x80 bit, else minPos.
constexpr int SliderInitialPosition(std::int32_t modeCode, const SliderRange& range) noexcept {
    return HasSelectorModeFlag(modeCode) ? range.maxPos : range.minPos;
}

// The component value the selector takes: maxPos - pos with the 0x80 bit, else pos.
constexpr int SliderComponentValue(std::int32_t modeCode, int pos, int maxPos) noexcept {
    return HasSelectorModeFlag(modeCode) ? maxPos - pos : pos;
}

// SetValue's target position: maxPos - value with the 0x80 bit (else value),
// clamped to [minPos, maxPos] (or [maxPos, minPos] when minPos >= maxPos).
int SliderPositionForValue(std::int32_t modeCode, int value, int minPos, int maxPos) noexcept;

// Position from a mouse coordinate along the ramp (y and the ramp's top and
// bottom for a vertical slider, x and left/right for a horizontal one):
// c clamped to [rampFirst, rampLast], e = c - first, f = last - first,
// pos = minPos + trunc(e / f * (maxPos - minPos) + 0.5) when minPos < maxPos,
// with -0.5 otherwise. A ramp of zero extent gives minPos.
int SliderPositionFromCoordinate(int coordinate, int rampFirst, int rampLast, int minPos,
                                 int maxPos) noexcept;
int SliderPositionFromPoint(Point mouse, Rect ramp, bool horizontal, int minPos, int maxPos) noexcept;

// Keys 0x21..0x28: Page Up -pageStep, Page Down +pageStep, End maxPos,
// Home minPos, Right/Down +smallStep, Left/Up -smallStep; clamped. nullopt for
// other keys and when the position would not change.
std::optional<int> SliderKeyPosition(int virtualKey, int pos, const SliderRange& range) noexcept;

// Pointer offset along the ramp: trunc((pos - minPos) / (maxPos - minPos) *
// rampExtent) with rampExtent = ramp bottom - top (or right - left). An empty
// range gives 0.
int SliderPointerOffset(int pos, int minPos, int maxPos, int rampExtent) noexcept;

// The two other components the slider's ramp goes through, from the
// selector's (x, y): RGB modes (first y, second x), HSB modes (first x, second y).
struct SliderFixed {
    int first;
    int second;
    friend constexpr bool operator==(const SliderFixed&, const SliderFixed&) = default;
};
constexpr SliderFixed SliderFixedFromSelector(int modeIndex, int x, int y) noexcept {
    return IsRgbMode(modeIndex) ? SliderFixed{y, x} : SliderFixed{x, y};
}

struct SliderGeometry {
    Rect client;    // (0, 0, cx, cy)
    Rect hit;       // (2, 2, cx - 3, cy - 1)
    Rect frame;     // hit less the pointer room and the ends
    Rect ramp;      // frame shrunk by 2 on every side
    int rampLength; // ramp height + 1 (vertical) or width + 1 (horizontal)
};
SliderGeometry ComputeSliderGeometry(int clientWidth, int clientHeight, std::uint32_t styleFlags,
                                     int arrowSize = SliderDefaultArrowSize) noexcept;
