// The palette checker's fixes: the contrast target, the nearest passing colors of each box that
// fails it, and the buttons that give them to the boxes.
#include "app/CPaletteChecker.h"

#include "app/SettingsValues.h"
#include "library/ColorFormat.h"

#include <vector>

namespace {

// The window itself or one of its controls, or a child of one (a combo box's edit).
bool IsWithin(HWND window, HWND focus) {
    return focus && (focus == window || IsChild(window, focus));
}

void SetTextIfChanged(HWND control, const std::wstring& text) {
    wchar_t shownText[64] = {};
    GetWindowTextW(control, shownText, static_cast<int>(std::size(shownText)));
    if (text != shownText) {
        SetWindowTextW(control, text.c_str());
    }
}

} // namespace

void CPaletteChecker::CreateFixControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    auto create = [&](const wchar_t* className, const wchar_t* text, DWORD style, int id) -> HWND {
        HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_TABSTOP | style, 0, 0, 0, 0, Hwnd(),
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
        return control;
    };
    targetChoice = create(L"COMBOBOX", L"", WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, kTargetChoiceId);
    for (const wchar_t* label : kContrastTargetLabels) {
        SendMessageW(targetChoice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    }
    SendMessageW(targetChoice, CB_SETCURSEL, static_cast<WPARAM>(remembered.target), 0);
    fixAll = create(L"BUTTON", L"Fix all text colors", WS_VISIBLE | BS_PUSHBUTTON, kFixAllId);
    for (int box = 0; box < 4; ++box) {
        for (bool text : {true, false}) {
            FixButton(box, text) = create(L"BUTTON", L"", BS_PUSHBUTTON, FixButtonId(box, text));
        }
    }
    PlaceFixControls();
}

void CPaletteChecker::FindFixes() {
    for (int box = 0; box < 4; ++box) {
        const Color text = shown->colors.text[box];
        const Color background = shown->colors.box[box];
        const TextSize size = TextSizeOf(shown->text[box].pointSize, shown->text[box].bold);
        BoxFixes& found = fixes[box];
        found.fails = !PassesTarget(text, background, size, remembered.target);
        found.text = found.fails ? FixText(text, background, size, remembered.target) : std::nullopt;
        found.background =
            found.fails ? FixBackground(text, background, size, remembered.target) : std::nullopt;
    }
}

// Only what changed is set, as every setting is a round trip to the server under Wine (and so is
// finding a child by its id, so the controls are kept at hand). A button that
// goes while it has the focus hands it on to the next control, so the keyboard is never left nowhere.
void CPaletteChecker::ShowFixControls() {
    const HWND focus = GetFocus();
    HWND lostFocus = nullptr;
    bool anyTextFix = false;
    for (int box = 0; box < 4; ++box) {
        for (bool text : {true, false}) {
            const HWND button = FixButton(box, text);
            const auto& fix = text ? fixes[box].text : fixes[box].background;
            if (fix) {
                SetTextIfChanged(button, L"Use " + FormatColor(fix->color, kDefaultCopyFormat) +
                                             (text ? L" for text" : L" for background"));
            }
            if (!fix && button == focus) {
                lostFocus = button;
            }
            if (static_cast<bool>(fix) != static_cast<bool>(IsWindowVisible(button))) {
                ShowWindow(button, fix ? SW_SHOWNA : SW_HIDE);
            }
            anyTextFix = anyTextFix || (text && fix);
        }
    }
    if (anyTextFix != static_cast<bool>(IsWindowEnabled(fixAll))) {
        if (!anyTextFix && focus == fixAll) {
            lostFocus = fixAll;
        }
        EnableWindow(fixAll, anyTextFix);
    }
    if (lostFocus) {
        const HWND next = GetNextDlgTabItem(Hwnd(), lostFocus, FALSE);
        SetFocus(next && next != lostFocus ? next : targetChoice);
    }
}

void CPaletteChecker::ChooseTarget(ContrastTarget target) {
    remembered.target = target;
    SendMessageW(targetChoice, CB_SETCURSEL, static_cast<WPARAM>(target), 0);
    shown.reset();
    InvalidateRect(Hwnd(), nullptr, FALSE);
}

// A click applies what the checker shows: a palette changed since its last paint is checked first.
void CPaletteChecker::OnCommand(int id, int code) {
    if (id == kTargetChoiceId && code == CBN_SELCHANGE) {
        const LRESULT chosen = SendMessageW(targetChoice, CB_GETCURSEL, 0, 0);
        if (chosen >= 0 && chosen < static_cast<LRESULT>(std::size(kContrastTargetLabels))) {
            ChooseTarget(static_cast<ContrastTarget>(chosen));
        }
        return;
    }
    if (code != BN_CLICKED || !receiver) {
        return;
    }
    if (shown != input) {
        Recheck();
    }
    std::vector<ChosenFix> chosen;
    for (int box = 0; box < 4; ++box) {
        if (fixes[box].text && (id == kFixAllId || id == FixButtonId(box, true))) {
            chosen.push_back({box, true, fixes[box].text->color});
        }
        if (fixes[box].background && id == FixButtonId(box, false)) {
            chosen.push_back({box, false, fixes[box].background->color});
        }
    }
    if (id == kFixAllId) {
        receiver->ApplyFixes(chosen);
    } else if (!chosen.empty()) {
        receiver->ApplyFix(chosen.front());
    }
}

bool CPaletteChecker::IsChoosingTarget() const {
    return IsOpen() && SendMessageW(targetChoice, CB_GETDROPPEDSTATE, 0, 0);
}

// Tab and the arrows walk the checker's controls; Enter presses the focused button, as in a dialog.
bool CPaletteChecker::PreTranslateMessage(MSG& msg) {
    if (!IsOpen() || !IsWithin(Hwnd(), msg.hwnd)) {
        return false;
    }
    const HWND focus = GetFocus();
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN &&
        (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) {
        SendMessageW(focus, BM_CLICK, 0, 0);
        return true;
    }
    return IsDialogMessageW(Hwnd(), &msg);
}
