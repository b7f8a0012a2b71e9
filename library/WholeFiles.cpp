#include "library/WholeFiles.h"

#include "framework/UniqueHandle.h"

#include <algorithm>

namespace {

constexpr DWORD kLargestFile = 1u << 30;

} // namespace

// The new file replaces the target, and the link stays.
std::wstring FinalPath(const std::wstring& path) {
    UniqueFile existing(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!existing) {
        return path;
    }
    std::wstring final(MAX_PATH, L'\0');
    DWORD length =
        GetFinalPathNameByHandleW(existing.Get(), final.data(), static_cast<DWORD>(final.size()), 0);
    if (length >= final.size()) {
        final.resize(length);
        length = GetFinalPathNameByHandleW(existing.Get(), final.data(), length, 0);
    }
    if (length == 0 || length >= final.size()) {
        return path;
    }
    final.resize(length);
    return final;
}

// CREATE_NEW never takes a name another file has, not even one a crash left behind.
UniqueFile CreateBeside(const std::wstring& path, std::wstring& partial) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        partial = path + L".partial" + (attempt ? std::to_wstring(attempt) : L"");
        UniqueFile file(CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    return UniqueFile();
}

namespace {

DWORD WriteAndFlush(HANDLE file, const std::string& bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 24));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data() + written, chunk, &done, nullptr)) {
            return GetLastError();
        }
        written += done;
    }
    return FlushFileBuffers(file) ? 0 : GetLastError();
}

} // namespace

// ReplaceFileW keeps the old file's attributes and security; a new file is moved in place.
DWORD PutInPlace(const std::wstring& partial, const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    // Wine's ReplaceFileW puts a file in the place of a folder.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return ERROR_ACCESS_DENIED;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return ReplaceFileW(path.c_str(), partial.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                            nullptr)
                   ? 0
                   : GetLastError();
    }
    return MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) ? 0 : GetLastError();
}

DWORD WriteWholeFile(const std::wstring& name, const std::string& bytes) {
    const std::wstring path = FinalPath(name);
    std::wstring partial;
    DWORD error = 0;
    {
        UniqueFile file = CreateBeside(path, partial);
        if (!file) {
            return GetLastError();
        }
        error = WriteAndFlush(file.Get(), bytes);
    }
    error = error ? error : PutInPlace(partial, path);
    if (error) {
        DeleteFileW(partial.c_str());
    } else {
        FlushFolderOf(path);
    }
    return error;
}

void FlushFolderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
    UniqueFile handle(CreateFileW(folder.c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (handle) {
        FlushFileBuffers(handle.Get());
    }
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
