#include "color/CssColorSpaces.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

using Matrix = std::array<Triple, 3>;

constexpr Triple operator*(const Matrix& m, const Triple& v) noexcept {
    return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
            m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
            m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// The matrices of CSS Color 4's sample code, as rational numbers where it gives them so.
constexpr Matrix kLinearSrgbToXyz = {{
    {506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
    {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
    {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270},
}};
constexpr Matrix kXyzToLinearSrgb = {{
    {12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
    {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
    {705.0 / 12673, -2585.0 / 12673, 705.0 / 667},
}};
constexpr Matrix kLinearP3ToXyz = {{
    {608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
    {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
    {0.0, 32229.0 / 714400, 5220557.0 / 5000800},
}};
constexpr Matrix kLinearA98ToXyz = {{
    {573536.0 / 994567, 263643.0 / 1420810, 187206.0 / 994567},
    {591459.0 / 1989134, 6239551.0 / 9945670, 374412.0 / 4972835},
    {53769.0 / 1989134, 351524.0 / 4972835, 4929758.0 / 4972835},
}};
// ProPhoto's white is D50.
constexpr Matrix kLinearProphotoToXyzD50 = {{
    {0.79776664490064230, 0.13518129740053308, 0.03134773412839220},
    {0.28807482881940130, 0.71183523424187300, 0.00008993693872564},
    {0.0, 0.0, 0.82510460251046020},
}};
constexpr Matrix kLinearRec2020ToXyz = {{
    {63426534.0 / 99577255, 20160776.0 / 139408157, 47086771.0 / 278816314},
    {26158966.0 / 99577255, 472592308.0 / 697040785, 8267143.0 / 139408157},
    {0.0, 19567812.0 / 697040785, 295819943.0 / 278816314},
}};
constexpr Matrix kBradfordD50ToD65 = {{
    {0.955473421488075, -0.02309845494876471, 0.06325924320057072},
    {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
    {0.012314014864481998, -0.020507649298898964, 1.330365926242124},
}};
constexpr Matrix kXyzToLms = {{
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
}};
constexpr Matrix kLmsToOklab = {{
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096173115},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
}};
constexpr Matrix kOklabToLms = {{
    {1.0, 0.3963377773761749, 0.2158037573099136},
    {1.0, -0.1055613458156586, -0.0638541728258133},
    {1.0, -0.0894841775298119, -1.2914855480194092},
}};
constexpr Matrix kLmsToXyz = {{
    {1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
    {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
    {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816},
}};

constexpr Matrix operator*(const Matrix& left, const Matrix& right) noexcept {
    Matrix product{};
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            for (std::size_t k = 0; k < 3; ++k) {
                product[row][column] += left[row][k] * right[k][column];
            }
        }
    }
    return product;
}

// Linear sRGB to LMS and back in one step each: the gamut search converts both ways a dozen times.
constexpr Matrix kLinearSrgbToLms = kXyzToLms * kLinearSrgbToXyz;
constexpr Matrix kLmsToLinearSrgb = kXyzToLinearSrgb * kLmsToXyz;

// The transfer curves extend to negative values by symmetry, as CSS's do.
double Signed(double value, double (*curve)(double)) {
    return value < 0 ? -curve(-value) : curve(value);
}

double SrgbToLinear(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double LinearToSrgb(double value) {
    return value <= 0.0031308 ? value * 12.92 : 1.055 * std::pow(value, 1 / 2.4) - 0.055;
}

double A98ToLinear(double value) {
    return std::pow(value, 563.0 / 256);
}

double ProphotoToLinear(double value) {
    return value <= 16.0 / 512 ? value / 16 : std::pow(value, 1.8);
}

double Rec2020ToLinear(double value) {
    constexpr double kAlpha = 1.09929682680944;
    constexpr double kBeta = 0.018053968510807;
    return value < kBeta * 4.5 ? value / 4.5 : std::pow((value + kAlpha - 1) / kAlpha, 1 / 0.45);
}

Triple PerChannel(const Triple& channels, double (*curve)(double)) {
    return {Signed(channels[0], curve), Signed(channels[1], curve), Signed(channels[2], curve)};
}

Triple OklabToLinearSrgb(const Triple& oklab) {
    Triple lms = kOklabToLms * oklab;
    for (double& value : lms) {
        value = value * value * value;
    }
    return kLmsToLinearSrgb * lms;
}

// OKLab from the cone responses, through their cube roots.
Triple OklabFromLms(Triple lms) {
    for (double& value : lms) {
        value = std::cbrt(value);
    }
    return kLmsToOklab * lms;
}

Triple LinearSrgbToOklab(const Triple& linear) {
    return OklabFromLms(kLinearSrgbToLms * linear);
}

// Linear sRGB decides the gamut as well as the encoded channels do: the curve keeps 0 and 1 in place.
bool InSrgb(const Triple& linear) {
    return std::ranges::all_of(linear, [](double value) { return value >= 0 && value <= 1; });
}

Triple Clipped(const Triple& linear) {
    return {std::clamp(linear[0], 0.0, 1.0), std::clamp(linear[1], 0.0, 1.0),
            std::clamp(linear[2], 0.0, 1.0)};
}

double DeltaEOk(const Triple& first, const Triple& second) {
    return std::hypot(first[0] - second[0], first[1] - second[1], first[2] - second[2]);
}

Color RoundedSrgb(const Triple& srgb) {
    return MakeColor(RoundToByte(255 * srgb[0]), RoundToByte(255 * srgb[1]), RoundToByte(255 * srgb[2]));
}

int EncodedByte(double linear) {
    return RoundToByte(255 * Signed(linear, LinearToSrgb));
}

// For each byte from 1 on, the least linear value that encodes to it, searched once over the doubles
// themselves, whose bit patterns run in the order of their values when positive; and the byte at
// each of a run of even linear values, closer together than any two such thresholds.
constexpr int kByteBuckets = 4096;

struct ByteTable {
    std::array<double, 255> thresholds;
    std::array<std::uint8_t, kByteBuckets + 1> bucketStart;
};

const ByteTable& EncodedByteTable() {
    static const ByteTable table = [] {
        ByteTable made{};
        for (int byte = 1; byte <= 255; ++byte) {
            auto below = std::bit_cast<std::uint64_t>(0.0);
            auto at = std::bit_cast<std::uint64_t>(1.0);
            while (at - below > 1) {
                const std::uint64_t middle = below + (at - below) / 2;
                (EncodedByte(std::bit_cast<double>(middle)) >= byte ? at : below) = middle;
            }
            made.thresholds[byte - 1] = std::bit_cast<double>(at);
        }
        for (int bucket = 0; bucket <= kByteBuckets; ++bucket) {
            made.bucketStart[bucket] = static_cast<std::uint8_t>(
                std::ranges::upper_bound(made.thresholds, double(bucket) / kByteBuckets) -
                made.thresholds.begin());
        }
        return made;
    }();
    return table;
}

// The byte of a linear channel without a power: the gamut searches encode a color at every step.
// Right at a threshold, and outside 0..1, the curve itself decides.
int LinearToByte(double linear) {
    constexpr double kTie = 1e-13;
    if (!(linear >= 0 && linear <= 1)) {
        return EncodedByte(linear);
    }
    const ByteTable& table = EncodedByteTable();
    int byte = table.bucketStart[static_cast<int>(linear * kByteBuckets)];
    if (byte < 255 && linear >= table.thresholds[byte]) {
        ++byte;
    }
    const bool nearTie = (byte < 255 && table.thresholds[byte] - linear < kTie) ||
                         (byte > 0 && linear - table.thresholds[byte - 1] < kTie);
    return nearTie ? EncodedByte(linear) : byte;
}

Color EncodedLinearSrgb(const Triple& linear) {
    return MakeColor(LinearToByte(linear[0]), LinearToByte(linear[1]), LinearToByte(linear[2]));
}

bool IsFinite(const Triple& values) {
    return std::ranges::all_of(values, [](double value) { return std::isfinite(value); });
}

// The steps of CSS Color 4's "binary search gamut mapping with local MINDE" for a color outside sRGB,
// in linear sRGB.
Triple MapLinearSrgb(const Triple& oklab) {
    constexpr double kJnd = 0.02;
    constexpr double kEpsilon = 0.0001;
    const Triple origin = RectangularToPolar(oklab);
    if (origin[0] >= 1) {
        return {1, 1, 1};
    }
    if (origin[0] <= 0) {
        return {0, 0, 0};
    }
    Triple clipped = Clipped(OklabToLinearSrgb(oklab));
    if (DeltaEOk(LinearSrgbToOklab(clipped), oklab) < kJnd) {
        return clipped;
    }
    const double radians = origin[2] * std::numbers::pi / 180;
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    double low = 0;
    double high = origin[1];
    bool lowInGamut = true;
    while (high - low > kEpsilon) {
        const double chroma = (low + high) / 2;
        const Triple current = {origin[0], chroma * cosine, chroma * sine};
        const Triple candidate = OklabToLinearSrgb(current);
        if (lowInGamut && InSrgb(candidate)) {
            low = chroma;
            continue;
        }
        clipped = Clipped(candidate);
        const double difference = DeltaEOk(LinearSrgbToOklab(clipped), current);
        if (difference < kJnd) {
            if (kJnd - difference < kEpsilon) {
                return clipped;
            }
            lowInGamut = false;
            low = chroma;
        } else {
            high = chroma;
        }
    }
    return clipped;
}

} // namespace

Triple RgbSpaceToXyz(RgbSpace space, const Triple& channels) {
    switch (space) {
    case RgbSpace::DisplayP3:
        return kLinearP3ToXyz * PerChannel(channels, SrgbToLinear);
    case RgbSpace::A98Rgb:
        return kLinearA98ToXyz * PerChannel(channels, A98ToLinear);
    case RgbSpace::ProphotoRgb:
        return XyzD50ToD65(kLinearProphotoToXyzD50 * PerChannel(channels, ProphotoToLinear));
    case RgbSpace::Rec2020:
        return kLinearRec2020ToXyz * PerChannel(channels, Rec2020ToLinear);
    }
    return {};
}

Triple XyzD50ToD65(const Triple& xyz) {
    return kBradfordD50ToD65 * xyz;
}

Triple HslToSrgb(double hue, double saturation, double lightness) {
    const double chroma = saturation * std::min(lightness, 1 - lightness);
    auto channel = [&](double offset) {
        const double k = std::fmod(offset + hue / 30, 12.0);
        return lightness - chroma * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
    };
    return {channel(0), channel(8), channel(4)};
}

// In this order the channels are exact where they are halves: 1 - 0.3 - 0.5 is not 0.2 in doubles.
Triple HwbToSrgb(double hue, double white, double black) {
    if (white + black >= 1) {
        const double grey = white / (white + black);
        return {grey, grey, grey};
    }
    Triple srgb = HslToSrgb(hue, 1, 0.5);
    for (double& channel : srgb) {
        channel = channel * (1 - black) + white * (1 - channel);
    }
    return srgb;
}

Triple LabToXyzD50(const Triple& lab) {
    constexpr double kKappa = 24389.0 / 27;
    constexpr double kEpsilon = 216.0 / 24389;
    constexpr Triple kWhiteD50 = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
    const double fy = (lab[0] + 16) / 116;
    const double fx = lab[1] / 500 + fy;
    const double fz = fy - lab[2] / 200;
    auto inverse = [](double f) { return f * f * f > kEpsilon ? f * f * f : (116 * f - 16) / kKappa; };
    const double y = lab[0] > kKappa * kEpsilon ? fy * fy * fy : lab[0] / kKappa;
    return {inverse(fx) * kWhiteD50[0], y * kWhiteD50[1], inverse(fz) * kWhiteD50[2]};
}

Triple XyzToOklab(const Triple& xyzD65) {
    return OklabFromLms(kXyzToLms * xyzD65);
}

Triple PolarToRectangular(const Triple& lch) {
    const double radians = lch[2] * std::numbers::pi / 180;
    return {lch[0], lch[1] * std::cos(radians), lch[1] * std::sin(radians)};
}

Triple RectangularToPolar(const Triple& lab) {
    const double hue = std::atan2(lab[2], lab[1]) * 180 / std::numbers::pi;
    return {lab[0], std::hypot(lab[1], lab[2]), hue < 0 ? hue + 360 : hue};
}

// A channel so large that its linear value overflows is refused, as the other spaces refuse it.
std::optional<Color> SrgbToColor(const Triple& srgb) {
    const Triple linear = PerChannel(srgb, SrgbToLinear);
    if (!IsFinite(linear)) {
        return std::nullopt;
    }
    return InSrgb(linear) ? RoundedSrgb(srgb) : EncodedLinearSrgb(MapLinearSrgb(LinearSrgbToOklab(linear)));
}

std::optional<Color> LinearSrgbToColor(const Triple& linear) {
    if (!IsFinite(linear)) {
        return std::nullopt;
    }
    return EncodedLinearSrgb(InSrgb(linear) ? linear : MapLinearSrgb(LinearSrgbToOklab(linear)));
}

std::optional<Color> XyzToColor(const Triple& xyzD65) {
    return LinearSrgbToColor(kXyzToLinearSrgb * xyzD65);
}

Color XyzToClippedColor(const Triple& xyzD65) {
    return EncodedLinearSrgb(Clipped(kXyzToLinearSrgb * xyzD65));
}

std::optional<Color> OklabToColor(const Triple& oklab) {
    if (!IsFinite(oklab)) {
        return std::nullopt;
    }
    const Triple linear = OklabToLinearSrgb(oklab);
    return EncodedLinearSrgb(InSrgb(linear) ? linear : MapLinearSrgb(oklab));
}

// Without the clip at the end of the CSS search, whose nearly-in-gamut color can lie several degrees
// off the hue when little chroma is left.
Color OklchToColorKeepingHue(const Triple& lch) {
    if (!IsFinite(lch) || lch[0] >= 1) {
        return lch[0] >= 1 ? MakeColor(255, 255, 255) : 0;
    }
    if (lch[0] <= 0) {
        return 0;
    }
    auto linearAt = [&](double chroma) {
        return OklabToLinearSrgb(PolarToRectangular({lch[0], chroma, lch[2]}));
    };
    Triple inside = linearAt(lch[1]);
    if (!InSrgb(inside)) {
        double low = 0, high = lch[1];
        inside = Clipped(linearAt(0));
        // Down to a ten-thousandth of the chroma range, far below one 8-bit level.
        for (int i = 0; i < 13; ++i) {
            const double chroma = (low + high) / 2;
            const Triple candidate = linearAt(chroma);
            if (InSrgb(candidate)) {
                inside = candidate;
                low = chroma;
            } else {
                high = chroma;
            }
        }
    }
    // Of the eight byte colors around it, the one whose hue is nearest: plain rounding can move a
    // dark color of little chroma by several degrees.
    constexpr double kHuedChroma = 0.015;
    constexpr double kCloseEnough = 1.0;
    const Triple encoded = PerChannel(inside, LinearToSrgb);
    auto hueOff = [&](Color color) {
        return std::fabs(std::remainder(RectangularToPolar(ColorToOklab(color))[2] - lch[2], 360.0));
    };
    Color nearest = RoundedSrgb(encoded);
    if (lch[1] < kHuedChroma || hueOff(nearest) <= kCloseEnough) {
        return nearest;
    }
    double nearestOff = 360;
    for (int corner = 0; corner < 8; ++corner) {
        const Color candidate = MakeColor(RoundToByte(std::floor(255 * encoded[0]) + (corner & 1)),
                                          RoundToByte(std::floor(255 * encoded[1]) + ((corner >> 1) & 1)),
                                          RoundToByte(std::floor(255 * encoded[2]) + ((corner >> 2) & 1)));
        const double off = hueOff(candidate);
        if (off < nearestOff) {
            nearest = candidate;
            nearestOff = off;
        }
    }
    return nearest;
}

// Newton's method on the luminance, a sum of cubes of the cone responses, from the lightness of the
// grey of that luminance.
double OklabLightnessAtLuminance(double luminance, double a, double b) {
    constexpr Triple kLuminanceWeights = {0.2126, 0.7152, 0.0722};
    constexpr int kIterations = 4;
    Triple offsets{}, weights{};
    for (int cone = 0; cone < 3; ++cone) {
        offsets[cone] = kOklabToLms[cone][1] * a + kOklabToLms[cone][2] * b;
        for (int channel = 0; channel < 3; ++channel) {
            weights[cone] += kLuminanceWeights[channel] * kLmsToLinearSrgb[channel][cone];
        }
    }
    double lightness = std::cbrt(std::max(luminance, 0.0));
    for (int i = 0; i < kIterations; ++i) {
        double error = -luminance, slope = 0;
        for (int cone = 0; cone < 3; ++cone) {
            const double response = kOklabToLms[cone][0] * lightness + offsets[cone];
            error += weights[cone] * response * response * response;
            slope += 3 * weights[cone] * kOklabToLms[cone][0] * response * response;
        }
        if (!(slope > 0)) {
            break;
        }
        lightness -= error / slope;
    }
    return lightness;
}

// A chroma search that starts past the double range can end on a NaN channel; it is no light at all.
int RoundToByte(double channel) noexcept {
    return std::isnan(channel) ? 0 : static_cast<int>(std::floor(std::clamp(channel, 0.0, 255.0) + 0.5));
}

Triple ColorToOklab(Color color) {
    return SrgbToOklab({RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0});
}

Triple SrgbToOklab(const Triple& srgb) {
    return LinearSrgbToOklab(PerChannel(srgb, SrgbToLinear));
}
