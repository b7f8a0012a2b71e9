#include "widgets/CxShadeButton.h"

#include "app/AccessibleTexts.h"
#include "app/WorkspaceFlags.h"
#include "framework/DcGuards.h"
#include "framework/DialogGroup.h"
#include "framework/Dpi.h"
#include "framework/Reflection.h"
#include "framework/RepaintNow.h"
#include "library/Clipboard.h"
#include "library/ColorFormat.h"
#include "widgets/ShadeRandom.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <map>
#include <cstring>

namespace {

// The size of the icon's first image, the one drawn for a 96 DPI screen.
int DesignedIconSide(int id) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const auto* directory = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    // A 6-byte header with the image count, then 14-byte entries starting with the width.
    constexpr DWORD kFirstWidth = 6;
    if (!directory || SizeofResource(nullptr, found) <= kFirstWidth ||
        *reinterpret_cast<const WORD*>(directory + 4) == 0) {
        return 0;
    }
    return directory[kFirstWidth] == 0 ? 256 : directory[kFirstWidth];
}

// One icon of each resource and screen DPI for the whole process: the option buttons' radio and
// check icons are loaded once, not once a button. Each screen takes the image drawn for its size.
HICON IconForDpi(int id, int dpi) {
    static std::map<std::pair<int, int>, UniqueIcon> icons;
    UniqueIcon& icon = icons[{id, dpi}];
    if (!icon) {
        const int side = ScaleToDpi(DesignedIconSide(id), dpi);
        if (side > 0) {
            icon.Reset(static_cast<HICON>(
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, side, side, 0)));
        }
    }
    return icon.Get();
}

// An icon's size, asked of the system once per icon: the answer comes as two new bitmaps.
SIZE IconSize(HICON icon) {
    static std::map<HICON, SIZE> sizes;
    if (!icon) {
        return {};
    }
    if (auto known = sizes.find(icon); known != sizes.end()) {
        return known->second;
    }
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return {};
    }
    UniqueBitmap mask(info.hbmMask), colors(info.hbmColor);
    BITMAP bitmap{};
    GetObjectW(info.hbmMask, sizeof(bitmap), &bitmap);
    const SIZE size{bitmap.bmWidth, info.hbmColor ? bitmap.bmHeight : bitmap.bmHeight / 2};
    return sizes[icon] = size;
}

constexpr int kMaxTipWidth = 300;

TOOLINFOW ToolFor(HWND button, const std::wstring& text) {
    TOOLINFOW tool{sizeof(tool)};
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(button);
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    return tool;
}

SIZE OuterSize(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

CxShadeButton::CxShadeButton() : textColor(GetSysColor(COLOR_BTNTEXT)) {}

CxShadeButton::~CxShadeButton() = default;

bool CxShadeButton::Attach(HWND dialog, int id) {
    if (!SubclassedControl::Attach(dialog, id)) {
        return false;
    }
    PreSubclassWindow();
    return true;
}

// The kind comes from the template style before the button becomes owner-drawn, which erases it.
void CxShadeButton::PreSubclassWindow() {
    auto style = static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_STYLE));
    pushLike = (style & BS_PUSHLIKE) != 0;
    flat = (style & BS_FLAT) != 0;
    // The horizontal alignment only: BS_CENTER is BS_LEFT | BS_RIGHT.
    SetTextAlign(style & BS_CENTER);
    // A type with all the bits of BS_AUTOCHECKBOX is a check, else one with those of BS_AUTORADIOBUTTON
    // a radio: the templates' auto check boxes and auto radio buttons.
    const DWORD type = style & BS_TYPEMASK;
    if ((type & BS_AUTOCHECKBOX) == BS_AUTOCHECKBOX) {
        kind = KindCheck;
    } else if ((type & BS_AUTORADIOBUTTON) == BS_AUTORADIOBUTTON) {
        kind = KindRadio;
    } else {
        kind = KindPush;
        pushLike = true;
    }
    if (!pushLike) {
        border = 0;
    }
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, style | BS_OWNERDRAW);
}

void CxShadeButton::SetShading(unsigned style, BYTE granularity, BYTE highlight, BYTE coloring, Color color) {
    const bool changed = color != boxColor;
    if (!selectorDragActive) {
        previousBoxColor = boxColor;
    }
    lastChange = ChangeBox;
    boxColor = color;
    shading = ShadeParams{style, granularity, highlight, coloring, color};
    BuildFaces();
    if (changed) {
        NotifyBoxChanged(BoxChange::Colors);
    }
}

