#include "library/ExchangeFiles.h"

#include "framework/UniqueHandle.h"

#include <commdlg.h>

#include <array>

namespace {

constexpr DWORD kLargestFile = 1u << 30;

// Filter pairs separated by zeros, in the order of ExchangeFormat; the list ends in two zeros.
constexpr wchar_t kExportFilter[] = L"CSS custom properties (*.css)\0*.css\0"
                                    L"GIMP palette (*.gpl)\0*.gpl\0"
                                    L"Adobe Swatch Exchange (*.ase)\0*.ase\0"
                                    L"JSON (*.json)\0*.json\0";
constexpr wchar_t kImportFilter[] = L"Palette files (*.gpl; *.ase; *.json)\0*.gpl;*.ase;*.json\0"
                                    L"GIMP palette (*.gpl)\0*.gpl\0"
                                    L"Adobe Swatch Exchange (*.ase)\0*.ase\0"
                                    L"JSON (*.json)\0*.json\0";
constexpr std::array<const wchar_t*, 4> kExtensions = {L"css", L"gpl", L"ase", L"json"};

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
    if (!GetSaveFileNameW(&dialog)) {
        return std::nullopt;
    }
    ExchangeFile file{path.data(), static_cast<ExchangeFormat>(dialog.nFilterIndex - 1)};
    if (auto byName = ExchangeFormatOf(file.path)) {
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
    if (!GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    // A name without a known extension is read as the chosen filter's format, JSON for "all".
    auto format = ExchangeFormatOf(path.data());
    if (!format) {
        format = dialog.nFilterIndex <= 1 ? ExchangeFormat::Json
                                          : static_cast<ExchangeFormat>(dialog.nFilterIndex - 1);
    }
    return ExchangeFile{path.data(), *format};
}

DWORD WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring partial = path + L".partial";
    DWORD error = 0;
    {
        UniqueFile file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            return GetLastError();
        }
        std::size_t written = 0;
        while (!error && written < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 24));
            DWORD done = 0;
            if (!WriteFile(file.Get(), bytes.data() + written, chunk, &done, nullptr)) {
                error = GetLastError();
            }
            written += done;
        }
        if (!error && !FlushFileBuffers(file.Get())) {
            error = GetLastError();
        }
    }
    if (!error &&
        !MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    if (error) {
        DeleteFileW(partial.c_str());
    }
    return error;
}

DWORD ReadWholeFile(const std::wstring& path, std::string& bytes) {
    UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return GetLastError();
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) {
        return GetLastError();
    }
    if (size.QuadPart > kLargestFile) {
        return ERROR_FILE_TOO_LARGE;
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t read = 0;
    while (read < bytes.size()) {
        DWORD done = 0;
        if (!ReadFile(file.Get(), bytes.data() + read, static_cast<DWORD>(bytes.size() - read), &done,
                      nullptr)) {
            return GetLastError();
        }
        if (done == 0) {
            break;
        }
        read += done;
    }
    bytes.resize(read);
    return 0;
}
