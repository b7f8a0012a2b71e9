// The main dialog: owns every control of the palette workspace and runs the start-up order, the
// commands and the close paths of the program.
#pragma once

#include "color/GTColorSelectorWnd.h"
#include "color/GTColorSliderWnd.h"
#include "color/GTColorWellWnd.h"
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"

#include <array>

class CHuewrightDlg : public Dialog, private ShadeDecrementSource {
public:
    static constexpr UINT_PTR kApplyFontTimer = 20059;

    CHuewrightDlg();

    GTColorSelectorWnd& Selector() { return selector; }
    GTColorSliderWnd& Slider() { return slider; }
    GTColorWellWnd& Well(int index) { return wells[index]; }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool PreTranslateMessage(MSG& msg) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    double ShadeDecrement() override { return shadeDecrement; }
    void CreateColorControls();
    void LinkColorControls();
    void SetSelectorMode(int code);
    void OnShadeDecrementChanged(HWND trackbar);
    void OnTimer();
    bool OnPaintMinimized();
    void OnExit();
    void SaveStateAndQuit();
    void SetupShadeDecrement();
    void SetupOptionDefaults();
    void FillBoxPickMenu();

    GTColorSelectorWnd selector;
    std::array<GTColorWellWnd, 4> wells;
    GTColorSliderWnd slider;
    HICON appIcon;
    HWND shadeDecrementBar = nullptr;
    UniqueMenu boxPickMenu;

    bool showAllColorValues = false;
    double shadeDecrement = 20.0;
};
