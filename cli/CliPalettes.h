// The palettes of a FILE named on the command line: a palette library (.dat, any generation the
// program reads, converted in memory only) or an exchange file by its extension.
#pragma once

#include "library/PaletteRecord.h"

#include <string>
#include <vector>

bool IsLibraryFileName(const std::string& path);

// False, with the sentence to print in `problem`, when the file cannot be read or is refused.
bool ReadPaletteFile(const std::string& path, std::vector<PaletteRecord>& palettes, std::string& problem);

// The record's name on one line of UTF-8, and its eight colors as "#rrggbb" in record order.
std::string NameText(const PaletteRecord& record);
std::string ColorsText(const PaletteRecord& record);
// "Georgia, 36 pt": the face and its size at 96 pixels per inch.
std::string FontText(const LogFontImage& font);
// The last part of a path, after its last slash or backslash.
std::string FileNameOf(const std::string& path);
// "\"name\"" with the name as given.
std::string Quoted(const std::string& text);
