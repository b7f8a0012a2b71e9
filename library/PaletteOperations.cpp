#include "library/PaletteOperations.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::u16string_view kNameExists = u"Palette already exists with the same name.";

char16_t FoldAsciiLetter(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::u16string Ascii(const std::string& text) {
    return {text.begin(), text.end()};
}

std::u16string CounterOf(int index, int count) {
    return Ascii(std::to_string(static_cast<unsigned>(index + 1)) + " of " +
                 std::to_string(static_cast<unsigned>(count)));
}

// The name edit gives what a save would store, at most 63 characters, while a record read from a
// file may hold all 64 units of its name without a terminator: it is compared as a save keeps it.
bool DiffersFromStoredName(std::u16string_view shown, const PaletteRecord& record) {
    const std::u16string stored = RecordName(record);
    return shown != CutName(stored);
}

} // namespace

void FindMatches(const PaletteLibrary& library, std::u16string_view text,
                 std::vector<std::uint32_t>& matches) {
    matches.clear();
    if (text.size() > std::size(PaletteRecord{}.name)) {
        return;
    }
    for (int i = 0; i < library.Count(); ++i) {
        const char16_t* name = library.Record(i).name;
        // A name that ends before the text does not match: its terminator differs from the text.
        bool equal = std::equal(text.begin(), text.end(), name, [](char16_t a, char16_t b) {
            return FoldAsciiLetter(a) == FoldAsciiLetter(b);
        });
        if (equal) {
            matches.push_back(static_cast<std::uint32_t>(i));
        }
    }
}

void PaletteOperations::ShowCounter() {
    view.SetCounterText(CounterOf(library.currentPaletteIndex, library.Count()));
}

void PaletteOperations::SelectNameAfterRefusal() {
    view.ShowRefusal(std::u16string(kNameExists));
    view.SelectName();
}

bool PaletteOperations::PaletteNameExists(std::u16string_view name) const {
    for (int i = 0; i < library.Count(); ++i) {
        if (RecordName(library.Record(i)) == name) {
            return true;
        }
    }
    return false;
}

bool PaletteOperations::IsPaletteChanged() {
    if (view.CounterText() == kNewCounterText) {
        return view.WorkspaceColors() != kDefaultPalette || !view.WorkspaceFontIsDefault();
    }
    if (library.Count() == 0 || library.currentPaletteIndex < 0) {
        return false;
    }
    const PaletteRecord& record = library.Record(library.currentPaletteIndex);
    return view.WorkspaceColors() != RecordColors(record) || !view.WorkspaceFontIsSame(record.font);
}

// A failed write puts the record back as it was, and the file too as far as the disk allows.
bool PaletteOperations::StoreCurrentPalette() {
    const PaletteRecord record = MakeRecord(view.NameText(), view.WorkspaceColors(), view.WorkspaceFont());
    const int index = library.currentPaletteIndex;
    const bool append = index == -1;
    const PaletteRecord previous = append ? record : library.Record(index);
    if (append) {
        library.Append(record);
        library.currentPaletteIndex = library.Count() - 1;
    } else {
        library.SetRecord(index, record);
    }
    if (FileError error = library.WritePaletteLibrary()) {
        if (append) {
            library.Remove(library.Count() - 1);
            library.currentPaletteIndex = -1;
        } else {
            library.SetRecord(index, previous);
        }
        library.WritePaletteLibrary();
        view.ReportWriteFailure(error);
        return false;
    }
    ShowCounter();
    return true;
}

