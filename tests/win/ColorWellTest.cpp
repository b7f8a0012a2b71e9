// The color wells driven with real mouse input: a click gives the color to the well's box, a drag
// carries it to an OLE drop target as UTF-16 text under CF_TEXT, a drag dropped nowhere changes
// nothing. The drag payload, the data object and the drop source are also checked directly.
#include "app/WorkspaceFlags.h"
#include "color/ColorCtrlMessages.h"
#include "color/GTColorWellWnd.h"
#include "framework/OleDragSource.h"
#include "framework/OleSession.h"
#include "tests/win/TestSupport.h"
#include "widgets/CxShadeButton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>

namespace {

constexpr Color kBlack = MakeColor(0, 0, 0);
constexpr Color kWhite = MakeColor(255, 255, 255);
constexpr Color kShade = MakeColor(10, 200, 30);
enum BoxId { kBox1 = 1015, kBox3 = 1017, kBox4 = 1024 };

TEST(WellDragTextTest, HoldsRedGreenBlueInDecimalAsUtf16InAZeroFilledBlock) {
    struct Row {
        Color color;
        bool textColor;
        std::wstring text;
        SIZE_T blockSize;
    };
    for (const Row& row :
         {Row{kWhite, false, L"255,255,255", 25}, Row{MakeColor(255, 128, 0), false, L"255,128,0", 25},
          Row{MakeColor(255, 128, 0), true, L"T255,128,0", 35}, Row{kWhite, true, L"T255,255,255", 35}}) {
        EXPECT_EQ(WellDragText(row.color, row.textColor), row.text);
        UniqueGlobal block = WellDragBlock(row.color, row.textColor);
        ASSERT_EQ(GlobalSize(block.Get()), row.blockSize);
        std::vector<char> expected(row.blockSize, 0);
        std::memcpy(expected.data(), row.text.c_str(), row.text.size() * sizeof(wchar_t));
        EXPECT_EQ(std::memcmp(block.Get(), expected.data(), row.blockSize), 0) << row.blockSize;
    }
}

// Our OLE objects called directly, as DoDragDrop and a drop target call them.
TEST(OleDragSourceTest, DataObjectLendsItsBlockAndTheDropSourceFollowsTheButton) {
    auto data = CreateGlobalDataObject(CF_TEXT, WellDragBlock(kWhite, false));
    for (auto [format, medium, expected] :
         {std::tuple{CF_TEXT, TYMED_HGLOBAL, S_OK}, std::tuple{CF_UNICODETEXT, TYMED_HGLOBAL, DV_E_FORMATETC},
          std::tuple{CF_TEXT, TYMED_ISTREAM, DV_E_TYMED}}) {
        FORMATETC wanted{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1,
                         static_cast<DWORD>(medium)};
        EXPECT_EQ(data->QueryGetData(&wanted), expected) << format << " " << medium;
    }
    // The one format is listed for reading, nothing for writing.
    IEnumFORMATETC* listed = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &listed), S_OK);
    ComPtr<IEnumFORMATETC> formats(listed);
    FORMATETC first[2]{};
    ULONG count = 0;
    EXPECT_EQ(formats->Next(2, first, &count), S_FALSE);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(first[0].cfFormat, CF_TEXT);
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &listed), E_NOTIMPL);
    // Releasing the medium must leave the block to the data object, so a second read still works.
    FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    for (int read = 0; read < 2; ++read) {
        STGMEDIUM medium{};
        ASSERT_EQ(data->GetData(&text, &medium), S_OK);
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(GlobalLock(medium.hGlobal))), L"255,255,255");
        GlobalUnlock(medium.hGlobal);
        ReleaseStgMedium(&medium);
    }

    constexpr auto kLeft = DragButton::Left;
    constexpr auto kRight = DragButton::Right;
    for (auto [button, escape, keys, expected] :
         {std::tuple{kLeft, FALSE, MK_LBUTTON, S_OK}, std::tuple{kLeft, FALSE, MK_CONTROL, DRAGDROP_S_DROP},
          std::tuple{kLeft, TRUE, MK_LBUTTON, DRAGDROP_S_CANCEL},
          std::tuple{kLeft, FALSE, MK_LBUTTON | MK_RBUTTON, DRAGDROP_S_CANCEL},
          std::tuple{kRight, FALSE, MK_RBUTTON, S_OK}, std::tuple{kRight, FALSE, 0, DRAGDROP_S_DROP},
          std::tuple{kRight, FALSE, MK_RBUTTON | MK_LBUTTON, DRAGDROP_S_CANCEL}}) {
        EXPECT_EQ(CreateDropSource(button)->QueryContinueDrag(escape, keys), expected)
            << static_cast<int>(button) << " " << escape << " " << keys;
    }
}

