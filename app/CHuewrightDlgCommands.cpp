// The menu commands and the keyboard: every shortcut shown in the menu is served here, since the
// dialog has no accelerator table.
#include "app/CHuewrightDlg.h"

#include "app/SettingsValues.h"
#include "color/CssColorText.h"
#include "framework/MessageBoxes.h"
#include "framework/ShellFunctions.h"
#include "library/CCopyColorFormat.h"
#include "library/Clipboard.h"
#include "library/ColorFormat.h"
#include "res/resource.h"
#include "widgets/CHelp.h"

#include <commctrl.h>

namespace {

// The state that goes with the key message being handled: what the user holds at that moment.
bool IsHeld(int key) {
    return GetKeyState(key) < 0;
}

// The edit's limit cuts a paste or a typed emoji at 63 units, which can leave the first half of a
// surrogate pair at the end; it goes, as a save would drop it, so the edit shows what is stored.
void DropHalfPairAtLimit(HWND edit) {
    std::wstring text(kMaxNameLength + 1, L'\0');
    const int length = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    if (static_cast<std::size_t>(length) == kMaxNameLength && IsHighSurrogate(text[kMaxNameLength - 1])) {
        SendMessageW(edit, EM_SETSEL, length - 1, length);
        SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
}

} // namespace

bool CHuewrightDlg::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
    case IDC_EXIT:
        if (code == BN_CLICKED) {
            OnExit();
        }
        return true;
    case ID_FILE_EXIT:
        SaveStateAndQuit();
        return true;
    case IDCANCEL:
        SaveStateAndQuit();
        return Dialog::OnCommand(id, code, control);
    case IDC_MODE_RED:
    case IDC_MODE_GREEN:
    case IDC_MODE_BLUE:
    case IDC_MODE_HUE:
    case IDC_MODE_SATURATION:
    case IDC_MODE_BRIGHTNESS:
        if (code == BN_CLICKED) {
            SetSelectorMode(static_cast<SelectorMode>(ModeRed + (id - IDC_MODE_RED)));
        }
        return true;
    case IDC_AUTO_ALL:
    case IDC_IN_SEQUENCE:
    case IDC_IN_REVERSE:
        if (code == BN_CLICKED) {
            OnAutoAssignOption(id);
        }
        return true;
    case IDC_DESKTOP_GRAB:
        if (code == BN_CLICKED) {
            grab.StartDesktopGrab(Hwnd());
        }
        return true;
    case IDC_BOX_PICK:
        if (code == BN_CLICKED) {
            OnBoxPickButton();
        }
        return true;
    case ID_BOX_PICK1:
    case ID_BOX_PICK2:
    case ID_BOX_PICK3:
    case ID_BOX_PICK4:
        ApplyBoxPick(id - ID_BOX_PICK1);
        return true;
    case IDC_BOLD:
    case IDC_ITALIC:
        if (code == BN_CLICKED) {
            boxFonts.ApplyBoxFonts();
        }
        return true;
    case IDC_NEW_PALETTE:
    case IDC_SAVE_PALETTE:
    case IDC_DELETE_PALETTE:
    case IDC_VIEW_NEXT:
    case IDC_VIEW_PREVIOUS:
        if (code == BN_CLICKED) {
            OnLibraryButton(id);
        }
        return true;
    case IDC_SEARCH:
        if (code == EN_CHANGE) {
            operations.OnSearchChange();
        }
        return true;
    case ID_SELECT_BOX_FONT:
        boxFonts.OnSelectBoxFont();
        return true;
    case ID_UNDO_LAST_COLOR:
        Undo();
        return true;
    case ID_COPY_BOX1:
    case ID_COPY_BOX2:
    case ID_COPY_BOX3:
    case ID_COPY_BOX4:
        CopyColorToClipboard(boxes[id - ID_COPY_BOX1].BoxColor());
        return true;
    case ID_COPY_TEXT1:
    case ID_COPY_TEXT2:
    case ID_COPY_TEXT3:
    case ID_COPY_TEXT4:
        CopyColorToClipboard(boxes[id - ID_COPY_TEXT1].TextColor());
        return true;
    case ID_NO_TOOLTIPS:
        toolTips.OnTooltipOption();
        return true;
    case ID_SHOW_ALL_VALUES:
        showAllColorValues = !showAllColorValues;
        CheckMenuItem(GetMenu(Hwnd()), ID_SHOW_ALL_VALUES, showAllColorValues ? MF_CHECKED : MF_UNCHECKED);
        return true;
    case ID_USER_GUIDE:
        OnUserGuide();
        return true;
    case ID_SET_COPY_FORMAT:
        OnSetCopyFormat();
        return true;
    case ID_TOOLS_CHECKER:
        ToggleChecker();
        return true;
    case ID_TOOLS_EXPORT_PALETTE:
    case ID_TOOLS_EXPORT_LIBRARY:
        OnExport(id == ID_TOOLS_EXPORT_LIBRARY);
        return true;
    case ID_TOOLS_IMPORT:
        OnImport();
        return true;
    case ID_TOOLS_PASTE_COLOR:
        OnPasteColor();
        return true;
    case ID_TOOLS_TONAL_SCALES:
        ToggleScales();
        return true;
    case ID_TOOLS_DARK_VARIANT:
        OnMakeDarkVariant();
        return true;
    case ID_COPY_AS_HEX:
    case ID_COPY_AS_RGB:
    case ID_COPY_AS_HSL:
    case ID_COPY_AS_OKLCH:
        CopySelectedColorAs(id);
        return true;
    case ID_ABOUT: {
        CHelp about;
        about.DoModal(Hwnd());
        return true;
    }
    case IDC_VIEW_IN_BROWSER:
        if (code == BN_CLICKED) {
            OnViewInBrowser();
        }
        return true;
    case IDC_COLOR_VALUE:
        if (code == EN_KILLFOCUS) {
            ApplyColorEntry(true);
        }
        return true;
    case ID_COPY_STATUS_BAR:
        CopyTextToClipboard(Hwnd(), statusBar.Text());
        return true;
    case ID_ASSIGN_BOX1:
    case ID_ASSIGN_BOX2:
    case ID_ASSIGN_BOX3:
    case ID_ASSIGN_BOX4:
    case ID_ASSIGN_TEXT1:
    case ID_ASSIGN_TEXT2:
    case ID_ASSIGN_TEXT3:
    case ID_ASSIGN_TEXT4:
        OnAssign(id);
        return true;
    case IDC_PALETTE_NAME:
        // The name can only be typed while the edit has the focus.
        if (code == EN_SETFOCUS || code == EN_KILLFOCUS) {
            SendMessageW(control, EM_SETREADONLY, code == EN_KILLFOCUS, 0);
        } else if (code == EN_CHANGE) {
            DropHalfPairAtLimit(control);
        }
        return true;
    default:
        return Dialog::OnCommand(id, code, control);
    }
}

