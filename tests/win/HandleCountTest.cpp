// The owners' live counts: a kind counts the handles its owners hold, whichever way they came or
// went, and no other kind's.
#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

namespace {

TEST(HandleCountTest, EachKindCountsTheHandlesItsOwnersHold) {
    const LiveHandleCounts before;
    {
        UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
        UniqueBrush none(nullptr);
        EXPECT_EQ(UniqueBrush::Live(), before.brushes + 1);
        UniqueBrush moved = std::move(brush);
        none = std::move(moved);
        EXPECT_EQ(UniqueBrush::Live(), before.brushes + 1);
        none.Reset(CreateSolidBrush(RGB(4, 5, 6)));
        EXPECT_EQ(UniqueBrush::Live(), before.brushes + 1);

        UniquePen pen(CreatePen(PS_SOLID, 1, 0));
        UniqueFile missing(
            CreateFileW(L"Z:\\absent\\absent.dat", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        LiveHandleCounts expected = before;
        ++expected.brushes;
        ++expected.pens;
        EXPECT_EQ(LiveHandleCounts(), expected);

        HPEN released = pen.Release();
        EXPECT_EQ(UniquePen::Live(), before.pens);
        DeleteObject(released);
    }
    EXPECT_EQ(LiveHandleCounts(), before);
}

} // namespace
