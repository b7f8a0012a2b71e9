#include "app/CHuewrightDlg.h"

#include "app/StatusTexts.h"
#include "framework/ContrastTheme.h"
#include "framework/DcGuards.h"
#include "framework/Dpi.h"
#include "res/resource.h"

#include <commctrl.h>

namespace {

constexpr int kNameLimit = 63;
constexpr const wchar_t* kSettingsSection = L"Settings";

} // namespace

CHuewrightDlg::CHuewrightDlg()
    : Dialog(IDD_HUEWRIGHT), appIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP_SMALL))),
      grab(selector, ShadedButton(IDC_DESKTOP_GRAB)),
      boxFonts(boxes, ShadedButton(IDC_BOLD), ShadedButton(IDC_ITALIC)),
      toolTips({&boxes[0], &boxes[1], &boxes[2], &ShadedButton(IDC_BOLD), &ShadedButton(IDC_ITALIC)}) {}

// The controls see their WM_DESTROY while every member they point to still exists.
CHuewrightDlg::~CHuewrightDlg() {
    boxFonts.ReleaseFontHelper();
    Destroy();
}

bool CHuewrightDlg::OnInitDialog() {
    placementSettings.LoadSettingsAndPlace(kSettingsSection, Hwnd());
    toolTips.SetTooltipsOff(settings.dontShowTooltips != 0);
    showAllColorValues = settings.showAllColors != 0;
    // Without a bar the texts set later simply have nowhere to show.
    statusBar.Create(Hwnd());
    RepositionForStatusBar(Hwnd(), statusBar.Hwnd());
    boxFonts.CreateFontHelper(kSettingsSection);

    HINSTANCE instance = GetModuleHandleW(nullptr);
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconW(instance, MAKEINTRESOURCEW(IDI_APP_BIG))));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(appIcon));

    SetupShadeDecrement();
    for (int id : {IDC_EXIT, IDC_VIEW_NEXT, IDC_VIEW_PREVIOUS}) {
        SetupToolButton(id);
    }
    CreateColorControls();
    LinkColorControls();
    toolTips.EnableDialogToolTips(Hwnd(), [this](HWND tool) -> std::optional<Color> {
        for (const auto& well : wells) {
            if (well.Hwnd() == tool) {
                return well.GetColor();
            }
        }
        return std::nullopt;
    });
    OpenLibrary();
    if (library.currentPaletteIndex >= 0) {
        StartFromStoredPalette();
    }

    CheckRadioButton(Hwnd(), IDC_MODE_RED, IDC_MODE_BRIGHTNESS, IDC_MODE_SATURATION);
    selector.SetColor(settings.curColor);
    SetSelectorMode(ModeSaturation);

    SetupBoxes(settings.colors, settings.colorFormatStr);
    SetupRemainingButtons();

    SendDlgItemMessageW(Hwnd(), IDC_SEARCH, EM_LIMITTEXT, kNameLimit, 0);
    SendDlgItemMessageW(Hwnd(), IDC_PALETTE_NAME, EM_LIMITTEXT, kNameLimit, 0);
    SendDlgItemMessageW(Hwnd(), IDC_PALETTE_NAME, EM_SETREADONLY, TRUE, 0);

    SetupOptionDefaults();
    FillBoxPickMenu();
    if (library.currentPaletteIndex < 0) {
        operations.OnNewPalette();
    } else {
        operations.ShowCounter();
    }

    toolTips.ApplyTooltipOption();
    CheckMenuItem(GetMenu(Hwnd()), ID_SHOW_ALL_VALUES, showAllColorValues ? MF_CHECKED : MF_UNCHECKED);
    SetTimer(Hwnd(), kApplyFontTimer, 100, nullptr);

    checker.Restore(settings.checker);
    if (settings.checker.open) {
        ToggleChecker();
    }

    dpiLayout.Remember(WindowDpi(Hwnd()), statusBar.Hwnd());
    SetFocus(Item(IDC_MODE_SATURATION));
    return false;
}

// The window moved to a screen of another DPI; the color controls make their bitmaps for their new
// size themselves.
void CHuewrightDlg::OnDpiChanged(int dpi, const RECT& suggested) {
    dpiLayout.Rescale(Hwnd(), dpi, suggested);
    for (auto& box : boxes) {
        box.OnDpiChanged();
    }
    for (auto& button : buttons) {
        button.OnDpiChanged();
    }
    statusBar.OnDpiChanged();
    grab.OnDpiChanged();
}

