#include "library/Win32LibraryFile.h"

#include "library/RollbackJournal.h"
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
        // Sharing is Windows' own; the lock is what programs outside it, the command line on Linux
        // among them, see of the hold. It goes with the handle.
        OVERLAPPED hold{};
        hold.Offset = static_cast<DWORD>(kLibraryHoldOffset);
        hold.OffsetHigh = static_cast<DWORD>(kLibraryHoldOffset >> 32);
        LockFileEx(file.Get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &hold);
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

FileError Win32LibraryFile::Identity(std::uint64_t& identity) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handle.Get(), &information)) {
        return LastError();
    }
    identity = (std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow) ^
               (std::uint64_t{information.dwVolumeSerialNumber} << 32);
    return 0;
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

FileError Win32Journal::Read(std::string& bytes) {
    bytes.clear();
    const FileError error = ReadWholeFile(name, bytes);
    return error == ERROR_FILE_NOT_FOUND ? 0 : error;
}

Win32Journal::~Win32Journal() {
    if (cleared) {
        DeleteFileW(name.c_str());
    }
}

// Written over the cleared journal of the last rewrite, whose space the file system then need not
// give back and find again. A write cut short mixes with the older bytes, which the checksum
// refuses, so a journal found at start is one this write finished or none.
FileError Win32Journal::Write(std::span<const std::span<const std::byte>> pieces) {
    cleared = false;
    UniqueFile file = OpenFile(name.c_str(), GENERIC_WRITE, 0, OPEN_ALWAYS);
    if (!file) {
        return LastError();
    }
    for (auto piece : pieces) {
        if (FileError error = WriteAll(file.Get(), piece.data(), piece.size())) {
            return error;
        }
    }
    return SetEndOfFile(file.Get()) && FlushFileBuffers(file.Get()) ? 0 : LastError();
}

// Zeroing the mark is one small write; a crash before it reaches the disk leaves the journal of a
// finished rewrite, as a deletion not yet on the disk would.
FileError Win32Journal::Clear() {
    UniqueFile file = OpenFile(name.c_str(), GENERIC_WRITE, 0, OPEN_EXISTING);
    const char zeros[kJournalMarkSize]{};
    if (!file || WriteAll(file.Get(), zeros, sizeof(zeros)) != 0) {
        return Remove();
    }
    cleared = true;
    return 0;
}

// A journal left after its rewrite finished would undo that rewrite at the next start: when it
// cannot be deleted (another program has it open), it is at least emptied, which reads as none.
FileError Win32Journal::Remove() {
    if (DeleteFileW(name.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) {
        return 0;
    }
    const FileError error = LastError();
    UniqueFile file = OpenFile(name.c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    return file && SetEndOfFile(file.Get()) && FlushFileBuffers(file.Get()) ? 0 : error;
}

FileError Win32Journal::SetAside() {
    return MoveFileExW(name.c_str(), asideName.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : LastError();
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
