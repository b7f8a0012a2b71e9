// The color functions of CSS Color 4 against Chromium's reading of the same texts, and the rules
// around them: gamut mapping, `none`, the 0x orders.
#include "app/ColorNotation.h"
#include "color/Contrast.h"
#include "color/CssColorSpaces.h"
#include "color/CssColorText.h"
#include "library/JsonReader.h"
#include "library/PaletteExchange.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

struct FixtureRow {
    std::string text;
    std::string expected; // "#rrggbb" or "invalid"
    double exact[3];      // the unrounded channels, 0..255
    std::string source;
};

std::vector<FixtureRow> ReadFixture() {
    std::ifstream file(HUEWRIGHT_SOURCE_DIR "/tests/data/css-colors.tsv");
    std::vector<FixtureRow> rows;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with('#') && line.find('\t') == std::string::npos) {
            continue;
        }
        std::istringstream fields(line);
        FixtureRow row;
        std::string exact;
        std::getline(fields, row.text, '\t');
        std::getline(fields, row.expected, '\t');
        std::getline(fields, exact, '\t');
        std::getline(fields, row.source, '\t');
        std::istringstream(exact) >> row.exact[0] >> row.exact[1] >> row.exact[2];
        rows.push_back(row);
    }
    return rows;
}

// A channel may be one off only where the exact value is a half, which either rounding may take.
// Chromium converts in single precision: its unrounded channels differ from the CSS math done in
// double by up to 0.09 of a step in this table, so a half within 0.1 is on the boundary.
bool OnHalf(double exact) {
    return std::abs(exact - std::floor(exact) - 0.5) < 0.1;
}

// True when `color` is Chromium's, or one off where the exact channel lies on a half.
bool SameAsChromium(const FixtureRow& row, Color color, bool& half) {
    const int expected = std::stoi(row.expected.substr(1), nullptr, 16);
    const int ours[3] = {RedOf(color), GreenOf(color), BlueOf(color)};
    bool same = true;
    for (int i = 0; i < 3; ++i) {
        const int difference = std::abs(ours[i] - ((expected >> (16 - 8 * i)) & 0xFF));
        half = half || difference == 1;
        same = same && (difference == 0 || (difference == 1 && OnHalf(row.exact[i])));
    }
    return same;
}

TEST(CssColorTest, ReadsAsChromiumDoesOrAsCssGamutMappingGives) {
    const auto rows = ReadFixture();
    ASSERT_GE(rows.size(), 300u);
    int halves = 0;
    for (const FixtureRow& row : rows) {
        const std::wstring text(row.text.begin(), row.text.end());
        const auto color = ParseColorNotation(text);
        if (row.expected == "invalid") {
            EXPECT_EQ(color, std::nullopt) << row.text;
            continue;
        }
        ASSERT_TRUE(color) << row.text;
        bool half = false;
        EXPECT_TRUE(SameAsChromium(row, *color, half))
            << row.text << " (" << row.source << "): " << HexText(*color) << ", " << row.expected
            << " expected";
        halves += half ? 1 : 0;
    }
    RecordProperty("rows", static_cast<int>(rows.size()));
    RecordProperty("rowsOffByOneOnAHalf", halves);
}

