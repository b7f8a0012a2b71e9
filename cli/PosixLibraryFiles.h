// The library file, its rollback journal and its backup over POSIX descriptors: the same calls the
// Windows program makes, for the command line and the benchmarks on Linux.
#pragma once

#include "library/LibraryFile.h"

#include <memory>
#include <string>

class PosixLibraryFile : public LibraryFile {
public:
    explicit PosixLibraryFile(int fd, bool writable = true) : fd(fd), writable(writable) {}
    ~PosixLibraryFile() override;
    PosixLibraryFile(const PosixLibraryFile&) = delete;
    PosixLibraryFile& operator=(const PosixLibraryFile&) = delete;

    bool Writable() const override { return writable; }
    FileError Length(std::uint64_t& length) override;
    FileError ReadFromStart(void* into, std::size_t size) override { return ReadAt(0, into, size); }
    FileError ReadAt(std::uint64_t offset, void* into, std::size_t size) override;
    FileError WriteAt(std::uint64_t offset, const void* from, std::size_t size) override;
    const void* MapFromStart(std::size_t size) override;
    void Unmap() override;
    FileError Rewind() override;
    FileError Write(const void* from, std::size_t size) override;
    FileError Flush() override;
    FileError SetLength(std::uint64_t length) override;

private:
    int fd;
    bool writable;
    void* view = nullptr;
    std::size_t viewSize = 0;
};

// The journal's file and folder for DiskJournal: `path` names the journal.
class PosixJournalFolder : public JournalFolder {
public:
    explicit PosixJournalFolder(std::string path) : path(std::move(path)) {}
    ~PosixJournalFolder() override { Close(); }
    PosixJournalFolder(const PosixJournalFolder&) = delete;
    PosixJournalFolder& operator=(const PosixJournalFolder&) = delete;

    FileError Read(std::string& bytes) override;
    FileError Open(bool create, bool& created) override;
    FileError WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) override;
    FileError SetLength(std::uint64_t length) override;
    FileError Flush() override;
    void Close() override;
    FileError Unlink() override;
    FileError MoveAside(const std::string& suffix, bool& taken) override;
    FileError FlushFolder() override;

private:
    std::string path;
    int fd = -1;
};

// Overwrites the backup's pages in place rather than truncating first, as the Windows side does.
class PosixBackup : public BackupWriter {
public:
    explicit PosixBackup(std::string path) : path(std::move(path)) {}
    ~PosixBackup() override { Close(); }
    PosixBackup(const PosixBackup&) = delete;
    PosixBackup& operator=(const PosixBackup&) = delete;

    void WriteBackupPiece(const void* data, std::size_t size, bool first, bool last) override;

private:
    void Close();

    std::string path;
    int fd = -1;
    std::size_t written = 0;
};

// Writes all of it, again after an interrupted call; false on an error, with errno set.
bool WriteAll(int fd, const void* from, std::size_t size);
// Flushes the entries of the folder that holds `path` (a file made, renamed or removed there) to the
// disk: an fsync of the file alone leaves them to the file system's own time. 0 or errno.
FileError FlushFolderOf(const std::string& path);
