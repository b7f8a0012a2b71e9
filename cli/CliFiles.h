// The files the command line reads and writes, through the system's own calls, with the system's
// reason when one cannot be used.
#pragma once

#include "library/LibraryFile.h"

#include <memory>
#include <string>

// Every path is UTF-8.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason);

// What opening for reading gives as the backup: none is kept, and the file is not read for one.
class NoBackup : public BackupWriter {
public:
    void WriteBackupPiece(const void*, std::size_t, bool, bool) override {}
    bool Wanted() const override { return false; }
};

struct OpenedLibrary {
    std::unique_ptr<LibraryFile> file;
    std::unique_ptr<JournalFile> journal;
    std::unique_ptr<BackupWriter> backup;
};

// For reading only: nothing is rolled back, converted on disk or backed up.
bool OpenLibraryToRead(const std::string& path, OpenedLibrary& library, std::string& reason);

enum class OpenForWriting { Opened, InUse, Failed };
// Created when missing and held for writing with the program's journal and backup beside it. InUse
// when Huewright holds it.
OpenForWriting OpenLibraryToWrite(const std::string& path, OpenedLibrary& library, std::string& reason);
