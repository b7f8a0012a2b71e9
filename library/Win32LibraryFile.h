// The library file and its backup on a Windows file handle.
#pragma once

#include "framework/UniqueHandle.h"
#include "library/LibraryFile.h"

#include <memory>
#include <string>

class Win32LibraryFile : public LibraryFile {
public:
    Win32LibraryFile(UniqueFile handle, bool writable) : handle(std::move(handle)), writable(writable) {}

    // Opens `name` for reading and writing with no sharing, creating it when missing, and holds it
    // until destroyed. When writing is refused (a read-only file, or another reader holds it) the
    // file is opened for reading only, so its palettes still show. Null when it cannot be opened at all;
    // `error` holds the reason of the first refusal.
    static std::unique_ptr<LibraryFile> Open(const wchar_t* name, FileError& error);

    bool Writable() const override { return writable; }
    FileError Length(std::uint64_t& length) override;
    FileError ReadFromStart(void* into, std::size_t size) override;
    FileError ReadAt(std::uint64_t offset, void* into, std::size_t size) override;
    FileError WriteAt(std::uint64_t offset, const void* from, std::size_t size) override;
    const void* MapFromStart(std::size_t size) override;
    void Unmap() override { view.Reset(); }
    FileError Rewind() override;
    FileError Write(const void* from, std::size_t size) override;
    FileError Flush() override;
    FileError SetLength(std::uint64_t length) override;

private:
    UniqueFile handle;
    UniqueView view;
    bool writable;
};

// The journal's file and folder for DiskJournal.
class Win32JournalFolder : public JournalFolder {
public:
    // `name` is the journal's file name.
    explicit Win32JournalFolder(std::wstring name) : name(std::move(name)) {}

    FileError Read(std::string& bytes) override;
    FileError Open(bool create, bool& created) override;
    FileError WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) override;
    FileError SetLength(std::uint64_t length) override;
    FileError Flush() override;
    void Close() override { file.Reset(); }
    FileError Unlink() override;
    FileError MoveAside(const std::string& suffix, bool& taken) override;
    FileError FlushFolder() override;

private:
    std::wstring name;
    UniqueFile file;
};

// Writes the copy over whatever the backup file held, then cuts it to the copy's length.
class Win32Backup : public BackupWriter {
public:
    explicit Win32Backup(std::wstring name) : name(std::move(name)) {}
    void WriteBackupPiece(const void* data, std::size_t size, bool first, bool last) override;

private:
    UniqueFile file;
    std::wstring name;
};
