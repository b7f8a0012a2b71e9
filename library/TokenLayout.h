// The layout of a palette in the design tokens we write, between its values: the export writes it,
// and the import matches it before reading any other layout the general way.
#pragma once

#include "library/ExchangeText.h"

#include <optional>
#include <string_view>

namespace exchange {

// What follows a group's name, the palette's slug, which has nothing to escape.
inline constexpr std::string_view kGroupOpen = ": {\n    \"$description\": ";
inline constexpr std::string_view kColorTokenStart = ",\n    \"";
inline constexpr std::string_view kColorValueStart =
    "\": {\"$type\": \"color\", \"$value\": {\"colorSpace\": \"srgb\", \"components\": [";
inline constexpr std::string_view kComponentSeparator = ", ";
inline constexpr std::string_view kHexStart = "], \"hex\": \"";
inline constexpr std::string_view kColorTokenEnd = "\"}}";
inline constexpr std::string_view kFontStart =
    ",\n    \"font\": {\n      \"$type\": \"typography\",\n      \"$value\": {\"fontFamily\": ";
inline constexpr std::string_view kFontSizeStart = ", \"fontSize\": {\"value\": ";
inline constexpr std::string_view kFontWeightStart = ", \"unit\": \"px\"}, \"fontWeight\": ";
inline constexpr std::string_view kExtensionStart = ", \"letterSpacing\": {\"value\": 0, \"unit\": \"px\"}, "
                                                    "\"lineHeight\": 1.2},\n      \"$extensions\": {\"";
inline constexpr std::string_view kItalicStart = "\": {\"italic\": ";
inline constexpr std::string_view kFontNumbersStart = ", \"numbers\": ";
inline constexpr std::string_view kGroupEnd = "}}\n    }\n  }";

// The fewest decimals of byte / 255 that read back to the byte when a reader multiplies by 255 and
// rounds, as every converter to 8 bits does.
std::string_view ComponentText(std::uint8_t byte);

// The values of a typography token and our extension to it, each left out when it is missing or not
// a plain value of its kind: numbers as the text holds them.
struct TypographyValues {
    std::optional<FontNumbers> numbers;
    std::optional<std::string_view> family;
    std::optional<std::string_view> size;
    std::string_view sizeUnit;
    std::optional<std::string_view> weight;
    std::optional<bool> italic;
};

// The default font with what the values give: the export's own values give its font back.
LogFontImage FontFromTypography(const TypographyValues& values, const LogFontImage& defaultFont);

// The tokens as ExportTokens writes them, or nothing when the text is laid out any other way or
// damaged, for the general reader to read or name the fault.
std::optional<std::vector<PaletteRecord>> ImportWrittenTokens(std::string_view bytes,
                                                              const LogFontImage& font);
// Tokens of any tool, read into a tree first.
ImportResult ImportTokensOfAnyLayout(std::string_view bytes, const LogFontImage& font);

} // namespace exchange
