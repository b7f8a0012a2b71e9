// Palette files for other tools: each format's exact bytes, round trips, and damaged files.
#include "library/ExchangeText.h"
#include "library/PaletteExchange.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstring>
#include <tuple>
#include <vector>

namespace {

const LogFontImage kDefaultFont{{-24, 0, 0, 0, 400, 0, 0, 0, 0, 1, 2, 0, 34}, u"Verdana"};
const LogFontImage kBoldFont{{-48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 34}, u"Georgia"};
// 9, 10 and 100 are where a channel written right-aligned gains a digit.
const PaletteColors kOtherColors{{0x000000FF, 0x0000FF00, 0x00FF0000, 0x00640A09},
                                 {0x00FFFFFF, 0x00000000, 0x00123456, 0x00ABCDEF}};

std::string FromHex(std::string_view hex) {
    std::string bytes;
    for (std::size_t i = 0; i < hex.size(); ++i) {
        if (hex[i] != ' ') {
            bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
            ++i;
        }
    }
    return bytes;
}

// Swatch files put together block by block, each block shorter than 64 KiB; floats are given as
// their big-endian bytes in hex, names in ASCII.
std::string Big16(std::size_t value) {
    return {static_cast<char>(value >> 8 & 0xFF), static_cast<char>(value & 0xFF)};
}

std::string AseBlock(std::size_t type, const std::string& body) {
    return Big16(type) + Big16(0) + Big16(body.size()) + body;
}

std::string AseGroup(std::string_view name) {
    std::string body = Big16(name.size() + 1);
    for (char c : name) {
        body += Big16(static_cast<unsigned char>(c));
    }
    return AseBlock(0xC001, body + Big16(0));
}

std::string AseColor(std::string_view model, std::string_view floats) {
    return AseBlock(1, Big16(1) + Big16(0) + std::string(model) + FromHex(floats) + Big16(2));
}

std::string AseFile(const std::vector<std::string>& blocks) {
    std::string file = "ASEF" + Big16(1) + Big16(0) + Big16(0) + Big16(blocks.size());
    for (const std::string& block : blocks) {
        file += block;
    }
    return file;
}

std::vector<std::u16string> Names(const ImportResult& result) {
    std::vector<std::u16string> names;
    for (const PaletteRecord& palette : result.palettes) {
        names.push_back(RecordName(palette));
    }
    return names;
}

ImportResult Import(std::string_view bytes, ExchangeFormat format, const LogFontImage& font,
                    std::u16string_view fileName = u"Bears.gpl") {
    return ImportPalettes(bytes, format, font, fileName);
}

bool SameRecord(const PaletteRecord& a, const PaletteRecord& b) {
    return std::memcmp(&a, &b, sizeof(a)) == 0;
}

const char kBlueSkyCss[] = R"(:root {
  /* Blue sky */
  --blue-sky-box-1: #bebea1;
  --blue-sky-text-1: #746955;
  --blue-sky-box-2: #c8c8ab;
  --blue-sky-text-2: #746955;
  --blue-sky-box-3: #d2d2b5;
  --blue-sky-text-3: #746955;
  --blue-sky-box-4: #dbdbbf;
  --blue-sky-text-4: #746955;
}
)";

const char kBlueSkyGpl[] = "GIMP Palette\nName: Blue sky\nColumns: 2\n#\n"
                           "190 190 161\tBlue sky box 1\n"
                           "116 105  85\tBlue sky text 1\n"
                           "200 200 171\tBlue sky box 2\n"
                           "116 105  85\tBlue sky text 2\n"
                           "210 210 181\tBlue sky box 3\n"
                           "116 105  85\tBlue sky text 3\n"
                           "219 219 191\tBlue sky box 4\n"
                           "116 105  85\tBlue sky text 4\n";

const char kBlueSkyJson[] = R"({
  "format": "huewright-palettes",
  "version": 1,
  "palettes": [
    {
      "name": "Blue sky",
      "boxes": [
        {"background": "#bebea1", "text": "#746955"},
        {"background": "#c8c8ab", "text": "#746955"},
        {"background": "#d2d2b5", "text": "#746955"},
        {"background": "#dbdbbf", "text": "#746955"}
      ],
      "font": {"face": "Georgia", "numbers": "-48:0:0:0:700:1:0:0:0:1:2:0:34"}
    }
  ]
}
)";