bool PaletteOperations::ConfirmLeavePalette() {
    if (view.CounterText() == kNewCounterText) {
        if (!IsPaletteChanged() ||
            !view.AskYesNo(u"New palette has been changed.\nDo you want to save it now?")) {
            return true;
        }
        std::u16string name = view.NameText();
        if (name == kPlaceholderName) {
            view.SelectName();
            return false;
        }
        if (PaletteNameExists(name)) {
            SelectNameAfterRefusal();
            return false;
        }
        library.currentPaletteIndex = -1;
        return StoreCurrentPalette();
    }
    if (library.Count() >= 1 && library.currentPaletteIndex >= 0) {
        const bool changed = IsPaletteChanged();
        const std::u16string name = view.NameText();
        const bool nameChanged = DiffersFromStoredName(name, library.Record(library.currentPaletteIndex));
        if (!changed && !nameChanged) {
            return true;
        }
        std::u16string what = changed ? u"Palette" : u"Palette name";
        if (!view.AskYesNo(what + u" was changed.\nDo you want to save it?")) {
            return true;
        }
        if (nameChanged && PaletteNameExists(name)) {
            SelectNameAfterRefusal();
            return false;
        }
        return StoreCurrentPalette();
    }
    return true;
}

void PaletteOperations::ShowPalette(const PaletteRecord& record) {
    if (library.currentPaletteIndex >= 0) {
        ShowCounter();
        view.SetNameText(RecordName(library.Record(library.currentPaletteIndex)));
    }
    view.ShowPaletteContent(record);
}

int PaletteOperations::FindPalettes(std::u16string_view text) {
    FindMatches(library, text, matches);
    return static_cast<int>(matches.size());
}

void PaletteOperations::OnNewPalette() {
    if (!ConfirmLeavePalette()) {
        return;
    }
    ShowPalette(MakeRecord(kPlaceholderName, kDefaultPalette, view.DefaultFont()));
    library.currentPaletteIndex = -1;
    view.SetCounterText(std::u16string(kNewCounterText));
    view.SetNameText(std::u16string(kPlaceholderName));
    view.SelectName();
}

bool PaletteOperations::InsertAfterShown(PaletteRecord record) {
    if (!ConfirmLeavePalette()) {
        return false;
    }
    const std::u16string name = RecordName(record);
    for (int number = 2; PaletteNameExists(RecordNameView(record)); ++number) {
        const std::string suffix = " (" + std::to_string(number) + ")";
        std::u16string numbered(CutName(name, kMaxNameLength - suffix.size()));
        numbered.append(suffix.begin(), suffix.end());
        SetRecordName(record, numbered);
    }
    const int index = library.currentPaletteIndex < 0 ? library.Count() : library.currentPaletteIndex + 1;
    library.Insert(index, record);
    if (FileError error = library.WritePaletteLibrary()) {
        library.Remove(index);
        library.WritePaletteLibrary();
        view.ReportWriteFailure(error);
        return false;
    }
    // The search's indexes no longer hold past the new record.
    matches.clear();
    matchCursor = 0;
    library.currentPaletteIndex = index;
    ShowCurrentPalette();
    view.ClearUndoTarget();
    return true;
}

void PaletteOperations::OnSavePalette() {
    const std::u16string name = view.NameText();
    if (name == kPlaceholderName) {
        view.SelectName();
        return;
    }
    const int index = library.currentPaletteIndex;
    if (index == -1 || name != RecordName(library.Record(index))) {
        if (PaletteNameExists(name)) {
            SelectNameAfterRefusal();
            return;
        }
        StoreCurrentPalette();
    } else if (IsPaletteChanged()) {
        StoreCurrentPalette();
    }
}

void PaletteOperations::OnDeletePalette() {
    const int index = library.currentPaletteIndex;
    if (index < 0) {
        return;
    }
    const PaletteRecord deleted = library.Record(index);
    if (!view.ConfirmDelete(u"Go ahead and delete palette\n\"" + RecordName(deleted) + u"\"")) {
        return;
    }
    library.Remove(index);
    library.currentPaletteIndex = index - 1;
    if (FileError error = library.WritePaletteLibrary()) {
        library.Insert(index, deleted);
        library.currentPaletteIndex = index;
        library.WritePaletteLibrary();
        view.ReportWriteFailure(error);
        return;
    }
    ForgetDeletedMatch(index);
    if (library.currentPaletteIndex >= 0) {
        ShowCounter();
    } else if (library.Count() > 0) {
        library.currentPaletteIndex = 0;
    } else {
        OnNewPalette();
    }
    if (library.Count() > 0) {
        ShowCurrentPalette();
    }
}

