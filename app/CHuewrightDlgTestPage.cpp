// "View in Browser": the workspace as it is on the screen, written as huewright.html in the
// working folder and handed to the shell, which opens it in the user's browser; with the palette's
// dark variant when the library holds it right after the shown palette.
#include "app/CHuewrightDlg.h"

#include "framework/MessageBoxes.h"
#include "framework/ShellFunctions.h"
#include "framework/SystemError.h"
#include "library/TestPage.h"
#include "library/WholeFiles.h"
#include "res/resource.h"

namespace {

constexpr const wchar_t* kTestPageFile = L"huewright.html";

} // namespace

void CHuewrightDlg::OnViewInBrowser() {
    TestPageInputs inputs;
    inputs.colors = WorkspaceColors();
    inputs.pointSize = boxFonts.FontHelper().GetPointSize();
    std::wstring face = boxFonts.FontHelper().GetFaceName();
    inputs.faceName.assign(face.begin(), face.end());
    inputs.bold = IsChecked(IDC_BOLD);
    inputs.italic = IsChecked(IDC_ITALIC);
    const int shown = library.currentPaletteIndex;
    if (shown >= 0 && shown + 1 < library.Count() &&
        RecordName(library.Record(shown + 1)) == RecordName(library.Record(shown)) + u" (dark)") {
        inputs.dark = RecordColors(library.Record(shown + 1));
    }

    // Written beside the old page and then put in its place, so a failed write leaves the old page whole.
    if (DWORD error = WriteWholeFile(kTestPageFile, TestPageDocument(inputs))) {
        MessageBoxes::ShowRefusal(Hwnd(), std::wstring(L"The HTML test page \"") + kTestPageFile +
                                              L"\" could not be written:\n" + SystemErrorText(error));
        return;
    }
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    std::wstring address = std::wstring(L"file://") + folder + L"\\" + kTestPageFile;
    // Whether a browser opens is the shell's business; nothing is said when none does.
    ShellOpen(Hwnd(), nullptr, address.c_str(), SW_SHOWNORMAL);
}
