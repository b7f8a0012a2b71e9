// The rules that turn stored settings into program values.
#include "app/SettingsValues.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(SettingsValuesTest, CopyFormatMarkerAndLength) {
    EXPECT_EQ(CopyFormatFromStored(L"no path found"), L"#RRGGBB");
    EXPECT_EQ(CopyFormatFromStored(L"no path found "), L"no path found ");
    EXPECT_EQ(CopyFormatFromStored(L""), L"");
    EXPECT_EQ(CopyFormatFromStored(std::wstring(40, L'x')), std::wstring(32, L'x'));
}

TEST(SettingsValuesTest, AColorWithBitsAboveTwentyFourIsNoColor) {
    const Color fallback = 0x00D08300;
    EXPECT_EQ(ColorFromStored(0, fallback), 0u);
    EXPECT_EQ(ColorFromStored(0x00FFFFFF, fallback), 0x00FFFFFFu);
    EXPECT_EQ(ColorFromStored(0x01000000, fallback), fallback);
    EXPECT_EQ(ColorFromStored(-1, fallback), fallback);
    EXPECT_EQ(ColorFromStored(INT_MIN, fallback), fallback);
}

struct PlacementCase {
    int left, top;
    bool placed;
    int expectedLeft, expectedTop;
};

TEST(SettingsValuesTest, PlacementKeepsTheSizeAndNeedsSomeOfTheScreen) {
    const PlacementCase cases[] = {
        {0, 0, true, 1, 1},             // nothing stored, or exactly (0, 0)
        {0, 5, true, 0, 5},             // only both zero moves
        {-300, -200, true, -300, -200}, // partly on screen
        {-400, 10, false, 0, 0},        // right edge at 0: entirely off
        {1024, 10, false, 0, 0},        // past the right edge
        {10, 768, false, 0, 0},         // below the bottom edge
        {INT_MAX - 5, 10, false, 0, 0},
    };
    for (const auto& c : cases) {
        auto placed = PlacementFromStored(c.left, c.top, 400, 300, 1024, 768);
        ASSERT_EQ(placed.has_value(), c.placed) << c.left << "," << c.top;
        if (placed) {
            EXPECT_EQ(placed->left, c.expectedLeft);
            EXPECT_EQ(placed->top, c.expectedTop);
            EXPECT_EQ(placed->right - placed->left, 400);
            EXPECT_EQ(placed->bottom - placed->top, 300);
        }
    }
}

} // namespace

namespace {

TEST(SettingsValuesTest, CheckerStateReadsBackAndDamageGivesTheDefault) {
    const CheckerState placed{true, true, -1280, 120};
    EXPECT_EQ(FormatCheckerState(placed), L"1,-1280,120");
    EXPECT_EQ(CheckerStateFromStored(FormatCheckerState(placed)), placed);
    EXPECT_EQ(FormatCheckerState({}), L"0");
    EXPECT_EQ(CheckerStateFromStored(L"1"), (CheckerState{true, false, 0, 0}));
    EXPECT_EQ(CheckerStateFromStored(L"0,840,120"), (CheckerState{false, true, 840, 120}));
    EXPECT_EQ(CheckerStateFromStored(L"1,-2147483648,2147483647"),
              (CheckerState{true, true, INT_MIN, INT_MAX}));
    const wchar_t* damaged[] = {
        L"",
        L"2",
        L"10,5,6",
        L"1;5;6", // no open flag
        L"1,",
        L"1,5",
        L"1,5,",
        L"1,-,6",
        L"1,5,-", // a coordinate missing
        L"1,5,6,",
        L"1,5,6x",
        L"1,+5,6",
        L"1, 5,6", // not just three numbers
        L"1,2147483648,0",
        L"1,0,-2147483649",
        L"1,99999999999999999999,0", // beyond int
    };
    for (const wchar_t* text : damaged) {
        EXPECT_EQ(CheckerStateFromStored(text), CheckerState{}) << text;
    }
}

// An older value reads as AA; a later version's target or further fields keep the rest.
TEST(SettingsValuesTest, CheckerTargetIsAFourthFieldOnlyWhenNotAA) {
    const CheckerState aaa{true, true, 840, 120, ContrastTarget::AAA};
    const CheckerState apcaUnplaced{false, false, 0, 0, ContrastTarget::Apca};
    EXPECT_EQ(FormatCheckerState(aaa), L"1,840,120,AAA");
    EXPECT_EQ(FormatCheckerState(apcaUnplaced), L"0,,,APCA");
    EXPECT_EQ(FormatCheckerState({true, true, 840, 120, ContrastTarget::AA}), L"1,840,120");
    for (const CheckerState& state : {aaa, apcaUnplaced}) {
        EXPECT_EQ(CheckerStateFromStored(FormatCheckerState(state)), state);
    }
    EXPECT_EQ(CheckerStateFromStored(L"1,840,120").target, ContrastTarget::AA);
    EXPECT_EQ(CheckerStateFromStored(L"1,840,120,AAA+"), (CheckerState{true, true, 840, 120}));
    EXPECT_EQ(CheckerStateFromStored(L"1,840,120,APCA,7"),
              (CheckerState{true, true, 840, 120, ContrastTarget::Apca}));
    for (const wchar_t* text : {L"1,,,", L"1,,", L"1,,5,AAA", L"1,840,,AAA"}) {
        EXPECT_EQ(CheckerStateFromStored(text), CheckerState{}) << text;
    }
}

} // namespace
