// The main dialog's shaded buttons: which template controls they are, and the look each one is
// given at start-up. The order of the SetShading calls fixes the textures, which draw on one random
// sequence for the whole program.
#include "app/CHuewrightDlg.h"

#include "res/resource.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::array<int, 4> kBoxIds = {IDC_BOX1, IDC_BOX2, IDC_BOX3, IDC_BOX4};

// Every other shaded button, in the order of the binding table.
constexpr std::array<int, 30> kButtonIds = {
    IDC_EXIT,
    IDC_SHADES_LABEL,
    IDC_VIEW_IN_BROWSER,
    IDC_SAVE_PALETTE,
    IDC_VIEW_NEXT,
    IDC_VIEW_PREVIOUS,
    IDC_DELETE_PALETTE,
    IDC_NEW_PALETTE,
    IDC_PALETTE_COUNTER,
    IDC_AUTO_ALL,
    IDC_AUTO_FIRST,
    IDC_FIRST_BOX1,
    IDC_FIRST_BOX2,
    IDC_FIRST_BOX3,
    IDC_FIRST_BOX4,
    IDC_IN_SEQUENCE,
    IDC_IN_REVERSE,
    IDC_MODE_RED,
    IDC_MODE_GREEN,
    IDC_MODE_BLUE,
    IDC_MODE_HUE,
    IDC_MODE_SATURATION,
    IDC_MODE_BRIGHTNESS,
    IDC_COLOR_VALUE_LABEL,
    IDC_FIRST_TO_TEXT,
    IDC_FIRST_TO_BOX,
    IDC_BOLD,
    IDC_ITALIC,
    IDC_BOX_PICK,
    IDC_DESKTOP_GRAB,
};

constexpr const wchar_t* kFace = L"Verdana";
constexpr Color kToolButtonTint = 0x00FFE2DF;
constexpr const wchar_t* kBoxTip = L"Left-click to copy box color; right-click for text color.";
constexpr const wchar_t* kNestedBoxTip = L"Left-click to copy box color; right-click for text color.\nPress "
                                         L"the Ctrl key down for the nested box 4.";

constexpr std::array<int, 14> kRadioIds = {
    IDC_MODE_RED,        IDC_MODE_GREEN,    IDC_MODE_BLUE,    IDC_MODE_HUE,   IDC_MODE_SATURATION,
    IDC_MODE_BRIGHTNESS, IDC_FIRST_TO_TEXT, IDC_FIRST_TO_BOX, IDC_FIRST_BOX1, IDC_FIRST_BOX2,
    IDC_FIRST_BOX3,      IDC_FIRST_BOX4,    IDC_IN_SEQUENCE,  IDC_IN_REVERSE,
};

} // namespace

CxShadeButton& CHuewrightDlg::ShadedButton(int id) {
    auto box = std::find(kBoxIds.begin(), kBoxIds.end(), id);
    if (box != kBoxIds.end()) {
        return boxes[static_cast<size_t>(box - kBoxIds.begin())];
    }
    auto button = std::find(kButtonIds.begin(), kButtonIds.end(), id);
    if (button == kButtonIds.end()) {
        throw std::out_of_range("no shaded button with this id");
    }
    return buttons[static_cast<size_t>(button - kButtonIds.begin())];
}

void CHuewrightDlg::DoDataExchange() {
    shadeDecrementBar = Item(IDC_SHADE_DECREMENT);
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].Attach(Hwnd(), kBoxIds[i]);
    }
    for (size_t i = 0; i < buttons.size(); ++i) {
        buttons[i].Attach(Hwnd(), kButtonIds[i]);
    }
    nameEdit.Attach(Hwnd(), IDC_PALETTE_NAME);
}

// Exit, the palette buttons and View in Browser: the tool button look tinted toward lavender.
void CHuewrightDlg::SetupToolButton(int id) {
    CxShadeButton& button = ShadedButton(id);
    button.SetFont(kFace, -9, 400, 0, 0);
    button.SetShading(kToolButtonLook, kToolButtonTint);
}

