#include "library/Win32LibraryFile.h"

#include <algorithm>

namespace {

// ReadFile and WriteFile move at most a DWORD at a time.
constexpr std::size_t kChunk = 1u << 30;

FileError LastError() {
    return GetLastError();
}

UniqueFile OpenFile(const wchar_t* name, DWORD access, DWORD share, DWORD disposition) {
    return UniqueFile(CreateFileW(name, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileError WriteAll(HANDLE handle, const void* from, std::size_t size) {
    auto* bytes = static_cast<const char*>(from);
    while (size > 0) {
        DWORD part = static_cast<DWORD>(std::min(size, kChunk));
        DWORD written = 0;
        if (!WriteFile(handle, bytes, part, &written, nullptr)) {
            return LastError();
        }
        if (written == 0) {
            return ERROR_WRITE_FAULT;
        }
        bytes += written;
        size -= written;
    }
    return 0;
}

} // namespace

std::unique_ptr<LibraryFile> Win32LibraryFile::Open(const wchar_t* name, FileError& error) {
    error = 0;
    if (UniqueFile file = OpenFile(name, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS)) {
        return std::make_unique<Win32LibraryFile>(std::move(file), true);
    }
    error = LastError();
    // Reading beside another reader is harmless: nobody writes while either holds the file.
    if (UniqueFile file = OpenFile(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING)) {
        return std::make_unique<Win32LibraryFile>(std::move(file), false);
    }
    return nullptr;
}

FileError Win32LibraryFile::Length(std::uint64_t& length) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle.Get(), &size)) {
        return LastError();
    }
    length = static_cast<std::uint64_t>(size.QuadPart);
    return 0;
}

FileError Win32LibraryFile::ReadFromStart(void* into, std::size_t size) {
    if (FileError error = Rewind()) {
        return error;
    }
    auto* bytes = static_cast<char*>(into);
    while (size > 0) {
        DWORD part = static_cast<DWORD>(std::min(size, kChunk));
        DWORD read = 0;
        if (!ReadFile(handle.Get(), bytes, part, &read, nullptr)) {
            return LastError();
        }
        if (read == 0) {
            return ERROR_HANDLE_EOF;
        }
        bytes += read;
        size -= read;
    }
    return 0;
}

// The view holds the mapping open by itself.
const void* Win32LibraryFile::MapFromStart(std::size_t size) {
    UniqueHandle mapping(CreateFileMappingW(handle.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (mapping) {
        view.Reset(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, size));
    }
    return view.Get();
}

FileError Win32LibraryFile::Rewind() {
    return SetFilePointerEx(handle.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN) ? 0 : LastError();
}

FileError Win32LibraryFile::Write(const void* from, std::size_t size) {
    return WriteAll(handle.Get(), from, size);
}

FileError Win32LibraryFile::Flush() {
    return FlushFileBuffers(handle.Get()) ? 0 : LastError();
}

FileError Win32LibraryFile::SetLength(std::uint64_t length) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(length);
    if (!SetFilePointerEx(handle.Get(), position, nullptr, FILE_BEGIN) || !SetEndOfFile(handle.Get())) {
        return LastError();
    }
    return 0;
}

void Win32Backup::WriteBackup(const void* data, std::size_t size) {
    UniqueFile file = OpenFile(name, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS);
    if (file && WriteAll(file.Get(), data, size) == 0) {
        SetEndOfFile(file.Get());
    }
}