// Records what a drop delivers under CF_TEXT: the block's size and its text read as UTF-16.
class RecordingDropTarget : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        *object = iid == IID_IUnknown || iid == IID_IDropTarget ? static_cast<IDropTarget*>(this) : nullptr;
        return *object ? S_OK : E_NOINTERFACE;
    }
    // Lives in the fixture and is revoked before it goes.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD keys, POINTL at, DWORD* effect) override {
        return DragOver(keys, at, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        *effect = DROPEFFECT_NONE;
        try {
            FORMATETC format{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
            STGMEDIUM medium{};
            if (SUCCEEDED(data->GetData(&format, &medium))) {
                blockSize = GlobalSize(medium.hGlobal);
                text = static_cast<const wchar_t*>(GlobalLock(medium.hGlobal));
                GlobalUnlock(medium.hGlobal);
                ReleaseStgMedium(&medium);
                *effect = DROPEFFECT_COPY;
            }
        } catch (...) {
            ADD_FAILURE() << "the test's Drop threw";
        }
        return S_OK;
    }

    SIZE_T blockSize = 0;
    std::wstring text;
};

// Holds the boxes as the dialog does and records the selected-color well's reports and the boxes
// it is asked to draw.
class BoxHost : public Window {
public:
    int applied = 0;
    std::vector<UINT> drawn;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COLORWELL_APPLIED) {
            ++applied;
            return 0;
        }
        if (message == WM_DRAWITEM) {
            drawn.push_back(static_cast<UINT>(wParam));
        }
        return DefaultProc(message, wParam, lParam);
    }
};

class ColorWellTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ole.Initialized());
        const wchar_t* className = Window::RegisterWindowClass(0, LoadCursorW(nullptr, IDC_ARROW));
        ASSERT_TRUE(
            host.CreateChild(className, L"wells", WS_POPUP | WS_VISIBLE, RECT{0, 0, 600, 300}, nullptr, 0));
        ASSERT_TRUE(dropWindow.CreateChild(className, L"drop", WS_CHILD | WS_VISIBLE, RECT{470, 10, 590, 290},
                                           host.Hwnd(), 1));
        ASSERT_EQ(RegisterDragDrop(dropWindow.Hwnd(), &dropTarget), S_OK);
        // Box 4 lies inside box 3, as in the main dialog.
        for (auto [id, rect] :
             {std::pair{kBox1, RECT{250, 10, 350, 60}}, std::pair{kBox3, RECT{250, 80, 450, 200}},
              std::pair{kBox4, RECT{280, 110, 420, 170}}}) {
            CreateWindowExW(0, L"Button", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rect.left, rect.top,
                            rect.right - rect.left, rect.bottom - rect.top, host.Hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                            nullptr);
        }
        ASSERT_TRUE(box1.Attach(host.Hwnd(), kBox1));
        ASSERT_TRUE(box3.Attach(host.Hwnd(), kBox3));
        ASSERT_TRUE(box4.Attach(host.Hwnd(), kBox4));
        for (CxShadeButton* box : {&box1, &box3, &box4}) {
            box->SetShading(0, 20, 0, 100, kBlack);
            box->SetTextColor(kBlack);
        }
        ASSERT_TRUE(selectedWell.Create(WS_CHILD | WS_VISIBLE, 10, 10, 210, 60, host.Hwnd(), 1002));
        ASSERT_TRUE(shade2Well.Create(WS_CHILD | WS_VISIBLE, 10, 80, 210, 130, host.Hwnd(), 1010));
        selectedWell.SetColor(kWhite);
        selectedWell.SetNotifyWnd(host.Hwnd());
        selectedWell.SetTargetBox(&box1);
        shade2Well.SetColor(kShade);
        shade2Well.SetTargetBox(&box3);
        shade2Well.SetNestedBox(&box4);
        PumpMessages(nullptr, std::chrono::milliseconds(100));
        ResetRecords();
    }
    void TearDown() override {
        RevokeDragDrop(dropWindow.Hwnd());
        DestroyWindow(host.Hwnd());
        ResetRecords();
        undoAllBoxes = false;
    }

    void ResetRecords() {
        lastChangedBox = nullptr;
        undoAllBoxes = true;
        reverseAutoAssign = false;
        host.applied = 0;
        host.drawn.clear();
    }

    OleSession ole;
    BoxHost host;
    Window dropWindow;
    RecordingDropTarget dropTarget;
    CxShadeButton box1;
    CxShadeButton box3;
    CxShadeButton box4;
    GTColorWellWnd selectedWell;
    GTColorWellWnd shade2Well;
};

