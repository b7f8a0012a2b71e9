// Design tokens and Tailwind themes: the exact bytes, round trips of many random palettes, how a
// file written by others becomes palettes, and the one sentence a damaged file gets.
#include "library/PaletteExchange.h"
#include "library/PaletteSlugs.h"
#include "library/TokenLayout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

const LogFontImage kDefaultFont{{-24, 0, 0, 0, 400, 0, 0, 0, 0, 1, 2, 0, 34}, u"Verdana"};

ImportResult ImportTokens(std::string_view text, std::u16string_view fileName = u"Brand.tokens.json") {
    return ImportPalettes(text, ExchangeFormat::Tokens, kDefaultFont, fileName);
}

std::string Hexes(const PaletteRecord& palette) {
    std::string out;
    for (Color color : palette.colors) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02x%02x%02x", RedOf(color), GreenOf(color), BlueOf(color));
        out += (out.empty() ? "" : " ") + std::string(hex);
    }
    return out;
}

std::string Utf8(const std::u16string& text) {
    return std::string(text.begin(), text.end());
}

std::string Utf8(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// Components in the fewest decimals that give the byte back (0, 1, 0.498 for 127, 0.01 for 3, 0.008
// for 2); the font's size, weight and family as typography, italic and the rest in our extension.
// The theme's OKLCH lies a quarter step above each channel but 0 and 255, for browsers.
const char kSkyTokens[] = R"({
  "blue-sky": {
    "$description": "Blue \"sky\"",
    "box-1": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [0.745, 0.745, 0.63], "hex": "#bebea1"}},
    "text-1": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [0.455, 0.41, 0.333], "hex": "#746955"}},
    "box-2": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [1, 1, 1], "hex": "#ffffff"}},
    "text-2": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [0.498, 1, 0.5], "hex": "#7fff80"}},
    "box-3": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [0, 0, 0], "hex": "#000000"}},
    "text-3": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [0.99, 0.992, 0.996], "hex": "#fcfdfe"}},
    "box-4": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [0.01, 0.008, 0.004], "hex": "#030201"}},
    "text-4": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [0.337, 0.204, 0.07], "hex": "#563412"}},
    "font": {
      "$type": "typography",
      "$value": {"fontFamily": "Georgia", "fontSize": {"value": 48, "unit": "px"}, "fontWeight": 700, "letterSpacing": {"value": 0, "unit": "px"}, "lineHeight": 1.2},
      "$extensions": {"com.lumenfold.huewright": {"italic": true, "numbers": "-48:0:0:0:700:1:0:0:0:1:2:0:34"}}
    }
  }
}
)";

const char kSkyTheme[] = R"(@theme {
  /* Blue "sky" */
  --color-blue-sky-box-1: oklch(79.4545% 0.0396220 107.2685);
  --color-blue-sky-text-1: oklch(52.6259% 0.0330530 82.4519);
  --color-blue-sky-box-2: oklch(100.0000% 0.0000000 0.0000);
  --color-blue-sky-text-2: oklch(89.8608% 0.2023211 143.8055);
  --color-blue-sky-box-3: oklch(0.0000% 0.0000000 0.0000);
  --color-blue-sky-text-3: oklch(99.4315% 0.0017019 247.8392);
  --color-blue-sky-box-4: oklch(9.0102% 0.0077084 74.1091);
  --color-blue-sky-text-4: oklch(36.0448% 0.0680070 62.3452);
  --font-blue-sky: "Georgia", serif;
}
)";

TEST(TokensTest, APaletteIsAGroupOfEightColorsAndItsFontAndTailwindGetsOklch) {
    const PaletteRecord sky = MakeRecord(
        u"Blue \"sky\"",
        {{0x00A1BEBE, 0x00FFFFFF, 0x00000000, 0x00010203}, {0x00556974, 0x0080FF7F, 0x00FEFDFC, 0x00123456}},
        LogFontImage{{-48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 34}, u"Georgia"});
    EXPECT_EQ(ExportPalettes({&sky, 1}, ExchangeFormat::Tokens), kSkyTokens);
    EXPECT_EQ(ExportPalettes({}, ExchangeFormat::Tokens), "{}\n");

    EXPECT_EQ(ExportPalettes({&sky, 1}, ExchangeFormat::Tailwind), kSkyTheme);
}

