// The library's file as loading and writing need it, so the same logic runs over a real file on
// Windows and over memory in the tests. Every call returns 0 or the system's error code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

using FileError = std::uint32_t;

// While Huewright has its library open it holds a lock on the one byte at this offset, far past any
// real length, which the system shows to every other program that asks, on Windows or under Wine.
inline constexpr std::uint64_t kLibraryHoldOffset = std::uint64_t{1} << 62;

class LibraryFile {
public:
    virtual ~LibraryFile() = default;

    // False when the file could only be opened for reading.
    virtual bool Writable() const = 0;
    virtual FileError Length(std::uint64_t& length) = 0;
    // Reads exactly `size` bytes from the start of the file.
    virtual FileError ReadFromStart(void* into, std::size_t size) = 0;
    // Reads or writes exactly `size` bytes at `offset`.
    virtual FileError ReadAt(std::uint64_t offset, void* into, std::size_t size) = 0;
    virtual FileError WriteAt(std::uint64_t offset, const void* from, std::size_t size) = 0;
    // The first `size` bytes of the file mapped read-only, valid until Unmap(), which must come before
    // any write; null when the file cannot be mapped, and the caller reads it instead.
    virtual const void* MapFromStart(std::size_t) { return nullptr; }
    virtual void Unmap() {}
    virtual FileError Rewind() = 0;
    virtual FileError Write(const void* from, std::size_t size) = 0;
    // The system's flush to the disk, not only the program's buffers.
    virtual FileError Flush() = 0;
    virtual FileError SetLength(std::uint64_t length) = 0;
};

// The rollback journal beside the library file, which holds a journal only while a rewrite is under
// way. Between rewrites the file may stay, cleared, so that the next journal reuses its space; it
// goes with the library.
class JournalFile {
public:
    virtual ~JournalFile() = default;
    // The whole journal into `bytes`: empty, and 0, when there is none.
    virtual FileError Read(std::string& bytes) = 0;
    // Makes the journal of these pieces, in order, and flushes it to the disk.
    virtual FileError Write(std::span<const std::span<const std::byte>> pieces) = 0;
    // Ends the journal once its rewrite is done: what is left reads as no journal.
    virtual FileError Clear() = 0;
    virtual FileError Remove() = 0;
    // Keeps a journal that belongs to no library under another name, so that what it holds is not
    // lost, and out of the way of the next start. `suffix` receives what was added to the journal's
    // name.
    virtual FileError SetAside(std::string& suffix) = 0;
};

// The calls the journal makes on its file and on the folder it shares with the library: each
// system's own in the program and the command, a recording one in the tests.
class JournalFolder {
public:
    virtual ~JournalFolder() = default;
    // The journal whole into `bytes`: empty, and 0, when there is none.
    virtual FileError Read(std::string& bytes) = 0;
    // Opens the journal for writing, creating it only when `create` is set; `created` says whether
    // it was. Closed by Close() or the next Open().
    virtual FileError Open(bool create, bool& created) = 0;
    virtual FileError WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) = 0;
    virtual FileError SetLength(std::uint64_t length) = 0;
    // The system's flush of the open journal to the disk.
    virtual FileError Flush() = 0;
    virtual void Close() = 0;
    virtual FileError Unlink() = 0;
    // Renames the journal to its name with `suffix` added, never over a file of that name: `taken`
    // is set instead.
    virtual FileError MoveAside(const std::string& suffix, bool& taken) = 0;
    // Makes the folder's entries (a file created, renamed or removed) reach the disk.
    virtual FileError FlushFolder() = 0;
};

// Receives the copy of the library file as it was found at start. Failing to keep it is not an
// error the user hears about.
class BackupWriter {
public:
    virtual ~BackupWriter() = default;
    // The copy comes in pieces, in order: the first starts it over the old one, the last cuts it to
    // its length. A copy in one piece is both.
    virtual void WriteBackupPiece(const void* data, std::size_t size, bool first, bool last) = 0;
    // False for a reader that keeps no backup: the file is then not read for one.
    virtual bool Wanted() const { return true; }
    void WriteBackup(const void* data, std::size_t size) { WriteBackupPiece(data, size, true, true); }
};

// The system's codes for the failures the library logic finds itself.
inline constexpr FileError kAccessDenied = 5;   // ERROR_ACCESS_DENIED
inline constexpr FileError kFileTooLarge = 223; // ERROR_FILE_TOO_LARGE
