// Palettes as a Tailwind CSS v4 theme: one @theme block whose --color-* variables give the
// bg-<palette>-box-1 and text-<palette>-text-1 utilities, and whose --font-* variable gives
// font-<palette>; with tonal scales, bg-<palette>-box-1-50 ... -950 too.
#include "color/CssColorText.h"
#include "color/TonalScales.h"
#include "library/ExchangeText.h"
#include "library/PaletteSlugs.h"

namespace exchange {

namespace {

// "--color-<palette>-box-1: oklch(...);", in OKLCH text precise enough that a browser draws the very
// byte.
void AppendColorVariable(std::string& out, std::string_view slug, std::string_view role, Color color) {
    out += "  --color-";
    out += slug;
    out += '-';
    for (char letter : role) {
        out += letter == ' ' ? '-' : letter;
    }
    out += ": ";
    AppendPreciseOklchText(out, color);
    out += ";\n";
}

// The face as a CSS string, then serif for a browser that lacks it.
void AppendFontVariable(std::string& out, std::string_view slug, const LogFontImage& font) {
    std::string face;
    AppendLineText(face, FaceOf(font));
    out += "  --font-";
    out += slug;
    out += ": \"";
    for (char c : face) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    out += "\", serif;\n";
}

} // namespace

std::string ExportTailwind(std::span<const PaletteRecord> palettes, bool scales) {
    std::string out = "@theme {\n";
    SlugSet slugs(palettes.size());
    std::u16string repaired;
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        const std::u16string_view name = ExportName(palettes[i], repaired);
        out += i == 0 ? "" : "\n";
        out += "  /* ";
        AppendCssComment(out, name);
        out += " */\n";
        const std::string slug = slugs.Unique(Slug(name));
        for (std::size_t c = 0; c < 8; ++c) {
            AppendColorVariable(out, slug, kColorRoles[c], palettes[i].colors[c]);
            if (scales) {
                const TonalScale scale = MakeTonalScale(palettes[i].colors[c]);
                for (int step = 0; step < kScaleSteps; ++step) {
                    AppendColorVariable(
                        out, slug, std::string(kColorRoles[c]) + '-' + std::to_string(kScaleStepNames[step]),
                        scale.steps[step]);
                }
            }
        }
        AppendFontVariable(out, slug, palettes[i].font);
    }
    out += "}\n";
    return out;
}

} // namespace exchange
