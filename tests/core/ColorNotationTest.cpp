// Colors written in the notations designers copy around, and texts that are no color.
#include "app/ColorNotation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

namespace {

using namespace std::string_view_literals;

TEST(ColorNotationTest, EachNotationGivesItsColorAndAnythingElseNothing) {
    const std::pair<std::wstring_view, Color> kAccepted[] = {
        {L"#f80", MakeColor(255, 136, 0)},
        {L"#F80c", MakeColor(255, 136, 0)},
        {L" \t#1A2b3C\r\n", MakeColor(0x1A, 0x2B, 0x3C)},
        {L"#11223344", MakeColor(0x11, 0x22, 0x33)},
        {L"1a2b3c", MakeColor(0x1A, 0x2B, 0x3C)},
        {L"rgb(255, 0, 0)", MakeColor(255, 0, 0)},
        {L"RGBA(255,0,0,0.5)", MakeColor(255, 0, 0)},
        {L"rgb(127.5 300 -4 / 50%)", MakeColor(128, 255, 0)},
        {L"rgb(50%, 100%, 0%)", MakeColor(128, 255, 0)},
        {L"rgba(10% 20 1e2 / .5)", MakeColor(26, 20, 100)},
        {L"rgb(1e+2 0 25E-1)", MakeColor(100, 0, 3)},
        {L"rgb(1 2 3 / none)", MakeColor(1, 2, 3)},
        {L"hsl(120, 100%, 25%)", MakeColor(0, 128, 0)},
        {L"hsl(-120deg 100 50)", MakeColor(0, 0, 255)},
        {L"hsla(0.5TURN, 100%, 50%, 30%)", MakeColor(0, 255, 255)},
        {L"hsl(300grad 100% 50% / 1)", MakeColor(128, 0, 255)},
        {L"0x000000FF", MakeColor(255, 0, 0)},
        {L"0xFF0000", MakeColor(255, 0, 0)},
        {L"0x00FF0000", MakeColor(0, 0, 255)},
        {L"0x12345", MakeColor(0x45, 0x23, 0x01)},
        {L"0XfF00", MakeColor(0, 255, 0)},
        {L"0x00FFFFFF", MakeColor(255, 255, 255)},
        {L"&HFFFFFF", MakeColor(255, 255, 255)},
        {L"&H00FF0000&", MakeColor(0, 0, 255)},
        {L"&hff", MakeColor(255, 0, 0)},
        {L"0, 128,255", MakeColor(0, 128, 255)},
        {L"12 34\t056", MakeColor(12, 34, 56)},
        {L"RebeccaPurple", MakeColor(102, 51, 153)},
        {L"aliceblue", MakeColor(240, 248, 255)},
        {L"YELLOWGREEN", MakeColor(154, 205, 50)},
        {L"grey", MakeColor(128, 128, 128)},
    };
    for (const auto& [text, color] : kAccepted) {
        EXPECT_EQ(ParseColorNotation(text), color) << std::wstring(text);
    }

    const std::wstring_view kRejected[] = {
        L"",
        L" \r\n",
        L"#12",
        L"#12345",
        L"#1234567",
        L"#ggg",
        L"12345",
        L"rgb(1,2)",
        L"rgb(1,2,3,4,5)",
        L"rgb(10%, 20, 30)",
        L"rgb(1 2 3 4)",
        L"rgb(1, 2 3)",
        L"rgb(1 2 3 /)",
        L"rgb(1,2,3 / 1)",
        L"rgba(1, 2, 3, none)",
        L"hsla(0, 0%, 0%, none)",
        L"rgb(1e+ 0 0)",
        L"rgb(1 2 3 / 1deg)",
        L"rgb(5. 0 0)",
        L"rgb(1e999 0 0)",
        L"rgb (1,2,3)",
        L"rgb(1,2,3))",
        L"hsl(0, 0, 0",
        L"hsl(0, 0, 0)",
        L"hsl(10%, 50%, 50%)",
        L"0x1000000",
        L"0x",
        L"0x000000001",
        L"&H1000000&",
        L"&H&",
        L"blu",
        L"transparent",
        L"currentcolor",
        L"256,0,0",
        L"1,2",
        L"1,2,3,",
        L"1,2,3,4",
        L"1 2 3 4",
        L"1;2;3",
        L"red\0"sv,
        L"#fff\0"sv,
        L"\u212Ahaki",
    };
    for (std::wstring_view text : kRejected) {
        EXPECT_EQ(ParseColorNotation(text), std::nullopt) << std::wstring(text);
    }
}

// The CSS names are X11's, but for the four whose values CSS took from HTML and those X11 lacks;
// xvfb brings X11's list (Debian's x11-common).
TEST(ColorNotationTest, NamedColorsHaveX11sValuesOrCssOwn) {
    const std::map<std::string, Color> kCssOwn = {
        {"gray", MakeColor(128, 128, 128)},  {"grey", MakeColor(128, 128, 128)},
        {"green", MakeColor(0, 128, 0)},     {"maroon", MakeColor(128, 0, 0)},
        {"purple", MakeColor(128, 0, 128)},  {"aqua", MakeColor(0, 255, 255)},
        {"crimson", MakeColor(220, 20, 60)}, {"fuchsia", MakeColor(255, 0, 255)},
        {"indigo", MakeColor(75, 0, 130)},   {"lime", MakeColor(0, 255, 0)},
        {"olive", MakeColor(128, 128, 0)},   {"silver", MakeColor(192, 192, 192)},
        {"teal", MakeColor(0, 128, 128)},    {"rebeccapurple", MakeColor(102, 51, 153)}};
    std::ifstream list("/usr/share/X11/rgb.txt");
    ASSERT_TRUE(list) << "/usr/share/X11/rgb.txt (Debian's x11-common) is missing";
    std::map<std::string, Color> named = kCssOwn;
    for (std::string line; std::getline(list, line);) {
        std::istringstream fields(line);
        int red = 0, green = 0, blue = 0;
        std::string word, name;
        if (!(fields >> red >> green >> blue)) {
            continue;
        }
        while (fields >> word) {
            name += word;
        }
        std::transform(name.begin(), name.end(), name.begin(), [](char c) { return std::tolower(c); });
        named.emplace(name, MakeColor(red, green, blue));
    }
    int checked = 0;
    for (const auto& [name, value] : named) {
        if (const auto color = ParseColorNotation(std::wstring(name.begin(), name.end()))) {
            EXPECT_EQ(*color, value) << name;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 148);
}

} // namespace
