#include "color/ColorDifference.h"

#include "color/Contrast.h"

#include <cmath>
#include <numbers>

namespace {

// Linear sRGB -> XYZ under D65 (IEC 61966-2-1), each row divided by its sum so that the reference
// white is the sRGB white itself: white gives L 100, a = b = 0 exactly and every grey has a = b = 0.
constexpr double kToXyz[3][3] = {
    {0.4124564, 0.3575761, 0.1804375},
    {0.2126729, 0.7151522, 0.0721750},
    {0.0193339, 0.1191920, 0.9503041},
};

double RelativeToWhite(int row, const double linear[3]) noexcept {
    const double* m = kToXyz[row];
    return (m[0] * linear[0] + m[1] * linear[1] + m[2] * linear[2]) / (m[0] + m[1] + m[2]);
}

// CIE's exact constants: the cube root above (6/29)^3, a straight line below it.
double LabCurve(double t) noexcept {
    constexpr double kEpsilon = 216.0 / 24389.0;
    constexpr double kKappa = 24389.0 / 27.0;
    return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16.0) / 116.0;
}

constexpr double kDegrees = 180.0 / std::numbers::pi;
constexpr double kRadians = std::numbers::pi / 180.0;

double Chroma(double a, double b) noexcept {
    return std::sqrt(a * a + b * b);
}

double Power7(double x) noexcept {
    const double x2 = x * x;
    return x2 * x2 * x2 * x;
}

// 25^7: the chroma at which the a* correction and the rotation term are halfway.
constexpr double kChromaHalf7 = 6103515625.0;

// Hue angle in degrees, 0..360; 0 for a neutral color, as CIEDE2000 defines it.
double HueDegrees(double b, double aPrime) noexcept {
    if (b == 0.0 && aPrime == 0.0) {
        return 0.0;
    }
    const double hue = std::atan2(b, aPrime) * kDegrees;
    return hue < 0.0 ? hue + 360.0 : hue;
}

} // namespace

Lab ToLab(Color color) {
    const double linear[3] = {SrgbToLinear(RedOf(color)), SrgbToLinear(GreenOf(color)),
                              SrgbToLinear(BlueOf(color))};
    const double fx = LabCurve(RelativeToWhite(0, linear));
    const double fy = LabCurve(RelativeToWhite(1, linear));
    const double fz = LabCurve(RelativeToWhite(2, linear));
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

// Sharma, Wu and Dalal (2005), kL = kC = kH = 1. Where a chroma is 0 the hue is undefined: the hue
// difference is then 0 and the mean hue is the plain sum, as their notes prescribe.
double Ciede2000(const Lab& first, const Lab& second) {
    const double meanChroma = (Chroma(first.a, first.b) + Chroma(second.a, second.b)) / 2.0;
    const double meanChroma7 = Power7(meanChroma);
    const double g = 0.5 * (1.0 - std::sqrt(meanChroma7 / (meanChroma7 + kChromaHalf7)));
    const double a1 = (1.0 + g) * first.a, a2 = (1.0 + g) * second.a;
    const double c1 = Chroma(a1, first.b), c2 = Chroma(a2, second.b);
    const double h1 = HueDegrees(first.b, a1), h2 = HueDegrees(second.b, a2);
    const bool neutral = c1 * c2 == 0.0;

    double hueStep = neutral ? 0.0 : h2 - h1;
    if (hueStep > 180.0) {
        hueStep -= 360.0;
    } else if (hueStep < -180.0) {
        hueStep += 360.0;
    }
    const double deltaL = second.l - first.l;
    const double deltaC = c2 - c1;
    const double deltaH = 2.0 * std::sqrt(c1 * c2) * std::sin(hueStep / 2.0 * kRadians);

    double meanHue = h1 + h2;
    if (!neutral) {
        if (std::fabs(h1 - h2) > 180.0) {
            meanHue += meanHue < 360.0 ? 360.0 : -360.0;
        }
        meanHue /= 2.0;
    }
    const double meanL = (first.l + second.l) / 2.0;
    const double meanC = (c1 + c2) / 2.0;
    const double t = 1.0 - 0.17 * std::cos((meanHue - 30.0) * kRadians) +
                     0.24 * std::cos(2.0 * meanHue * kRadians) +
                     0.32 * std::cos((3.0 * meanHue + 6.0) * kRadians) -
                     0.20 * std::cos((4.0 * meanHue - 63.0) * kRadians);
    const double hueOffset = (meanHue - 275.0) / 25.0;
    const double rotation = 30.0 * std::exp(-hueOffset * hueOffset);
    const double meanC7 = Power7(meanC);
    const double rc = 2.0 * std::sqrt(meanC7 / (meanC7 + kChromaHalf7));
    const double lOffset2 = (meanL - 50.0) * (meanL - 50.0);
    const double sl = 1.0 + 0.015 * lOffset2 / std::sqrt(20.0 + lOffset2);
    const double sc = 1.0 + 0.045 * meanC;
    const double sh = 1.0 + 0.015 * meanC * t;
    const double rt = -std::sin(2.0 * rotation * kRadians) * rc;

    const double l = deltaL / sl, c = deltaC / sc, h = deltaH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

double Ciede2000(Color first, Color second) {
    return Ciede2000(ToLab(first), ToLab(second));
}