// Block: type, length, name length and UTF-16BE name; a color goes on with "RGB ", floats, type 2.
const char kBlueSkyAse[] =
    "41534546 0001 0000 0000000a"
    "c001 00000014 0009 0042006c0075006500200073006b00790000"
    "0001 00000020 0006 0062006f007800200031 0000 52474220 3f3ebebf 3f3ebebf 3f21a1a2 0002"
    "0001 00000022 0007 007400650078007400200031 0000 52474220 3ee8e8e9 3ed2d2d3 3eaaaaab 0002"
    "0001 00000020 0006 0062006f007800200032 0000 52474220 3f48c8c9 3f48c8c9 3f2babac 0002"
    "0001 00000022 0007 007400650078007400200032 0000 52474220 3ee8e8e9 3ed2d2d3 3eaaaaab 0002"
    "0001 00000020 0006 0062006f007800200033 0000 52474220 3f52d2d3 3f52d2d3 3f35b5b6 0002"
    "0001 00000022 0007 007400650078007400200033 0000 52474220 3ee8e8e9 3ed2d2d3 3eaaaaab 0002"
    "0001 00000020 0006 0062006f007800200034 0000 52474220 3f5bdbdc 3f5bdbdc 3f3fbfc0 0002"
    "0001 00000022 0007 007400650078007400200034 0000 52474220 3ee8e8e9 3ed2d2d3 3eaaaaab 0002"
    "c002 00000000";

TEST(PaletteExchangeTest, EachFormatWritesOnePaletteExactly) {
    const PaletteRecord blueSky = MakeRecord(u"Blue sky", kDefaultPalette, kBoldFont);
    EXPECT_EQ(ExportPalettes({&blueSky, 1}, ExchangeFormat::Css), kBlueSkyCss);
    EXPECT_EQ(ExportPalettes({&blueSky, 1}, ExchangeFormat::Gpl), kBlueSkyGpl);
    EXPECT_EQ(ExportPalettes({&blueSky, 1}, ExchangeFormat::Json), kBlueSkyJson);
    EXPECT_EQ(ExportPalettes({&blueSky, 1}, ExchangeFormat::Ase), FromHex(kBlueSkyAse));
}

TEST(PaletteExchangeTest, CssSlugsAreAsciiAndUniqueAndCommentsStayClosed) {
    const PaletteRecord palettes[] = {
        MakeRecord(u"Blue sky", {}, kBoldFont), MakeRecord(u"blue--SKY!", {}, kBoldFont),
        MakeRecord(u"Blue sky 2", {}, kBoldFont), MakeRecord(u"Ça */ 😀", {}, kBoldFont)};
    const std::string css = ExportPalettes(palettes, ExchangeFormat::Css);
    for (const char* line :
         {"  --blue-sky-box-1: #000000;\n", "  --blue-sky-2-text-4: #000000;\n",
          "  --blue-sky-2-2-box-3: #000000;\n", "  /* Ça * / 😀 */\n", "\n  --a-box-1: #000000;\n"}) {
        EXPECT_NE(css.find(line), std::string::npos) << line;
    }
}

TEST(PaletteExchangeTest, TwoPalettesRoundTripThroughEachFormat) {
    const PaletteRecord palettes[] = {MakeRecord(u"Blue sky", kDefaultPalette, kBoldFont),
                                      MakeRecord(u"C:\\Grün \"1\" \\ \u0080😀", kOtherColors, kDefaultFont)};
    for (ExchangeFormat format : {ExchangeFormat::Gpl, ExchangeFormat::Ase, ExchangeFormat::Json}) {
        const ImportResult result = Import(ExportPalettes(palettes, format), format, kDefaultFont);
        ASSERT_EQ(result.palettes.size(), 2u) << static_cast<int>(format);
        EXPECT_TRUE(result.problem.empty());
        // Only JSON carries the fonts; the others give the default font.
        const LogFontImage& firstFont = format == ExchangeFormat::Json ? kBoldFont : kDefaultFont;
        EXPECT_TRUE(SameRecord(result.palettes[0], MakeRecord(u"Blue sky", kDefaultPalette, firstFont)));
        EXPECT_TRUE(SameRecord(result.palettes[1], palettes[1]));
    }
}