// Random names (repeats, blanks, other scripts), colors and fonts come back the same from a file of
// 1,000 palettes, in pieces or whole.
TEST(TokensTest, ExportThenImportGivesTheSamePalettesNamesAndFonts) {
    std::mt19937 random(20260);
    const std::u16string kNames[] = {u"Sea", u"Sea", u"Ünïcødé ✓ 🎨", u"a.b{c}", u"Dark / Light", u"x"};
    const std::u16string kFaces[] = {u"Georgia", u"Times New Roman", u"Noto Sans CJK 日本",
                                     u"A \"quoted\" face"};
    std::vector<PaletteRecord> palettes;
    for (int i = 0; i < 1000; ++i) {
        PaletteColors colors{};
        for (int box = 0; box < 4; ++box) {
            colors.box[box] = random() & 0xFFFFFF;
            colors.text[box] = random() & 0xFFFFFF;
        }
        LogFontImage font = kDefaultFont;
        font.numbers.height = static_cast<std::int32_t>(random() % 401) - 200;
        font.numbers.weight = static_cast<std::int32_t>(random() % 10) * 100;
        font.numbers.italic = static_cast<std::uint8_t>(random() % 2);
        font.numbers.charSet = static_cast<std::uint8_t>(random());
        font.numbers.pitchAndFamily = static_cast<std::uint8_t>(random());
        const std::u16string& face = kFaces[random() % std::size(kFaces)];
        std::fill(std::begin(font.faceName), std::end(font.faceName), u'\0');
        std::copy(face.begin(), face.end(), font.faceName);
        const std::u16string number = i % 3 ? u" " + std::u16string(i % 3, u'7') : u"";
        palettes.push_back(MakeRecord(kNames[random() % std::size(kNames)] + number, colors, font));
    }
    std::string pieces;
    ASSERT_TRUE(ExportPalettesInPieces(palettes, ExchangeFormat::Tokens, [&](std::string_view piece) {
        pieces += piece;
        return true;
    }));
    ASSERT_EQ(pieces, ExportPalettes(palettes, ExchangeFormat::Tokens));
    const ImportResult result = ImportTokens(pieces);
    ASSERT_EQ(result.problem, L"");
    ASSERT_EQ(result.palettes.size(), palettes.size());
    for (std::size_t i = 0; i < palettes.size(); ++i) {
        EXPECT_EQ(std::memcmp(&result.palettes[i], &palettes[i], sizeof(PaletteRecord)), 0)
            << i << ": " << Utf8(RecordName(palettes[i])) << " came back as "
            << Utf8(RecordName(result.palettes[i]));
    }
}

// Files of other tools: groups of any depth, inherited and aliased types, every written form of a
// color, palettes of eight in document order with the default palette filling a short last one.
TEST(TokensTest, EachTopGroupGivesPalettesOfItsColorsInDocumentOrder) {
    const char kTokens[] = R"({
  "$description": "Brand tokens",
  "brand": {
    "$type": "color",
    "primary": {"$value": {"colorSpace": "srgb", "components": [1, 0, 0], "hex": "#00ff00"}},
    "nested": {
      "deep": {"$value": {"colorSpace": "hsl", "components": ["none", 0, 50]}},
      "spacing": {"$type": "dimension", "$value": {"value": 4, "unit": "px"}},
      "old": {"$value": "#00f"}
    },
    "alias": {"$value": "{brand.primary}"},
    "legacy": {"$value": "#123456", "$deprecated": true},
    "p3": {"$value": {"colorSpace": "display-p3", "components": [0, 1, 0], "alpha": 0.5}},
    "oklch": {"$value": {"colorSpace": "oklch", "components": [0.7, 0.1, 150]}},
    "lab": {"$value": {"colorSpace": "lab", "components": [50, 20, -30]}},
    "ten": {"$value": "#ffffff"}
  },
  "semantic": {
    "danger": {"$value": "{brand.primary}"},
    "typed": {"$type": "color", "$value": "{semantic.danger}"},
    "text": {"$type": "string", "$value": "#not a color"}
  },
  "loose": {"$type": "color", "$value": "#abcdef"},
  "sizes": {"$type": "dimension", "s": {"$value": {"value": 1, "unit": "rem"}}}
})";
    const ImportResult result = ImportTokens(kTokens);
    ASSERT_EQ(result.problem, L"");
    std::vector<std::pair<std::string, std::string>> read;
    for (const PaletteRecord& palette : result.palettes) {
        read.emplace_back(Utf8(RecordName(palette)), Hexes(palette));
    }
    const std::string defaults = " d2d2b5 746955 dbdbbf 746955";
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"brand 1", "ff0000 808080 0000ff ff0000 123456 00fb29 6fb07d 856caa"},
        {"brand 2", "ffffff 746955 c8c8ab 746955 d2d2b5 746955 dbdbbf 746955"},
        {"semantic", "ff0000 ff0000 c8c8ab 746955" + defaults},
        {"Brand", "abcdef 746955 c8c8ab 746955" + defaults},
    };
    EXPECT_EQ(read, expected);
}

