// Text, names and colors as every palette file format needs them: UTF-8 and UTF-16, the names an
// import gives its palettes and the record order of a palette's eight colors; and the writer and
// reader of each format, which PaletteExchange picks by format.
#pragma once

#include "color/HexDigits.h"
#include "library/PaletteExchange.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace exchange {

inline constexpr std::string_view kColorRoles[8] = {"box 1", "text 1", "box 2", "text 2",
                                                    "box 3", "text 3", "box 4", "text 4"};
inline constexpr std::size_t kMaxFaceLength = 31;
// A palette's design tokens in record order, and the key of our own extension to a token.
inline constexpr std::string_view kTokenNames[8] = {"box-1", "text-1", "box-2", "text-2",
                                                    "box-3", "text-3", "box-4", "text-4"};
inline constexpr std::string_view kTokensExtension = "com.lumenfold.huewright";

// The default palette in record order, for the colors a short run in a file leaves out.
inline constexpr std::array<Color, 8> kDefaultColors = [] {
    std::array<Color, 8> colors{};
    for (std::size_t box = 0; box < 4; ++box) {
        colors[2 * box] = kDefaultPalette.box[box];
        colors[2 * box + 1] = kDefaultPalette.text[box];
    }
    return colors;
}();

ImportResult Problem(std::wstring problem);

// The code point of the UTF-8 sequence at `at`, which moves past it; -1 for a malformed, overlong,
// surrogate or out-of-range sequence.
std::int32_t NextCodePoint(std::string_view text, std::size_t& at);
void AppendCodePoint(std::string& out, std::uint32_t point);
// False, with `out` unfinished, when the bytes are not UTF-8.
bool ToUtf16(std::string_view text, std::u16string& out);
// UTF-8, or else Windows-1252, as older programs wrote names.
std::u16string TextOf(std::string_view bytes);
bool IsValidUtf16(std::u16string_view text);
bool IsControl(std::uint32_t point);
// A JSON string (RFC 8259): quote, backslash and control characters escaped, the rest as UTF-8.
void AppendJsonString(std::string& out, std::u16string_view text);
// UTF-8 on one line: control characters become spaces.
void AppendLineText(std::string& out, std::u16string_view text);
// The same, with "*/" broken so that it can stand inside a CSS comment.
void AppendCssComment(std::string& out, std::u16string_view text);
std::string_view WithoutBom(std::string_view bytes);

// Calls `put` with each code point; a lone surrogate, which UTF-8 cannot carry, gives U+FFFD.
template <typename Put> void ForEachCodePoint(std::u16string_view text, Put put) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t point = text[i];
        if (IsHighSurrogate(point) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            point = 0x10000 + ((point - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (IsHighSurrogate(point) || IsLowSurrogate(point)) {
            point = 0xFFFD;
        }
        put(point);
    }
}

// An imported name: one line of at most 63 characters without outer spaces; empty when nothing is
// left, for the file to name.
std::u16string CleanName(std::u16string_view name);
// "<base> <number>", the base cut to leave room.
std::u16string Numbered(std::u16string_view base, int number);
// A palette from up to eight colors in record order; the default palette gives the ones left out.
PaletteRecord RecordFromColors(std::u16string_view name, std::span<const Color> colors,
                               const LogFontImage& font);
// Palettes of eight colors each, named `name`, or `name 1`, `name 2`, ... when there are several; an
// empty name leaves them for NameUnnamed.
void AppendRuns(std::vector<PaletteRecord>& palettes, std::span<const Color> colors, std::u16string_view name,
                const LogFontImage& font);
// The palettes without a name take `name`, numbered when there are several; an empty name leaves them.
void NameUnnamed(std::span<PaletteRecord> palettes, std::u16string_view name);
// At most 31 characters, as a LOGFONTW holds, even from a record whose face has no terminator.
std::u16string_view FaceOf(const LogFontImage& font);
// "#rrggbb", into a buffer with room for it (returning the end of what it wrote) or onto a string.
char* PutHexColor(char* at, Color color);
void AppendHexColor(std::string& out, Color color);
// By table: colors are random hex digits, on which comparisons mispredict.
inline constexpr std::array<signed char, 256> kHexValues = [] {
    std::array<signed char, 256> values{};
    for (int c = 0; c < 256; ++c) {
        values[c] = static_cast<signed char>(HexDigitValue(static_cast<char32_t>(c)));
    }
    return values;
}();

// The value of one hexadecimal digit; false for any other character.
inline bool HexDigit(char c, int& value) {
    value = kHexValues[static_cast<unsigned char>(c)];
    return value >= 0;
}

// The font numbers' text of the fonts met so far, digits and ':' only. FormatFontDesc goes through
// swprintf, and a library holds few distinct fonts: each is formatted once while they stay few.
class FontTexts {
public:
    const std::string& Of(const FontNumbers& numbers);

private:
    static constexpr std::size_t kKept = 16;
    std::vector<std::pair<FontNumbers, std::string>> texts;
};

// Finds a text key of an unordered map by a string_view, with no string made for the look-up.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

// The size of the pieces the large exports are handed over in.
inline constexpr std::size_t kPieceSize = std::size_t{1} << 20;

// A large export's writer, write(palettes, out, flush), which appends the document to `out` and calls
// flush(out) whenever `out` holds a piece's worth and once at the end, stopping when it returns false:
// run once into the whole text (about `bytesPerPalette` a palette), or handing over the pieces.
template <typename Write>
std::string WholeExport(std::span<const PaletteRecord> palettes, std::size_t bytesPerPalette, Write write) {
    std::string out;
    out.reserve(64 + palettes.size() * bytesPerPalette);
    write(palettes, out, [](std::string&) { return true; });
    return out;
}

template <typename Write>
bool ExportInPieces(std::span<const PaletteRecord> palettes, const ExportPieces& put, Write write) {
    std::string out;
    out.reserve(kPieceSize + 4096);
    return write(palettes, out, [&put](std::string& piece) {
        const bool taken = put(piece);
        piece.clear();
        piece.reserve(kPieceSize + 4096);
        return taken;
    });
}

// The writers and readers of each format.
// Colors as #rrggbb, or as oklch() when `oklch`.
// With `scales`, each color's tonal scale follows it as "--<slug>-box-1-50" ... "-950".
std::string ExportCss(std::span<const PaletteRecord> palettes, bool oklch, bool scales = false);
std::string ExportGpl(std::span<const PaletteRecord> palettes);
ImportResult ImportGpl(std::string_view bytes, const LogFontImage& font);
std::string ExportAse(std::span<const PaletteRecord> palettes);
ImportResult ImportAse(std::string_view bytes, const LogFontImage& font);
std::string ExportJson(std::span<const PaletteRecord> palettes);
bool ExportJsonInPieces(std::span<const PaletteRecord> palettes, const ExportPieces& put);
ImportResult ImportJson(std::string_view bytes, const LogFontImage& font);
std::string ExportTokens(std::span<const PaletteRecord> palettes);
bool ExportTokensInPieces(std::span<const PaletteRecord> palettes, const ExportPieces& put);
ImportResult ImportTokens(std::string_view bytes, const LogFontImage& font);
// With `scales`, each color's tonal scale follows it as "--color-<slug>-box-1-50" ... "-950".
std::string ExportTailwind(std::span<const PaletteRecord> palettes, bool scales = false);

} // namespace exchange
