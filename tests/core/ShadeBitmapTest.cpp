// Tests of the palettized bitmap block: header bytes, bit count rounding, row layout, copies and tint.
#include "widgets/ShadeBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <utility>

namespace {

const std::uint8_t* Block(const ShadeBitmap& bitmap) {
    return static_cast<const std::uint8_t*>(bitmap.Info());
}

std::uint32_t Field(const ShadeBitmap& bitmap, int offset, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | Block(bitmap)[offset + i];
    return value;
}

TEST(ShadeBitmapTest, CreateRoundsTheBitCountAndFillsTheHeader) {
    // Width 5: stride = ((5 * bits + 31) / 32) * 4.
    const int cases[][4] = {{-3, 1, 2, 4},  {1, 1, 2, 4},   {2, 4, 16, 4},  {4, 4, 16, 4},
                            {5, 8, 256, 8}, {8, 8, 256, 8}, {9, 24, 0, 16}, {32, 24, 0, 16}};
    for (const auto& [requested, bits, entries, stride] : cases) {
        SCOPED_TRACE(requested);
        ShadeBitmap bitmap;
        ASSERT_TRUE(bitmap.Create(5, 3, requested));
        EXPECT_EQ(bitmap.BitCount(), bits);
        EXPECT_EQ(bitmap.PaletteSize(), entries);
        EXPECT_EQ(bitmap.Stride(), stride);
        // biSize, biWidth, biHeight (positive: bottom-up), biPlanes, biBitCount, BI_RGB, biSizeImage.
        const std::uint32_t header[] = {
            40, 5, 3, 1, static_cast<std::uint32_t>(bits), 0, static_cast<std::uint32_t>(stride * 3)};
        const int offsets[][2] = {{0, 4}, {4, 4}, {8, 4}, {12, 2}, {14, 2}, {16, 4}, {20, 4}};
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(Field(bitmap, offsets[i][0], offsets[i][1]), header[i]) << offsets[i][0];
        for (int offset = 24; offset < 40; offset += 4)
            EXPECT_EQ(Field(bitmap, offset, 4), 0u);
        EXPECT_EQ(bitmap.Bits(), Block(bitmap) + 40 + 4 * entries);
    }
}

TEST(ShadeBitmapTest, NonPositiveSizesLeaveItEmpty) {
    for (const auto& [width, height] : {std::pair{0, 4}, {4, 0}, {-1, 4}, {4, -1}}) {
        ShadeBitmap bitmap;
        ASSERT_TRUE(bitmap.Create(2, 2, 8));
        EXPECT_FALSE(bitmap.Create(width, height, 8)); // the old block goes as well
        EXPECT_TRUE(bitmap.IsEmpty());
        EXPECT_EQ(bitmap.Info(), nullptr);
        EXPECT_EQ(bitmap.Width() + bitmap.Height() + bitmap.Stride() + bitmap.PaletteSize(), 0);
    }
}

TEST(ShadeBitmapTest, RowsBottomUpWithZeroPaddingAndBgrPalette) {
    ShadeBitmap bitmap;
    ASSERT_TRUE(bitmap.Create(5, 3, 8));
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(bitmap.Row(y), bitmap.Bits() + 8 * y);
        std::memset(bitmap.Row(y), 0xEE, 5);
        EXPECT_EQ(std::memcmp(bitmap.Row(y) + 5, "\0\0\0", 3), 0);
    }
    bitmap.SetPaletteEntry(255, MakeColor(0x11, 0x22, 0x33));
    EXPECT_EQ(std::memcmp(Block(bitmap) + 40 + 4 * 255, "\x33\x22\x11\0", 4), 0);
    EXPECT_EQ(bitmap.PaletteEntry(255), MakeColor(0x11, 0x22, 0x33));
}

TEST(ShadeBitmapTest, CopiesAreWholeAndIndependent) {
    ShadeBitmap source;
    ASSERT_TRUE(source.Create(3, 2, 8));
    source.SetPaletteEntry(7, MakeColor(1, 2, 3));
    source.Row(1)[2] = 7;
    ShadeBitmap copy(source);
    EXPECT_EQ(std::memcmp(copy.Info(), source.Info(), 40 + 4 * 256 + 4 * 2), 0);
    copy.Row(1)[2] = 8;
    EXPECT_EQ(source.Row(1)[2], 7);
    copy = ShadeBitmap(); // an empty source empties the target
    EXPECT_TRUE(copy.IsEmpty());
    ShadeBitmap moved(std::move(source));
    EXPECT_EQ(moved.Row(1)[2], 7);
}

TEST(ShadeBitmapTest, TintMovesEveryEntryTowardTheColorCappedAtOneHundred) {
    // (200, 100, 0) toward (0, 50, 255): 30 % gives (140, 85, 76), 76.5 truncated.
    const std::pair<unsigned, Color> cases[] = {{0, MakeColor(200, 100, 0)},
                                                {30, MakeColor(140, 85, 76)},
                                                {100, MakeColor(0, 50, 255)},
                                                {250, MakeColor(0, 50, 255)}};
    for (const auto& [percent, expected] : cases) {
        ShadeBitmap bitmap;
        ASSERT_TRUE(bitmap.Create(1, 1, 1));
        bitmap.SetPaletteEntry(0, MakeColor(200, 100, 0));
        bitmap.SetPaletteEntry(1, MakeColor(200, 100, 0));
        bitmap.Tint(MakeColor(0, 50, 255), percent);
        EXPECT_EQ(bitmap.PaletteEntry(0), expected) << percent;
        EXPECT_EQ(bitmap.PaletteEntry(1), expected) << percent;
    }
    ShadeBitmap().Tint(MakeColor(1, 2, 3), 50); // empty: nothing to do
}

} // namespace