void CHuewrightDlg::SetupShadeDecrement() {
    SendMessageW(shadeDecrementBar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 90));
    SendMessageW(shadeDecrementBar, TBM_SETTICFREQ, 10, 0);
    SendMessageW(shadeDecrementBar, TBM_SETPOS, TRUE, 20);
}

// Each control takes the place and the id of its placeholder, and comes just before it in z-order,
// so that looking the id up finds the control rather than the hidden frame.
void CHuewrightDlg::CreateColorControls() {
    auto create = [this](auto& control, int id, DWORD style) {
        HWND placeholder = GetDlgItem(Hwnd(), id);
        RECT r = ChildRect(placeholder);
        if (!control.Create(WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right, r.bottom, Hwnd(), id)) {
            return;
        }
        HWND before = GetWindow(placeholder, GW_HWNDPREV);
        SetWindowPos(control.Hwnd(), before ? before : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    };
    // The static styles of the frames they stand in for, which the controls themselves ignore. The
    // field, the slider and the selected-color well are tab stops, each a group of its own, so the
    // arrow keys stay theirs.
    constexpr DWORD kTabStop = WS_GROUP | WS_TABSTOP;
    create(selector, IDC_SELECTOR, SS_CENTERIMAGE | kTabStop);
    create(slider, IDC_SLIDER, SS_CENTERIMAGE | kTabStop);
    create(wells[0], IDC_WELL1, SS_NOTIFY | kTabStop);
    create(wells[1], IDC_WELL2, WS_GROUP);
    create(wells[2], IDC_WELL3, 0);
    create(wells[3], IDC_WELL4, 0);
    wells[0].SetAccessibleName(L"Selected color");
    for (int shade = 1; shade <= 3; ++shade) {
        wells[shade].SetAccessibleName(L"Shade " + std::to_wstring(shade));
    }
}

void CHuewrightDlg::LinkColorControls() {
    selector.SetLinkedSlider(&slider);
    selector.SetSelectedWell(&wells[0]);
    selector.SetShadeWells(&wells[1], &wells[2], &wells[3]);
    selector.SetNotifyWnd(Hwnd());
    selector.SetShadeSource(this);
    wells[0].SetColorSource(&selector);
    wells[0].SetNotifyWnd(Hwnd());
    slider.SetLinkedSelector(&selector);
    slider.SetNotifyWnd(Hwnd());
    selector.SetMode(SelectorModeCode(ModeHue));
    slider.SetMode(SelectorModeCode(ModeHue));
}

// Switching the mode resets the field's position, so the color is given back afterwards; that
// also brings the slider and the shades up to date.
void CHuewrightDlg::SetSelectorMode(SelectorMode mode) {
    Color kept = selector.GetColor();
    selector.SetMode(SelectorModeCode(mode));
    slider.SetMode(SelectorModeCode(mode));
    selector.SetColor(kept);
}

// Only the shades follow: setting the color again would round it through the field and move the
// marker, and a blended color would jump to a field position of its own.
void CHuewrightDlg::OnShadeDecrementChanged(HWND trackbar) {
    shadeDecrement = static_cast<double>(SendMessageW(trackbar, TBM_GETPOS, 0, 0));
    selector.NotifyColorChanged(selector.CurrentColor());
}

// One button at a time: the box radios' id range also holds box 4, which must not be touched.
void CHuewrightDlg::SetupOptionDefaults() {
    struct Initial {
        int id;
        UINT check;
    };
    static constexpr Initial kInitial[] = {
        {IDC_IN_SEQUENCE, BST_CHECKED},    {IDC_IN_REVERSE, BST_UNCHECKED}, {IDC_FIRST_TO_TEXT, BST_CHECKED},
        {IDC_FIRST_TO_BOX, BST_UNCHECKED}, {IDC_FIRST_BOX1, BST_CHECKED},   {IDC_FIRST_BOX2, BST_UNCHECKED},
        {IDC_FIRST_BOX3, BST_UNCHECKED},   {IDC_FIRST_BOX4, BST_UNCHECKED}, {IDC_AUTO_ALL, BST_UNCHECKED},
        {IDC_AUTO_FIRST, BST_UNCHECKED},
    };
    for (const auto& [id, check] : kInitial) {
        CheckDlgButton(Hwnd(), id, check);
    }
}

void CHuewrightDlg::FillBoxPickMenu() {
    boxPickMenu.Reset(CreatePopupMenu());
    AppendMenuW(boxPickMenu.Get(), MF_STRING, ID_BOX_PICK1, L"Select box1 color");
    AppendMenuW(boxPickMenu.Get(), MF_STRING, ID_BOX_PICK2, L"Select box2 color");
    AppendMenuW(boxPickMenu.Get(), MF_STRING, ID_BOX_PICK3, L"Select box3 color");
    AppendMenuW(boxPickMenu.Get(), MF_STRING, ID_BOX_PICK4, L"Select box4 color");
}

void CHuewrightDlg::OnExit() {
    if (!operations.ConfirmLeavePalette()) {
        return;
    }
    SaveStateAndQuit();
    EndDialog(IDOK);
}

// The box colors of a stored palette live in the library; only a new palette's are kept here.
void CHuewrightDlg::SaveStateAndQuit() {
    settings.curPalette = library.currentPaletteIndex;
    if (library.currentPaletteIndex == -1) {
        for (size_t i = 0; i < boxes.size(); ++i) {
            settings.colors.box[i] = boxes[i].BoxColor();
            settings.colors.text[i] = boxes[i].TextColor();
        }
    }
    settings.dontShowTooltips = toolTips.TooltipsOff();
    settings.curColor = wells[0].GetColor();
    settings.showAllColors = showAllColorValues;
    settings.checker = checker.State();
    placementSettings.SaveSettingsAndPlacement(kSettingsSection, Hwnd());
    PostQuitMessage(0);
}

INT_PTR CHuewrightDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == CDesktopGrab::kRereadTimer) {
            grab.OnRereadTimer();
        } else {
            OnTimer();
        }
        return TRUE;
    case WM_PAINT:
        return OnPaintMinimized();
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == shadeDecrementBar) {
            OnShadeDecrementChanged(shadeDecrementBar);
        }
        return TRUE;
    case WM_SHOW_LIBRARY_PROBLEM:
        ShowLibraryProblem();
        return TRUE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(appIcon);
    case WM_COLORWELL_APPLIED:
        AutoAssignAll();
        return TRUE;
    case WM_COLORWELL_CHANGED:
        AutoAssignFirst();
        UpdateScales();
        return TRUE;
    case WM_COLORCTRL_STATUS:
        OnColorCtrlStatus(wParam);
        return TRUE;
    case WM_SHADEBUTTON_BOXCHANGED:
        OnBoxChanged(static_cast<BoxChange>(wParam));
        return TRUE;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        OnSystemColorsChanged(message, wParam, lParam);
        return FALSE;
    case WM_MOUSEMOVE:
        if (grab.IsActive()) {
            grab.TrackDesktopGrab();
        }
        return FALSE;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (grab.IsActive()) {
            grab.EndDesktopGrab();
        }
        return FALSE;
    default:
        return Dialog::OnMessage(message, wParam, lParam);
    }
}

