// The palettes of a FILE named on the command line: a palette library (.dat, any generation the
// program reads, converted in memory only) or an exchange file by its extension.
#pragma once

#include "library/PaletteLibrary.h"
#include "library/PaletteRecord.h"

#include <span>

#include <string>
#include <vector>

bool IsLibraryFileName(const std::string& path);

// The palettes of one file, kept where they were read: a library's records are not copied.
class PaletteFile {
public:
    // False, with the sentence to print in `problem`, when the file cannot be read or is refused.
    bool Read(const std::string& path, std::string& problem);
    std::span<const PaletteRecord> Palettes() const { return isLibrary ? library.AllRecords() : imported; }

private:
    bool ReadLibrary(const std::string& path, std::string& problem);

    PaletteLibrary library;
    std::vector<PaletteRecord> imported;
    bool isLibrary = false;
};

// The record's name on one line of UTF-8, and its eight colors as "#rrggbb" in record order.
std::string NameText(const PaletteRecord& record);
std::string ColorsText(const PaletteRecord& record);
// "Georgia, 36 pt": the face and its size at 96 pixels per inch.
std::string FontText(const LogFontImage& font);
// A text of the program's in UTF-8.
std::string Utf8(const std::wstring& text);
// The last part of a path, after its last slash or backslash.
std::string FileNameOf(const std::string& path);
// "\"name\"" with the name as given.
std::string Quoted(const std::string& text);
