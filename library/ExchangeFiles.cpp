#include "library/ExchangeFiles.h"

#include "framework/CommonDialogs.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// Filter pairs separated by zeros, in the order of ExchangeFormat; the list ends in two zeros.
constexpr wchar_t kExportFilter[] = L"CSS custom properties (*.css)\0*.css\0"
                                    L"CSS custom properties, OKLCH (*.css)\0*.css\0"
                                    L"GIMP palette (*.gpl)\0*.gpl\0"
                                    L"Adobe Swatch Exchange (*.ase)\0*.ase\0"
                                    L"JSON (*.json)\0*.json\0"
                                    L"Design tokens (*.tokens.json)\0*.tokens.json\0"
                                    L"Tailwind CSS v4 theme (*.css)\0*.css\0"
                                    L"CSS custom properties with tonal scales (*.css)\0*.css\0"
                                    L"CSS custom properties, OKLCH, with tonal scales (*.css)\0*.css\0"
                                    L"Tailwind CSS v4 theme with tonal scales (*.css)\0*.css\0";
constexpr wchar_t kImportFilter[] =
    L"Palette files (*.gpl; *.ase; *.json; *.tokens)\0*.gpl;*.ase;*.json;*.tokens\0"
    L"GIMP palette (*.gpl)\0*.gpl\0"
    L"Adobe Swatch Exchange (*.ase)\0*.ase\0"
    L"JSON (*.json)\0*.json\0"
    L"Design tokens (*.tokens.json; *.tokens)\0*.tokens.json;*.tokens\0";
constexpr std::array<const wchar_t*, 10> kExtensions = {L"css",         L"css", L"gpl", L"ase", L"json",
                                                        L"tokens.json", L"css", L"css", L"css", L"css"};
// The import filters' formats; "all" reads a name without a known extension as JSON.
constexpr std::array<ExchangeFormat, 5> kImportFormats = {ExchangeFormat::Json, ExchangeFormat::Gpl,
                                                          ExchangeFormat::Ase, ExchangeFormat::Json,
                                                          ExchangeFormat::Tokens};

// Characters Windows does not allow in a file name become spaces.
std::wstring SafeFileName(const std::wstring& name) {
    std::wstring fileName = name;
    for (wchar_t& c : fileName) {
        if (c < L' ' || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos) {
            c = L' ';
        }
    }
    return fileName;
}

} // namespace

std::optional<ExchangeFile> AskExportFile(HWND owner, const std::wstring& suggestedName) {
    std::array<wchar_t, MAX_PATH> path{};
    SafeFileName(suggestedName).copy(path.data(), path.size() - 1);
    OPENFILENAMEW dialog{sizeof(dialog)};
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kExportFilter;
    dialog.nFilterIndex = 1 + static_cast<DWORD>(ExchangeFormat::Json);
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = kExtensions[static_cast<int>(ExchangeFormat::Json)];
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!ShowSaveFileDialog(dialog)) {
        return std::nullopt;
    }
    ExchangeFile file{path.data(), static_cast<ExchangeFormat>(dialog.nFilterIndex - 1)};
    // A .css name keeps the CSS variant its filter chose, and a .json name keeps design tokens.
    const auto byName = ExchangeFormatOf(file.path);
    if (byName && !std::wstring_view(kExtensions[static_cast<int>(file.format)])
                       .ends_with(kExtensions[static_cast<int>(*byName)])) {
        file.format = *byName;
    }
    return file;
}

std::optional<ExchangeFile> AskImportFile(HWND owner) {
    std::array<wchar_t, MAX_PATH> path{};
    OPENFILENAMEW dialog{sizeof(dialog)};
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kImportFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!ShowOpenFileDialog(dialog)) {
        return std::nullopt;
    }
    // A name without a known extension is read as the chosen filter's format.
    const auto format = ExchangeFormatOf(path.data());
    return ExchangeFile{
        path.data(),
        format ? *format
               : kImportFormats[std::clamp<DWORD>(dialog.nFilterIndex, 1, kImportFormats.size()) - 1]};
}
