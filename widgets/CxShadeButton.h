// The owner-drawn button of the main dialog: palette boxes, labels, radio and check buttons and tool
// buttons all draw a synthesised face (a texture tinted toward a color), icons, text, a border and
// dotted focus lines, and carry their own tooltip. Boxes also keep a one-step undo of their colors.
// Each tells screen readers what it is; a box, its colors and their contrast.
#pragma once

#include "app/PaletteChecks.h"
#include "color/ColorMath.h"
#include "framework/AccessibleObject.h"
#include "framework/SubclassedControl.h"
#include "framework/UniqueHandle.h"
#include "widgets/COleDropWndTarget.h"
#include "widgets/ShadeFaces.h"
#include "widgets/ShadeLooks.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

// Posted along a dialog group by a radio-kind button that becomes checked.
constexpr UINT WM_SHADEBUTTON_UNCHECK = WM_USER + 256;
// Sent to its parent by a palette box whose box color, text color or font has just changed, from
// whatever loop the change came in; wParam is the BoxChange, lParam the box's window.
constexpr UINT WM_SHADEBUTTON_BOXCHANGED = WM_USER + 257;
enum class BoxChange : WPARAM { Colors = 0, Font = 1 };

enum ButtonKind { KindPush = 0, KindCheck = 2, KindRadio = 4 };
enum LastChange { ChangeNone = 0, ChangeText = 1, ChangeBox = 2 };

class CxShadeButton : public SubclassedControl, private AccessibleSource {
public:
    CxShadeButton();
    ~CxShadeButton() override;

    // Subclasses the dialog's button and makes it owner-drawn, keeping its kind and alignment.
    bool Attach(HWND dialog, int id);

    void SetShading(unsigned style, BYTE granularity, BYTE highlight, BYTE coloring, Color color);
    void SetShading(const ShadeLook& look, Color color) {
        SetShading(look.style, look.granularity, look.highlight, look.coloring, color);
    }
    // Returns the previous text color; does not repaint.
    Color SetTextColor(Color color);
    void SetTextAlign(UINT align);
    void SetIcon(int iconId, int align, int pressedIconId, int hoverIconId);
    void OnDpiChanged();
    bool SetFont(const wchar_t* faceName, LONG height, LONG weight, BYTE italic, BYTE underline);
    void SetToolTipText(const std::wstring& upText, const std::wstring& downText);
    void ActivateToolTip(bool active);
    void SetBorder(BYTE border) { this->border = border; }
    void SetInert(BYTE inert) { this->inert = inert != 0; }
    bool SetPaletteBoxMode(BYTE paletteBox);
    void SetNestedBox(CxShadeButton* box) { nestedBox = box; }
    void SetCopyFormat(const std::wstring& format) { copyFormat = format; }
    // What screen readers call the button when its text does not say it ("Box 1", "Bold").
    void SetAccessibleName(const std::wstring& name) { accessibleName = name; }
    void UndoLastChange();

    Color BoxColor() const { return boxColor; }
    Color TextColor() const { return textColor; }
    Color PreviousBoxColor() const { return previousBoxColor; }
    Color PreviousTextColor() const { return previousTextColor; }
    LastChange LastChangeKind() const { return lastChange; }
    CxShadeButton* NestedBox() const { return nestedBox; }
    const std::wstring& CopyFormat() const { return copyFormat; }
    ButtonKind Kind() const { return kind; }
    bool IsChecked() const { return checked; }
    bool IsHovering() const { return hovering; }
    HWND ToolTip() const { return tooltip.Get(); }
    IDropTarget* DropTarget() { return &dropTarget; }
    // The normal face and focus lines, built now if they are not yet.
    const ShadeFaces& Faces() { return faces.Plain(); }
    // Repaints this box, then the box drawn inside it, at once.
    void RepaintWithNested();
    // A color dropped on the box: its text or box color, or its nested box's with Ctrl down.
    void ApplyDroppedColor(Color color, bool toText, bool ctrlDown);
    // The text's size in points, as a page would state it, and whether it is bold.
    BoxText TextStyle() const;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    AccessibleFacts Facts(LONG child) override;
    bool DoDefaultAction(LONG child) override;
    std::wstring Caption() const;
    bool OnKeyDown(WPARAM key);
    UINT DialogCode(const MSG* message);
    CxShadeButton& ActionTarget(bool ctrlDown);
    void NotifyBoxChanged(BoxChange change);
    void CopyColorOnClick(bool textColor, bool ctrlDown);
    void PreSubclassWindow();
    void RecreateFont();
    void BuildFaces();
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawFace(HDC dc, const RECT& item, const ShadeBitmap& face, int offset) const;
    void DrawFocusLines(HDC dc, RECT rect);
    RECT TextRect(const RECT& item) const;
    void OnLButtonDown(WPARAM wParam, LPARAM lParam);
    void OnLButtonUp(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM wParam, LPARAM lParam);
    void OnSetCheck(bool check);
    void UncheckGroup();
    void CreateToolTip();
    void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam);
    void SetToolTipShown(const std::wstring& text);
    const std::wstring& ShownToolTipText() const;
    bool FollowPressWithCursor();
    bool CursorIsOverThis() const;
    HICON PressedIcon() const { return StateIcon(iconIds[1]); }
    HICON HoverIcon() const { return StateIcon(iconIds[2]); }
    HICON StateIcon(int id) const;

    CxShadeButton* nestedBox = nullptr;
    Color textColor;
    Color boxColor = 0;
    UniqueFont font;
    std::unique_ptr<LOGFONTW> logFont;
    std::wstring toolTipUpText;
    std::wstring toolTipDownText;
    std::wstring copyFormat;
    bool checked = false;
    bool pushLike = false;
    ButtonKind kind = KindPush;
    DeferredShadeFaces faces;
    // What the faces were last described from; none before the first SetShading.
    std::optional<ShadeParams> shading;
    bool hovering = false;
    bool buttonDown = false;
    bool inert = false;
    bool paletteBox = false;
    COleDropWndTarget dropTarget{*this};
    // Made on first use; null until then.
    UniqueWindow tooltip;
    bool toolTipActive = true;
    short focusMargin = 2;
    Color previousTextColor = 0;
    Color previousBoxColor = 0;
    DWORD border = 1;
    // Icons the process keeps one of for each screen DPI. The pressed and hover icons are loaded
    // when first drawn: some buttons are never pressed.
    HICON icon = nullptr;
    int iconDpi = 0;
    // The normal, pressed and hover icons' resources; 0 for the pressed and hover ones means the
    // normal icon.
    std::array<int, 3> iconIds{};
    RECT iconRect{};
    UINT textFormat = DT_CENTER;
    int iconAlign = BS_CENTER;
    bool flat = false;
    LastChange lastChange = ChangeNone;
    std::wstring accessibleName;
    ControlAccessibility accessibility{*this};
};
