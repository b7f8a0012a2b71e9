// The palette library in the dialog: opening the file at start-up, telling the user once when it
// cannot be used as it should, and the palette as the library operations see it.
#include "app/CHuewrightDlg.h"

#include "app/StatusTexts.h"
#include "app/WorkspaceFlags.h"
#include "framework/MessageBoxes.h"
#include "framework/SystemError.h"
#include "framework/WideText.h"
#include "library/DiskJournal.h"
#include "library/RecordFont.h"
#include "library/Win32LibraryFile.h"
#include "res/resource.h"

#include <utility>

namespace {

constexpr const wchar_t* kLibraryFile = L"palettes.dat";
constexpr const wchar_t* kBackupFile = L"palettes.dat._backup";
constexpr const wchar_t* kJournalFile = L"palettes.dat._journal";
constexpr const wchar_t* kHeldStatus =
    L"The palette library is in use by another program: its palettes can be viewed, not saved.";

std::wstring Reason(FileError error) {
    return L":\n" + SystemErrorText(error) + L"\n\n";
}

} // namespace

void CHuewrightDlg::OpenLibrary() {
    FileError openError = 0;
    std::unique_ptr<LibraryFile> file = Win32LibraryFile::Open(kLibraryFile, openError);
    const bool opened = file != nullptr;
    Win32Backup backup(kBackupFile);
    LOGFONTW defaultFont, startFont;
    boxFonts.FontHelper().GetDefaultLogFont(defaultFont);
    boxFonts.FontHelper().GetLogFont(startFont);
    FileError loadError = library.OpenPaletteLibrary(
        std::move(file), std::make_unique<DiskJournal>(std::make_unique<Win32JournalFolder>(kJournalFile)),
        backup, settings.curPalette, ToRecordFont(defaultFont), ToRecordFont(startFont));
    libraryOpenError = openError ? openError : loadError;
    const std::string& keptAs = library.JournalSetAside();
    std::wstring name = std::wstring(L"The palette library \"") + kLibraryFile + L"\"";
    if (openError == ERROR_LOCK_VIOLATION && opened) {
        libraryProblem = name +
                         L" is in use by another program, such as huewright-cli importing into it, so it "
                         L"can only be read. Its palettes are shown, but no palette can be saved or deleted "
                         L"until Huewright is restarted once that program is done.";
    } else if (openError && opened) {
        libraryProblem = name + L" can only be read" + Reason(openError) +
                         L"Its palettes are shown, but no palette can be saved or deleted until Huewright is "
                         L"restarted with the file writable.";
    } else if (openError) {
        libraryProblem = name + L" cannot be opened" + Reason(openError) +
                         L"Huewright starts with an empty library, and no palette can be saved until it is "
                         L"restarted with the file available.";
    } else if (loadError && !library.Writable()) {
        libraryProblem =
            name + L" cannot be read" + Reason(loadError) +
            L"The file is left as it is, and no palette can be saved until Huewright is restarted "
            L"with the file readable.";
    } else if (loadError) {
        libraryProblem = name + L" could not be converted to the current format" + Reason(loadError) +
                         L"The file as it was found is kept in \"" + kBackupFile + L"\".";
    } else if (!keptAs.empty()) {
        libraryProblem = name +
                         L" is not the file that an unfinished change was recorded for, so it was "
                         L"left as it is. The palettes that change had replaced are kept in \"" +
                         kJournalFile + std::wstring(keptAs.begin(), keptAs.end()) + L"\".";
    }
    if (!libraryProblem.empty()) {
        PostMessageW(Hwnd(), WM_SHOW_LIBRARY_PROBLEM, 0, 0);
    }
}

// The stored palette replaces the box colors kept in the settings, and brings its name and font.
void CHuewrightDlg::StartFromStoredPalette() {
    const PaletteRecord& record = library.Record(library.currentPaletteIndex);
    settings.colors = RecordColors(record);
    SetNameText(RecordName(record));
    boxFonts.FontHelper().SetLogFont(FromRecordFont(record.font));
}

// Shown once the window is up, so the message has the main window as its owner on the screen.
void CHuewrightDlg::ShowLibraryProblem() {
    if (libraryOpenError == ERROR_LOCK_VIOLATION) {
        statusBar.ShowAlert(kHeldStatus);
    }
    MessageBoxes::ShowWarning(Hwnd(), std::exchange(libraryProblem, {}));
}