// The matches keep naming the same palettes: the deleted one leaves, the later ones move up.
void PaletteOperations::ForgetDeletedMatch(int deleted) {
    const auto gone = static_cast<std::uint32_t>(deleted);
    std::erase(matches, gone);
    for (auto& match : matches) {
        match -= match > gone ? 1 : 0;
    }
    matchCursor = std::clamp(matchCursor, 0, std::max(static_cast<int>(matches.size()) - 1, 0));
}

void PaletteOperations::ViewRecord(int index) {
    if (ConfirmLeavePalette()) {
        library.currentPaletteIndex = index;
        ShowCurrentPalette();
    }
}

void PaletteOperations::OnViewNext() {
    if (library.Count() == 0 || !ConfirmLeavePalette()) {
        return;
    }
    const int index = library.currentPaletteIndex;
    library.currentPaletteIndex = index >= library.Count() - 1 ? 0 : index + 1;
    view.ClearUndoTarget();
    ShowCurrentPalette();
}

void PaletteOperations::OnViewPrevious() {
    if (library.Count() == 0 || !ConfirmLeavePalette()) {
        return;
    }
    const int index = library.currentPaletteIndex;
    library.currentPaletteIndex = index > 0 ? index - 1 : library.Count() - 1;
    view.ClearUndoTarget();
    ShowCurrentPalette();
}

void PaletteOperations::OnSearchChange() {
    const std::u16string text = view.SearchText();
    if (text.empty() || FindPalettes(text) == 0) {
        return;
    }
    matchCursor = 0;
    ViewRecord(static_cast<int>(matches[0]));
}

bool PaletteOperations::OnSearchKey(SearchKey key) {
    if (matches.empty()) {
        return false;
    }
    switch (key) {
    case SearchKey::Down:
        matchCursor = std::min(matchCursor + 1, static_cast<int>(matches.size()) - 1);
        break;
    case SearchKey::Up:
        matchCursor = std::max(matchCursor - 1, 0);
        break;
    case SearchKey::Enter:
        OnSearchChange();
        return true;
    case SearchKey::Other:
        break;
    }
    ViewRecord(static_cast<int>(matches[matchCursor]));
    return false;
}

// Names are compared as the save does, exactly, and a set keeps a large import linear. A name
// already taken gets the first free " (2)", " (3)", ..., as a file manager names a copy; `lastNumbers`
// keeps each name's last number, so that many palettes of one name do not search from 2 every time.
ImportOutcome AppendImportedRecords(PaletteLibrary& library, std::span<const PaletteRecord> records) {
    ImportOutcome outcome;
    std::unordered_set<std::u16string> names;
    for (int i = 0; i < library.Count(); ++i) {
        names.insert(RecordName(library.Record(i)));
    }
    std::unordered_map<std::u16string, int> lastNumbers;
    const int countBefore = library.Count();
    for (PaletteRecord record : records) {
        const std::u16string name = RecordName(record);
        if (!names.insert(name).second) {
            int& number = lastNumbers[name];
            number = std::max(number, 1);
            std::u16string numbered;
            do {
                const std::string suffix = " (" + std::to_string(++number) + ")";
                numbered = CutName(name, kMaxNameLength - suffix.size());
                numbered.append(suffix.begin(), suffix.end());
            } while (!names.insert(numbered).second);
            SetRecordName(record, numbered);
            ++outcome.renamed;
        }
        library.Append(record);
    }
    outcome.imported = library.Count() - countBefore;
    if (outcome.imported == 0) {
        return outcome;
    }
    if (FileError error = library.WritePaletteLibrary()) {
        while (library.Count() > countBefore) {
            library.Remove(library.Count() - 1);
        }
        library.WritePaletteLibrary();
        outcome = {0, 0, error};
    }
    return outcome;
}

ImportOutcome PaletteOperations::ImportRecords(std::span<const PaletteRecord> records) {
    const ImportOutcome outcome = AppendImportedRecords(library, records);
    if (outcome.imported > 0 && !outcome.error && library.currentPaletteIndex >= 0) {
        ShowCounter();
    }
    return outcome;
}