// A design token of the same space and numbers as a row's plain CSS function (hsl(330 100 50),
// color(display-p3 1 0 0), with `none`) reads as Chromium reads the function: every color space of
// the tokens' Color module is in the table.
TEST(CssColorTest, DesignTokensOfTheSameNumbersReadAsChromiumReadsTheFunction) {
    static const std::regex kPlain(
        R"(^(?:color\((srgb|srgb-linear|display-p3|a98-rgb|prophoto-rgb|rec2020|xyz-d65|xyz-d50) |(hsl|hwb|lab|lch|oklab|oklch)\()((?:-?[0-9.]+|none)(?: (?:-?[0-9.]+|none)){2})\)$)");
    std::set<std::string> spaces;
    for (const FixtureRow& row : ReadFixture()) {
        std::smatch match;
        if (row.expected == "invalid" || !std::regex_match(row.text, match, kPlain)) {
            continue;
        }
        const std::string space = match[1].matched ? match[1].str() : match[2].str();
        std::string components = match[3].str();
        components = std::regex_replace(components, std::regex("none"), "\"none\"");
        components = std::regex_replace(components, std::regex(" "), ", ");
        const std::string tokens = R"({"c": {"$type": "color", "x": {"$value": {"colorSpace": ")" + space +
                                   R"(", "components": [)" + components + R"(], "hex": "#000000"}}}})";
        const ImportResult result =
            ImportPalettes(tokens, ExchangeFormat::Tokens, BuiltInBoxFont(), u"x.tokens");
        ASSERT_EQ(result.palettes.size(), 1u)
            << tokens << std::string(result.problem.begin(), result.problem.end());
        bool half = false;
        EXPECT_TRUE(SameAsChromium(row, result.palettes[0].colors[0], half))
            << tokens << ": " << HexText(result.palettes[0].colors[0]) << ", " << row.expected << " expected";
        spaces.insert(space);
    }
    EXPECT_EQ(spaces.size(), 14u);
}

// Each rule that Chromium's table cannot show: what `none` stands for in each place, the units each
// argument takes, gamut mapping where clipping would give another color, and the limits of numbers.
TEST(CssColorTest, FunctionsTakeTheirUnitsAndNoneAndMapOutOfGamutColors) {
    const std::pair<std::wstring_view, std::wstring_view> kSame[] = {
        {L"oklch(none none none)", L"black"},
        {L"oklab(1 none none / none)", L"white"},
        {L"lch(100% 0 none)", L"white"},
        {L"hwb(none none none)", L"red"},
        {L"color(srgb-linear none 1 none)", L"lime"},
        {L"color(srgb 100% 50% 0%)", L"#ff8000"},
        {L"oklch(0.5 0.1 0.25turn)", L"oklch(0.5 0.1 90)"},
        {L"oklch(0.5 0.1 none)", L"oklch(0.5 0.1 0deg)"},
        {L"lch(50 30 200grad)", L"lch(50 30 180)"},
        {L"lab(50% -40% 40%)", L"lab(50 -50 50)"},
        {L"lch(50 20% 20)", L"lch(50 30 20)"},
        {L"oklab(50% 25% -25%)", L"oklab(0.5 0.1 -0.1)"},
        {L"oklch(50% 25% 30)", L"oklch(0.5 0.1 30)"},
        {L"color(xyz 0.2 0.3 0.4)", L"color(xyz-d65 0.2 0.3 0.4)"},
        {L"color(xyz-d50 0.9642956764295677 1 0.8251046025104602)", L"white"},
        {L"hsl(120 100% 25%", L"hsl(120 100% 25%)"},
        // Gamut mapping, where clipping would give #00ff00, #00d600 and #ff8000.
        {L"color(display-p3 0 1 0)", L"#00fb29"},
        {L"oklch(0.7 0.4 150)", L"#00c248"},
        {L"color(srgb 1.2 0.5 0)", L"#ff9f6e"},
        // A saturation above 100 reaches past sRGB in either spelling, and is mapped.
        {L"hsl(0 150 30)", L"color(srgb 0.75 -0.15 -0.15)"},
        {L"hsl(0 150% 30%)", L"hsl(0 150 30)"},
    };
    for (const auto& [text, same] : kSame) {
        EXPECT_EQ(ParseColorNotation(text), ParseColorNotation(same)) << std::wstring(text);
        EXPECT_TRUE(ParseColorNotation(same)) << std::wstring(same);
    }

    const std::wstring_view kRejected[] = {
        L"oklch(0.5 0.1 10%)",       L"oklab(0.5deg 0 0)",     L"lab(50, 0, 0)",
        L"rgb(none, 0, 0)",          L"hwb(0, 0%, 0%)",        L"color(srgb 0 0)",
        L"color(srgb, 0, 0, 0)",     L"color(rgb 0 0 0)",      L"color( 0 0 0)",
        L"lab(50 1e999 0)",          L"color(srgb 1e300 0 0)", L"lab(50 1e300 1e300)",
        L"oklch(0.5 0.1 20 / 1deg)", L"nonexistent(1 2 3)",    L"color(srgb 1 2 3 / 4 5)"};
    for (std::wstring_view text : kRejected) {
        EXPECT_EQ(ParseColorNotation(text), std::nullopt) << std::wstring(text);
    }
}

