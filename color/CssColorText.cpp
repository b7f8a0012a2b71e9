#include "color/CssColorText.h"

#include "color/CssColorSpaces.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

// Fixed decimals whatever the locale; a value that rounds to zero is written without a sign.
void AppendFixed(std::string& out, double value, int decimals) {
    char digits[32];
    const auto end = std::to_chars(digits, std::end(digits), value, std::chars_format::fixed, decimals).ptr;
    const std::string_view text(digits, end);
    out += text.find_first_not_of("-0.") == std::string_view::npos && text.starts_with('-') ? text.substr(1)
                                                                                            : text;
}

// One decimal, left out when it is 0: "39.5", "40".
void AppendShort(std::string& out, double value) {
    const std::size_t start = out.size();
    AppendFixed(out, value, 1);
    if (out.ends_with(".0")) {
        out.resize(out.size() - 2);
    }
    if (out.compare(start, std::string::npos, "-0") == 0) {
        out.erase(start, 1);
    }
}

void AppendOklch(std::string& out, const Triple& oklab, int lightnessDecimals, int chromaDecimals,
                 int hueDecimals) {
    const Triple oklch = RectangularToPolar(oklab);
    const double greyChroma = 0.5 * std::pow(10.0, -chromaDecimals);
    out += "oklch(";
    AppendFixed(out, oklch[0] * 100, lightnessDecimals);
    out += "% ";
    AppendFixed(out, oklch[1], chromaDecimals);
    out += ' ';
    AppendFixed(out, oklch[1] < greyChroma ? 0.0 : oklch[2], hueDecimals);
    out += ')';
}

} // namespace

std::string HexText(Color color) {
    constexpr char kDigits[] = "0123456789abcdef";
    std::string out = "#";
    for (int channel : {RedOf(color), GreenOf(color), BlueOf(color)}) {
        out += kDigits[channel >> 4];
        out += kDigits[channel & 0xF];
    }
    return out;
}

std::string RgbText(Color color) {
    return "rgb(" + std::to_string(RedOf(color)) + ", " + std::to_string(GreenOf(color)) + ", " +
           std::to_string(BlueOf(color)) + ")";
}

// The usual hexcone: hue from the largest channel's sector, saturation relative to the lightness.
std::string HslText(Color color) {
    const double red = RedOf(color) / 255.0;
    const double green = GreenOf(color) / 255.0;
    const double blue = BlueOf(color) / 255.0;
    const double high = std::max({red, green, blue});
    const double low = std::min({red, green, blue});
    const double chroma = high - low;
    const double lightness = (high + low) / 2;
    double hue = 0;
    if (chroma > 0) {
        hue = high == red     ? std::fmod((green - blue) / chroma + 6, 6.0)
              : high == green ? (blue - red) / chroma + 2
                              : (red - green) / chroma + 4;
    }
    const double saturation = chroma > 0 ? chroma / (1 - std::abs(2 * lightness - 1)) : 0;
    std::string out = "hsl(";
    AppendShort(out, std::fmod(hue * 60, 360.0));
    out += ", ";
    AppendShort(out, saturation * 100);
    out += "%, ";
    AppendShort(out, lightness * 100);
    out += "%)";
    return out;
}

std::string OklchText(Color color) {
    std::string out;
    AppendOklchText(out, color);
    return out;
}

// Two decimals of a percent of lightness, five of chroma and two of hue bring every one of the 16.7
// million 8-bit colors back (four of chroma miss 13,616 of them); a grey's chroma rounds to 0 and
// its hue is written as 0.
void AppendOklchText(std::string& out, Color color) {
    AppendOklch(out, ColorToOklab(color), 2, 5, 2);
}

// Chromium reads oklch() a little low near a channel's zero, where the sRGB curve is steepest: up to
// 0.6 of a step. This text names each channel a quarter step above its byte, precisely, which CSS
// Color 4's exact math still rounds to the byte, and so does a reader up to three quarters low; 0
// and 255 stay, as a reader clamps them.
void AppendPreciseOklchText(std::string& out, Color color) {
    Triple srgb{};
    const int channels[3] = {RedOf(color), GreenOf(color), BlueOf(color)};
    for (std::size_t i = 0; i < 3; ++i) {
        srgb[i] = channels[i] == 0 ? 0.0 : std::min(channels[i] + 0.25, 255.0) / 255;
    }
    AppendOklch(out, SrgbToOklab(srgb), 4, 7, 4);
}
