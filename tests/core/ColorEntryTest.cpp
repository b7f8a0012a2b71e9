// Typed color entries and the drag payload between wells and boxes.
#include "app/ColorEntry.h"
#include "widgets/DropPayload.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorEntryTest, EntriesGiveTheirColorOrTheSelectionToFix) {
    struct Case {
        const wchar_t* text;
        ColorEntry::Kind kind;
        Color color;
        int start, end;
    };
    const Color kGreen = MakeColor(0, 255, 0);
    const Case kCases[] = {
        {L"00FF00", ColorEntry::Valid, kGreen, 0, -1},
        {L"00ff00", ColorEntry::Valid, kGreen, 0, -1},
        {L"A0B0C0", ColorEntry::Valid, MakeColor(0xA0, 0xB0, 0xC0), 0, -1},
        {L"0,255,0", ColorEntry::Valid, kGreen, 0, -1},
        {L" 0 , 255 , 0 ", ColorEntry::Valid, kGreen, 0, -1},
        {L"0,,255,0", ColorEntry::Valid, kGreen, 0, -1},
        {L"1,2,3,4", ColorEntry::Valid, MakeColor(1, 2, 3), 0, -1},
        {L"1,2,3,4,x", ColorEntry::Valid, MakeColor(1, 2, 3), 0, -1},
        {L"256,0,0", ColorEntry::Invalid, 0, 0, -1},
        {L"255,255,255,9", ColorEntry::Invalid, 0, 11, -1},
        {L"1,2,3,x", ColorEntry::Invalid, 0, 0, -1},
        {L"10,20", ColorEntry::Invalid, 0, 0, -1},
        {L"00FG00", ColorEntry::Invalid, 0, 3, 4},
        {L"#00FF00", ColorEntry::Invalid, 0, 6, -1},
        {L"00FF0", ColorEntry::Invalid, 0, 6, -1},
        {L"", ColorEntry::Empty, 0, 0, -1},
    };
    for (const Case& entry : kCases) {
        ColorEntry parsed = ParseColorEntry(entry.text);
        EXPECT_EQ(parsed.kind, entry.kind) << entry.text;
        if (parsed.kind == ColorEntry::Valid) {
            EXPECT_EQ(parsed.color, entry.color) << entry.text;
        } else if (parsed.kind == ColorEntry::Invalid) {
            EXPECT_EQ(parsed.selectionStart, entry.start) << entry.text;
            EXPECT_EQ(parsed.selectionEnd, entry.end) << entry.text;
        }
    }
}

TEST(ColorEntryTest, HexDigitsAndNonDigits) {
    EXPECT_EQ(ParseHexDigits(L"0xff"), 255u);
    EXPECT_EQ(ParseHexDigits(L"1g"), 1u);
    EXPECT_EQ(ParseHexDigits(L""), 0u);
    EXPECT_EQ(FindNonDigit(L""), -1);
    EXPECT_EQ(FindNonDigit(L"0123"), -1);
    EXPECT_EQ(FindNonDigit(L"01a3"), 2);
}

TEST(DropPayloadTest, PayloadsGiveAColorOrNothing) {
    using namespace std::string_view_literals;
    const std::pair<std::u16string_view, std::optional<DroppedColor>> kCases[] = {
        {u"0,128,255", DroppedColor{MakeColor(0, 128, 255), false}},
        {u"T0,128,255", DroppedColor{MakeColor(0, 128, 255), true}},
        {u"T200,100,50", DroppedColor{MakeColor(200, 100, 50), true}},
        {u"300,0,0", DroppedColor{MakeColor(44, 0, 0), false}},
        {u" -1,+2,3x", DroppedColor{MakeColor(255, 2, 3), false}},
        {u"1,2,3\0"
         u"9,9"sv,
         DroppedColor{MakeColor(1, 2, 3), false}},
        {u"1,2", std::nullopt},
        {u"1,2\0,3"sv, std::nullopt},
        {u"T", std::nullopt},
        {u"", std::nullopt},
    };
    for (const auto& [payload, expected] : kCases) {
        EXPECT_EQ(ParseDropPayload(payload), expected);
    }
    // An unterminated block is read to its end and no further.
    const char16_t block[] = {u'4', u',', u'5', u',', u'6'};
    EXPECT_EQ(ParseDropPayload({block, 5}), (DroppedColor{MakeColor(4, 5, 6), false}));
}

} // namespace