void CHuewrightDlg::OnLibraryButton(int id) {
    switch (id) {
    case IDC_NEW_PALETTE:
        operations.OnNewPalette();
        break;
    case IDC_SAVE_PALETTE:
        operations.OnSavePalette();
        break;
    case IDC_DELETE_PALETTE:
        operations.OnDeletePalette();
        break;
    case IDC_VIEW_NEXT:
        operations.OnViewNext();
        break;
    case IDC_VIEW_PREVIOUS:
        operations.OnViewPrevious();
        break;
    }
}

std::u16string CHuewrightDlg::CounterText() {
    return Utf16(ItemText(IDC_PALETTE_COUNTER));
}

void CHuewrightDlg::SetCounterText(const std::u16string& text) {
    SetDlgItemTextW(Hwnd(), IDC_PALETTE_COUNTER, Wide(text).c_str());
}

// The edit's limit does not hold against WM_SETTEXT; the name is what a record can keep, so the
// duplicate and change checks compare what would be stored.
std::u16string CHuewrightDlg::NameText() {
    const std::u16string text = Utf16(ItemText(IDC_PALETTE_NAME));
    return std::u16string(CutName(text));
}

void CHuewrightDlg::SetNameText(const std::u16string& text) {
    SetDlgItemTextW(Hwnd(), IDC_PALETTE_NAME, Wide(text).c_str());
}

// Taking the focus makes the name edit writable, so the selected name can be typed over.
void CHuewrightDlg::SelectName() {
    HWND name = Item(IDC_PALETTE_NAME);
    SendMessageW(name, EM_SETSEL, 0, -1);
    SendMessageW(name, EM_SCROLLCARET, 0, 0);
    SetFocus(name);
}

std::u16string CHuewrightDlg::SearchText() {
    return Utf16(ItemText(IDC_SEARCH));
}

bool CHuewrightDlg::AskYesNo(const std::u16string& text) {
    return MessageBoxes::AskYesNo(Hwnd(), Wide(text));
}

bool CHuewrightDlg::ConfirmDelete(const std::u16string& text) {
    return MessageBoxes::ConfirmDelete(Hwnd(), Wide(text));
}

void CHuewrightDlg::ShowRefusal(const std::u16string& text) {
    MessageBoxes::ShowRefusal(Hwnd(), Wide(text));
}

void CHuewrightDlg::ReportWriteFailure(FileError error) {
    std::wstring name = std::wstring(L"\"") + kLibraryFile + L"\"";
    if (!library.Writable()) {
        MessageBoxes::ShowRefusal(Hwnd(), L"Palettes cannot be saved: the palette library " + name +
                                              L" could not be opened for writing when Huewright started" +
                                              Reason(libraryOpenError) + L"Nothing was changed.");
        return;
    }
    MessageBoxes::ShowRefusal(Hwnd(), L"The palette library " + name + L" could not be written" +
                                          Reason(error) +
                                          L"The library is kept as it was before this change.");
}

PaletteColors CHuewrightDlg::WorkspaceColors() {
    PaletteColors colors;
    for (size_t i = 0; i < boxes.size(); ++i) {
        colors.box[i] = boxes[i].BoxColor();
        colors.text[i] = boxes[i].TextColor();
    }
    return colors;
}

LogFontImage CHuewrightDlg::WorkspaceFont() {
    LOGFONTW font;
    boxFonts.FontHelper().GetLogFont(font);
    return ToRecordFont(font);
}

LogFontImage CHuewrightDlg::DefaultFont() {
    LOGFONTW font;
    boxFonts.FontHelper().GetDefaultLogFont(font);
    return ToRecordFont(font);
}

bool CHuewrightDlg::WorkspaceFontIsDefault() {
    return boxFonts.FontHelper().IsDefaultFont();
}

bool CHuewrightDlg::WorkspaceFontIsSame(const LogFontImage& font) {
    return boxFonts.FontHelper().IsSameFont(FromRecordFont(font));
}

void CHuewrightDlg::ShowPaletteContent(const PaletteRecord& record) {
    PaletteColors colors = RecordColors(record);
    ShowPaletteColors(colors);
    if (showAllColorValues) {
        statusBar.SetText(BoxColorsText(colors.box));
    }
    boxFonts.FontHelper().SetLogFont(FromRecordFont(record.font));
    boxFonts.SetFontToggles();
    boxFonts.ApplyBoxFonts();
}

void CHuewrightDlg::ClearUndoTarget() {
    lastChangedBox = nullptr;
}
