// The HTML test page: whole documents against pages typed from the template, the places of the
// eight colors, the three style sizes and the escapes of face names.
#include "library/TestPage.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <regex>
#include <sstream>
#include <vector>

namespace {

std::string ReadExpected(const std::string& name) {
    std::ifstream file(std::string(HUEWRIGHT_SOURCE_DIR) + "/tests/core/testpage/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

TestPageInputs Inputs(int pointSize, std::u16string face, bool bold, bool italic) {
    return {kDefaultPalette, pointSize, std::move(face), bold, italic};
}

TEST(TestPageTest, DefaultPaletteMatchesThePagesTypedFromTheTemplate) {
    const struct {
        const char* file;
        TestPageInputs inputs;
    } kCases[] = {
        {"default-36-bold-italic.html", Inputs(36, u"Georgia", true, true)},
        {"default-18-plain.html", Inputs(18, u"Verdana", false, false)},
        {"default-10-italic.html", Inputs(10, u"Georgia", false, true)},
        {"default-12-bold.html", Inputs(12, u"Times New Roman", true, false)},
    };
    for (const auto& c : kCases) {
        const std::string expected = ReadExpected(c.file);
        ASSERT_FALSE(expected.empty()) << c.file;
        EXPECT_EQ(TestPageDocument(c.inputs), expected) << c.file;
    }
}

TEST(TestPageTest, EachColorGoesToItsOwnPlaces) {
    const PaletteColors kColors{
        {0x00000001, 0x00000002, 0x00BFDBDB, 0x00000004},
        {0x00010000, 0x00020000, 0x00030000, 0x00040000},
    };
    const std::string page = TestPageDocument({kColors, 12, u"Georgia", false, false});
    const std::regex color("#[0-9a-f]{6}");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), color); it != std::sregex_iterator();
         ++it) {
        found.push_back(it->str());
    }
    const std::vector<std::string> expected = {
        "#010000", "#000001", "#020000", "#000002", "#dbdbbf", "#000003",
        "#dbdbbf", "#040000", "#000004", "#dbdbbf", "#dbdbbf",
    };
    EXPECT_EQ(found, expected);
}

// With its dark variant the page is the same template, its style sheet followed by the dark colors'
// rules for a browser that prefers a dark scheme, each color where its box's is in the markup.
TEST(TestPageTest, ADarkVariantAddsItsColorsUnderTheDarkSchemeAndNothingElse) {
    const PaletteColors dark{
        {0x00000011, 0x00000012, 0x00000013, 0x00000014},
        {0x00110000, 0x00120000, 0x00130000, 0x00140000},
    };
    TestPageInputs inputs{kDefaultPalette, 18, u"Verdana", true, false, {}};
    const std::string light = TestPageDocument(inputs);
    inputs.dark = dark;
    const std::string both = TestPageDocument(inputs);
    const std::size_t media =
        both.find(":root {color-scheme: light dark;}\r\n@media (prefers-color-scheme: dark) {");
    ASSERT_NE(media, std::string::npos);
    const std::size_t end = both.find("}\r\n}\r\n", media) + 6;
    EXPECT_EQ(both.substr(0, media) + both.substr(end), light);
    EXPECT_EQ(both.substr(0, media), light.substr(0, media));
    EXPECT_EQ(light.substr(media, 3), "-->");
    const std::string rules = both.substr(media, end - media);
    const std::pair<const char*, const char*> expected[] = {
        {"tr:first-child {background-color: #110000", "td.box1 font {color: #000011"},
        {"tr > td.box2 {background-color: #120000", "tr > td.box2 font {color: #000012"},
        {"table table td {background-color: #130000", "table table td.box2 font {color: #000013"},
        {"table table td.box3 {background-color: #140000", "table table td.box3 font {color: #000014"},
    };
    std::size_t at = 0;
    for (const auto& [background, text] : expected) {
        at = rules.find(background, at);
        ASSERT_NE(at, std::string::npos) << background;
        at = rules.find(text, at);
        ASSERT_NE(at, std::string::npos) << text;
    }
}

TEST(TestPageTest, StyleSizesTruncateTowardZero) {
    const struct {
        int p;
        const char* rules;
    } kCases[] = {
        {10, "{font-size: 10pt;font-family:A;}\r\n.box2 {font-size: 7pt;font-family:A;}\r\n"
             ".box3 {font-size: 6pt;font-family:A;}"},
        {1, "{font-size: 1pt;font-family:A;}\r\n.box2 {font-size: 0pt;font-family:A;}\r\n"
            ".box3 {font-size: 0pt;font-family:A;}"},
        {-10, "{font-size: -10pt;font-family:A;}\r\n.box2 {font-size: -7pt;font-family:A;}\r\n"
              ".box3 {font-size: -6pt;font-family:A;}"},
        {INT_MAX,
         "{font-size: 2147483647pt;font-family:A;}\r\n.box2 {font-size: 1670265058pt;font-family:A;}\r\n"
         ".box3 {font-size: 1431655764pt;font-family:A;}"},
        {INT_MIN,
         "{font-size: -2147483648pt;font-family:A;}\r\n.box2 {font-size: -1670265059pt;font-family:A;}\r\n"
         ".box3 {font-size: -1431655765pt;font-family:A;}"},
    };
    for (const auto& c : kCases) {
        EXPECT_NE(TestPageDocument(Inputs(c.p, u"A", false, false)).find(c.rules), std::string::npos) << c.p;
    }
}

TEST(TestPageTest, FaceNamesAreEscapedTheCssWay) {
    const std::pair<std::u16string, std::string> kCases[] = {
        {u"Times New Roman", "Times New Roman"},
        {u"Segoe_UI-Light 2", "Segoe_UI-Light 2"},
        {u"Caf\u00E9 \u00C5", "Caf\xE9 \xC5"},
        {u"\u5B8B\u4F53", "\\5B8B \\4F53 "},
        {u"A\U0001F600B", "A\\1F600 B"},
        {u"A\xD800", "A\\FFFD "},
        {u"\xD800Z", "\\FFFD Z"},
        {u"\xDC00\xD800", "\\FFFD \\FFFD "},
        {u"A;}B", "A\\3B \\7D B"},
        {u"<{\\\"'", "\\3C \\7B \\5C \\22 \\27 "},
        {u"\t\x1F\x7F\x85", "\\9 \\1F \\7F \\85 "},
        {u"", ""},
    };
    for (const auto& [face, css] : kCases) {
        EXPECT_EQ(CssFaceName(face), css) << css;
    }
}

TEST(TestPageTest, EscapedFaceNameFillsAllThreeRules) {
    const std::string page = TestPageDocument(Inputs(18, u"\u5B8B\u4F53", false, false));
    EXPECT_NE(page.find(".box1 {font-size: 18pt;font-family:\\5B8B \\4F53 ;}\r\n"
                        ".box2 {font-size: 14pt;font-family:\\5B8B \\4F53 ;}\r\n"
                        ".box3 {font-size: 12pt;font-family:\\5B8B \\4F53 ;}\r\n"),
              std::string::npos);
}

} // namespace
