// The box text font in the main dialog: the "B" and "i" toggles and the fonts of the four boxes.
#include "app/CHuewrightDlg.h"

#include "framework/DcGuards.h"
#include "res/resource.h"

namespace {

constexpr const wchar_t* kToggleFace = L"Verdana";

} // namespace

void CHuewrightDlg::SetFontToggles() {
    CheckDlgButton(Hwnd(), IDC_BOLD, fontHelper->GetWeight() == 700 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(Hwnd(), IDC_ITALIC, fontHelper->GetItalic() ? BST_CHECKED : BST_UNCHECKED);
}

// Box 1 takes the font's own height; the smaller boxes let the font mapper choose theirs.
void CHuewrightDlg::ApplyBoxFonts() {
    if (!fontHelper) {
        return;
    }
    std::wstring face = fontHelper->GetFaceName();
    LONG height = fontHelper->GetHeight();

    bool bold = IsChecked(IDC_BOLD);
    CxShadeButton& boldToggle = ShadedButton(IDC_BOLD);
    boldToggle.SetToolTipText(bold ? L"Push for normal text." : L"Push for bold text.", L"");
    boldToggle.SetFont(kToggleFace, 13, bold ? 700 : 300, 0, 0);
    fontHelper->SetBold(bold);

    bool italic = IsChecked(IDC_ITALIC);
    CxShadeButton& italicToggle = ShadedButton(IDC_ITALIC);
    italicToggle.SetToolTipText(italic ? L"Push for normal text." : L"Push for italic text.", L"");
    italicToggle.SetFont(kToggleFace, 13, italic ? 700 : 300, italic ? 1 : 0, 0);
    fontHelper->SetItalic(italic);

    BYTE fontItalic = fontHelper->GetItalic();
    LONG weight = fontHelper->GetWeight();
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].SetFont(face.c_str(), i == 0 ? height : 0, weight, fontItalic, 0);
    }
    for (int id : {IDC_BOLD, IDC_ITALIC}) {
        InvalidateRect(Item(id), nullptr, TRUE);
    }
    for (auto& box : boxes) {
        InvalidateRect(box.Hwnd(), nullptr, TRUE);
    }
    MeasureBoxTexts();
}

// Points as a page would state them: the em height without internal leading, at the screen's DPI.
void CHuewrightDlg::MeasureBoxTexts() {
    WindowDc screen(Hwnd());
    const int pixelsPerInch = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    for (size_t i = 0; i < boxes.size(); ++i) {
        auto font = reinterpret_cast<HFONT>(SendMessageW(boxes[i].Hwnd(), WM_GETFONT, 0, 0));
        SelectObjectGuard select(screen.Get(), font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen.Get(), &metrics);
        const int emHeight = metrics.tmHeight - metrics.tmInternalLeading;
        boxTexts[i] = {emHeight * 72.0 / pixelsPerInch, metrics.tmWeight >= FW_BOLD};
    }
}

void CHuewrightDlg::OnSelectBoxFont() {
    if (fontHelper && fontHelper->ChooseFont()) {
        SetFontToggles();
        ApplyBoxFonts();
    }
}
