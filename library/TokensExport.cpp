// Palettes as design tokens (the Design Tokens Community Group format 2025.10): one group per
// palette named by its slug, eight color tokens in sRGB and the box font as a typography token.
#include "library/PaletteSlugs.h"
#include "library/TokenLayout.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace exchange {

namespace {

// Pieces are copied as blocks of a fixed size, and the text goes on after the piece's own length:
// copies whose size the compiler knows are a few moves, where a copy of each piece's length would
// be a call, and a palette's tokens take a hundred pieces.
template <std::size_t Size> struct Block {
    char text[Size];
    std::uint8_t size;
};

template <std::size_t Size> char* Put(char* at, const Block<Size>& block) {
    std::memcpy(at, block.text, Size);
    return at + block.size;
}

char* Put(char* at, std::string_view piece) {
    std::memcpy(at, piece.data(), piece.size());
    return at + piece.size();
}

// Each byte's component text, at most five characters ("0.498"), and then ", ".
const std::array<Block<8>, 256>& ComponentBlocks() {
    static const std::array<Block<8>, 256> blocks = [] {
        std::array<Block<8>, 256> made{};
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
                    text += kComponentSeparator;
                    std::copy(text.begin(), text.end(), made[byte].text);
                    made[byte].size = static_cast<std::uint8_t>(text.size());
                    break;
                }
            }
        }
        return made;
    }();
    return blocks;
}

// Each color token's text up to its first component: all of it but the color's own values.
using TokenStart = Block<kColorTokenStart.size() + 6 + kColorValueStart.size()>;
constexpr std::array<TokenStart, 8> kColorTokenStarts = [] {
    std::array<TokenStart, 8> made{};
    for (std::size_t c = 0; c < 8; ++c) {
        char* at = made[c].text;
        for (std::string_view piece : {kColorTokenStart, kTokenNames[c], kColorValueStart}) {
            at = std::copy(piece.begin(), piece.end(), at);
        }
        made[c].size = static_cast<std::uint8_t>(at - made[c].text);
    }
    return made;
}();

constexpr std::array<Block<2>, 256> kHexPairs = [] {
    constexpr char kDigits[] = "0123456789abcdef";
    std::array<Block<2>, 256> made{};
    for (int byte = 0; byte < 256; ++byte) {
        made[byte] = {{kDigits[byte >> 4], kDigits[byte & 15]}, 2};
    }
    return made;
}();

// The eight color tokens of a palette, put together in one buffer and appended at once.
void AppendColorTokens(std::string& out, const Color (&colors)[8]) {
    constexpr std::size_t kLongest = sizeof(TokenStart) + 3 * sizeof(Block<8>) + kHexStart.size() + 1 +
                                     3 * sizeof(Block<2>) + kColorTokenEnd.size();
    const auto& components = ComponentBlocks();
    char tokens[8 * kLongest];
    char* at = tokens;
    for (std::size_t c = 0; c < 8; ++c) {
        const Color color = colors[c];
        at = Put(at, kColorTokenStarts[c]);
        at = Put(at, components[RedOf(color)]);
        at = Put(at, components[GreenOf(color)]);
        at = Put(at, components[BlueOf(color)]);
        // The last component's separator gives way to the end of the list.
        at = Put(at - kComponentSeparator.size(), kHexStart);
        *at++ = '#';
        at = Put(at, kHexPairs[RedOf(color)]);
        at = Put(at, kHexPairs[GreenOf(color)]);
        at = Put(at, kHexPairs[BlueOf(color)]);
        at = Put(at, kColorTokenEnd);
    }
    out.append(tokens, static_cast<std::size_t>(at - tokens));
}

// The typography type holds the family, size and weight; the letter spacing and line height it
// also asks for are the browser's own (none, and the usual "normal" of 1.2). Italic and the rest of
// the record's font have no place there, so they go under our own extension, which the import reads
// to give the very same font back.
void AppendFontToken(std::string& out, const LogFontImage& font, FontTexts& fontTexts) {
    const int weight = font.numbers.weight == 0 ? 400 : std::clamp<int>(font.numbers.weight, 1, 1000);
    char number[16];
    auto putNumber = [&out, &number](long long value) {
        out.append(number,
                   static_cast<std::size_t>(std::to_chars(number, std::end(number), value).ptr - number));
    };
    out += kFontStart;
    AppendJsonString(out, FaceOf(font));
    out += kFontSizeStart;
    putNumber(std::abs(static_cast<long long>(font.numbers.height)));
    out += kFontWeightStart;
    putNumber(weight);
    out += kExtensionStart;
    out += kTokensExtension;
    out += kItalicStart;
    out += font.numbers.italic ? "true" : "false";
    out += kFontNumbersStart;
    out += '"';
    out += fontTexts.Of(font.numbers);
    out += '"';
    out += kGroupEnd;
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
        out += '"';
        out += kGroupOpen;
        AppendJsonString(out, name);
        AppendColorTokens(out, palette.colors);
        AppendFontToken(out, palette.font, fontTexts);
    }
    out += palettes.empty() ? "}\n" : "\n}\n";
    return flush(out);
}

} // namespace

std::string_view ComponentText(std::uint8_t byte) {
    const Block<8>& block = ComponentBlocks()[byte];
    return {block.text, block.size - kComponentSeparator.size()};
}

std::string ExportTokens(std::span<const PaletteRecord> palettes) {
    return WholeExport(palettes, 1536, [](auto&&... args) { return WriteTokens(args...); });
}

bool ExportTokensInPieces(std::span<const PaletteRecord> palettes, const ExportPieces& put) {
    return ExportInPieces(palettes, put, [](auto&&... args) { return WriteTokens(args...); });
}

} // namespace exchange