// The texts of "Copy color as" and the OKLCH export; every 8-bit color was checked once to read back
// from each as itself.
TEST(CssColorTest, TextsAreTheCssFormsAndOklchReadsBackAsTheSameColor) {
    struct Texts {
        Color color;
        std::string_view hex, rgb, hsl, oklch;
    };
    const Texts kTexts[] = {
        {MakeColor(0, 0, 0), "#000000", "rgb(0, 0, 0)", "hsl(0, 0%, 0%)", "oklch(0.00% 0.00000 0.00)"},
        {MakeColor(255, 255, 255), "#ffffff", "rgb(255, 255, 255)", "hsl(0, 0%, 100%)",
         "oklch(100.00% 0.00000 0.00)"},
        {MakeColor(128, 128, 128), "#808080", "rgb(128, 128, 128)", "hsl(0, 0%, 50.2%)",
         "oklch(59.99% 0.00000 0.00)"},
        {MakeColor(255, 0, 0), "#ff0000", "rgb(255, 0, 0)", "hsl(0, 100%, 50%)",
         "oklch(62.80% 0.25768 29.23)"},
        {MakeColor(0, 0, 255), "#0000ff", "rgb(0, 0, 255)", "hsl(240, 100%, 50%)",
         "oklch(45.20% 0.31321 264.05)"},
        // The hue of a red a little toward magenta comes out under 0 before it is turned round.
        {MakeColor(255, 0, 43), "#ff002b", "rgb(255, 0, 43)", "hsl(349.9, 100%, 50%)",
         "oklch(62.99% 0.25541 25.05)"},
        {MakeColor(26, 43, 60), "#1a2b3c", "rgb(26, 43, 60)", "hsl(210, 39.5%, 16.9%)",
         "oklch(28.26% 0.03883 249.34)"},
    };
    for (const Texts& texts : kTexts) {
        EXPECT_EQ(HexText(texts.color), texts.hex);
        EXPECT_EQ(RgbText(texts.color), texts.rgb);
        EXPECT_EQ(HslText(texts.color), texts.hsl);
        EXPECT_EQ(OklchText(texts.color), texts.oklch);
    }
    std::string precise;
    for (Color color : {MakeColor(0, 0, 0), MakeColor(255, 255, 255), MakeColor(255, 0, 0)}) {
        AppendPreciseOklchText(precise, color);
        precise += ' ';
    }
    EXPECT_EQ(precise, "oklch(0.0000% 0.0000000 0.0000) oklch(100.0000% 0.0000000 0.0000) "
                       "oklch(62.7955% 0.2576833 29.2339) ");

    // A million colors, a stride prime to 256 so that every value of every channel comes up, shared
    // among the processors: unoptimised under the sanitizers a round trip takes about 10 us. The whole
    // cube was checked once with an optimised build.
    constexpr Color kStride = 17;
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::atomic<int> failures = 0;
    std::vector<std::jthread> workers;
    for (unsigned first = 0; first < threads; ++first) {
        workers.emplace_back([&failures, first, threads] {
            std::string text;
            std::wstring wide;
            for (Color color = first * kStride; color <= 0xFFFFFF; color += threads * kStride) {
                text.clear();
                AppendOklchText(text, color);
                wide.assign(text.begin(), text.end());
                if (ParseColorNotation(wide) != color && ++failures <= 5) {
                    ADD_FAILURE() << text << " does not read back as " << std::hex << color;
                }
                // The Tailwind theme's text, a quarter step above the color, for one color in eight.
                if (color / kStride % 8 == 0) {
                    text.clear();
                    AppendPreciseOklchText(text, color);
                    wide.assign(text.begin(), text.end());
                    if (ParseColorNotation(wide) != color && ++failures <= 5) {
                        ADD_FAILURE() << text << " does not read back as " << std::hex << color;
                    }
                }
            }
        });
    }
    workers.clear();
    EXPECT_EQ(failures, 0);
}

