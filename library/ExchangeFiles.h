// The files of palette export and import: the standard save and open dialogs with the formats as
// their filters, and whole-file reads and writes that report the system's reason.
#pragma once

#include "library/PaletteExchange.h"

#include <windows.h>

#include <optional>
#include <string>

struct ExchangeFile {
    std::wstring path;
    ExchangeFormat format;
};

// The save dialog, offering every format; the format follows the name's extension, else the filter.
std::optional<ExchangeFile> AskExportFile(HWND owner, const std::wstring& suggestedName);
// The open dialog, offering the formats that can be read.
std::optional<ExchangeFile> AskImportFile(HWND owner);

// Writes beside the file first and then puts the new file in its place, so a failed write leaves an
// existing file as it was. Returns 0 or the system's error code.
DWORD WriteWholeFile(const std::wstring& path, const std::string& bytes);
// Returns 0 or the system's error code; files over 1 GiB are refused with ERROR_FILE_TOO_LARGE.
DWORD ReadWholeFile(const std::wstring& path, std::string& bytes);
