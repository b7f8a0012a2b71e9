// The palette library at start-up: opening the file, starting from the stored palette, and
// telling the user once when the file cannot be used as it should.
#include "app/CHuewrightDlg.h"

#include "framework/MessageBoxes.h"
#include "framework/SystemError.h"
#include "library/RecordFont.h"
#include "library/Win32LibraryFile.h"
#include "res/resource.h"

#include <cwchar>
#include <utility>

namespace {

constexpr const wchar_t* kLibraryFile = L"palettes.dat";
constexpr const wchar_t* kBackupFile = L"palettes.dat._backup";

std::wstring Reason(FileError error) { return L":\n" + SystemErrorText(error) + L"\n\n"; }

} // namespace

void CHuewrightDlg::OpenLibrary() {
    FileError openError = 0;
    std::unique_ptr<LibraryFile> file = Win32LibraryFile::Open(kLibraryFile, openError);
    const bool opened = file != nullptr;
    Win32Backup backup(kBackupFile);
    LOGFONTW defaultFont, startFont;
    fontHelper->GetDefaultLogFont(defaultFont);
    fontHelper->GetLogFont(startFont);
    FileError loadError = library.OpenPaletteLibrary(std::move(file), backup, settings.curPalette,
                                                     ToRecordFont(defaultFont), ToRecordFont(startFont));
    std::wstring name = std::wstring(L"The palette library \"") + kLibraryFile + L"\"";
    if (openError && opened) {
        libraryProblem = name + L" can only be read" + Reason(openError) +
                         L"Its palettes are shown, but no palette can be saved or deleted until Huewright is "
                         L"restarted with the file writable.";
    } else if (openError) {
        libraryProblem = name + L" cannot be opened" + Reason(openError) +
                         L"Huewright starts with an empty library, and no palette can be saved until it is "
                         L"restarted with the file available.";
    } else if (loadError && !library.Writable()) {
        libraryProblem = name + L" cannot be read" + Reason(loadError) +
                         L"The file is left as it is, and no palette can be saved until Huewright is restarted "
                         L"with the file readable.";
    } else if (loadError) {
        libraryProblem = name + L" could not be converted to the current format" + Reason(loadError) +
                         L"The file as it was found is kept in \"" + kBackupFile + L"\".";
    }
    if (!libraryProblem.empty()) {
        PostMessageW(Hwnd(), WM_SHOW_LIBRARY_PROBLEM, 0, 0);
    }
}

// The stored palette replaces the box colors kept in the settings, and brings its name and font.
void CHuewrightDlg::StartFromStoredPalette() {
    const PaletteRecord& record = library.Record(library.currentPaletteIndex);
    settings.colors = RecordColors(record);
    std::u16string name = RecordName(record);
    SetDlgItemTextW(Hwnd(), IDC_PALETTE_NAME, std::wstring(name.begin(), name.end()).c_str());
    fontHelper->SetLogFont(FromRecordFont(record.font));
}

void CHuewrightDlg::ShowPaletteCounter() {
    wchar_t counter[32];
    swprintf(counter, 32, L"%u of %u", static_cast<unsigned>(library.currentPaletteIndex + 1),
             static_cast<unsigned>(library.Count()));
    SetDlgItemTextW(Hwnd(), IDC_PALETTE_COUNTER, counter);
}

// Shown once the window is up, so the message has the main window as its owner on the screen.
void CHuewrightDlg::ShowLibraryProblem() {
    MessageBoxes::ShowWarning(Hwnd(), std::exchange(libraryProblem, {}));
}