TEST_F(ColorWellTest, DragWithEitherButtonDropsTheColorAsUtf16TextUnderCfText) {
    for (bool right : {false, true}) {
        dropTarget.text.clear();
        MouseGesture({CentreOf(selectedWell.Hwnd()), CentreOf(dropWindow.Hwnd())}, right);
        EXPECT_EQ(dropTarget.text, right ? L"T255,255,255" : L"255,255,255");
        EXPECT_GE(dropTarget.blockSize, right ? 35u : 25u);
    }
    // A drop elsewhere is no click: the well's own box keeps its color.
    EXPECT_EQ(box1.BoxColor(), kBlack);
    EXPECT_EQ(box1.TextColor(), kBlack);
    EXPECT_EQ(lastChangedBox, nullptr);
    EXPECT_EQ(host.applied, 0);
}

TEST_F(ColorWellTest, ClickGivesTheBoxTheColorWhereverInTheWell) {
    RECT well{};
    GetWindowRect(selectedWell.Hwnd(), &well);
    struct Row {
        POINT at;
        bool reverse;
        Color expected;
    };
    // x = 0 is the well's leftmost column; with reverse auto-assignment the dialog's rule colors box 1.
    for (const Row& row :
         {Row{CentreOf(selectedWell.Hwnd()), false, kWhite}, Row{{well.left, well.top + 20}, false, kWhite},
          Row{CentreOf(selectedWell.Hwnd()), true, kBlack}}) {
        box1.SetShading(0, 20, 0, 100, kBlack);
        ResetRecords();
        reverseAutoAssign = row.reverse;
        MouseGesture({row.at});
        EXPECT_EQ(box1.BoxColor(), row.expected) << row.at.x;
        EXPECT_EQ(lastChangedBox, &box1);
        EXPECT_FALSE(undoAllBoxes);
        EXPECT_EQ(host.applied, 1);
    }
}

TEST_F(ColorWellTest, UndroppedDragAppliesOnlyWhenReleasedOverTheWell) {
    POINT from = CentreOf(selectedWell.Hwnd());
    POINT nowhere{GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5};
    lastChangedBox = &box3;
    MouseGesture({from, nowhere});
    EXPECT_EQ(box1.BoxColor(), kBlack);
    EXPECT_EQ(lastChangedBox, &box3);
    EXPECT_TRUE(undoAllBoxes);
    EXPECT_EQ(host.applied, 0);

    MouseGesture({from, POINT{from.x, from.y + 150}, from});
    EXPECT_EQ(box1.BoxColor(), kWhite);
    EXPECT_EQ(lastChangedBox, &box1);
    EXPECT_EQ(host.applied, 1);
}

TEST_F(ColorWellTest, RightClickOnShadeTwoSetsBoxThreeTextAndRepaintsBoxFour) {
    MouseGesture({CentreOf(shade2Well.Hwnd())}, true);
    EXPECT_EQ(box3.TextColor(), kShade);
    EXPECT_EQ(box3.BoxColor(), kBlack);
    EXPECT_EQ(box4.TextColor(), kBlack);
    EXPECT_EQ(lastChangedBox, &box3);
    EXPECT_FALSE(undoAllBoxes);
    EXPECT_NE(std::find(host.drawn.begin(), host.drawn.end(), static_cast<UINT>(kBox3)), host.drawn.end());
    EXPECT_NE(std::find(host.drawn.begin(), host.drawn.end(), static_cast<UINT>(kBox4)), host.drawn.end());
    EXPECT_EQ(host.applied, 0);
}

} // namespace