TEST(CssColorTest, TheOklchExportWritesTheHexExportsPropertiesInOklch) {
    PaletteColors colors = kDefaultPalette;
    colors.box[0] = MakeColor(255, 0, 0);
    const PaletteRecord palette = MakeRecord(u"Harbour at dusk", colors, {});
    const std::string hex = ExportPalettes({&palette, 1}, ExchangeFormat::Css);
    const std::string oklch = ExportPalettes({&palette, 1}, ExchangeFormat::CssOklch);
    EXPECT_NE(oklch.find("  --harbour-at-dusk-box-1: oklch(62.80% 0.25768 29.23);\n"), std::string::npos)
        << oklch;
    std::string expected = hex;
    for (std::size_t at = 0; (at = expected.find('#', at)) != std::string::npos;) {
        const auto color = ParseColorNotation(std::wstring(expected.begin() + at, expected.begin() + at + 7));
        ASSERT_TRUE(color);
        expected.replace(at, 7, OklchText(*color));
    }
    EXPECT_EQ(oklch, expected);
    EXPECT_EQ(ImportPalettes(oklch, ExchangeFormat::CssOklch, {}, u"theme.css").palettes.size(), 0u);
}

// Each text reads as the same color as the other of its pair, which is a color.
void ExpectSameColors(std::span<const std::pair<std::wstring_view, std::wstring_view>> pairs) {
    for (const auto& [text, same] : pairs) {
        EXPECT_EQ(ParseColorNotation(text), ParseColorNotation(same)) << std::wstring(text);
        EXPECT_TRUE(ParseColorNotation(same)) << std::wstring(same);
    }
}

// One hsl() color in its number, percentage and comma spellings; hwb() channels that are exact
// halves; and percentages far past 100 that must not overflow before they are scaled.
TEST(CssColorTest, HslSpellingsAgreeAndHwbHalvesRoundUp) {
    const std::pair<std::wstring_view, std::wstring_view> kSame[] = {
        {L"hsl(0 200 25)", L"color(srgb 0.75 -0.25 -0.25)"},
        {L"hsl(0 200% 25%)", L"hsl(0 200 25)"},
        {L"hsl(0, 200%, 25%)", L"hsl(0 200 25)"},
        {L"hsl(0 200 25%)", L"hsl(0 200% 25)"},
        {L"hsl(0 -50 40)", L"hsl(0, 0%, 40%)"},
        {L"hsl(0, -50%, 40%)", L"#666666"},
        {L"hsl(0, 50%, 130%)", L"white"},
        {L"hwb(120 30% 50%)", L"rgb(77 128 77)"},
        {L"hwb(320deg 30% 40%)", L"rgb(153 77 128)"},
        {L"hwb(0deg 10% 50%)", L"rgb(128 26 26)"},
        {L"hwb(0 20% 100%)", L"rgb(43 43 43)"},
        {L"hwb(0 1e308% 1e308%)", L"#808080"},
        {L"rgb(1e308% 0% -1e308%)", L"red"},
    };
    ExpectSameColors(kSame);
}

