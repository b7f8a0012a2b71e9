#include "widgets/CHelp.h"

#include "res/resource.h"
#include "widgets/AboutTexts.h"

#include <string>
#include <vector>

namespace {

constexpr Color kTipBackground = 0x40BCFF;
constexpr Color kTipText = 0;
constexpr Color kButtonTint = 0xFFE2DF;

// The version of the running program's own file, or an empty text when it has none.
std::wstring ProgramVersionText() {
    wchar_t path[MAX_PATH]{};
    if (!GetModuleFileNameW(nullptr, path, MAX_PATH)) {
        return {};
    }
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<BYTE> block(size);
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", &fixed, &fixedSize) || fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return {};
    }
    const auto& info = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
    return AboutVersionText(info.dwFileVersionMS, info.dwFileVersionLS);
}

} // namespace

CHelp::CHelp() : Dialog(IDD_ABOUT) {}

// The links see their WM_DESTROY while they still exist.
CHelp::~CHelp() {
    Destroy();
}

void CHelp::DoDataExchange() {
    aboutText = Item(IDC_ABOUT_TEXT);
    webLink.Attach(Hwnd(), IDC_ABOUT_WEB_LINK);
    mailLink.Attach(Hwnd(), IDC_ABOUT_MAIL_LINK);
    okButton.Attach(Hwnd(), IDOK);
}

bool CHelp::OnInitDialog() {
    std::wstring version = ProgramVersionText();
    SetWindowTextW(Hwnd(), std::wstring(kAboutCaption).c_str());

    webLink.EnableToolTip(true);
    SetWindowTextW(webLink.Hwnd(), std::wstring(kWebSiteHost).c_str());
    webLink.SetURL(std::wstring(kWebSitePage));
    webLink.SetToolTipText(WebSiteToolTip());
    SetWindowTextW(aboutText, AboutText(version).c_str());
    webLink.SetTipColors(kTipBackground, kTipText);

    SetWindowTextW(mailLink.Hwnd(), std::wstring(kSupportAddress).c_str());
    mailLink.SetURL(SupportMailUrl(version));
    mailLink.EnableToolTip(true);
    mailLink.SetToolTipText(std::wstring(kSupportToolTip));
    mailLink.SetTipColors(kTipBackground, kTipText);

    // The look of the main dialog's tool buttons.
    okButton.SetShading(kToolButtonLook, kButtonTint);
    okButton.SetFont(L"Verdana", -9, 400, 0, 0);
    return true;
}
