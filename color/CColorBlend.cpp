#include "color/CColorBlend.h"

#include "color/GTColorSelectorWnd.h"
#include "res/resource.h"

#include <commctrl.h>

// LoadIcon hands out a shared icon that is never destroyed, so no owner holds it.
CColorBlend::CColorBlend(Color firstColor, Color secondColor, GTColorSelectorWnd* selector)
    : Dialog(IDD_COLOR_BLEND),
      smallIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_APP_SMALL))),
      firstColor(firstColor), secondColor(secondColor), selector(selector) {}

// The swatches and the label see their WM_DESTROY while they still exist.
CColorBlend::~CColorBlend() {
    Destroy();
}

// A popup is owned by a top-level window whatever parent it is given, and that window is the one
// to disable while the blend runs: the whole main dialog, not just the field.
void CColorBlend::RunModal() {
    DoModal(GetAncestor(selector->Hwnd(), GA_ROOT));
}

void CColorBlend::DoDataExchange() {
    firstSwatch.Attach(Hwnd(), IDC_BLEND_FIRST);
    secondSwatch.Attach(Hwnd(), IDC_BLEND_SECOND);
    label.Attach(Hwnd(), IDC_BLEND_LABEL);
    percentBar = Item(IDC_BLEND_PERCENT);
}

// The trackbar opens at 50, the mix the field has already applied.
bool CColorBlend::OnInitDialog() {
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
    SendMessageW(percentBar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    SendMessageW(percentBar, TBM_SETTICFREQ, 10, 0);
    SendMessageW(percentBar, TBM_SETPOS, TRUE, 50);

    label.SetInert(1);
    label.SetBorder(0);
    label.SetShading(kLabelLook, 0);
    label.SetFont(L"Verdana", 12, 400, 0, 0);
    label.SetTextAlign(BS_LEFT);

    // Full coloring makes the swatches plain fields of the two colors.
    auto setupSwatch = [](CxShadeButton& swatch, Color color) {
        swatch.SetInert(1);
        swatch.SetBorder(0);
        swatch.SetShading(kBoxLook, color);
    };
    setupSwatch(firstSwatch, firstColor);
    setupSwatch(secondSwatch, secondColor);
    PlaceBelowRightOfSelector();
    return true;
}

void CColorBlend::PlaceBelowRightOfSelector() {
    RECT field{};
    GetWindowRect(selector->Hwnd(), &field);
    SetWindowPos(Hwnd(), nullptr, field.right + 2, field.bottom + 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

// Every move of the trackbar, by mouse or key, re-mixes at once.
INT_PTR CColorBlend::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == percentBar) {
        selector->BlendPicked(static_cast<double>(SendMessageW(percentBar, TBM_GETPOS, 0, 0)));
    }
    return Dialog::OnMessage(message, wParam, lParam);
}
