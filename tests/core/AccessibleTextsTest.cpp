// What screen readers hear of the colors: the nearest CSS name by CIEDE2000, and the names and values
// of the color controls and the boxes.
#include "app/AccessibleTexts.h"
#include "color/NamedColors.h"
#include "color/SelectorAxes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Every named color is its own nearest, or a name of the same color that comes first ("aqua" for
// "cyan", "gray" for "grey").
TEST(NearestColorNameTest, EveryNamedColorIsNamedByItsOwnColor) {
    for (const NamedColor& named : CssNamedColors()) {
        const std::wstring_view nearest = NearestColorName(ColorOf(named));
        const auto found = std::ranges::find(CssNamedColors(), nearest, &NamedColor::name);
        ASSERT_NE(found, CssNamedColors().end());
        EXPECT_EQ(found->rgb, named.rgb) << std::string(named.name.begin(), named.name.end());
        EXPECT_LE(found->name, named.name);
    }
}

TEST(NearestColorNameTest, ColorsBetweenNamesTakeTheNearestByCiede2000) {
    const struct {
        Color color;
        std::wstring_view name;
    } cases[] = {
        {MakeColor(250, 2, 2), L"red"},         {MakeColor(1, 1, 1), L"black"},
        {MakeColor(254, 254, 253), L"white"},   {MakeColor(128, 128, 130), L"gray"},
        {MakeColor(0, 131, 208), L"steelblue"}, {MakeColor(255, 140, 1), L"darkorange"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NearestColorName(c.color), c.name);
    }
}

TEST(AccessibleTextsTest, FieldAndSliderSayTheirModesAxesAndValues) {
    EXPECT_EQ(FieldAccessibleName(ModeHue), L"Color field: saturation across, brightness down");
    EXPECT_EQ(FieldAccessibleName(ModeGreen), L"Color field: blue across, red down");
    EXPECT_EQ(FieldAccessibleValue(ModeRed, MakeColor(190, 190, 161)),
              L"#BEBEA1, red 190, green 190, blue 161, near darkkhaki");
    EXPECT_EQ(FieldAccessibleValue(ModeHue, MakeColor(0, 131, 208)),
              L"#0083D0, hue 202°, saturation 100 %, brightness 82 %, near steelblue");
    EXPECT_EQ(SliderAccessibleName(ModeBrightness), L"Brightness");
    const struct {
        int mode;
        int value;
        const wchar_t* text;
    } values[] = {
        {ModeBlue, 255, L"255"},          {ModeHue, 3599, L"360°"},    {ModeHue, 2004, L"200°"},
        {ModeSaturation, 1000, L"100 %"}, {ModeBrightness, 4, L"0 %"}, {ModeBrightness, 5, L"1 %"},
    };
    for (const auto& v : values) {
        EXPECT_EQ(SliderAccessibleValue(v.mode, v.value), v.text) << v.mode << " " << v.value;
    }
}

// The verdict follows the thresholds, a ratio just under one never reading as reaching it; large text
// passes at lower ratios.
TEST(AccessibleTextsTest, BoxValueGivesBothColorsTheRatioAndTheVerdict) {
    const BoxText normal{12.0, false};
    const BoxText large{18.0, false};
    const Color white = MakeColor(255, 255, 255);
    const struct {
        Color text;
        BoxText style;
        const wchar_t* value;
    } cases[] = {
        {MakeColor(0x77, 0x77, 0x77), normal,
         L"background #FFFFFF, text #777777, contrast 4.47 to 1, fails AA"},
        {MakeColor(0x76, 0x76, 0x76), normal,
         L"background #FFFFFF, text #767676, contrast 4.54 to 1, passes AA"},
        {MakeColor(0x77, 0x77, 0x77), large,
         L"background #FFFFFF, text #777777, contrast 4.47 to 1, passes AA"},
        {MakeColor(0x59, 0x59, 0x59), normal,
         L"background #FFFFFF, text #595959, contrast 7.00 to 1, passes AAA"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BoxAccessibleValue(white, c.text, c.style), c.value);
    }
}

} // namespace
