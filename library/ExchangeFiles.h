// The files of palette export and import: the standard save and open dialogs with the formats as
// their filters.
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