// Built when first drawn, once the window is up; most buttons never need their hover face.
void CxShadeButton::BuildFaces() {
    SIZE size = OuterSize(Hwnd());
    SystemColors system{GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNFACE),
                        GetSysColor(COLOR_BTNHIGHLIGHT)};
    faces.Describe(*shading, size.cx, size.cy, focusMargin, system, ProcessShadeRandom());
}

Color CxShadeButton::SetTextColor(Color color) {
    Color previous = textColor;
    if (!selectorDragActive) {
        previousTextColor = textColor;
    }
    lastChange = ChangeText;
    textColor = color;
    if (color != previous) {
        NotifyBoxChanged(BoxChange::Colors);
    }
    return previous;
}

void CxShadeButton::SetTextAlign(UINT align) {
    switch (align) {
    case BS_LEFT:
        textFormat = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
        break;
    case BS_RIGHT:
        textFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
        break;
    case BS_TOP:
        textFormat = DT_CENTER;
        break;
    case BS_MULTILINE:
        textFormat = (textFormat & (DT_LEFT | DT_CENTER | DT_RIGHT)) | DT_VCENTER;
        break;
    default:
        textFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        break;
    }
}

void CxShadeButton::SetIcon(int iconId, int align, int pressedIconId, int hoverIconId) {
    iconIds = {iconId, pressedIconId, hoverIconId};
    iconDpi = WindowDpi(Hwnd());
    icon = IconForDpi(iconId, iconDpi);
    const SIZE iconSize = IconSize(icon);
    if (!icon || iconSize.cx == 0) {
        icon = nullptr;
        return;
    }
    int halfWidth = static_cast<int>(iconSize.cx / 2);
    int halfHeight = static_cast<int>(iconSize.cy / 2);
    SIZE size = OuterSize(Hwnd());
    int middle = size.cy / 2;
    POINT origin{};
    if (align == BS_LEFT || align == BS_RIGHT) {
        iconAlign = align;
        origin.x = align == BS_LEFT ? focusMargin : size.cx - (2 * halfWidth + focusMargin);
        origin.y = std::max(0, middle - halfHeight);
    } else {
        iconAlign = BS_CENTER;
        origin.x = std::max(0, static_cast<int>(size.cx / 2 - halfWidth));
        origin.y = std::max(0, middle - 2 * halfHeight);
    }
    iconRect = RECT{origin.x, origin.y, origin.x + 2 * halfWidth, origin.y + 2 * halfHeight};
}

HICON CxShadeButton::StateIcon(int id) const {
    HICON stateIcon = icon && id != 0 ? IconForDpi(id, iconDpi) : nullptr;
    return stateIcon ? stateIcon : icon;
}

bool CxShadeButton::SetFont(const wchar_t* faceName, LONG height, LONG weight, BYTE italic, BYTE underline) {
    if (!logFont) {
        logFont = std::make_unique<LOGFONTW>();
    }
    const LOGFONTW before = *logFont;
    std::wstring face(faceName ? faceName : L"");
    face.resize(std::min<size_t>(face.size(), LF_FACESIZE - 1));
    std::fill(std::begin(logFont->lfFaceName), std::end(logFont->lfFaceName), L'\0');
    std::copy(face.begin(), face.end(), logFont->lfFaceName);
    logFont->lfHeight = height;
    logFont->lfWeight = weight;
    logFont->lfItalic = italic;
    logFont->lfUnderline = underline;
    RecreateFont();
    // LOGFONTW has no padding: the same bytes are the same font.
    if (std::memcmp(&before, logFont.get(), sizeof(before)) != 0) {
        NotifyBoxChanged(BoxChange::Font);
    }
    return static_cast<bool>(font);
}

// After the button has its size on a screen of another DPI: faces of that size, and the font and
// icons for that screen.
void CxShadeButton::OnDpiChanged() {
    if (shading) {
        BuildFaces();
    }
    if (logFont) {
        RecreateFont();
    }
    if (icon) {
        SetIcon(iconIds[0], iconAlign, iconIds[1], iconIds[2]);
    }
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

// The height given is for a 96 DPI screen: the font drawn with is the same size on this one. A
// height of 0, the font mapper's own choice, is a number of pixels too, whatever the screen.
void CxShadeButton::RecreateFont() {
    const int dpi = WindowDpi(Hwnd());
    LOGFONTW scaled = *logFont;
    font.Reset(CreateFontIndirectW(&scaled));
    if (dpi == kBaseDpi) {
        return;
    }
    if (scaled.lfHeight == 0) {
        WindowDc dc(Hwnd());
        SelectObjectGuard selected(dc.Get(), font.Get());
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.Get(), &metrics);
        scaled.lfHeight = metrics.tmHeight;
    }
    scaled.lfHeight = ScaleToDpi(scaled.lfHeight, dpi);
    font.Reset(CreateFontIndirectW(&scaled));
}