// A large JSON export comes in pieces that make the same bytes; the first refused piece ends it.
TEST(PaletteExchangeTest, ExportInPiecesGivesTheSameBytes) {
    std::vector<PaletteRecord> palettes;
    for (int i = 0; i < 6000; ++i) {
        palettes.push_back(MakeRecord(u"Palette " + std::u16string(1, u'a' + i % 26), kOtherColors,
                                      i % 3 ? kDefaultFont : kBoldFont));
    }
    for (ExchangeFormat format : {ExchangeFormat::Json, ExchangeFormat::Css}) {
        std::string joined;
        int pieces = 0;
        ASSERT_TRUE(ExportPalettesInPieces(palettes, format, [&](std::string_view piece) {
            joined += piece;
            return ++pieces > 0;
        }));
        EXPECT_EQ(joined, ExportPalettes(palettes, format));
        EXPECT_EQ(pieces > 1, format == ExchangeFormat::Json);
    }
    int offered = 0;
    EXPECT_FALSE(ExportPalettesInPieces(palettes, ExchangeFormat::Json,
                                        [&](std::string_view) { return ++offered < 2; }));
    EXPECT_EQ(offered, 2);
}

TEST(PaletteExchangeTest, LongNamesAreCutWithoutSplittingACharacter) {
    const std::pair<std::string, std::u16string> kCases[] = {
        {std::string(70, 'x'), std::u16string(63, u'x')},
        {std::string(62, 'x') + "😀", std::u16string(62, u'x')},
        {"  \\t tab\\u0000nul  ", u"tab nul"},
        {"", u"Bears"},
    };
    for (const auto& [name, expected] : kCases) {
        const std::string json =
            R"([{"name": ")" + name + R"(", "boxes": [{"background": "#fff", "text": "#000"}]}])";
        const ImportResult result = Import(json, ExchangeFormat::Json, kDefaultFont);
        ASSERT_EQ(result.palettes.size(), 1u) << name;
        EXPECT_EQ(RecordName(result.palettes[0]), expected);
    }
    std::string gpl = "GIMP Palette\nName: " + std::string(70, 'x') + "\n";
    for (int i = 0; i < 9; ++i) {
        gpl += "0 0 0\n";
    }
    const ImportResult numbered = Import(gpl, ExchangeFormat::Gpl, kDefaultFont);
    ASSERT_EQ(numbered.palettes.size(), 2u);
    EXPECT_EQ(RecordName(numbered.palettes[0]), std::u16string(61, u'x') + u" 1");
    EXPECT_EQ(RecordName(numbered.palettes[1]), std::u16string(61, u'x') + u" 2");
}

TEST(PaletteExchangeTest, JsonTakesABareListOrOnePaletteAndShortColors) {
    const char* const kTexts[] = {
        R"([{"name": "A", "boxes": [{"background": "#F00", "text": "#00ff00"}]}])",
        "\xEF\xBB\xBF"
        R"({"boxes": [{"text": "#00ff00", "x": [1, {"y": null}], "background": "#ff0000"}], )"
        R"("name": "\u0041", "font": {"size": [12], "numbers": "-24:0:0:0:400:0:0:0:0:1:2:0:34", "face": "Verdana"}})",
    };
    for (const char* text : kTexts) {
        const ImportResult result = Import(text, ExchangeFormat::Json, kBoldFont);
        ASSERT_EQ(result.palettes.size(), 1u) << text;
        EXPECT_EQ(RecordName(result.palettes[0]), u"A");
        EXPECT_EQ(result.palettes[0].colors[0], 0x000000FFu);
        EXPECT_EQ(result.palettes[0].colors[1], 0x0000FF00u);
        EXPECT_EQ(result.palettes[0].colors[2], kDefaultPalette.box[1]);
    }
    EXPECT_EQ(Import(kTexts[0], ExchangeFormat::Json, kBoldFont).palettes[0].font, kBoldFont);
    EXPECT_EQ(Import(kTexts[1], ExchangeFormat::Json, kBoldFont).palettes[0].font, kDefaultFont);
    // A LOGFONTW holds 31 characters of face: 31 are taken, 32 are damage (see below).
    const ImportResult longFace = Import(
        std::string(kBlueSkyJson).replace(std::string(kBlueSkyJson).find("Georgia"), 7, std::string(31, 'G')),
        ExchangeFormat::Json, kDefaultFont);
    ASSERT_EQ(longFace.palettes.size(), 1u) << static_cast<int>(longFace.problem.size());
    EXPECT_EQ(std::u16string_view(longFace.palettes[0].font.faceName), std::u16string(31, u'G'));
}

