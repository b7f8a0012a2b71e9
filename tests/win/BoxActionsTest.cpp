// The palette boxes as a sink and a source of colors in the real main dialog: drops through each
// box's own drop target, a real drag from a well, and clicks that copy.
#include "app/CHuewrightDlg.h"
#include "app/WorkspaceFlags.h"
#include "framework/OleDragSource.h"
#include "framework/OleSession.h"
#include "tests/win/MainDialogFixture.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class BoxActionsTest : public MainDialogFixture {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole.Initialized());
        MainDialogFixture::SetUp();
    }
    void TearDown() override {
        HoldCtrlAtXLevel(false);
        MainDialogFixture::TearDown();
    }
    // Drops the text on box `index` (0..3) and returns the effect the box chose.
    DWORD Drop(int index, const std::u16string& text, DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE) {
        UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t)));
        std::memcpy(GlobalLock(block.Get()), text.c_str(), (text.size() + 1) * sizeof(char16_t));
        GlobalUnlock(block.Get());
        ComPtr<IDataObject> data = CreateGlobalDataObject(CF_TEXT, std::move(block));
        IDropTarget* target = dialog.Box(index).DropTarget();
        POINTL point{};
        DWORD over = effect;
        target->DragEnter(data.get(), 0, point, &over);
        EXPECT_EQ(over, static_cast<DWORD>(DROPEFFECT_COPY));
        target->Drop(data.get(), 0, point, &effect);
        return effect;
    }

    OleSession ole;
};

TEST_F(BoxActionsTest, DroppedTextColorsTheBoxOrWithCtrlTheNestedBox) {
    EXPECT_EQ(Drop(1, u"0,128,255"), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(dialog.Box(1).BoxColor(), MakeColor(0, 128, 255));
    EXPECT_EQ(lastChangedBox, &dialog.Box(1));
    Drop(1, u"T300,0,0");
    EXPECT_EQ(dialog.Box(1).TextColor(), MakeColor(44, 0, 0));
    EXPECT_EQ(dialog.Box(1).BoxColor(), MakeColor(0, 128, 255));

    // Nothing that is not a whole color, and nothing that may not be copied, changes a box.
    EXPECT_EQ(Drop(0, u"1,2"), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(Drop(0, u"1,2,3", DROPEFFECT_MOVE), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(dialog.Box(0).BoxColor(), kDefaultPalette.box[0]);

    MovePointerTo(CentreOf(dialog.Box(0).Hwnd()));
    ASSERT_TRUE(HoldCtrlAtXLevel(true));
    Drop(2, u"1,2,3");
    Drop(1, u"4,5,6");
    ASSERT_TRUE(HoldCtrlAtXLevel(false));
    EXPECT_EQ(dialog.Box(3).BoxColor(), MakeColor(1, 2, 3));
    EXPECT_EQ(dialog.Box(2).BoxColor(), kDefaultPalette.box[2]);
    EXPECT_EQ(dialog.Box(1).BoxColor(), MakeColor(4, 5, 6));
}

TEST_F(BoxActionsTest, ARealDragFromAWellColorsTheBoxUnderTheDrop) {
    MouseGesture({CentreOf(dialog.Well(1).Hwnd()), CentreOf(dialog.Box(1).Hwnd())});
    EXPECT_EQ(dialog.Box(1).BoxColor(), dialog.Well(1).GetColor());
    MouseGesture({CentreOf(dialog.Well(2).Hwnd()), CentreOf(dialog.Box(0).Hwnd())}, true);
    EXPECT_EQ(dialog.Box(0).TextColor(), dialog.Well(2).GetColor());
    EXPECT_EQ(dialog.Box(0).BoxColor(), kDefaultPalette.box[0]);
}

TEST_F(BoxActionsTest, ClicksCopyTheColorsInTheBoxFormat) {
    dialog.Box(2).SetCopyFormat(L"RRR,GGG,BBB");
    dialog.Box(3).SetTextColor(MakeColor(1, 2, 3));
    MouseGesture({CentreOf(dialog.Box(0).Hwnd())});
    EXPECT_EQ(ClipboardText(), L"#bebea1");
    MouseGesture({CentreOf(dialog.Box(1).Hwnd())}, true);
    EXPECT_EQ(ClipboardText(), L"#746955");

    // Ctrl takes box 4's color through box 3, in box 3's format.
    RECT box3{};
    GetWindowRect(dialog.Box(2).Hwnd(), &box3);
    POINT clear{box3.left + 10, box3.top + 10};
    MovePointerTo(clear);
    ASSERT_TRUE(HoldCtrlAtXLevel(true));
    MouseGesture({clear}, true);
    ASSERT_TRUE(HoldCtrlAtXLevel(false));
    EXPECT_EQ(ClipboardText(), L"1,2,3");
    EXPECT_EQ(dialog.Box(2).BoxColor(), kDefaultPalette.box[2]);
}

} // namespace