// Within one step in each channel: the browsers' expectations are rounded their own way.
bool WithinOne(Color left, Color right) {
    return std::abs(RedOf(left) - RedOf(right)) <= 1 && std::abs(GreenOf(left) - GreenOf(right)) <= 1 &&
           std::abs(BlueOf(left) - BlueOf(right)) <= 1;
}

// The web-platform-tests' CSS color parsing cases, as tests/data/wpt-css-color.jsonl holds them.
TEST(CssColorTest, ReadsTheWebPlatformTestsCases) {
    std::ifstream file(HUEWRIGHT_SOURCE_DIR "/tests/data/wpt-css-color.jsonl");
    int rows = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with('#')) {
            continue;
        }
        exchange::JsonReader reader(line);
        std::vector<std::wstring> fields;
        ASSERT_TRUE(reader.Begin('[')) << line;
        for (bool first = true; reader.More(']', first); first = false) {
            std::string_view field;
            ASSERT_TRUE(reader.String(field)) << line;
            fields.emplace_back(field.begin(), field.end()); // the cases are ASCII
        }
        ASSERT_GE(fields.size(), 2u) << line;
        ++rows;
        const std::wstring& kind = fields[0];
        const CssColorReading reading = ReadColorNotation(fields[1]);
        if (kind == L"invalid") {
            EXPECT_EQ(reading.color, std::nullopt) << line;
        } else if (kind == L"element") {
            EXPECT_EQ(reading.color, std::nullopt) << line;
            EXPECT_EQ(reading.elementUnit, fields[2]) << line;
        } else {
            const auto expected = ParseColorNotation(fields[2]);
            ASSERT_TRUE(reading.color) << line;
            ASSERT_TRUE(expected) << line;
            EXPECT_TRUE(WithinOne(*reading.color, *expected))
                << line << ": " << std::hex << *reading.color << " against " << *expected;
        }
    }
    EXPECT_GE(rows, 1200);
}