void CxShadeButton::SetToolTipText(const std::wstring& upText, const std::wstring& downText) {
    toolTipUpText = upText;
    toolTipDownText = downText;
    SetToolTipShown(ShownToolTipText());
}

// Made when the pointer first comes over the button: thirty tooltip windows made at start would
// delay the first screen, under Wine by tens of milliseconds, for tips few of them ever show.
void CxShadeButton::CreateToolTip() {
    tooltip.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    if (!tooltip) {
        return;
    }
    TOOLINFOW tool = ToolFor(Hwnd(), ShownToolTipText());
    SendMessageW(tooltip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip.Get(), TTM_SETMAXTIPWIDTH, 0, ScaleForWindow(Hwnd(), kMaxTipWidth));
    SendMessageW(tooltip.Get(), TTM_ACTIVATE, toolTipActive, 0);
}

void CxShadeButton::ActivateToolTip(bool active) {
    toolTipActive = active;
    if (tooltip) {
        SendMessageW(tooltip.Get(), TTM_ACTIVATE, active, 0);
    }
}

const std::wstring& CxShadeButton::ShownToolTipText() const {
    return checked && !toolTipDownText.empty() ? toolTipDownText : toolTipUpText;
}

void CxShadeButton::SetToolTipShown(const std::wstring& text) {
    if (tooltip) {
        TOOLINFOW tool = ToolFor(Hwnd(), text);
        SendMessageW(tooltip.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

bool CxShadeButton::SetPaletteBoxMode(BYTE paletteBoxMode) {
    paletteBox = paletteBoxMode != 0;
    if (!paletteBox) {
        dropTarget.Revoke();
        return true;
    }
    return dropTarget.Register(Hwnd());
}

CxShadeButton& CxShadeButton::ActionTarget(bool ctrlDown) {
    return ctrlDown && nestedBox ? *nestedBox : *this;
}

// Sent from the setters themselves, so every way a box changes is heard, whichever loop runs it.
void CxShadeButton::NotifyBoxChanged(BoxChange change) {
    if (paletteBox) {
        accessibility.ValueChanged();
        SendMessageW(GetParent(Hwnd()), WM_SHADEBUTTON_BOXCHANGED, static_cast<WPARAM>(change),
                     reinterpret_cast<LPARAM>(Hwnd()));
    }
}

void CxShadeButton::ApplyDroppedColor(Color color, bool toText, bool ctrlDown) {
    CxShadeButton& target = ActionTarget(ctrlDown);
    if (toText) {
        target.SetTextColor(color);
    } else {
        target.SetShading(kGrainedBoxLook, color);
    }
    lastChangedBox = &target;
    target.RepaintWithNested();
}

// A click copies the color and goes no further: the box is neither pressed nor repainted.
void CxShadeButton::CopyColorOnClick(bool textColor, bool ctrlDown) {
    CxShadeButton& source = ActionTarget(ctrlDown);
    CopyTextToClipboard(Hwnd(), FormatColor(textColor ? source.textColor : source.boxColor, copyFormat));
}

// Points as a page would state them: the em height without internal leading, at the screen's DPI.
BoxText CxShadeButton::TextStyle() const {
    WindowDc screen(GetParent(Hwnd()));
    const int pixelsPerInch = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    SelectObjectGuard select(screen.Get(),
                             font ? static_cast<HGDIOBJ>(font.Get()) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    const int emHeight = metrics.tmHeight - metrics.tmInternalLeading;
    return {emHeight * 72.0 / pixelsPerInch, metrics.tmWeight >= FW_BOLD};
}

// The window text without its mnemonic marks, as it reads.
std::wstring CxShadeButton::Caption() const {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(Hwnd())) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(Hwnd(), text.data(), static_cast<int>(text.size()))));
    std::wstring read;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) {
            ++i;
        }
        read += text[i];
    }
    return read;
}