// The selector and slider report tracking locks and every color change; the bar shows both.
void CHuewrightDlg::OnColorCtrlStatus(WPARAM status) {
    switch (status) {
    case StatusLocked:
    case StatusUnlocked:
        statusBar.SetLockText(status == StatusLocked);
        break;
    case StatusColorChanged:
        statusBar.SetText(ColorStatusText(
            {wells[0].GetColor(), wells[1].GetColor(), wells[2].GetColor(), wells[3].GetColor()},
            showAllColorValues));
        break;
    }
}

// The timer only has to fire once, after the dialog first goes idle.
void CHuewrightDlg::OnTimer() {
    KillTimer(Hwnd(), kApplyFontTimer);
    if (boxFonts.HasFontHelper()) {
        boxFonts.SetFontToggles();
        boxFonts.ApplyBoxFonts();
    }
}

// A contrast theme turned on or off, or the system colors changed: the controls hear of the colors,
// and everything is painted again in the colors now in force.
void CHuewrightDlg::OnSystemColorsChanged(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool themeChanged = RereadContrastTheme();
    if (message == WM_SYSCOLORCHANGE) {
        for (HWND child = GetWindow(Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            SendMessageW(child, message, wParam, lParam);
        }
    }
    if (themeChanged || message == WM_SYSCOLORCHANGE) {
        RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
}

bool CHuewrightDlg::OnPaintMinimized() {
    if (!IsIconic(Hwnd())) {
        return false;
    }
    PaintDc paint(Hwnd());
    HDC dc = paint.Get();
    SendMessageW(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(Hwnd(), &client);
    int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, appIcon);
    return true;
}