// The CSS syntax around the values, and the math functions with their limits.
TEST(CssColorTest, CommentsEscapesAndMathAreReadAsCssReadsThem) {
    const std::pair<std::wstring_view, std::wstring_view> kSame[] = {
        {L"/* a */ rgb(/* R */0, /* G */51, /* B */255) /* b */", L"#0033ff"},
        {L"rgb(1\f2\f3)", L"rgb(1 2 3)"},
        {L"r\\gb(0 51 102)", L"#003366"},
        {L"R\\47 B(0 51 102)", L"#003366"},
        {L"\\72 ed", L"red"},
        {L"#\\66 00", L"#f00"},
        {L"red /* unclosed", L"red"},
        {L"rgb(calc(255 / 2 + 0.5) calc(100% - 60%) calc(2 * 10))", L"rgb(128 102 20)"},
        {L"rgb(min(300, 20, 40) max(1, 2, 3) clamp(0, 400, 255))", L"rgb(20 3 255)"},
        {L"rgb(round(127.5) round(up, 12.1, 5) round(down, -12.1, 5))", L"rgb(128 15 0)"},
        {L"rgb(round(to-zero, 12.9, 5) calc(abs(-7) * sign(-2 / 1 + 0)) 0)", L"rgb(10 0 0)"},
        {L"rgb(calc(e * 10) calc(pi * 10) calc(-infinity))", L"rgb(27 31 0)"},
        {L"hsl(calc(0.25turn + 90deg) 100% 50%)", L"hsl(180 100% 50%)"},
        {L"hsl(calc(1rad * pi) calc((50% + 50%) / 2) 50%)", L"hsl(180 50% 50%)"},
        {L"color(srgb calc(NaN) calc(infinity) calc(-infinity))", L"color(srgb 0 1e38 0)"},
        {L"oklch(0.5 calc(infinity) calc(infinity))", L"oklch(0.5 1e38 0)"},
        {L"rgb(calc(sign(2px - 1cm) * -255) 0 0)", L"red"},
    };
    ExpectSameColors(kSame);

    // Each refused; a unit that needs an element is named.
    const std::pair<std::wstring_view, std::wstring_view> kRefused[] = {
        {L"rgb(calc(1em) 0 0)", L"em"},
        {L"lab(calc(50 + 1cqw) 0 0)", L"cqw"},
        {L"oklch(0.5 0.1 calc(10deg * sign(1vh - 1px)))", L"vh"},
        {L"rgb(1em 0 0)", L""},
        {L"rgb(calc(1 +1) 0 0)", L""},
        {L"rgb(calc(1+ 1) 0 0)", L""},
        {L"rgb(calc(1px) 0 0)", L""},
        {L"rgb(calc(10% + 1) 0 0)", L""},
        {L"rgb(calc(2deg * 3deg) 0 0)", L""},
        {L"rgb(calc(1 / 1%) 0 0)", L""},
        {L"rgb(round(1px) 0 0)", L""},
        {L"rgb(clamp(1, 2) 0 0)", L""},
        {L"rgb(calc(1, 2) 0 0)", L""},
        {L"rgb(calc(1) 0 0) x", L""},
        {L"rgb(var(--red) 0 0)", L""},
        {L"rgb(\\31 0 0 0)", L""},
        {L"rgb(1\\65 1 0 0)", L""},
        {L"rgb(\\ 0 0 0)", L""},
        {L"rgb(\"1\" 0 0)", L""},
        {L"rgb(0 0 0) rgb(0 0 0)", L""},
    };
    for (const auto& [text, unit] : kRefused) {
        const CssColorReading reading = ReadColorNotation(text);
        EXPECT_EQ(reading.color, std::nullopt) << std::wstring(text);
        EXPECT_EQ(reading.elementUnit, unit) << std::wstring(text);
    }
    EXPECT_EQ(ElementUnitAlert(L"em"), L"Invalid color entry: em depends on the element a color is used on. "
                                       L"Use numbers, percentages or angles.");
    // Nesting far past any real calculation is refused, not followed down the stack.
    std::wstring deep = L"rgb(";
    for (int i = 0; i < 10000; ++i) {
        deep += L"calc(";
    }
    EXPECT_EQ(ParseColorNotation(deep + L"1 0 0)"), std::nullopt);
}

// Each channel as the sRGB curve rounds it, at random values and a few units in the last place either
// side of every value that encodes to a half.
TEST(CssColorTest, LinearChannelsEncodeAsTheCurveRoundsThem) {
    auto curveByte = [](double linear) {
        return RoundToByte(
            255 * (linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055));
    };
    std::vector<double> values = {0.0, 1.0};
    std::mt19937 random(34);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(std::pow(unit(random), 3));
    }
    for (int half = 1; half < 256; ++half) {
        const double encoded = (half - 0.5) / 255;
        double linear = encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
        for (int ulp = 0; ulp < 4; ++ulp) {
            linear = std::nextafter(linear, 0.0);
        }
        for (int ulp = 0; ulp < 8; ++ulp, linear = std::nextafter(linear, 1.0)) {
            values.push_back(linear);
        }
    }
    for (double linear : values) {
        ASSERT_EQ(LinearSrgbToColor({linear, 0, 0}), MakeColor(curveByte(linear), 0, 0)) << linear;
    }
}

// The lightness found from a byte color's luminance and its a and b is its own.
TEST(CssColorTest, LightnessAtALuminanceIsTheColorsOwn) {
    std::mt19937 random(34);
    for (int i = 0; i < 10000; ++i) {
        const Color color = random() & 0xFFFFFF;
        const Triple oklab = ColorToOklab(color);
        ASSERT_NEAR(OklabLightnessAtLuminance(RelativeLuminance(color), oklab[1], oklab[2]), oklab[0], 1e-9)
            << std::hex << color;
    }
}

} // namespace
