// The main dialog's tooltips: its own tooltip, which gives the texts of the color controls and the
// two icon buttons (a well's also names its color), and the option that turns those and the shaded
// buttons' tooltips off.
#pragma once

#include "color/ColorMath.h"
#include "widgets/CxShadeButton.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class CDialogToolTips {
public:
    // The shaded buttons whose own tooltips follow the option.
    explicit CDialogToolTips(std::vector<CxShadeButton*> optionButtons);

    // `colorShown` gives the color a tool shows, if it shows one.
    void EnableDialogToolTips(HWND dialog, std::function<std::optional<Color>(HWND tool)> colorShown);
    // Hands a mouse message of the dialog's loop to the tooltip when it is for one of the tools.
    void RelayEvent(MSG& msg);
    // Gives the text for `request`, unless tooltips are off or a desktop grab runs.
    bool OnToolTipNeedText(NMTTDISPINFOW& request, bool grabActive);

    bool TooltipsOff() const { return tooltipsOff; }
    void SetTooltipsOff(bool off) { tooltipsOff = off; }
    // The menu command: toggles the option, then applies it.
    void OnTooltipOption();
    // Shows the option on the buttons and the menu's check mark.
    void ApplyTooltipOption();

private:
    void CreateDialogToolTip();

    std::vector<CxShadeButton*> optionButtons;
    HWND dialog = nullptr;
    HWND dialogToolTip = nullptr;
    std::vector<HWND> tools;
    std::function<std::optional<Color>(HWND tool)> colorShown;
    // Handed to the tooltip, which reads it after the notification.
    std::wstring tipText;
    bool tooltipsOff = false;
};
