// The color spaces of CSS Color 4 that a pasted color may be written in, OKLab and OKLCH, and the
// CSS gamut mapping that brings a color of any of them into 8-bit sRGB.
#pragma once

#include "color/ColorMath.h"

#include <array>
#include <optional>

using Triple = std::array<double, 3>;

// The wide-gamut RGB spaces of color(): channels 0..1 with each space's own transfer curve and
// primaries.
enum class RgbSpace { DisplayP3, A98Rgb, ProphotoRgb, Rec2020 };

// CIE XYZ relative to D65 (Y of white 1) from a color() of one of the RGB spaces.
Triple RgbSpaceToXyz(RgbSpace space, const Triple& channels);
// D50 to D65 by the Bradford transform, as CSS Color 4 adapts.
Triple XyzD50ToD65(const Triple& xyz);
// CIELAB relative to D50 (lab() and lch()) to XYZ relative to D50.
Triple LabToXyzD50(const Triple& lab);
Triple XyzToOklab(const Triple& xyzD65);

// hsl() and hwb() to encoded sRGB, each channel 0..1: the hue in degrees, the rest as fractions.
// Whiteness and blackness that add up past 1 give a grey, as CSS scales them.
Triple HslToSrgb(double hue, double saturation, double lightness);
Triple HwbToSrgb(double hue, double white, double black);

// Polar to rectangular and back: (L, C, hue in degrees) <-> (L, a, b). A grey has hue 0.
Triple PolarToRectangular(const Triple& lch);
Triple RectangularToPolar(const Triple& lab);

// The color as it is when it lies inside sRGB; otherwise the OKLCH chroma reduction of CSS Color 4
// (a binary search on chroma that stops at a clipped color less than a just noticeable difference
// from it). Channels are rounded half up to bytes, as CSS rounds. Nothing when a value is not finite.
std::optional<Color> SrgbToColor(const Triple& srgb); // encoded sRGB, 1 is full scale
std::optional<Color> LinearSrgbToColor(const Triple& linear);
std::optional<Color> XyzToColor(const Triple& xyzD65);
std::optional<Color> OklabToColor(const Triple& oklab);
// An OKLCH color with its chroma reduced until it lies inside sRGB, nothing else changed: the hue
// stays but for the rounding to bytes.
Color OklchToColorKeepingHue(const Triple& lch);
// With the channels outside sRGB clipped instead, as a swatch file's Lab colors are taken.
Color XyzToClippedColor(const Triple& xyzD65);
// The OKLab lightness at which a color of this a and b has the relative luminance, were it inside sRGB.
double OklabLightnessAtLuminance(double luminance, double a, double b);
// Half up, clamped to 0..255.
int RoundToByte(double channel) noexcept;

// The OKLab of an 8-bit sRGB color, and of encoded sRGB channels (1 is full scale).
Triple ColorToOklab(Color color);
Triple SrgbToOklab(const Triple& srgb);
