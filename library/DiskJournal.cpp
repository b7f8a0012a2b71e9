#include "library/DiskJournal.h"

#include "library/RollbackJournal.h"

#include <string>

namespace {

// Names tried for a journal set aside before giving up; each earlier one is kept.
constexpr int kAsideNames = 1000;

} // namespace

// The clear was flushed, so the journal reads as none whether or not the deletion reaches the disk.
DiskJournal::~DiskJournal() {
    if (cleared) {
        folder->Unlink();
    }
}

// Written over the cleared journal of the last rewrite, whose space the file system then need not
// give back and find again: its old body and trailer never pass for this journal's, whose header
// carries a new generation under the CRC. A journal just made has its name flushed too, or a power
// loss could take it away and leave the rewrite it was written for without it.
FileError DiskJournal::Write(std::span<const std::span<const std::byte>> pieces) {
    cleared = false;
    bool created = false;
    FileError error = folder->Open(true, created);
    std::uint64_t length = 0;
    for (auto piece : pieces) {
        error = error ? error : folder->WriteAt(length, piece);
        length += piece.size();
    }
    error = error ? error : folder->SetLength(length);
    error = error ? error : folder->Flush();
    folder->Close();
    return error || !created ? error : folder->FlushFolder();
}

// Flushed: a zeroed mark still in the cache would let a power loss bring the journal back, and the
// next start undo this rewrite and every save after it.
FileError DiskJournal::ZeroMark() {
    bool created = false;
    const std::byte zeros[kJournalMarkSize]{};
    FileError error = folder->Open(false, created);
    error = error ? error : folder->WriteAt(0, zeros);
    error = error ? error : folder->Flush();
    folder->Close();
    return error;
}

FileError DiskJournal::Clear() {
    const FileError error = ZeroMark();
    cleared = error == 0;
    return error;
}

// The mark is zeroed first, so that the journal is gone for good even when the deletion does not
// reach the disk; a file that cannot be zeroed is deleted and the deletion flushed.
FileError DiskJournal::Remove() {
    cleared = false;
    std::string bytes;
    if (FileError error = folder->Read(bytes); error || bytes.empty()) {
        return error;
    }
    if (bytes.size() >= kJournalMarkSize && ZeroMark() == 0) {
        return folder->Unlink();
    }
    if (FileError error = folder->Unlink()) {
        return error;
    }
    return folder->FlushFolder();
}

FileError DiskJournal::SetAside(std::string& suffix) {
    for (int number = 1; number <= kAsideNames; ++number) {
        suffix = "_unmatched" + (number > 1 ? std::to_string(number) : std::string());
        bool taken = false;
        if (FileError error = folder->MoveAside(suffix, taken)) {
            return error;
        }
        if (!taken) {
            return folder->FlushFolder();
        }
    }
    suffix.clear();
    return 183; // ERROR_ALREADY_EXISTS
}