void CHuewrightDlg::SetupBoxes(const PaletteColors& colors, const std::wstring& copyFormat) {
    constexpr std::array<LONG, 4> kBoxFontHeights = {18, 14, 14, 12};
    for (size_t i = 0; i < boxes.size(); ++i) {
        CxShadeButton& box = boxes[i];
        box.SetInert(1);
        box.SetPaletteBoxMode(1);
        box.SetBorder(0);
        box.SetShading(kBoxLook, colors.box[i]);
        box.SetFont(kFace, kBoxFontHeights[i], 300, 0, 0);
        if (i == 2) {
            box.SetTextAlign(BS_TOP);
        }
        if (i < 3) {
            box.SetToolTipText(i == 2 ? kNestedBoxTip : kBoxTip, {});
        }
        box.SetTextColor(colors.text[i]);
        box.SetAccessibleName(L"Box " + std::to_wstring(i + 1));
    }
    boxes[2].SetNestedBox(&boxes[3]);
    for (auto& box : boxes) {
        box.SetCopyFormat(copyFormat);
    }
    for (size_t i = 0; i < wells.size(); ++i) {
        wells[i].SetTargetBox(&boxes[i]);
    }
    wells[2].SetNestedBox(&boxes[3]);
}

void CHuewrightDlg::SetupRemainingButtons() {
    for (int id : {IDC_VIEW_IN_BROWSER, IDC_SAVE_PALETTE, IDC_DELETE_PALETTE, IDC_NEW_PALETTE}) {
        SetupToolButton(id);
    }
    auto setupLabel = [this](int id, LONG weight, UINT align) {
        CxShadeButton& label = ShadedButton(id);
        label.SetInert(1);
        label.SetBorder(0);
        label.SetShading(kLabelLook, 0);
        label.SetFont(kFace, 14, weight, 0, 0);
        label.SetTextAlign(align);
    };
    setupLabel(IDC_SHADES_LABEL, 700, BS_LEFT);
    setupLabel(IDC_PALETTE_COUNTER, 400, BS_RIGHT);

    auto setupOption = [this](int id, int iconId, int checkedIconId) {
        CxShadeButton& option = ShadedButton(id);
        option.SetFont(kFace, -10, 400, 0, 0);
        option.SetTextAlign(BS_LEFT);
        option.SetIcon(iconId, BS_LEFT, checkedIconId, 0);
        option.SetShading(kPlainLook, 0);
    };
    setupOption(IDC_AUTO_ALL, IDI_CHECK_OFF, IDI_CHECK_ON);
    setupOption(IDC_AUTO_FIRST, IDI_CHECK_OFF, IDI_CHECK_ON);
    for (int id : kRadioIds) {
        setupOption(id, IDI_RADIO_OFF, IDI_RADIO_ON);
    }

    CxShadeButton& valueLabel = ShadedButton(IDC_COLOR_VALUE_LABEL);
    valueLabel.SetInert(1);
    valueLabel.SetBorder(0);
    valueLabel.SetFont(kFace, -10, 400, 0, 0);
    valueLabel.SetTextAlign(BS_LEFT);
    valueLabel.SetShading(kPlainLook, 0);

    ShadedButton(IDC_DESKTOP_GRAB).SetIcon(IDI_GRAB, BS_CENTER, IDI_GRAB_PRESSED, IDI_GRAB_PRESSED);
    ShadedButton(IDC_DESKTOP_GRAB).SetAccessibleName(L"Grab a color from the desktop");
    ShadedButton(IDC_BOX_PICK).SetIcon(IDI_BOXPICK, BS_CENTER, IDI_BOXPICK_PRESSED, IDI_BOXPICK_PRESSED);
    ShadedButton(IDC_BOX_PICK).SetAccessibleName(L"Set a palette box color as the selected color");

    CxShadeButton& bold = ShadedButton(IDC_BOLD);
    bold.SetFont(kFace, 13, 300, 0, 0);
    bold.SetTextAlign(BS_CENTER);
    bold.SetToolTipText(L"Push for bold text.", {});
    bold.SetAccessibleName(L"Bold");
    CxShadeButton& italic = ShadedButton(IDC_ITALIC);
    italic.SetFont(kFace, 13, 300, 0, 0);
    italic.SetTextAlign(BS_CENTER);
    italic.SetToolTipText(L"Push for italic text.", {});
    italic.SetAccessibleName(L"Italic");
}

// Background colors first, then the text colors, then one repaint, as a shown palette always is.
void CHuewrightDlg::ShowPaletteColors(const PaletteColors& colors) {
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].SetShading(kGrainedBoxLook, colors.box[i]);
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].SetTextColor(colors.text[i]);
    }
    for (auto& box : boxes) {
        InvalidateRect(box.Hwnd(), nullptr, TRUE);
    }
}