// One sentence that names the place, and nothing read.
TEST(TokensTest, ADamagedFileSaysWhereAndWhy) {
    const std::pair<const char*, const char*> kDamaged[] = {
        {R"({"brand": {"primary": {"$type": "color", "$value": {"colorSpace": "srgb", "components": [1, 0]}}}})",
         "The tokens are damaged at $.brand.primary.$value: components must be three numbers."},
        {R"({"b": {"$type": "color", "c": {"$value": {"colorSpace": "srgb", "components": [1, 0, "x"]}}}})",
         "The tokens are damaged at $.b.c.$value: components must be three numbers."},
        {R"({"b": {"$type": "color", "my color": {"$value": {"colorSpace": "cmyk", "components": [1, 0, 0]}}}})",
         "The tokens are damaged at $.b['my color'].$value.colorSpace: there is no color space \"cmyk\"."},
        {R"({"b": {"$type": "color", "c": {"$value": {"components": [1, 0, 0]}}}})",
         "The tokens are damaged at $.b.c.$value: colorSpace must be given as text."},
        {R"({"b": {"$type": "color", "x": {"$value": "{b.y}"}, "y": {"$value": "{b.z}"}, "z": {"$value": "{b.x}"}}})",
         "The tokens are damaged at $.b.x.$value: the alias {b.y} leads back to itself."},
        {R"({"b": {"$type": "color", "x": {"$value": "{b.gone}"}}})",
         "The tokens are damaged at $.b.x.$value: the alias {b.gone} names no token."},
        {R"({"b": {"x": {"$type": "color", "$value": "red"}}})",
         "The tokens are damaged at $.b.x.$value: a color must be written #rrggbb or as an object of "
         "colorSpace "
         "and components."},
        {R"({"b": {"$type": "color", "x": {"$value": "#12345"}}})",
         "The tokens are damaged at $.b.x.$value: a color must be written #rrggbb or as an object of "
         "colorSpace "
         "and components."},
        {R"({"b": {"$type": "color", "x": {"$value": {"colorSpace": "srgb", "components": [1, 0, 1e999]}}}})",
         "The tokens are damaged at $.b.x.$value: the components are out of any range."},
        {R"({"b": {"x": {"$type": "dimension", "$value": "4px"}}})", "The file holds no color tokens."},
        {R"([{"$value": "#ffffff"}])", "The file holds no design tokens: it is not a JSON object."},
        {R"({"b": {"x": {"$value": "#fff"})", "The JSON text is damaged near byte 31."},
    };
    for (const auto& [text, problem] : kDamaged) {
        const ImportResult result = ImportTokens(text);
        EXPECT_EQ(Utf8(result.problem), problem) << text;
        EXPECT_TRUE(result.palettes.empty());
    }
}

bool SamePalettes(const std::vector<PaletteRecord>& a, const std::vector<PaletteRecord>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(PaletteRecord)) == 0);
}