// A box is a button whose value is its colors; an inert button is a label; the others are the
// buttons, checks and radios they look like.
AccessibleFacts CxShadeButton::Facts(LONG) {
    const bool tabStop = (GetWindowLongW(Hwnd(), GWL_STYLE) & WS_TABSTOP) != 0;
    AccessibleFacts facts;
    facts.name = accessibleName.empty() ? Caption() : accessibleName;
    facts.state = tabStop ? STATE_SYSTEM_FOCUSABLE : 0;
    if (paletteBox) {
        facts.role = ROLE_SYSTEM_PUSHBUTTON;
        facts.value = BoxAccessibleValue(boxColor, textColor, TextStyle());
        facts.defaultAction = L"Copy color";
    } else if (kind != KindPush) {
        facts.role = kind == KindCheck ? ROLE_SYSTEM_CHECKBUTTON : ROLE_SYSTEM_RADIOBUTTON;
        facts.state |= checked ? STATE_SYSTEM_CHECKED : 0;
        facts.defaultAction = kind == KindCheck ? (checked ? L"Uncheck" : L"Check") : L"Select";
    } else if (inert) {
        facts.role = ROLE_SYSTEM_STATICTEXT;
        facts.state |= STATE_SYSTEM_READONLY;
    } else {
        facts.role = ROLE_SYSTEM_PUSHBUTTON;
        facts.defaultAction = L"Press";
    }
    return facts;
}

// What a click does: a box copies its color; a button, check or radio tells its dialog it was
// clicked, after taking its new check state.
bool CxShadeButton::DoDefaultAction(LONG) {
    if (paletteBox) {
        CopyColorOnClick(false, false);
        return true;
    }
    if (inert || !IsWindowEnabled(Hwnd())) {
        return false;
    }
    if (kind != KindPush) {
        SendMessageW(Hwnd(), BM_SETCHECK, kind == KindCheck ? !checked : 1, 0);
    }
    SendMessageW(GetParent(Hwnd()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Hwnd()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Hwnd()));
    return true;
}

// On a focused box Space and Enter do what a click does, and Ctrl+C copies its own background.
bool CxShadeButton::OnKeyDown(WPARAM key) {
    if (!paletteBox) {
        if (key == VK_SPACE && kind != KindPush) {
            SendMessageW(Hwnd(), BM_SETCHECK, kind == KindCheck ? !checked : 1, 0);
        }
        return false;
    }
    const bool ctrlDown = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_SPACE || key == VK_RETURN) {
        CopyColorOnClick(false, ctrlDown);
        return true;
    }
    if (key == 'C' && ctrlDown) {
        CopyColorOnClick(false, false);
        return true;
    }
    return false;
}

// A box takes Enter itself rather than leave it to the dialog's default button.
UINT CxShadeButton::DialogCode(const MSG* message) {
    const auto code = static_cast<UINT>(
        DefaultProc(WM_GETDLGCODE, message ? message->wParam : 0, reinterpret_cast<LPARAM>(message)));
    const bool enter = message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN;
    return paletteBox && enter ? code | DLGC_WANTMESSAGE : code;
}

void CxShadeButton::UndoLastChange() {
    const Color shownBox = boxColor;
    const Color shownText = textColor;
    if (lastChange == ChangeText) {
        textColor = previousTextColor;
    } else {
        boxColor = previousBoxColor;
        SetShading(kGrainedBoxLook, previousBoxColor);
    }
    if (boxColor != shownBox || textColor != shownText) {
        NotifyBoxChanged(BoxChange::Colors);
    }
    RepaintWithNested();
}

void CxShadeButton::RepaintWithNested() {
    RepaintNow(Hwnd());
    if (nestedBox) {
        RepaintNow(nestedBox->Hwnd());
    }
}

