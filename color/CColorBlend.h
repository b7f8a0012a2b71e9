// The "Two-color blend" dialog: shows the two colors picked by right clicks in the color field and
// mixes them live, through the field, by the percentage of the first color on its trackbar.
#pragma once

#include "color/ColorMath.h"
#include "framework/Dialog.h"
#include "widgets/CxShadeButton.h"

class GTColorSelectorWnd;

class CColorBlend : public Dialog {
public:
    CColorBlend(Color firstColor, Color secondColor, GTColorSelectorWnd* selector);
    ~CColorBlend() override;

    // Runs the dialog modally over the selector until Escape or the close box ends it.
    void RunModal();

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceBelowRightOfSelector();

    HICON smallIcon;
    Color firstColor;
    Color secondColor;
    CxShadeButton firstSwatch;
    CxShadeButton secondSwatch;
    CxShadeButton label;
    HWND percentBar = nullptr;
    GTColorSelectorWnd* selector;
};
