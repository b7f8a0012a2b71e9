#include "widgets/AboutTexts.h"

#include <gtest/gtest.h>

namespace {

// The build number is the whole least significant word, third and fourth part together.
TEST(AboutTextsTest, VersionTextTakesTheWholeLowWordAsBuild) {
    EXPECT_EQ(AboutVersionText(0x00010003, 0x00000002), L"1.3 Build 2");
    EXPECT_EQ(AboutVersionText(0x00010000, 0x00000000), L"1.0 Build 0");
    EXPECT_EQ(AboutVersionText(0x00010000, 0x00010000), L"1.0 Build 65536");
    EXPECT_EQ(AboutVersionText(0xFFFF0012, 0x00020003), L"65535.18 Build 131075");
    EXPECT_EQ(AboutVersionText(0x00020001, 0xFFFFFFFF), L"2.1 Build -1");
}

TEST(AboutTextsTest, SupportMailUrlCarriesSubjectAndVersionBody) {
    EXPECT_EQ(
        SupportMailUrl(L"1.3 Build 2"),
        L"mailto:support@lumenfold.com?subject=Huewright&body=%0DHuewright version 1.3 Build 2%0D%0DHi,%0d");
}

} // namespace
