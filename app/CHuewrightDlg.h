// The main dialog: owns every control of the palette workspace and runs the start-up order, the
// commands and the close paths of the program.
#pragma once

#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"

class CHuewrightDlg : public Dialog {
public:
    static constexpr UINT_PTR kApplyFontTimer = 20059;

    CHuewrightDlg();

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool PreTranslateMessage(MSG& msg) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnTimer();
    bool OnPaintMinimized();
    void OnExit();
    void SaveStateAndQuit();
    void SetupShadeDecrement();
    void SetupOptionDefaults();
    void FillBoxPickMenu();

    HICON appIcon;
    HWND shadeDecrementBar = nullptr;
    UniqueMenu boxPickMenu;

    bool showAllColorValues = false;
    double shadeDecrement = 20.0;
};