LRESULT CxShadeButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = accessibility.OnMessage(Hwnd(), message, wParam, lParam)) {
        return *answer;
    }
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        // A double click is a second click.
        SendMessageW(Hwnd(), WM_LBUTTONDOWN, wParam, lParam);
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(wParam, lParam);
        return DefaultProc(message, wParam, lParam);
    case WM_RBUTTONDOWN:
        if (paletteBox) {
            CopyColorOnClick(true, GetAsyncKeyState(VK_CONTROL) < 0);
        }
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(wParam, lParam);
        return DefaultProc(message, wParam, lParam);
    case WM_MOUSELEAVE:
        hovering = false;
        InvalidateRect(Hwnd(), nullptr, FALSE);
        return 0;
    case WM_KILLFOCUS:
        if (GetCapture() == Hwnd()) {
            ReleaseCapture();
            buttonDown = false;
        }
        return DefaultProc(message, wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(wParam) ? 0 : DefaultProc(message, wParam, lParam);
    case WM_GETDLGCODE:
        return DialogCode(reinterpret_cast<const MSG*>(lParam));

    case BM_SETCHECK:
        OnSetCheck(wParam != 0);
        return 0;
    case BM_GETCHECK:
        return checked ? BST_CHECKED : BST_UNCHECKED;
    case WM_GETFONT:
        // The font given by SetFont is the one the text is drawn with.
        return font ? reinterpret_cast<LRESULT>(font.Get()) : DefaultProc(message, wParam, lParam);
    case WM_SHADEBUTTON_UNCHECK:
        // Only radios give way: a check button that shares the group keeps its state.
        if (checked && kind == KindRadio) {
            checked = false;
            SetToolTipShown(toolTipUpText);
            InvalidateRect(Hwnd(), nullptr, FALSE);
            ControlAccessibility::Tell(Hwnd(), EVENT_OBJECT_STATECHANGE);
        }
        return 0;
    case Reflected(WM_DRAWITEM):
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_DESTROY:
        dropTarget.Revoke();
        // The tooltip is an owned popup: the system destroys it along with its owner.
        if (!IsWindow(tooltip.Get())) {
            tooltip.Release();
        }
        return DefaultProc(message, wParam, lParam);
    default:
        return DefaultProc(message, wParam, lParam);
    }
}

void CxShadeButton::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    RelayToToolTip(WM_LBUTTONDOWN, wParam, lParam);
    if (paletteBox) {
        CopyColorOnClick(false, GetAsyncKeyState(VK_CONTROL) < 0);
        return;
    }
    if (inert) {
        return;
    }
    if (hovering) {
        TRACKMOUSEEVENT track{sizeof(track), TME_CANCEL | TME_LEAVE, Hwnd(), 0};
        if (TrackMouseEvent(&track)) {
            hovering = false;
        }
    }
    DefaultProc(WM_LBUTTONDOWN, wParam, lParam);
    buttonDown = true;
}

// The check changes only when the release happens over the button that was pressed.
void CxShadeButton::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
    RelayToToolTip(WM_LBUTTONUP, wParam, lParam);
    if (kind != KindPush && buttonDown && CursorIsOverThis()) {
        SendMessageW(Hwnd(), BM_SETCHECK, kind == KindCheck ? !checked : 1, 0);
    }
    buttonDown = false;
}

void CxShadeButton::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    RelayToToolTip(WM_MOUSEMOVE, wParam, lParam);
    if (buttonDown && GetCapture() == Hwnd()) {
        if (FollowPressWithCursor()) {
            InvalidateRect(Hwnd(), nullptr, FALSE);
        }
        return;
    }
    if (!inert && !hovering) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Hwnd(), 0};
        if (TrackMouseEvent(&track)) {
            hovering = true;
            InvalidateRect(Hwnd(), nullptr, FALSE);
        }
    }
}

void CxShadeButton::OnSetCheck(bool check) {
    const bool wasChecked = checked;
    checked = check && kind != KindPush;
    if (checked != wasChecked) {
        ControlAccessibility::Tell(Hwnd(), EVENT_OBJECT_STATECHANGE);
    }
    if (checked && kind == KindRadio) {
        UncheckGroup();
    }
    if (tooltip) {
        SendMessageW(tooltip.Get(), TTM_POP, 0, 0);
        SetToolTipShown(ShownToolTipText());
    }
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

void CxShadeButton::UncheckGroup() {
    for (HWND other : OtherGroupMembers(Hwnd())) {
        PostMessageW(other, WM_SHADEBUTTON_UNCHECK, 0, 0);
    }
}

void CxShadeButton::RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!tooltip && !toolTipUpText.empty()) {
        CreateToolTip();
    }
    if (!tooltip) {
        return;
    }
    if (!toolTipUpText.empty()) {
        SetToolTipShown(toolTipUpText);
    }
    // Signed: left of or above the button, on another monitor, the coordinates are negative.
    MSG relayed{Hwnd(), message, wParam, lParam, 0, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}};
    SendMessageW(tooltip.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

// While pressed with the mouse, the pushed look follows the cursor; true when it changed.
bool CxShadeButton::FollowPressWithCursor() {
    if (!buttonDown || GetCapture() != Hwnd()) {
        return false;
    }
    bool over = CursorIsOverThis();
    bool pushed = (SendMessageW(Hwnd(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    if (over == pushed) {
        return false;
    }
    SendMessageW(Hwnd(), BM_SETSTATE, over, 0);
    return true;
}

bool CxShadeButton::CursorIsOverThis() const {
    POINT cursor{};
    return GetCursorPos(&cursor) && WindowFromPoint(cursor) == Hwnd();
}
