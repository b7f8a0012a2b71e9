// The user's operations on the palette library: new, save, delete, next and previous, and the
// search by the start of a name, with the leave check that offers to save unsaved changes first.
#pragma once

#include "library/PaletteLibrary.h"
#include "library/PaletteView.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::u16string_view kNewCounterText = u"new";
inline constexpr std::u16string_view kPlaceholderName = u"Enter new palette name here";

// The indexes of the records whose names start with `text`, A-Z and a-z taken as equal.
void FindMatches(const PaletteLibrary& library, std::u16string_view text,
                 std::vector<std::uint32_t>& matches);

struct ImportOutcome {
    int imported = 0;
    // Those of them whose names the library already held, or the import had already given.
    int renamed = 0;
    // Set when the library could not be written: then nothing was imported.
    FileError error = 0;
};

// Appends the records and writes the library; when the write fails, memory and file are put back.
ImportOutcome AppendImportedRecords(PaletteLibrary& library, std::span<const PaletteRecord> records);

class PaletteOperations {
public:
    enum class SearchKey { Down, Up, Enter, Other };

    PaletteOperations(PaletteLibrary& library, PaletteView& view) : library(library), view(view) {}

    bool ConfirmLeavePalette();
    bool IsPaletteChanged();
    bool PaletteNameExists(std::u16string_view name) const;
    // False when the write failed: the library is then as it was.
    bool StoreCurrentPalette();
    void ShowPalette(const PaletteRecord& record);
    void ShowCurrentPalette() { ShowPalette(library.Record(library.currentPaletteIndex)); }
    int FindPalettes(std::u16string_view text);

    void OnNewPalette();
    void OnSavePalette();
    void OnDeletePalette();
    void OnViewNext();
    void OnViewPrevious();
    void OnSearchChange();
    // Appends the records, a name already taken numbered " (2)", " (3)", ..., and writes the library
    // once; a failed write takes them out again. The palette shown stays as it is.
    ImportOutcome ImportRecords(std::span<const PaletteRecord> records);
    // A palette made from the shown one (its dark variant): put into the library right after it (at the
    // end for a new palette), a name already taken numbered " (2)", " (3)", ..., and shown. The leave
    // check comes first, as for a new palette; false when the user stays or the write failed, which
    // leaves the library as it was.
    bool InsertAfterShown(PaletteRecord record);
    // A key going down in the search edit; true when it is consumed.
    bool OnSearchKey(SearchKey key);

    const std::vector<std::uint32_t>& Matches() const { return matches; }
    int MatchCursor() const { return matchCursor; }
    // "<index + 1> of <count>" for the palette shown.
    void ShowCounter();

private:
    void SelectNameAfterRefusal();
    void ViewRecord(int index);
    void ForgetDeletedMatch(int deleted);

    PaletteLibrary& library;
    PaletteView& view;
    std::vector<std::uint32_t> matches;
    int matchCursor = 0;
};
