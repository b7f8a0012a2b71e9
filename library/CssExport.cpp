// Palettes as CSS custom properties: one :root rule, a comment with each palette's name, and eight
// properties named after the palette's slug and the color's role, in hex or in OKLCH, each followed
// by its tonal scale if asked.
#include "color/CssColorText.h"
#include "color/TonalScales.h"
#include "library/ExchangeText.h"
#include "library/PaletteSlugs.h"

namespace exchange {

void AppendCssComment(std::string& out, std::u16string_view text) {
    std::string comment;
    AppendLineText(comment, text);
    for (std::size_t at = 0; (at = comment.find("*/", at)) != std::string::npos;) {
        comment.replace(at, 2, "* /");
    }
    out += comment;
}

std::string ExportCss(std::span<const PaletteRecord> palettes, bool oklch, bool scales) {
    std::string out = ":root {\n";
    SlugSet slugs(palettes.size());
    std::u16string repaired;
    auto property = [&](const std::string& name, Color color) {
        out += "  --";
        out += name;
        out += ": ";
        if (oklch) {
            AppendOklchText(out, color);
        } else {
            AppendHexColor(out, color);
        }
        out += ";\n";
    };
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        const std::u16string_view name = ExportName(palettes[i], repaired);
        out += i == 0 ? "  /* " : "\n  /* ";
        AppendCssComment(out, name);
        out += " */\n";
        const std::string slug = slugs.Unique(Slug(name));
        for (std::size_t c = 0; c < 8; ++c) {
            std::string role = slug + '-';
            for (char letter : kColorRoles[c]) {
                role += letter == ' ' ? '-' : letter;
            }
            property(role, palettes[i].colors[c]);
            if (scales) {
                const TonalScale scale = MakeTonalScale(palettes[i].colors[c]);
                for (int step = 0; step < kScaleSteps; ++step) {
                    property(role + '-' + std::to_string(kScaleStepNames[step]), scale.steps[step]);
                }
            }
        }
    }
    out += "}\n";
    return out;
}

} // namespace exchange
