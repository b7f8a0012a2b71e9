// The tip edit in a dialog of its own whose edit has the palette name field's font, style and size,
// driven with real mouse moves.
#include "widgets/CXTipEdit.h"
#include "framework/DcGuards.h"
#include "tests/win/TestSupport.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

using namespace std::chrono_literals;

constexpr WORD kEditId = 5;
const std::wstring kName = L"Autumn leaves over the harbour";

// The name field's template line in a dialog of its own, laid out as the dialog manager reads it.
struct NameEditTemplate {
    DLGTEMPLATE dialog{WS_POPUP | WS_VISIBLE | DS_SETFONT, 0, 1, 40, 40, 120, 30};
    WORD noMenu = 0, defaultClass = 0, noTitle = 0, pointSize = 10;
    wchar_t face[14] = L"MS Sans Serif";
    WORD alignItem = 0;
    DLGITEMTEMPLATE item{
        WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 7, 7, 93, 10, kEditId};
    WORD editClass[2] = {0xFFFF, 0x0081};
    WORD noText = 0, noData = 0;
};
static_assert(offsetof(NameEditTemplate, item) % 4 == 0);

class TipEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        alignas(4) NameEditTemplate layout;
        dialog.Reset(CreateDialogIndirectParamW(
            GetModuleHandleW(nullptr), &layout.dialog, nullptr,
            [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0));
        ASSERT_TRUE(tipEdit.Attach(dialog.Get(), kEditId));
        edit = tipEdit.Hwnd();
        SetWindowTextW(edit, kName.c_str());
    }

    // Sizes the edit so that the name is this many pixels wider than its client area.
    void OverflowBy(int pixels) {
        WindowDc dc(edit);
        SelectObjectGuard font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc.Get(), kName.c_str(), static_cast<int>(kName.size()), &extent);
        RECT outer{}, client{};
        GetWindowRect(edit, &outer);
        GetClientRect(edit, &client);
        int frame = outer.right - outer.left - client.right;
        SetWindowPos(edit, nullptr, 0, 0, extent.cx - pixels + frame, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    // The pointer comes from below the edit, so the edit sees a move wherever it was before.
    void MovePointer(bool ontoEdit) {
        RECT rect{};
        GetWindowRect(edit, &rect);
        MovePointerTo(POINT{rect.left + 4, rect.bottom + 12});
        if (ontoEdit) {
            MovePointerTo(POINT{rect.left + 4, (rect.top + rect.bottom) / 2});
        }
    }
    bool TipShown() const { return IsWindowVisible(tipEdit.ToolTip()) != FALSE; }

    CXTipEdit tipEdit;
    // Destroyed first, while the edit's object still exists, as in the main dialog.
    UniqueWindow dialog;
    HWND edit = nullptr;
};

LOGFONTW FontOf(HWND hwnd) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof(font), &font);
    return font;
}

TEST_F(TipEditTest, TheTipIsMadeAndShownExactlyWhenTheTextOverflowsAndGoesWhenThePointerLeaves) {
    OverflowBy(0);
    EXPECT_FALSE(tipEdit.IsTextTruncated());
    MovePointer(true);
    PumpMessages(nullptr, 100ms);
    EXPECT_FALSE(TipShown());
    EXPECT_EQ(tipEdit.ToolTip(), nullptr) << "the tooltip is made only when a truncated text needs it";

    OverflowBy(1);
    EXPECT_TRUE(tipEdit.IsTextTruncated());
    MovePointer(true);
    ASSERT_TRUE(WaitFor([&] { return TipShown(); }, 300ms));

    // Wine's tooltip puts its client area at the tracking point, its one-pixel border just outside.
    POINT tip{}, field{};
    ClientToScreen(tipEdit.ToolTip(), &tip);
    ClientToScreen(edit, &field);
    EXPECT_EQ(tip.x, field.x);
    EXPECT_EQ(tip.y, field.y);
    EXPECT_EQ(WindowText(tipEdit.ToolTip()), kName);
    EXPECT_STREQ(FontOf(tipEdit.ToolTip()).lfFaceName, FontOf(edit).lfFaceName);
    EXPECT_EQ(FontOf(tipEdit.ToolTip()).lfHeight, FontOf(edit).lfHeight);

    MovePointer(false);
    EXPECT_TRUE(WaitFor([&] { return !TipShown(); }, 400ms));
}

TEST_F(TipEditTest, OnlyTheFieldsOwnEnterIsSwallowed) {
    EXPECT_TRUE(tipEdit.PreTranslateMessage(MSG{edit, WM_KEYDOWN, VK_RETURN, 0}));
    EXPECT_FALSE(tipEdit.PreTranslateMessage(MSG{edit, WM_KEYDOWN, 'A', 0}));
    EXPECT_FALSE(tipEdit.PreTranslateMessage(MSG{edit, WM_KEYUP, VK_RETURN, 0}));
    EXPECT_FALSE(tipEdit.PreTranslateMessage(MSG{dialog.Get(), WM_KEYDOWN, VK_RETURN, 0}));
}

} // namespace