TEST(PaletteExchangeTest, GimpRunsOfEightTakeTheHeaderNameNumberedAndShortRunsTheDefaults) {
    const ImportResult result = Import("GIMP Palette\r\nName: Ocean\r\nColumns: 5\r\n# made elsewhere\r\n\r\n"
                                       "0 0 0\r\n1 1 1 one\n2\t2 2\n3 3 3\n4 4 4\n5 5 5\n6 6 6\n7 7 7\n"
                                       "255 255 255 \tFoam \n9 9 9\n10 10 10\n12 12 12\n13 13 13",
                                       ExchangeFormat::Gpl, kDefaultFont);
    ASSERT_EQ(result.palettes.size(), 2u);
    EXPECT_EQ(RecordName(result.palettes[0]), u"Ocean 1");
    EXPECT_EQ(RecordName(result.palettes[1]), u"Ocean 2");
    EXPECT_EQ(result.palettes[0].colors[7], MakeColor(7, 7, 7));
    const PaletteRecord& five = result.palettes[1];
    EXPECT_EQ(five.colors[0], 0x00FFFFFFu);
    EXPECT_EQ(five.colors[4], MakeColor(13, 13, 13));
    EXPECT_EQ(five.colors[5], kDefaultPalette.text[2]);
    EXPECT_EQ(five.colors[6], kDefaultPalette.box[3]);
    EXPECT_EQ(five.colors[7], kDefaultPalette.text[3]);
}

TEST(PaletteExchangeTest, SwatchesConvertGrayAndCmykAndNameLooseColors) {
    const std::string ase =
        FromHex("41534546 0001 0000 00000002"
                "0001 0000000e 0001 0000 47726179 3f000000 0002"
                "0001 0000001a 0001 0000 434d594b 00000000 3f800000 3f000000 3f000000 0002");
    const ImportResult result = Import(ase, ExchangeFormat::Ase, kDefaultFont);
    ASSERT_EQ(result.palettes.size(), 1u);
    EXPECT_EQ(RecordName(result.palettes[0]), u"Bears");
    EXPECT_EQ(result.palettes[0].colors[0], MakeColor(128, 128, 128));
    EXPECT_EQ(result.palettes[0].colors[1], MakeColor(128, 0, 64));
}

