// The box font's profile text: format, parsing and the face name rule.
#include "widgets/FontDescription.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr FontNumbers kDefaultFont{-48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 34};

TEST(FontDescriptionTest, TheDefaultRoundTripsThroughItsText) {
    EXPECT_EQ(FormatFontDesc(kDefaultFont), L"-48:0:0:0:700:1:0:0:0:1:2:0:34");
    EXPECT_EQ(ParseFontDesc(L"-48:0:0:0:700:1:0:0:0:1:2:0:34"), kDefaultFont);
}

TEST(FontDescriptionTest, MalformedTextsAreIgnoredAndBytesKeepTheirLowBits) {
    EXPECT_FALSE(ParseFontDesc(L"-48:0:0:0:700:1:0:0:0:1:2:0").has_value()); // 12 numbers
    EXPECT_FALSE(ParseFontDesc(L"").has_value());
    EXPECT_FALSE(ParseFontDesc(L"a:b").has_value());
    auto parsed = ParseFontDesc(L"16:0:0:0:400:257:0:0:-1:1:2:0:34");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->italic, 1);
    EXPECT_EQ(parsed->charSet, 255);
    EXPECT_EQ(FormatFontDesc(*parsed), L"16:0:0:0:400:1:0:0:255:1:2:0:34");
}

// Heights from damaged settings or records reach far beyond any real font.
TEST(FontDescriptionTest, PointSizesOfAnyHeight) {
    EXPECT_EQ(PointSizeOf(-48, 96), 36);
    EXPECT_EQ(PointSizeOf(16, 96), 12);
    EXPECT_EQ(PointSizeOf(16, 0), 0);
    EXPECT_EQ(PointSizeOf(30'000'000, 96), 22'500'000);
    EXPECT_EQ(PointSizeOf(INT_MIN, 96), 1'610'612'736);
    EXPECT_EQ(PointSizeOf(INT_MIN, 1), INT_MAX);
}

TEST(FontDescriptionTest, FaceNamesOfOneToThirtyOneCharacters) {
    EXPECT_EQ(FaceNameFromStored(L""), L"Georgia");
    EXPECT_EQ(FaceNameFromStored(std::wstring(31, L'a')), std::wstring(31, L'a'));
    EXPECT_EQ(FaceNameFromStored(std::wstring(32, L'a')), L"Georgia");
}

} // namespace
