// Copy-format templates applied to colors.
#include "library/ColorFormat.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorFormatTest, TemplatesGiveTheirTexts) {
    const Color kText = 0x00556974;
    const std::pair<const wchar_t*, const wchar_t*> kCases[] = {
        {L"#RRGGBB", L"#746955"},
        {L"0x00BBGGRR", L"0x00556974"},
        {L"&H00BBGGRR", L"&H00556974"},
        {L"RRR,GGG,BBB", L"116,105,85"},
        {L"RRRR", L"116R"},
        {L"RRRRR", L"11674"},
        {L"RGB", L"RGB"},
        {L"RRRGGG", L"11669G"},
        {L"rgb(RRR, GGG, BBB)", L"rgb(116, 105, 85)"},
        {L"", L""},
    };
    for (auto [format, text] : kCases) {
        EXPECT_EQ(FormatColor(kText, format), text) << format;
    }
    EXPECT_EQ(FormatColor(0x00BFDBDB, L"#RRGGBB"), L"#dbdbbf");
    EXPECT_EQ(FormatColor(0, L"RRR,GGG,BBB"), L"0,0,0");
    EXPECT_EQ(FormatColor(0x00FFFFFF, L"RRR,GGG,BBB"), L"255,255,255");
}

} // namespace
