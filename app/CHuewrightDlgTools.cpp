// The Tools menu of the main dialog: the palette checker, palette export and import, and pasting a
// color written in any common notation.
#include "app/CHuewrightDlg.h"

#include "app/ColorEntry.h"
#include "app/ColorNotation.h"
#include "framework/MessageBoxes.h"
#include "framework/SystemError.h"
#include "framework/WideText.h"
#include "library/Clipboard.h"
#include "library/ExchangeFiles.h"
#include "library/WholeFiles.h"

#include <span>

namespace {

// At most this many refused names are listed; the rest are counted.
constexpr std::size_t kListedNames = 10;

std::wstring FileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring Counted(std::size_t count, const wchar_t* one, const wchar_t* many) {
    return std::to_wstring(count) + L" " + (count == 1 ? one : many);
}

} // namespace

void CHuewrightDlg::ToggleChecker() {
    checker.Toggle(Hwnd());
}

// Every box tells of its own changes, in this loop or any other (the blend's trackbar, a drop inside
// the drag's loop), so the checker always holds the palette as the boxes show it, open or not.
void CHuewrightDlg::OnBoxChanged(BoxChange change) {
    if (change == BoxChange::Font) {
        boxFonts.MeasureBoxTexts();
    }
    checker.Update(WorkspaceColors(), boxFonts.BoxTexts());
}

void CHuewrightDlg::OnExport(bool wholeLibrary) {
    PaletteRecord current;
    std::span<const PaletteRecord> palettes;
    std::wstring suggestedName = L"Palettes";
    if (wholeLibrary) {
        if (library.Count() == 0) {
            MessageBoxes::ShowNotice(Hwnd(), L"The palette library is empty: there is nothing to export.");
            return;
        }
        palettes = {&library.Record(0), static_cast<std::size_t>(library.Count())};
    } else {
        std::u16string name = NameText();
        if (name.empty() || name == kPlaceholderName) {
            name = u"Untitled palette";
        }
        current = MakeRecord(name, WorkspaceColors(), WorkspaceFont());
        palettes = {&current, 1};
        suggestedName = Wide(RecordName(current));
    }
    const auto file = AskExportFile(Hwnd(), suggestedName);
    if (!file) {
        return;
    }
    if (DWORD error = WriteWholeFile(file->path, ExportPalettes(palettes, file->format))) {
        MessageBoxes::ShowWarning(Hwnd(), L"The palettes could not be exported to \"" +
                                              FileNameOf(file->path) + L"\":\n" + SystemErrorText(error) +
                                              L"\n\nNo file was changed.");
        return;
    }
    statusBar.SetText(L"Exported " + Counted(palettes.size(), L"palette", L"palettes") + L" to " +
                      FileNameOf(file->path));
}

void CHuewrightDlg::OnImport() {
    const auto file = AskImportFile(Hwnd());
    if (!file) {
        return;
    }
    const std::wstring fileName = FileNameOf(file->path);
    std::string bytes;
    if (DWORD error = ReadWholeFile(file->path, bytes)) {
        MessageBoxes::ShowWarning(Hwnd(), L"\"" + fileName + L"\" could not be read:\n" +
                                              SystemErrorText(error) + L"\n\nNothing was imported.");
        return;
    }
    const ImportResult result = ImportPalettes(bytes, file->format, DefaultFont());
    if (!result.problem.empty()) {
        MessageBoxes::ShowWarning(Hwnd(),
                                  L"Nothing was imported from \"" + fileName + L"\".\n" + result.problem);
        return;
    }
    const ImportOutcome outcome = operations.ImportRecords(result.palettes);
    if (outcome.error) {
        ReportWriteFailure(outcome.error);
        return;
    }
    ReportImport(fileName, outcome);
}

// Names the library already holds are refused as a save would refuse them, with the same words.
void CHuewrightDlg::ReportImport(const std::wstring& fileName, const ImportOutcome& outcome) {
    std::wstring text =
        L"Imported " + Counted(outcome.imported, L"palette", L"palettes") + L" from \"" + fileName + L"\".";
    if (!outcome.refused.empty()) {
        text += L"\n\n" + Counted(outcome.refused.size(), L"palette was", L"palettes were") +
                L" not imported. Palette already exists with the same name.";
        for (std::size_t i = 0; i < outcome.refused.size() && i < kListedNames; ++i) {
            text += L"\n    " + Wide(outcome.refused[i]);
        }
        if (outcome.refused.size() > kListedNames) {
            text += L"\n    and " + std::to_wstring(outcome.refused.size() - kListedNames) + L" more";
        }
    }
    MessageBoxes::ShowNotice(Hwnd(), text);
}

// The pasted color goes through the field as a typed one does, and text that is no color gets the
// same alert.
void CHuewrightDlg::OnPasteColor() {
    const auto text = PasteTextFromClipboard(Hwnd());
    if (!text) {
        return;
    }
    if (const auto color = ParseColorNotation(*text)) {
        selector.SetColor(*color);
    } else {
        statusBar.ShowAlert(kInvalidColorEntryAlert);
    }
}
