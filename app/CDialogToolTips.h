// The main dialog's tooltips: its own tooltip, which gives the texts of the color controls and the
// two icon buttons, and the option that turns those and the shaded buttons' tooltips off.
#pragma once

#include "widgets/CxShadeButton.h"

#include <windows.h>

#include <commctrl.h>

#include <vector>

class CDialogToolTips {
public:
    // The shaded buttons whose own tooltips follow the option.
    explicit CDialogToolTips(std::vector<CxShadeButton*> optionButtons);

    void EnableDialogToolTips(HWND dialog);
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
    bool tooltipsOff = false;
};
