#include "library/WholeFiles.h"

#include "framework/UniqueHandle.h"

#include <algorithm>

namespace {

constexpr DWORD kLargestFile = 1u << 30;

} // namespace

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
