// Palettes as CSS custom properties: one :root rule, a comment with each palette's name, and eight
// properties named after the palette's slug and the color's role, in hex or in OKLCH, each followed
// by its tonal scale if asked.
#include "color/CssColorText.h"
#include "color/TonalScales.h"
#include "library/ExchangeText.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace exchange {

namespace {

// The name lower-cased, each run of other characters than ASCII letters and digits one "-".
std::string Slug(std::u16string_view name) {
    std::string slug;
    bool gap = false;
    for (char16_t unit : name) {
        if (unit >= u'A' && unit <= u'Z') {
            unit = static_cast<char16_t>(unit - u'A' + u'a');
        }
        if ((unit >= u'a' && unit <= u'z') || (unit >= u'0' && unit <= u'9')) {
            if (gap && !slug.empty()) {
                slug += '-';
            }
            slug += static_cast<char>(unit);
            gap = false;
        } else {
            gap = true;
        }
    }
    return slug.empty() ? "palette" : slug;
}

// Gives each slug once: a repeat takes the first free "-2", "-3", ...; `lastNumbers` keeps each
// base's last suffix so that many palettes of one name do not search from 2 every time.
class SlugSet {
public:
    std::string Unique(std::string base) {
        if (taken.insert(base).second) {
            return base;
        }
        int& number = lastNumbers[base];
        number = std::max(number, 1);
        std::string slug;
        do {
            slug = base + '-' + std::to_string(++number);
        } while (!taken.insert(slug).second);
        return slug;
    }

private:
    std::unordered_set<std::string> taken;
    std::unordered_map<std::string, int> lastNumbers;
};

} // namespace

std::string ExportCss(std::span<const PaletteRecord> palettes, bool oklch, bool scales) {
    std::string out = ":root {\n";
    SlugSet slugs;
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
        std::string comment;
        AppendLineText(comment, name);
        for (std::size_t at = 0; (at = comment.find("*/", at)) != std::string::npos;) {
            comment.replace(at, 2, "* /");
        }
        out += i == 0 ? "  /* " : "\n  /* ";
        out += comment;
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