void CHuewrightDlg::CopyColorToClipboard(Color color) {
    CopyTextToClipboard(Hwnd(), FormatColor(color, settings.colorFormatStr));
}

// "Copy color as": the selected color in one of the forms CSS reads, whatever the copy format is.
void CHuewrightDlg::CopySelectedColorAs(UINT id) {
    constexpr std::string (*kWriters[])(Color) = {HexText, RgbText, HslText, OklchText};
    const std::string text = kWriters[id - ID_COPY_AS_HEX](selector.CurrentColor());
    CopyTextToClipboard(Hwnd(), std::wstring(text.begin(), text.end()));
}

void CHuewrightDlg::OnSetCopyFormat() {
    CCopyColorFormat chooser(settings.colorFormat, settings.colorFormatStr);
    if (chooser.DoModal(Hwnd()) != IDOK) {
        return;
    }
    settings.colorFormat = chooser.ColorFormat();
    settings.colorFormatStr = chooser.ColorFormatStr();
    for (auto& box : boxes) {
        box.SetCopyFormat(settings.colorFormatStr);
    }
}

void CHuewrightDlg::OnUserGuide() {
    auto result = reinterpret_cast<INT_PTR>(ShellOpen(Hwnd(), L"open", L"help.html", SW_SHOWNORMAL));
    if (result <= 32) {
        MessageBoxes::ShowWarning(Hwnd(), L"There was an error opening Huewright help file.");
    }
}

