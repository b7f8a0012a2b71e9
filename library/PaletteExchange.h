// Palettes to and from the files other design tools read: CSS custom properties (in hex or OKLCH),
// GIMP palettes (.gpl), Adobe Swatch Exchange (.ase), JSON, design tokens (.tokens.json) and
// Tailwind CSS v4 themes. Each palette's eight colors go in the
// library's order: box 1, text 1, box 2, text 2, ... box 4, text 4.
#pragma once

#include "library/PaletteRecord.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// In the order of the export dialog's filters.
// The last three are the CSS variants and the Tailwind theme with each color's tonal scale, 50 to 950,
// after it.
enum class ExchangeFormat {
    Css,
    CssOklch,
    Gpl,
    Ase,
    Json,
    Tokens,
    Tailwind,
    CssScales,
    CssOklchScales,
    TailwindScales
};

// By the file name's extension (.css, .gpl, .ase, .json, .tokens.json, .tokens), in any case; .css is
// the hex variant.
std::optional<ExchangeFormat> ExchangeFormatOf(std::wstring_view fileName);

// The file's bytes for these palettes, with their names and, in JSON, their fonts.
std::string ExportPalettes(std::span<const PaletteRecord> palettes, ExchangeFormat format);
// The name every format writes: "Untitled palette" for an empty or blank one, U+FFFD for a lone
// surrogate; `repaired` holds it when it is not the record's own.
inline constexpr std::u16string_view kUntitledName = u"Untitled palette";
std::u16string_view ExportName(const PaletteRecord& palette, std::u16string& repaired);

// Receives an export in pieces, in order; false stops it. It may take the piece's text over, leaving
// another string, whose room the next piece is made in.
using ExportPieces = std::function<bool(std::string&)>;
// The same bytes handed over as they are made: JSON and design tokens, the formats pipelines read,
// in pieces of about a megabyte, so that a large library never stands in memory as text; the other formats
// whole. False when `put` refused a piece.
bool ExportPalettesInPieces(std::span<const PaletteRecord> palettes, ExchangeFormat format,
                            const ExportPieces& put);

struct ImportResult {
    // Current-format records, names cut to 63 characters; a file that gives no font gives defaultFont.
    // Names may repeat: the library makes them unique.
    std::vector<PaletteRecord> palettes;
    // Empty on success; otherwise one sentence saying what is wrong with the file, and no palettes.
    std::wstring problem;
};

// CSS and Tailwind themes are written only: importing them gives a problem. The palettes the file does not
// name take fileName (without its folder) up to its extension, numbered when there are several.
ImportResult ImportPalettes(std::string_view bytes, ExchangeFormat format, const LogFontImage& defaultFont,
                            std::u16string_view fileName);
