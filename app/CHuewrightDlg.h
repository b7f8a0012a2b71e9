// The main dialog: owns every control of the palette workspace and runs the start-up order, the
// commands and the close paths of the program.
#pragma once

#include "app/CBoxFonts.h"
#include "app/CDesktopGrab.h"
#include "app/CDialogToolTips.h"
#include "app/CDlgStatusBar.h"
#include "app/CPaletteChecker.h"
#include "app/CTonalScalesWindow.h"
#include "app/PlacementSettings.h"
#include "color/GTColorSelectorWnd.h"
#include "color/GTColorSliderWnd.h"
#include "color/GTColorWellWnd.h"
#include "framework/Dialog.h"
#include "framework/DialogDpiLayout.h"
#include "framework/UniqueHandle.h"
#include "library/PaletteColors.h"
#include "library/PaletteLibrary.h"
#include "library/PaletteOperations.h"
#include "widgets/CXTipEdit.h"
#include "widgets/CxShadeButton.h"

#include <array>
#include <string>

class CHuewrightDlg : public Dialog,
                      private ShadeDecrementSource,
                      private PaletteView,
                      private FixReceiver,
                      private ScaleColorReceiver {
public:
    static constexpr UINT_PTR kApplyFontTimer = 20059;
    static constexpr UINT WM_SHOW_LIBRARY_PROBLEM = WM_APP + 1;

    CHuewrightDlg();
    ~CHuewrightDlg() override;

    GTColorSelectorWnd& Selector() { return selector; }
    GTColorSliderWnd& Slider() { return slider; }
    GTColorWellWnd& Well(int index) { return wells[index]; }
    // Box 1..4 as index 0..3.
    CxShadeButton& Box(int index) { return boxes[index]; }
    // Any shaded button of the dialog by its control id, boxes included.
    CxShadeButton& ShadedButton(int id);
    const CPaletteChecker& Checker() const { return checker; }
    const CTonalScalesWindow& Scales() const { return scales; }
    const CGrabMagnifier& Magnifier() const { return grab.Magnifier(); }
    const SettingsValues& Settings() const { return settings; }

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool PreTranslateMessage(MSG& msg) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    double ShadeDecrement() override { return shadeDecrement; }
    void CreateColorControls();
    void OnDpiChanged(int dpi, const RECT& suggested);
    void LinkColorControls();
    void SetSelectorMode(SelectorMode mode);
    void OnShadeDecrementChanged(HWND trackbar);
    void OnTimer();
    void OnSystemColorsChanged(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnPaintMinimized();
    void OnExit();
    void SaveStateAndQuit();
    void SetupShadeDecrement();
    void SetupOptionDefaults();
    void FillBoxPickMenu();
    void SetupToolButton(int id);
    void SetupBoxes(const PaletteColors& colors, const std::wstring& copyFormat);
    void SetupRemainingButtons();
    void ShowPaletteColors(const PaletteColors& colors);

    // The palette library at start-up.
    void OpenLibrary();
    void StartFromStoredPalette();
    void ShowLibraryProblem();
    void OnLibraryButton(int id);

    // Menu commands and keys.
    void CopyColorToClipboard(Color color);
    void CopySelectedColorAs(UINT id);
    void OnUserGuide();
    void OnSetCopyFormat();

    LRESULT OnNotify(NMHDR& header) override;
    void OnColorCtrlStatus(WPARAM status);
    // On Enter, or when the field loses the focus (`leaving`).
    void ApplyColorEntry(bool leaving);
    void OnViewInBrowser();
    static PaletteOperations::SearchKey SearchKeyOf(WPARAM key);

    // The palette as the library operations see it.
    std::u16string CounterText() override;
    void SetCounterText(const std::u16string& text) override;
    std::u16string NameText() override;
    void SetNameText(const std::u16string& text) override;
    void SelectName() override;
    std::u16string SearchText() override;
    bool AskYesNo(const std::u16string& text) override;
    bool ConfirmDelete(const std::u16string& text) override;
    void ShowRefusal(const std::u16string& text) override;
    void ReportWriteFailure(FileError error) override;
    PaletteColors WorkspaceColors() override;
    LogFontImage WorkspaceFont() override;
    LogFontImage DefaultFont() override;
    bool WorkspaceFontIsDefault() override;
    bool WorkspaceFontIsSame(const LogFontImage& font) override;
    void ShowPaletteContent(const PaletteRecord& record) override;
    void ClearUndoTarget() override;

    // The palette workspace: wells to boxes, auto-assignment and Undo.
    void AutoAssignAll();
    void AutoAssignFirst();
    void OnAutoAssignOption(int id);
    void OnAssign(int commandId);
    void Undo();
    void OnBoxPickButton();
    void ApplyBoxPick(int index);
    void GiveBoxColor(int index, Color color, const ShadeLook& look);
    // The checker's fixes.
    void ApplyFix(const ChosenFix& fix) override;
    void ApplyFixes(std::span<const ChosenFix> fixes) override;

    // The Tools menu: the checker, export and import, and pasting a color.
    void ToggleChecker();
    void ToggleScales();
    void UpdateScales();
    void TakeScaleColor(Color color) override;
    void OnBoxChanged(BoxChange change);
    void OnExport(bool wholeLibrary);
    void OnImport();
    void OnPasteColor();
    void OnMakeDarkVariant();

    GTColorSelectorWnd selector;
    std::array<GTColorWellWnd, 4> wells;
    GTColorSliderWnd slider;
    std::array<CxShadeButton, 4> boxes;
    std::array<CxShadeButton, 30> buttons;
    CXTipEdit nameEdit;
    HICON appIcon;
    HWND shadeDecrementBar = nullptr;
    UniqueMenu boxPickMenu;
    CDlgStatusBar statusBar;
    DialogDpiLayout dpiLayout;
    CDesktopGrab grab;
    CBoxFonts boxFonts;
    CDialogToolTips toolTips;
    CPaletteChecker checker{this};
    CTonalScalesWindow scales{this};

    SettingsValues settings;
    PlacementSettings placementSettings{settings};
    PaletteLibrary library;
    PaletteOperations operations{library, *this};
    // Said once, after the window is up, when the library file cannot be used as it should.
    std::wstring libraryProblem;
    // Why the library file could not be opened or read at start; 0 when it could.
    FileError libraryOpenError = 0;
    bool showAllColorValues = false;
    double shadeDecrement = 20.0;
};
