// "View in Browser": the workspace as it is on the screen, written as huewright.html in the
// working folder and handed to the shell, which opens it in the user's browser.
#include "app/CHuewrightDlg.h"

#include "framework/MessageBoxes.h"
#include "framework/SystemError.h"
#include "library/TestPage.h"
#include "res/resource.h"

#include <shellapi.h>

namespace {

constexpr const wchar_t* kTestPageFile = L"huewright.html";

// The document is already in its final bytes, line ends included.
DWORD WriteWholeFile(const wchar_t* name, const std::string& bytes) {
    UniqueFile file(
        CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        return GetLastError();
    }
    return written == bytes.size() ? 0 : ERROR_WRITE_FAULT;
}

} // namespace

void CHuewrightDlg::OnViewInBrowser() {
    TestPageInputs inputs;
    inputs.colors = WorkspaceColors();
    inputs.pointSize = boxFonts.FontHelper().GetPointSize();
    std::wstring face = boxFonts.FontHelper().GetFaceName();
    inputs.faceName.assign(face.begin(), face.end());
    inputs.bold = IsChecked(IDC_BOLD);
    inputs.italic = IsChecked(IDC_ITALIC);

    if (DWORD error = WriteWholeFile(kTestPageFile, TestPageDocument(inputs))) {
        MessageBoxes::ShowRefusal(Hwnd(), std::wstring(L"The HTML test page \"") + kTestPageFile +
                                              L"\" could not be written:\n" + SystemErrorText(error));
        return;
    }
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::wstring address = std::wstring(L"file://") + folder + L"\\" + kTestPageFile;
    // Whether a browser opens is the shell's business; nothing is said when none does.
    ShellExecuteW(Hwnd(), nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
