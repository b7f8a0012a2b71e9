// Palettes as design tokens (the Design Tokens Community Group format 2025.10): one group per
// palette named by its slug, eight color tokens in sRGB and the box font as a typography token.
#include "library/ExchangeText.h"
#include "library/PaletteSlugs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace exchange {

namespace {

// Each byte's component text: the fewest decimals of byte / 255 that read back to the byte when
// a reader multiplies by 255 and rounds, as every converter to 8 bits does.
const std::array<std::string, 256>& ComponentTexts() {
    static const std::array<std::string, 256> texts = [] {
        std::array<std::string, 256> made;
        for (int byte = 0; byte < 256; ++byte) {
            for (int decimals = 0; decimals <= 6; ++decimals) {
                char digits[16];
                const double exact = byte / 255.0;
                const auto end =
                    std::to_chars(digits, std::end(digits), exact, std::chars_format::fixed, decimals).ptr;
                std::string text(digits, end);
                if (std::lround(std::strtod(text.c_str(), nullptr) * 255) == byte) {
                    if (text.find('.') != std::string::npos) {
                        text.erase(text.find_last_not_of('0') + 1);
                    }
                    made[byte] = text;
                    break;
                }
            }
        }
        return made;
    }();
    return texts;
}

// One color token on one line, put together in place as the JSON export puts its boxes.
void AppendColorToken(std::string& out, std::string_view name, Color color) {
    const auto& components = ComponentTexts();
    char line[192];
    char* at = line;
    auto put = [&at](std::string_view piece) { at = std::copy(piece.begin(), piece.end(), at); };
    put(",\n    \"");
    put(name);
    put("\": {\"$type\": \"color\", \"$value\": {\"colorSpace\": \"srgb\", \"components\": [");
    put(components[RedOf(color)]);
    put(", ");
    put(components[GreenOf(color)]);
    put(", ");
    put(components[BlueOf(color)]);
    put("], \"hex\": \"");
    at = PutHexColor(at, color);
    put("\"}}");
    out.append(line, static_cast<std::size_t>(at - line));
}

// The typography type holds the family, size and weight; the letter spacing and line height it
// also asks for are the browser's own (none, and the usual "normal" of 1.2). Italic and the rest of
// the record's font have no place there, so they go under our own extension, which the import reads
// to give the very same font back.
void AppendFontToken(std::string& out, const LogFontImage& font, FontTexts& fontTexts) {
    const int weight = font.numbers.weight == 0 ? 400 : std::clamp<int>(font.numbers.weight, 1, 1000);
    out += ",\n    \"font\": {\n      \"$type\": \"typography\",\n      \"$value\": {\"fontFamily\": ";
    AppendJsonString(out, FaceOf(font));
    out += ", \"fontSize\": {\"value\": ";
    out += std::to_string(std::abs(static_cast<long long>(font.numbers.height)));
    out += ", \"unit\": \"px\"}, \"fontWeight\": ";
    out += std::to_string(weight);
    out += ", \"letterSpacing\": {\"value\": 0, \"unit\": \"px\"}, \"lineHeight\": 1.2},\n"
           "      \"$extensions\": {\"";
    out += kTokensExtension;
    out += "\": {\"italic\": ";
    out += font.numbers.italic ? "true" : "false";
    out += ", \"numbers\": \"";
    out += fontTexts.Of(font.numbers);
    out += "\"}}\n    }";
}

template <typename Flush>
bool WriteTokens(std::span<const PaletteRecord> palettes, std::string& out, Flush flush) {
    out += '{';
    SlugSet slugs(palettes.size());
    FontTexts fontTexts;
    std::u16string repaired;
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        const PaletteRecord& palette = palettes[i];
        if (out.size() >= kPieceSize && !flush(out)) {
            return false;
        }
        const std::u16string_view name = ExportName(palette, repaired);
        out += i == 0 ? "\n  \"" : ",\n  \"";
        out += slugs.Unique(Slug(name));
        out += "\": {\n    \"$description\": ";
        AppendJsonString(out, name);
        for (std::size_t c = 0; c < 8; ++c) {
            AppendColorToken(out, kTokenNames[c], palette.colors[c]);
        }
        AppendFontToken(out, palette.font, fontTexts);
        out += "\n  }";
    }
    out += palettes.empty() ? "}\n" : "\n}\n";
    return flush(out);
}

} // namespace

std::string ExportTokens(std::span<const PaletteRecord> palettes) {
    return WholeExport(palettes, 1536, [](auto&&... args) { return WriteTokens(args...); });
}

bool ExportTokensInPieces(std::span<const PaletteRecord> palettes, const ExportPieces& put) {
    return ExportInPieces(palettes, put, [](auto&&... args) { return WriteTokens(args...); });
}

} // namespace exchange
