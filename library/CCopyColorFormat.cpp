#include "library/CCopyColorFormat.h"

#include "app/SettingsValues.h"
#include "framework/MessageBoxes.h"
#include "res/resource.h"

#include <utility>

namespace {

// The choices in template order; a choice's position is its format number.
constexpr std::array<int, 5> kChoiceIds = {IDC_FORMAT_HTML, IDC_FORMAT_CPP, IDC_FORMAT_BASIC, IDC_FORMAT_RGB,
                                           IDC_FORMAT_CUSTOM};
constexpr int kCustomChoice = 4;
constexpr std::array<const wchar_t*, kCustomChoice> kPredefinedFormats = {L"#RRGGBB", L"0x00BBGGRR",
                                                                          L"&H00BBGGRR", L"RRR,GGG,BBB"};
constexpr const wchar_t* kFace = L"Verdana";
constexpr Color kButtonTint = 0x00FFE2DF;

} // namespace

CCopyColorFormat::CCopyColorFormat(int colorFormat, std::wstring colorFormatStr)
    : Dialog(IDD_COPY_COLOR_FORMAT), colorFormat(colorFormat), colorFormatStr(std::move(colorFormatStr)) {}

// The buttons see their WM_DESTROY while they still exist.
CCopyColorFormat::~CCopyColorFormat() {
    Destroy();
}

void CCopyColorFormat::DoDataExchange() {
    for (size_t i = 0; i < choices.size(); ++i) {
        choices[i].Attach(Hwnd(), kChoiceIds[i]);
    }
    okButton.Attach(Hwnd(), IDOK);
    cancelButton.Attach(Hwnd(), IDCANCEL);
}

// OK and Cancel look like the main dialog's tool buttons, the choices like its radios.
bool CCopyColorFormat::OnInitDialog() {
    for (CxShadeButton* button : {&okButton, &cancelButton}) {
        button->SetFont(kFace, -9, 400, 0, 0);
        button->SetShading(kToolButtonLook, kButtonTint);
    }
    for (CxShadeButton& choice : choices) {
        choice.SetFont(kFace, -10, 400, 0, 0);
        choice.SetTextAlign(BS_LEFT);
        choice.SetIcon(IDI_RADIO_OFF, BS_LEFT, IDI_RADIO_ON, 0);
    }
    // A stored number outside the choices leaves all of them clear.
    if (colorFormat >= 0 && colorFormat < static_cast<int>(choices.size())) {
        SendMessageW(choices[static_cast<size_t>(colorFormat)].Hwnd(), BM_SETCHECK, BST_CHECKED, 0);
    }
    SetDlgItemTextW(Hwnd(), IDC_FORMAT_CUSTOM_TEXT,
                    colorFormat == kCustomChoice ? colorFormatStr.c_str() : L"");
    return true;
}

// With no choice selected the number becomes 5 and the template stays as it was. A custom template
// longer than the settings can hold is refused and the dialog stays open for a shorter one.
void CCopyColorFormat::OnOK() {
    int number = 0;
    while (number < static_cast<int>(choices.size()) && !choices[static_cast<size_t>(number)].IsChecked()) {
        ++number;
    }
    if (number == kCustomChoice) {
        std::wstring custom = ItemText(IDC_FORMAT_CUSTOM_TEXT);
        if (custom.size() > kCopyFormatLimit) {
            MessageBoxes::ShowNotice(Hwnd(), L"Custom format string is too long.");
            SendMessageW(Hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_FORMAT_CUSTOM_TEXT)), TRUE);
            return;
        }
        colorFormatStr = std::move(custom);
    } else if (number < kCustomChoice) {
        colorFormatStr = kPredefinedFormats[static_cast<size_t>(number)];
    }
    colorFormat = number;
    EndDialog(IDOK);
}