// Keys go down here before the dialog manager sees them, whatever child has the focus.
bool CHuewrightDlg::PreTranslateMessage(MSG& msg) {
    toolTips.RelayEvent(msg);
    // A running grab takes its keys before any field does: Enter ends it wherever the focus is.
    if (msg.message == WM_KEYDOWN && grab.IsActive() && grab.OnGrabKey(msg.wParam)) {
        return true;
    }
    // The name field sees its keys first: Enter there presses nothing.
    if (nameEdit.PreTranslateMessage(msg)) {
        return true;
    }
    // The inspector's open list of targets takes every key, Esc and Enter included, to close it.
    if (msg.message != WM_KEYDOWN || checker.IsChoosingTarget()) {
        return false;
    }
    const HWND focus = GetFocus();
    const bool inSearch = focus == Item(IDC_SEARCH);
    const bool inEdit = inSearch || focus == Item(IDC_PALETTE_NAME) || focus == Item(IDC_COLOR_VALUE);
    const WPARAM key = msg.wParam;

    if (focus == Item(IDC_COLOR_VALUE) && key == VK_RETURN) {
        ApplyColorEntry(false);
        return true;
    }
    if (inSearch && !operations.Matches().empty() && operations.OnSearchKey(SearchKeyOf(key))) {
        return true;
    }
    const bool ctrl = IsHeld(VK_CONTROL);
    const bool shift = IsHeld(VK_SHIFT);
    if (key == VK_ESCAPE) {
        Undo();
        return true;
    }
    if (ctrl && key == 'S') {
        SendMessageW(Hwnd(), WM_COMMAND, ID_COPY_STATUS_BAR, 0);
        return true;
    }
    if (key == VK_F2 || key == VK_F3) {
        SendMessageW(Hwnd(), WM_COMMAND, key == VK_F2 ? ID_TOOLS_CHECKER : ID_TOOLS_TONAL_SCALES, 0);
        return true;
    }
    // In the edits Ctrl+V stays their own paste.
    if (ctrl && key == 'V' && !inEdit) {
        SendMessageW(Hwnd(), WM_COMMAND, ID_TOOLS_PASTE_COLOR, 0);
        return true;
    }
    if (key < '1' || key > '4') {
        return checker.PreTranslateMessage(msg);
    }
    const int box = static_cast<int>(key - '1');
    if (ctrl) {
        SendMessageW(Hwnd(), WM_COMMAND, (shift ? ID_COPY_TEXT1 : ID_COPY_BOX1) + box, 0);
        return true;
    }
    if (inEdit) {
        return false;
    }
    static constexpr int kAssignBox[] = {ID_ASSIGN_BOX1, ID_ASSIGN_BOX2, ID_ASSIGN_BOX3, ID_ASSIGN_BOX4};
    static constexpr int kAssignText[] = {ID_ASSIGN_TEXT1, ID_ASSIGN_TEXT2, ID_ASSIGN_TEXT3, ID_ASSIGN_TEXT4};
    SendMessageW(Hwnd(), WM_COMMAND, (shift ? kAssignText : kAssignBox)[box], 0);
    return true;
}

PaletteOperations::SearchKey CHuewrightDlg::SearchKeyOf(WPARAM key) {
    switch (key) {
    case VK_DOWN:
        return PaletteOperations::SearchKey::Down;
    case VK_UP:
        return PaletteOperations::SearchKey::Up;
    case VK_RETURN:
        return PaletteOperations::SearchKey::Enter;
    default:
        return PaletteOperations::SearchKey::Other;
    }
}

LRESULT CHuewrightDlg::OnNotify(NMHDR& header) {
    if (header.code == TTN_NEEDTEXTW) {
        toolTips.OnToolTipNeedText(reinterpret_cast<NMTTDISPINFOW&>(header), grab.IsActive());
    }
    return 0;
}
