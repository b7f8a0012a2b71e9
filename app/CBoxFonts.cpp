#include "app/CBoxFonts.h"

#include "framework/DcGuards.h"

namespace {

constexpr const wchar_t* kToggleFace = L"Verdana";

} // namespace

CBoxFonts::CBoxFonts(std::array<CxShadeButton, 4>& boxes, CxShadeButton& boldToggle,
                     CxShadeButton& italicToggle)
    : boxes(boxes), boldToggle(boldToggle), italicToggle(italicToggle) {}

void CBoxFonts::CreateFontHelper(const wchar_t* section) {
    fontHelper = std::make_unique<CFontHelper>(section, L"Font");
}

void CBoxFonts::SetFontToggles() {
    SendMessageW(boldToggle.Hwnd(), BM_SETCHECK, fontHelper->GetWeight() == 700 ? BST_CHECKED : BST_UNCHECKED,
                 0);
    SendMessageW(italicToggle.Hwnd(), BM_SETCHECK, fontHelper->GetItalic() ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Box 1 takes the font's own height; the smaller boxes let the font mapper choose theirs.
void CBoxFonts::ApplyBoxFonts() {
    if (!fontHelper) {
        return;
    }
    std::wstring face = fontHelper->GetFaceName();
    LONG height = fontHelper->GetHeight();

    bool bold = boldToggle.IsChecked();
    boldToggle.SetToolTipText(bold ? L"Push for normal text." : L"Push for bold text.", L"");
    boldToggle.SetFont(kToggleFace, 13, bold ? 700 : 300, 0, 0);
    fontHelper->SetBold(bold);

    bool italic = italicToggle.IsChecked();
    italicToggle.SetToolTipText(italic ? L"Push for normal text." : L"Push for italic text.", L"");
    italicToggle.SetFont(kToggleFace, 13, italic ? 700 : 300, italic ? 1 : 0, 0);
    fontHelper->SetItalic(italic);

    BYTE fontItalic = fontHelper->GetItalic();
    LONG weight = fontHelper->GetWeight();
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].SetFont(face.c_str(), i == 0 ? height : 0, weight, fontItalic, 0);
    }
    for (CxShadeButton* toggle : {&boldToggle, &italicToggle}) {
        InvalidateRect(toggle->Hwnd(), nullptr, TRUE);
    }
    for (auto& box : boxes) {
        InvalidateRect(box.Hwnd(), nullptr, TRUE);
    }
}

void CBoxFonts::MeasureBoxTexts() {
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxTexts[i] = boxes[i].TextStyle();
    }
}

void CBoxFonts::OnSelectBoxFont() {
    if (fontHelper && fontHelper->ChooseFont()) {
        SetFontToggles();
        ApplyBoxFonts();
    }
}