// Our own layout is matched as it is written and gives what the general reader gives; anything
// else, damaged or not, goes to the general reader whole, for its palettes or its one sentence.
TEST(TokensTest, TheWrittenLayoutReadsAsTheGeneralReaderReadsIt) {
    // Every byte in every channel, repeated and escaped names, fonts of every kind.
    std::vector<PaletteRecord> palettes;
    const std::u16string kNames[] = {u"Sea", u"Sea", u"\u00dcn\u00efc\u00f8d\u00e9 \"q\" \\", u"",
                                     u"tab\there"};
    for (int p = 0; p < 32; ++p) {
        PaletteColors colors{};
        for (int box = 0; box < 4; ++box) {
            for (int side = 0; side < 2; ++side) {
                const int index = p * 8 + box * 2 + side;
                const Color color = MakeColor(index, 255 - index, index * 7 % 256);
                (side == 0 ? colors.box : colors.text)[box] = color;
            }
        }
        LogFontImage font = kDefaultFont;
        font.numbers.height = p * 9 - 100;
        font.numbers.weight = p % 4 == 0 ? 0 : p * 50;
        font.numbers.italic = static_cast<std::uint8_t>(p % 3);
        std::fill(std::begin(font.faceName), std::end(font.faceName), p % 2 ? u'\0' : u'F');
        palettes.push_back(MakeRecord(kNames[p % std::size(kNames)], colors, font));
    }
    const std::string written = ExportPalettes(palettes, ExchangeFormat::Tokens);
    auto edited = [&written](std::string_view from, std::string_view to) {
        std::string text = written;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    std::string compact = written;
    std::erase(compact, '\n');
    const std::pair<std::string, bool> kInputs[] = {
        {written, true},
        {"\xEF\xBB\xBF" + written + " \r\n", true},
        {edited(R"("$description": "Sea")", R"("$description": "")"), true},
        {edited(R"("$description": "Sea")", R"("$description": "\u0053e\u0061")"), true},
        {edited(R"("hex": "#ff00f9")", R"("hex": "#FF00F9")"), true},
        {edited(R"("numbers": "-100)", R"("numbers": "x-100)"), true},
        {edited(R"("fontWeight": 50,)", R"("fontWeight": 5e1,)"), true},
        {edited("[0, 1, 0]", "[0, 1, 0.0]"), false},
        {edited(R"([0, 1, 0], "hex": "#00ff00")", R"([0, 1, 0], "hex": "#00ff01")"), false},
        {edited("[0, 1, 0]", "[0, 1]"), false},
        {edited("[0, 1, 0]", R"([0, 1, "none"])"), false},
        {edited("[0, 1, 0]", "[0, 1, 2]"), false},
        {edited("\"sea\": {", "\"$sea\": {"), false},
        {edited("\"sea\": {", "\"sea\": {\"$type\": \"color\", "), false},
        {edited("\"italic\": false", "\"italic\": null"), false},
        {edited("\"unit\": \"px\"}, \"fontWeight\"", "\"unit\": \"rem\"}, \"fontWeight\""), false},
        {edited("\"$description\": \"Sea\"", "\"$description\": 7"), false},
        {edited("\"box-2\"", "\"box-9\""), false},
        {edited("\"text-4\"", "\"text-4\": {\"$value\": \"{sea.box-1}\"}, \"x\""), false},
        {written.substr(0, written.size() / 2), false},
        {written + "{}", false},
        {compact, false},
        {"{}\n", false},
    };
    for (const auto& [text, fast] : kInputs) {
        const auto asWritten = exchange::ImportWrittenTokens(text, kDefaultFont);
        const ImportResult general = exchange::ImportTokensOfAnyLayout(text, kDefaultFont);
        const ImportResult read = exchange::ImportTokens(text, kDefaultFont);
        const std::string start = text.substr(0, 40);
        EXPECT_EQ(asWritten.has_value(), fast) << start;
        EXPECT_TRUE(!asWritten || SamePalettes(*asWritten, general.palettes)) << start;
        EXPECT_EQ(read.problem, general.problem) << start;
        EXPECT_TRUE(SamePalettes(read.palettes, general.palettes)) << start;
    }
}

// A repeat takes the first free number, a slug that ends in a number too; a set told of fewer slugs
// than it is given grows and still gives each once.
TEST(TokensTest, SlugsAreGivenOnceAsTheTableGrows) {
    exchange::SlugSet slugs(1);
    std::vector<std::string> given;
    for (const char* base : {"a", "a", "a-2", "b", "a"}) {
        given.push_back(slugs.Unique(base));
    }
    EXPECT_EQ(given, (std::vector<std::string>{"a", "a-2", "a-2-2", "b", "a-3"}));
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(slugs.Unique("p" + std::to_string(i % 50)),
                  "p" + std::to_string(i % 50) + (i < 50 ? "" : "-2"));
    }
}

// By the name; and tokens saved as plain .json are read as tokens.
TEST(TokensTest, TheFileNameTellsTheFormatAndTokensInJsonAreReadAsTokens) {
    const ImportResult json = ImportPalettes(R"({"a": {"$type": "color", "b": {"$value": "#102030"}}})",
                                             ExchangeFormat::Json, kDefaultFont, u"brand.json");
    ASSERT_EQ(json.palettes.size(), 1u);
    EXPECT_EQ(Hexes(json.palettes[0]).substr(0, 6), "102030");
    EXPECT_EQ(ExchangeFormatOf(L"brand.tokens.json"), ExchangeFormat::Tokens);
    EXPECT_EQ(ExchangeFormatOf(L"C:\\x.y\\Brand.Tokens.JSON"), ExchangeFormat::Tokens);
    EXPECT_EQ(ExchangeFormatOf(L"brand.tokens"), ExchangeFormat::Tokens);
    EXPECT_EQ(ExchangeFormatOf(L"tokens.json"), ExchangeFormat::Json);
    EXPECT_EQ(ExchangeFormatOf(L"brand.tokens.txt"), std::nullopt);
}

} // namespace
