// What the library operations need from the window that shows the palette: its counter, name and
// search texts, its questions and messages, and the palette in the workspace.
#pragma once

#include "library/LibraryFile.h"
#include "library/PaletteRecord.h"

#include <string>

class PaletteView {
public:
    virtual ~PaletteView() = default;

    virtual std::u16string CounterText() = 0;
    virtual void SetCounterText(const std::u16string& text) = 0;
    virtual std::u16string NameText() = 0;
    virtual void SetNameText(const std::u16string& text) = 0;
    // Selects the whole name and gives the name edit the focus, so it can be typed over.
    virtual void SelectName() = 0;
    virtual std::u16string SearchText() = 0;

    // Yes/No questions; true for Yes.
    virtual bool AskYesNo(const std::u16string& text) = 0;
    virtual bool ConfirmDelete(const std::u16string& text) = 0;
    virtual void ShowRefusal(const std::u16string& text) = 0;
    // A write of the library file failed; the library in memory is as it was before.
    virtual void ReportWriteFailure(FileError error) = 0;

    // The workspace: its eight colors and its box text font.
    virtual PaletteColors WorkspaceColors() = 0;
    virtual LogFontImage WorkspaceFont() = 0;
    virtual LogFontImage DefaultFont() = 0;
    virtual bool WorkspaceFontIsDefault() = 0;
    virtual bool WorkspaceFontIsSame(const LogFontImage& font) = 0;
    // Puts a record's colors and font into the workspace; the counter and name are set apart.
    virtual void ShowPaletteContent(const PaletteRecord& record) = 0;
    virtual void ClearUndoTarget() = 0;
};
