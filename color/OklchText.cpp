#include "color/OklchText.h"

#include "color/CssColorSpaces.h"

#include <charconv>

namespace {

// Fixed decimals whatever the locale; a value that rounds to zero is written without a sign.
void AppendFixed(std::string& out, double value, int decimals) {
    char digits[32];
    const auto end = std::to_chars(digits, std::end(digits), value, std::chars_format::fixed, decimals).ptr;
    const std::string_view text(digits, end);
    out += text.find_first_not_of("-0.") == std::string_view::npos && text.starts_with('-') ? text.substr(1)
                                                                                            : text;
}

} // namespace

// Two decimals of a percent of lightness, five of chroma and two of hue bring every one of the 16.7
// million 8-bit colors back (four of chroma miss 13,616 of them); a grey's chroma rounds to 0 and
// its hue is written as 0.
void AppendOklchText(std::string& out, Color color) {
    const Triple oklch = RectangularToPolar(ColorToOklab(color));
    out += "oklch(";
    AppendFixed(out, oklch[0] * 100, 2);
    out += "% ";
    AppendFixed(out, oklch[1], 5);
    out += ' ';
    AppendFixed(out, oklch[1] < 0.000005 ? 0.0 : oklch[2], 2);
    out += ')';
}
