#include "library/Win32LibraryFile.h"

#include "library/WholeFiles.h"

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

FileError MoveTo(HANDLE handle, std::uint64_t offset) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(handle, position, nullptr, FILE_BEGIN) ? 0 : LastError();
}

} // namespace

std::unique_ptr<LibraryFile> Win32LibraryFile::Open(const wchar_t* name, FileError& error) {
    error = 0;
    if (UniqueFile file = OpenFile(name, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS)) {
        const bool created = GetLastError() != ERROR_ALREADY_EXISTS;
        // Sharing is Windows' own; the lock is what programs outside it, the command line on Linux
        // among them, see of the hold. It goes with the handle. Refused, another program holds the
        // library and may be rewriting it: it is only read, and its journal left to that program.
        OVERLAPPED hold{};
        hold.Offset = static_cast<DWORD>(kLibraryHoldOffset);
        hold.OffsetHigh = static_cast<DWORD>(kLibraryHoldOffset >> 32);
        if (!LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &hold)) {
            error = LastError();
            return std::make_unique<Win32LibraryFile>(std::move(file), false);
        }
        // A new library's name must be on the disk before the palettes saved into it are.
        if (created) {
            FlushFolderOf(name);
        }
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
    return ReadAt(0, into, size);
}

FileError Win32LibraryFile::WriteAt(std::uint64_t offset, const void* from, std::size_t size) {
    if (FileError error = MoveTo(handle.Get(), offset)) {
        return error;
    }
    return WriteAll(handle.Get(), from, size);
}

FileError Win32LibraryFile::ReadAt(std::uint64_t offset, void* into, std::size_t size) {
    if (FileError error = MoveTo(handle.Get(), offset)) {
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
    return MoveTo(handle.Get(), 0);
}

FileError Win32LibraryFile::Write(const void* from, std::size_t size) {
    return WriteAll(handle.Get(), from, size);
}

FileError Win32LibraryFile::Flush() {
    return FlushFileBuffers(handle.Get()) ? 0 : LastError();
}

FileError Win32LibraryFile::SetLength(std::uint64_t length) {
    if (FileError error = MoveTo(handle.Get(), length)) {
        return error;
    }
    return SetEndOfFile(handle.Get()) ? 0 : LastError();
}

FileError Win32JournalFolder::Read(std::string& bytes) {
    bytes.clear();
    const FileError error = ReadWholeFile(name, bytes);
    return error == ERROR_FILE_NOT_FOUND ? 0 : error;
}

FileError Win32JournalFolder::Open(bool create, bool& created) {
    file = OpenFile(name.c_str(), GENERIC_WRITE, 0, create ? OPEN_ALWAYS : OPEN_EXISTING);
    created = create && file && GetLastError() != ERROR_ALREADY_EXISTS;
    return file ? 0 : LastError();
}

FileError Win32JournalFolder::WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) {
    if (FileError error = MoveTo(file.Get(), offset)) {
        return error;
    }
    return WriteAll(file.Get(), bytes.data(), bytes.size());
}

FileError Win32JournalFolder::SetLength(std::uint64_t length) {
    if (FileError error = MoveTo(file.Get(), length)) {
        return error;
    }
    return SetEndOfFile(file.Get()) ? 0 : LastError();
}

FileError Win32JournalFolder::Flush() {
    return FlushFileBuffers(file.Get()) ? 0 : LastError();
}

FileError Win32JournalFolder::Unlink() {
    return DeleteFileW(name.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : LastError();
}

// Without MOVEFILE_REPLACE_EXISTING the move refuses an existing name; write-through returns only
// once the new name is on the disk.
FileError Win32JournalFolder::MoveAside(const std::string& suffix, bool& taken) {
    const std::wstring aside = name + std::wstring(suffix.begin(), suffix.end());
    const bool moved = MoveFileExW(name.c_str(), aside.c_str(), MOVEFILE_WRITE_THROUGH);
    const FileError error = moved ? 0 : LastError();
    taken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
    return taken ? 0 : error;
}

// As far as the file system allows: Windows' own keeps its folders in a journal of its own.
FileError Win32JournalFolder::FlushFolder() {
    FlushFolderOf(name);
    return 0;
}

// A piece that cannot be written ends the copy there, uncut.
void Win32Backup::WriteBackupPiece(const void* data, std::size_t size, bool first, bool last) {
    if (first) {
        file = OpenFile(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS);
    }
    if (file && WriteAll(file.Get(), data, size) != 0) {
        file.Reset();
    }
    if (file && last) {
        SetEndOfFile(file.Get());
        file.Reset();
    }
}
