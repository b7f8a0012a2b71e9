// The rollback journal as a file of its own beside the library, over each system's file calls.
#pragma once

#include "library/LibraryFile.h"

#include <memory>

class DiskJournal : public JournalFile {
public:
    explicit DiskJournal(std::unique_ptr<JournalFolder> folder) : folder(std::move(folder)) {}
    // A journal cleared after its rewrite is deleted with this object.
    ~DiskJournal() override;
    DiskJournal(const DiskJournal&) = delete;
    DiskJournal& operator=(const DiskJournal&) = delete;

    FileError Read(std::string& bytes) override { return folder->Read(bytes); }
    FileError Write(std::span<const std::span<const std::byte>> pieces) override;
    FileError Clear() override;
    FileError Remove() override;
    FileError SetAside(std::string& suffix) override;

private:
    FileError ZeroMark();

    std::unique_ptr<JournalFolder> folder;
    bool cleared = false;
};
