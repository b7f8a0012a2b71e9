#include "color/Contrast.h"

#include <array>
#include <cmath>

namespace {

// APCA-W3 0.0.98G-4g.
constexpr double kApcaExponent = 2.4;
constexpr double kApcaRed = 0.2126729, kApcaGreen = 0.7151522, kApcaBlue = 0.0721750;
constexpr double kNormalBackground = 0.56, kNormalText = 0.57;
constexpr double kReverseText = 0.62, kReverseBackground = 0.65;
constexpr double kBlackThreshold = 0.022, kBlackClamp = 1.414;
constexpr double kScale = 1.14, kOffset = 0.027;
constexpr double kDeltaYMin = 0.0005, kLowClip = 0.1;

// Both curves only ever see 256 inputs, so each is worked out once instead of a power per channel.
using ChannelTable = std::array<double, 256>;

const ChannelTable& LinearTable() noexcept {
    static const ChannelTable table = [] {
        ChannelTable made{};
        for (int i = 0; i < 256; ++i) {
            const double value = i / 255.0;
            made[i] = value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        }
        return made;
    }();
    return table;
}

// APCA estimates screen luminance with a plain 2.4 power, not the piecewise sRGB curve.
const ChannelTable& ApcaTable() noexcept {
    static const ChannelTable table = [] {
        ChannelTable made{};
        for (int i = 0; i < 256; ++i) {
            made[i] = std::pow(i / 255.0, kApcaExponent);
        }
        return made;
    }();
    return table;
}

// Near black the luminance is raised softly, as APCA's model of flare and the eye's response there.
double ApcaLuminance(Color color) noexcept {
    const ChannelTable& table = ApcaTable();
    const double y = kApcaRed * table[RedOf(color)] + kApcaGreen * table[GreenOf(color)] +
                     kApcaBlue * table[BlueOf(color)];
    return y >= kBlackThreshold ? y : y + std::pow(kBlackThreshold - y, kBlackClamp);
}

} // namespace

double SrgbToLinear(int channel) noexcept {
    return LinearTable()[channel & 0xFF];
}

double RelativeLuminance(Color color) {
    return 0.2126 * SrgbToLinear(RedOf(color)) + 0.7152 * SrgbToLinear(GreenOf(color)) +
           0.0722 * SrgbToLinear(BlueOf(color));
}

double ContrastRatio(Color text, Color background) {
    const double first = RelativeLuminance(text);
    const double second = RelativeLuminance(background);
    const double lighter = first > second ? first : second;
    const double darker = first > second ? second : first;
    return (lighter + 0.05) / (darker + 0.05);
}

// The two polarities use their own exponents: light text on dark reads differently from dark on light.
double LightnessContrast(Color text, Color background) {
    const double textY = ApcaLuminance(text);
    const double backgroundY = ApcaLuminance(background);
    if (std::fabs(backgroundY - textY) < kDeltaYMin) {
        return 0.0;
    }
    if (backgroundY > textY) {
        const double contrast =
            (std::pow(backgroundY, kNormalBackground) - std::pow(textY, kNormalText)) * kScale;
        return contrast < kLowClip ? 0.0 : (contrast - kOffset) * 100.0;
    }
    const double contrast =
        (std::pow(backgroundY, kReverseBackground) - std::pow(textY, kReverseText)) * kScale;
    return contrast > -kLowClip ? 0.0 : (contrast + kOffset) * 100.0;
}