TEST(PaletteExchangeTest, DamagedFilesImportNothingAndSayWhy) {
    const std::string ase = FromHex(kBlueSkyAse);
    const std::pair<ExchangeFormat, std::string> kCases[] = {
        {ExchangeFormat::Css, kBlueSkyCss},
        {ExchangeFormat::Gpl, "GIMP palette\n0 0 0\n"},
        {ExchangeFormat::Gpl, "GIMP Palette\nName: x\n"},
        {ExchangeFormat::Gpl, "GIMP Palette\n0 0 256\n"},
        {ExchangeFormat::Gpl, "GIMP Palette\n0 0 0x\n"},
        {ExchangeFormat::Ase, ase.substr(0, ase.size() - 1)},
        {ExchangeFormat::Ase, ase.substr(0, 4)},
        {ExchangeFormat::Ase, FromHex("41534546 0002 0000 00000000")},
        {ExchangeFormat::Ase, FromHex("41534546 0001 0000 00000000")},
        {ExchangeFormat::Ase, FromHex("41534546 0001 0000 00000001 c001 00000002 0002")},
        {ExchangeFormat::Ase,
         FromHex("41534546 0001 0000 00000001 0001 0000000c 0000 58595a20 00000000 0002")},
        {ExchangeFormat::Ase,
         FromHex("41534546 0001 0000 00000001 0001 0000000c 0000 47726179 7fc00000 0002")},
        {ExchangeFormat::Ase, FromHex("41534546 0001 0000 00000001 c001 00000006 0002 d8000000")},
        {ExchangeFormat::Ase, FromHex("41534546 0001 0000 00000002 c001 00000004 000a 0041 0001 0000000e "
                                      "0001 0000 47726179 3f000000 0002")},
        {ExchangeFormat::Ase,
         FromHex("41534546 0001 0000 00000001 0001 0000000c 0001 0000 47726179 3f000000")},
        {ExchangeFormat::Ase,
         FromHex("41534546 0001 0000 00000001 0001 0000000d 0001 0000 47726179 3f000000 00")},
        {ExchangeFormat::Json, ""},
        {ExchangeFormat::Json, "[]"},
        {ExchangeFormat::Json, R"({"palettes": [{"name": "A"}]})"},
        {ExchangeFormat::Json, R"([{"boxes": [{"background": "#ff", "text": "#000"}]}])"},
        {ExchangeFormat::Json, R"([{"boxes": [{"background": "#fff"}]}])"},
        {ExchangeFormat::Json, R"([{"boxes": [{"text": "#000"}]}])"},
        {ExchangeFormat::Json, R"([{"boxes": [{"background": "#fgf", "text": "#000"}]}])"},
        {ExchangeFormat::Json,
         R"([{"boxes": [{"background": "#fff", "text": "#000"}], "font": {"face": "A"}}])"},
        {ExchangeFormat::Json,
         R"([{"boxes": [{"background": "#fff", "text": "#000"}], "font": {"face": "A", "numbers": "1:2"}}])"},
        {ExchangeFormat::Json, std::string(kBlueSkyJson) + "x"},
        {ExchangeFormat::Json,
         std::string(kBlueSkyJson)
             .replace(std::string(kBlueSkyJson).find("Georgia"), 7, std::string(32, 'G'))},
        {ExchangeFormat::Json, R"([{"name": "\ud800", "boxes": []}])"},
        {ExchangeFormat::Json, "[{\"name\": \"\xE0\x80\x80\"}]"},
        {ExchangeFormat::Json, R"({"format": "other", "palettes": []})"},
        {ExchangeFormat::Json, R"({"version": 2})"},
        {ExchangeFormat::Json, R"({"format": "huewright-palettes", "version": 1})"},
        {ExchangeFormat::Json, R"([{"x": )" + std::string(64, '[') + std::string(64, ']') + "}]"},
    };
    for (const auto& [format, bytes] : kCases) {
        const ImportResult result = Import(bytes, format, kDefaultFont);
        EXPECT_TRUE(result.palettes.empty()) << bytes;
        EXPECT_TRUE(result.problem.ends_with(L".")) << bytes;
    }
    // A JSON file's damage names the palette: a file that is one palette object holds palette 1.
    for (const char* oneFirst : {R"({"name": "A", "boxes": [1]})", R"({"palettes": [{"boxes": [1]}]})"}) {
        EXPECT_EQ(Import(oneFirst, ExchangeFormat::Json, kDefaultFont).problem,
                  L"Palette 1 has a box that is not an object.");
    }
    EXPECT_EQ(Import("[" + std::string(R"({"boxes": [{"background": "#fff", "text": "#000"}]})") +
                         R"(, {"name": "B"}])",
                     ExchangeFormat::Json, kDefaultFont)
                  .problem,
              L"Palette 2 has no boxes.");
    // The block count is the file's word: room is made only for what the bytes can hold.
    const ImportResult unbounded =
        Import(FromHex("41534546 0001 0000 ffffffff"), ExchangeFormat::Ase, kDefaultFont);
    EXPECT_EQ(unbounded.problem, L"The swatch file is damaged: a block runs past the end of the file.");
}

std::string Lines(std::string_view line, int count) {
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += line;
    }
    return lines;
}

// Named after the file, its Name: header or its group; several palettes of one name are numbered.
TEST(PaletteExchangeTest, ImportedPalettesAreNamedAfterTheirFile) {
    const PaletteRecord ours[] = {MakeRecord(u"Sea", {}, kBoldFont), MakeRecord(u"Sky", {}, kBoldFont)};
    const std::string red = AseColor("RGB ", "3f800000 00000000 00000000");
    const std::string unnamed = R"({"boxes": [{"background": "#fff", "text": "#000"}]})";
    struct Case {
        ExchangeFormat format;
        std::string bytes;
        std::u16string_view fileName;
        std::vector<std::u16string> names;
    };
    const Case kCases[] = {
        // A header in Windows-1252, colors with alpha, and a color name that is not UTF-8 either.
        {ExchangeFormat::Gpl,
         "GIMP Palette\nName: B\xE4rs \x80\nChannels: RGBA\n" + Lines("1 2 3 4\n", 17),
         u"gradient.gpl",
         {u"Bärs € 1", u"Bärs € 2", u"Bärs € 3"}},
        // 9F is the last byte Windows-1252 sets apart; A0 is Latin-1's no-break space.
        {ExchangeFormat::Gpl,
         "GIMP Palette\nName: \x7F\x9F\xA0x\xFF\n" + Lines("1 2 3\n", 8),
         u"x.gpl",
         {u"\u0178\u00A0x\u00FF"}},
        // Our own labels name their palette, whatever the Name: header says.
        {ExchangeFormat::Gpl,
         "GIMP Palette\nName: Sky\n" + ExportPalettes({ours, 1}, ExchangeFormat::Gpl).substr(23) +
             Lines("1 2 3\tSea box 1\n", 8),
         u"x.gpl",
         {u"Sea", u"Sky"}},
        {ExchangeFormat::Gpl,
         "GIMP Palette\nName:  \n" + Lines("1 2 3\n", 9),
         u"Old.gpl",
         {u"Old 1", u"Old 2"}},
        {ExchangeFormat::Gpl,
         "GIMP Palette\nName:  \n" + Lines("1 2 3 \xC3\n", 8),
         u"Old.Sky.gpl",
         {u"Old.Sky"}},
        // Our layout names each palette; eight colors of any other names are the file's.
        {ExchangeFormat::Gpl,
         ExportPalettes(ours, ExchangeFormat::Gpl) + Lines("1 2 3\tSea box 1\n", 8),
         u"x.gpl",
         {u"Sea", u"Sky", u"Huewright palettes"}},
        {ExchangeFormat::Ase,
         AseFile({AseGroup("Warm"), red, red, red, red, red, red, red, red, red, AseBlock(0xC002, ""), red}),
         u"Swatches.ase",
         {u"Warm 1", u"Warm 2", u"Swatches"}},
        {ExchangeFormat::Ase, AseFile({AseGroup(" "), red}), u"Blank.ase", {u"Blank"}},
        {ExchangeFormat::Json,
         "[" + unnamed + ", " + R"({"name": "A", "boxes": [{"background": "#fff", "text": "#000"}]}, )" +
             unnamed + R"(, {"name": "A", "boxes": [{"background": "#fff", "text": "#000"}]}])",
         u"Bears.json",
         {u"Bears 1", u"A", u"Bears 2", u"A"}},
        {ExchangeFormat::Json, "[" + unnamed + "]", u".json", {u"Imported palette"}},
    };
    for (const Case& c : kCases) {
        const ImportResult result = Import(c.bytes, c.format, kDefaultFont, c.fileName);
        EXPECT_EQ(Names(result), c.names) << c.bytes;
    }
}

// The expected colors were worked out apart from the code, by scripts/swatch-values.py: exact
// fractions of the float32 inputs, rounded half up; Lab through matrices the script builds from the
// sRGB primaries, the D50 and D65 chromaticities and the Bradford cone matrix. None lies on a .5
// boundary but 0.5 itself, exactly 127.5.
TEST(PaletteExchangeTest, SwatchChannelsRoundTheirExactValueAndLabIsConvertedAndClipped) {
    auto swatch = [](std::string_view model, std::string_view floats) {
        return AseFile({AseColor(model, floats)});
    };
    const std::tuple<ExchangeFormat, std::string, Color> kCases[] = {
        // 0.89999998, 0.7 and 0.50392157, which rounding in float made 230, 179 and 129.
        {ExchangeFormat::Ase, swatch("RGB ", "3f666666 3f333333 3f010101"), MakeColor(229, 178, 128)},
        {ExchangeFormat::Ase, swatch("RGB ", "3f000000 3fc00000 be800000"), MakeColor(128, 255, 0)},
        {ExchangeFormat::Ase, swatch("Gray", "3f666666"), MakeColor(229, 229, 229)},
        // C, M, Y, K: (0.3, 0.35, 0.55, 0), (0.1, 0.4, 0.6, 0.5), (0.75, 0.15, 0, 0.3).
        {ExchangeFormat::Ase, swatch("CMYK", "3e99999a 3eb33333 3f0ccccd 00000000"),
         MakeColor(178, 166, 115)},
        {ExchangeFormat::Ase, swatch("CMYK", "3dcccccd 3ecccccd 3f19999a 3f000000"), MakeColor(115, 76, 51)},
        {ExchangeFormat::Ase, swatch("CMYK", "3f400000 3e19999a 00000000 3e99999a"), MakeColor(45, 152, 178)},
        // L / 100, a, b: (1, 0, 0), (0.5, 0, 0), (0.5, 60, 40), (0.25, -40, -50), (0.75, -20, 70),
        // (0.875, 100, -120) and (0.625, 10, -60), the last three clipped.
        {ExchangeFormat::Ase, swatch("LAB ", "3f800000 00000000 00000000"), MakeColor(255, 255, 255)},
        {ExchangeFormat::Ase, swatch("LAB ", "3f000000 00000000 00000000"), MakeColor(119, 119, 119)},
        {ExchangeFormat::Ase, swatch("LAB ", "3f000000 42700000 42200000"), MakeColor(214, 60, 55)},
        {ExchangeFormat::Ase, swatch("LAB ", "3e800000 c2200000 c2480000"), MakeColor(0, 76, 136)},
        {ExchangeFormat::Ase, swatch("LAB ", "3f400000 c1a00000 428c0000"), MakeColor(176, 194, 30)},
        {ExchangeFormat::Ase, swatch("LAB ", "3f600000 42c80000 c2f00000"), MakeColor(255, 130, 255)},
        {ExchangeFormat::Ase, swatch("LAB ", "3f200000 41200000 c2700000"), MakeColor(106, 149, 255)},
        {ExchangeFormat::Gpl, "GIMP Palette\nChannels: RGBA\n255 0 0 128 Red\n", MakeColor(255, 0, 0)},
        // The numbers past the channels are the color's name.
        {ExchangeFormat::Gpl, "GIMP Palette\n1 2 3 4 5 6\n", MakeColor(1, 2, 3)},
        {ExchangeFormat::Gpl, "GIMP Palette\nChannels:RGBA\n1 2 3 4 5 6\n", MakeColor(1, 2, 3)},
        {ExchangeFormat::Gpl, "GIMP Palette\n 10   9 100\tx\n", MakeColor(10, 9, 100)},
    };
    for (const auto& [format, bytes, expected] : kCases) {
        const ImportResult result = Import(bytes, format, kDefaultFont);
        ASSERT_EQ(result.palettes.size(), 1u) << bytes;
        EXPECT_EQ(result.palettes[0].colors[0], expected) << bytes;
    }
}

TEST(PaletteExchangeTest, GimpDamageNamesTheLineAndWhy) {
    const std::pair<std::string, std::wstring> kCases[] = {
        {"GIMP Palette\nName: Bears\n#\n0 0 256\n", L"line 4: 256 is not a color value from 0 to 255"},
        {"GIMP Palette\r\n0 0 0x\r\n", L"line 2: 0x is not a color value from 0 to 255"},
        {"GIMP Palette\n1 2 3\n1 2 \xE9t\xE9\n", L"line 3: été is not a color value from 0 to 255"},
        {"GIMP Palette\n1 2 " + std::string(30, '9') + "\n",
         L"line 2: 99999999999999999999… is not a color value from 0 to 255"},
        {"GIMP Palette\n1 2\n", L"line 2: the line ends after 2 of the 3 color values"},
        {"GIMP Palette\nChannels: RGBA\n\n1 2 3 Black\n",
         L"line 4: Black is not a color value from 0 to 255"},
        {"GIMP Palette\nChannels: RGBA\n1 2 3\n", L"line 3: the line ends after 3 of the 4 color values"},
        {"GIMP Palette\nChannels: CMYK\n", L"line 2: the channels \"CMYK\" are not RGB or RGBA"},
    };
    for (const auto& [bytes, why] : kCases) {
        EXPECT_EQ(Import(bytes, ExchangeFormat::Gpl, kDefaultFont).problem,
                  L"The GIMP palette is damaged at " + why + L".");
    }
}

// A cut at 63 units keeps a surrogate pair whole; an empty or blank name is written as "Untitled
// palette", and a lone surrogate, which a damaged library may hold, as U+FFFD.
TEST(PaletteExchangeTest, NamesAreCutWholeAndBlankNamesExportAsUntitled) {
    EXPECT_EQ(RecordName(MakeRecord(std::u16string(62, u'x') + u"😀", {}, kBoldFont)),
              std::u16string(62, u'x'));
    PaletteRecord loneSurrogate = MakeRecord(u"ab", {}, kBoldFont);
    loneSurrogate.name[2] = 0xD83D;
    const PaletteRecord palettes[] = {MakeRecord(u"", {}, kBoldFont), MakeRecord(u" \t ", {}, kBoldFont),
                                      loneSurrogate};
    const std::u16string expected[] = {u"Untitled palette", u"Untitled palette", u"ab\uFFFD"};
    for (ExchangeFormat format : {ExchangeFormat::Gpl, ExchangeFormat::Ase, ExchangeFormat::Json}) {
        for (std::size_t i = 0; i < std::size(palettes); ++i) {
            const ImportResult result =
                Import(ExportPalettes({&palettes[i], 1}, format), format, kDefaultFont);
            EXPECT_EQ(Names(result), std::vector<std::u16string>{expected[i]})
                << static_cast<int>(format) << i;
        }
    }
    const std::string css = ExportPalettes(palettes, ExchangeFormat::Css);
    EXPECT_NE(css.find("  /* Untitled palette */\n  --untitled-palette-box-1: "), std::string::npos);
    EXPECT_NE(css.find("  /* Untitled palette */\n  --untitled-palette-2-box-1: "), std::string::npos);
}

// The bytes 80 to 9F of a name that is not UTF-8 are Windows-1252's, as iconv reads them; the five
// it leaves undefined keep their own code points.
TEST(PaletteExchangeTest, HighBytesOfANameThatIsNotUtf8AreWindows1252) {
    const iconv_t convert = iconv_open("UTF-16LE", "WINDOWS-1252");
    ASSERT_NE(convert, reinterpret_cast<iconv_t>(-1));
    for (int byte = 0x80; byte < 0xA0; ++byte) {
        char in[1] = {static_cast<char>(byte)};
        char16_t out[2] = {};
        char* inAt = in;
        char* outAt = reinterpret_cast<char*>(out);
        std::size_t inLeft = sizeof(in), outLeft = sizeof(out);
        const bool defined = iconv(convert, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
        const std::u16string expected =
            u"x" + std::u16string(1, defined ? out[0] : static_cast<char16_t>(byte));
        const std::string gpl = "GIMP Palette\nName: x" + std::string(in, 1) + "\n0 0 0\n";
        EXPECT_EQ(Names(Import(gpl, ExchangeFormat::Gpl, kDefaultFont)), std::vector{expected}) << byte;
    }
    iconv_close(convert);
}

TEST(PaletteExchangeTest, JsonStringsEscapeQuotesBackslashesAndControlsOnly) {
    const std::pair<std::u16string_view, std::string_view> kCases[] = {
        {u"plain", R"("plain")"},
        {u"a\"b\\c", R"("a\"b\\c")"},
        {u"\\\u0001\u001F\u007F", "\"\\\\\\u0001\\u001f\x7F\""},
        // Each length of UTF-8 at both its ends.
        {u"\u0080\u07FF\u0800\uFFFF\U00010000\U0010FFFF",
         "\"\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF\""},
        {u"\u00E9\u20AC\\\U0001F600", "\"\xC3\xA9\xE2\x82\xAC\\\\\xF0\x9F\x98\x80\""},
    };
    for (const auto& [text, json] : kCases) {
        std::string out;
        exchange::AppendJsonString(out, text);
        EXPECT_EQ(out, json);
    }
}

TEST(PaletteExchangeTest, FormatsFollowTheExtensionInAnyCase) {
    EXPECT_EQ(ExchangeFormatOf(L"a.b\\Sky.CSS"), ExchangeFormat::Css);
    EXPECT_EQ(ExchangeFormatOf(L"sky.Gpl"), ExchangeFormat::Gpl);
    EXPECT_EQ(ExchangeFormatOf(L"sky.AsE"), ExchangeFormat::Ase);
    EXPECT_EQ(ExchangeFormatOf(L"sky.jSON"), ExchangeFormat::Json);
    EXPECT_EQ(ExchangeFormatOf(L"sky.json.txt"), std::nullopt);
    EXPECT_EQ(ExchangeFormatOf(L"json"), std::nullopt);
}

// A value of the wrong kind is named by the same message whether the file is laid out as our export
// writes it or compactly.
TEST(PaletteExchangeTest, JsonNamesAWrongValueTheSameInEitherLayout) {
    auto replaced = [](std::string text, std::string_view from, std::string_view to) {
        return text.replace(text.find(from), from.size(), to);
    };
    const std::string compact =
        R"({"palettes": [{"name": "Blue sky", "boxes": [{"background": "#bebea1", )"
        R"("text": "#746955"}], "font": {"face": "Georgia", "numbers": "-48:0:0:0:700:1:0:0:0:1:2:0:34"}}]})";
    const std::pair<std::string_view, std::wstring_view> kWrongValues[] = {
        {R"("Blue sky")", L"Palette 1 has a name that is not text."},
        {R"("#bebea1")", L"Palette 1 has a color that is not written #rrggbb or #rgb."},
        {R"("Georgia")", L"Palette 1 has a damaged font."},
    };
    for (const auto& [value, problem] : kWrongValues) {
        for (const std::string& layout : {std::string(kBlueSkyJson), compact}) {
            const ImportResult result =
                Import(replaced(layout, value, "17"), ExchangeFormat::Json, kDefaultFont);
            EXPECT_EQ(result.problem, problem) << replaced(layout, value, "17");
        }
    }
}

} // namespace
