// The Tools menu of the main dialog: the palette checker, the dark variant, palette export and import,
// and pasting a color written in any common notation.
#include "app/CHuewrightDlg.h"

#include "app/ColorEntry.h"
#include "app/ColorNotation.h"
#include "app/StatusTexts.h"
#include "color/DarkVariant.h"
#include "framework/MessageBoxes.h"
#include "framework/SystemError.h"
#include "framework/WideText.h"
#include "library/Clipboard.h"
#include "library/ExchangeFiles.h"
#include "library/WholeFiles.h"

#include <span>

namespace {

std::wstring FileNameOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace

void CHuewrightDlg::ToggleChecker() {
    checker.Toggle(Hwnd());
}

// Beside the inspector when it is open.
void CHuewrightDlg::ToggleScales() {
    UpdateScales();
    scales.Toggle(Hwnd(), checker.IsOpen() ? checker.Hwnd() : nullptr);
}

void CHuewrightDlg::UpdateScales() {
    scales.Update(WorkspaceColors(), selector.CurrentColor());
}

// A step clicked in the scales becomes the selected color, with all that follows from it.
void CHuewrightDlg::TakeScaleColor(Color color) {
    selector.SetColor(color);
}

// Every box tells of its own changes, in this loop or any other (the blend's trackbar, a drop inside
// the drag's loop), so the checker always holds the palette as the boxes show it, open or not.
void CHuewrightDlg::OnBoxChanged(BoxChange change) {
    if (change == BoxChange::Font) {
        boxFonts.MeasureBoxTexts();
    }
    checker.Update(WorkspaceColors(), boxFonts.BoxTexts());
    UpdateScales();
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
        const std::u16string name = NameText();
        current =
            MakeRecord(name == kPlaceholderName ? kUntitledName : name, WorkspaceColors(), WorkspaceFont());
        palettes = {&current, 1};
        std::u16string repaired;
        suggestedName = Wide(ExportName(current, repaired));
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
    statusBar.SetText(ExportStatusText(palettes.size(), FileNameOf(file->path)));
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
    const ImportResult result = ImportPalettes(bytes, file->format, DefaultFont(), Utf16(fileName));
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
    statusBar.SetText(ImportStatusText(outcome.imported, outcome.renamed, fileName));
}

// The pasted color goes through the field as a typed one does, and text that is no color gets the
// same alert, or one that names the unit a calc() cannot resolve without an element.
void CHuewrightDlg::OnPasteColor() {
    const auto text = PasteTextFromClipboard(Hwnd());
    if (!text) {
        return;
    }
    const CssColorReading reading = ReadColorNotation(*text);
    if (reading.color) {
        selector.SetColor(*reading.color);
    } else if (!reading.elementUnit.empty()) {
        statusBar.ShowAlert(ElementUnitAlert(reading.elementUnit));
    } else {
        statusBar.ShowAlert(kInvalidColorEntryAlert);
    }
}

// The variant of what the workspace shows, saved or not, for the inspector's target and the boxes'
// text sizes; it is a palette of its own, so Esc does not take it back.
void CHuewrightDlg::OnMakeDarkVariant() {
    std::array<TextSize, 4> sizes{};
    const auto texts = boxFonts.BoxTexts();
    for (int box = 0; box < 4; ++box) {
        sizes[box] = TextSizeOf(texts[box].pointSize, texts[box].bold);
    }
    const std::u16string name = NameText();
    constexpr std::u16string_view kSuffix = u" (dark)";
    std::u16string darkName(
        CutName(name == kPlaceholderName ? kUntitledName : name, kMaxNameLength - kSuffix.size()));
    darkName += kSuffix;
    const PaletteColors dark = MakeDarkVariant(WorkspaceColors(), sizes, checker.State().target);
    operations.InsertAfterShown(MakeRecord(darkName, dark, WorkspaceFont()));
}
