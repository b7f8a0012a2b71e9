#include "app/CDialogToolTips.h"

#include "app/AccessibleTexts.h"
#include "framework/Dpi.h"

#include "res/resource.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

struct TipText {
    int id;
    const wchar_t* text;
};

constexpr TipText kTipTexts[] = {
    {IDC_BOX_PICK, L"Set a palette box color as the selected color."},
    {IDC_DESKTOP_GRAB, L"Click to grab a color from the desktop."},
    {IDC_SELECTOR,
     L"Left-click (and drag) to select a new color.\r\nUse the Ctrl key to lock or unlock mouse "
     L"tracking.\r\nRight-click to select 1st and 2nd colors to blend."},
    {IDC_SLIDER,
     L"Move the slider up and down to adjust the selected parameter.\r\nYou can also use the up/down "
     L"arrow keys.\r\nUse the Ctrl key to lock or unlock mouse tracking."},
    {IDC_WELL1, L"Left-click to assign color to test palette boxes below; right-click for text."},
    {IDC_WELL2, L"You can also drag-and-drop while holding down left or right mouse button."},
    {IDC_WELL3, L"Left- or right-click to assign color to palette box 3 or its text, respectively."},
    {IDC_WELL4, L"Left- or right-click to assign color to palette box 4 or its text, respectively"},
};

} // namespace

CDialogToolTips::CDialogToolTips(std::vector<CxShadeButton*> optionButtons)
    : optionButtons(std::move(optionButtons)) {}

// The tooltip is an owned popup, which the system destroys with the dialog. It is made when the
// pointer first comes to one of its tools: the first screen does not show it, and a popup window
// is among the dearest things to make under Wine.
void CDialogToolTips::EnableDialogToolTips(HWND dialogWindow,
                                           std::function<std::optional<Color>(HWND tool)> colorOfTool) {
    dialog = dialogWindow;
    colorShown = std::move(colorOfTool);
    tools.clear();
    for (const TipText& tip : kTipTexts) {
        tools.push_back(GetDlgItem(dialog, tip.id));
    }
}

void CDialogToolTips::CreateDialogToolTip() {
    dialogToolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
    for (HWND toolWindow : tools) {
        TOOLINFOW tool{sizeof(tool)};
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(toolWindow);
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(dialogToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// The tools' mouse messages are handed on from the dialog's loop rather than by letting the tooltip
// subclass each tool: a subclassed window costs a window-property lookup on every message, and under
// Wine each lookup is a round trip to the server, many per drag move.
void CDialogToolTips::RelayEvent(MSG& msg) {
    if (!dialog || msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST ||
        std::find(tools.begin(), tools.end(), msg.hwnd) == tools.end()) {
        return;
    }
    if (!dialogToolTip) {
        CreateDialogToolTip();
    }
    SendMessageW(dialogToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

bool CDialogToolTips::OnToolTipNeedText(NMTTDISPINFOW& request, bool grabActive) {
    if (!(request.uFlags & TTF_IDISHWND) || tooltipsOff || grabActive) {
        return false;
    }
    const auto tool = reinterpret_cast<HWND>(request.hdr.idFrom);
    const int id = GetDlgCtrlID(tool);
    const auto tip = std::ranges::find(kTipTexts, id, &TipText::id);
    if (tip == std::end(kTipTexts)) {
        return false;
    }
    tipText = tip->text;
    if (auto color = colorShown ? colorShown(tool) : std::nullopt) {
        tipText += L"\r\n" + NamedColorText(*color);
    }
    SendMessageW(request.hdr.hwndFrom, TTM_SETMAXTIPWIDTH, 0, ScaleForWindow(request.hdr.hwndFrom, 600));
    SendMessageW(request.hdr.hwndFrom, TTM_SETDELAYTIME, TTDT_AUTOPOP, 10000);
    request.lpszText = tipText.data();
    request.hinst = nullptr;
    return true;
}

void CDialogToolTips::OnTooltipOption() {
    tooltipsOff = !tooltipsOff;
    ApplyTooltipOption();
}

void CDialogToolTips::ApplyTooltipOption() {
    for (CxShadeButton* button : optionButtons) {
        button->ActivateToolTip(!tooltipsOff);
    }
    CheckMenuItem(GetMenu(dialog), ID_NO_TOOLTIPS, tooltipsOff ? MF_CHECKED : MF_UNCHECKED);
}
