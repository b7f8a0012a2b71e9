// A library file in memory, with failures that can be switched on per call, and a backup that
// records what it was given.
#pragma once

#include "library/LibraryFile.h"
#include "library/RollbackJournal.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

class MemoryLibraryFile : public LibraryFile {
public:
    explicit MemoryLibraryFile(std::vector<unsigned char>& bytes, bool writable = true)
        : bytes(bytes), writable(writable) {}

    FileError failRead = 0, failWrite = 0, failFlush = 0, failSetLength = 0;
    // Whether the file offers its bytes in place; Windows refuses to cut a mapped file, and a write
    // under a view would change what the view shows, so both fail while mapped.
    bool mappable = true;
    bool mapped = false;
    // With failWrite set, this many bytes still reach the file before the failure.
    std::size_t bytesBeforeWriteFailure = 0;

    bool Writable() const override { return writable; }
    FileError Length(std::uint64_t& length) override {
        length = bytes.size();
        return 0;
    }
    FileError ReadFromStart(void* into, std::size_t size) override { return ReadAt(0, into, size); }
    FileError ReadAt(std::uint64_t offset, void* into, std::size_t size) override {
        if (failRead || offset + size > bytes.size()) {
            return failRead ? failRead : 38; // ERROR_HANDLE_EOF
        }
        std::memcpy(into, bytes.data() + offset, size);
        return 0;
    }
    FileError WriteAt(std::uint64_t offset, const void* from, std::size_t size) override {
        position = static_cast<std::size_t>(offset);
        return Write(from, size);
    }
    const void* MapFromStart(std::size_t size) override {
        mapped = mappable && !failRead && size <= bytes.size();
        return mapped ? bytes.data() : nullptr;
    }
    void Unmap() override { mapped = false; }
    FileError Rewind() override {
        position = 0;
        return 0;
    }
    FileError Write(const void* from, std::size_t size) override {
        if (mapped) {
            return kUserMappedFile;
        }
        std::size_t written = failWrite ? std::min(size, bytesBeforeWriteFailure) : size;
        bytes.resize(std::max(bytes.size(), position + written));
        if (written > 0) {
            std::memcpy(bytes.data() + position, from, written);
        }
        position += written;
        return failWrite;
    }
    FileError Flush() override { return failFlush; }
    FileError SetLength(std::uint64_t length) override {
        if (mapped) {
            return kUserMappedFile;
        }
        if (!failSetLength) {
            bytes.resize(length);
        }
        return failSetLength;
    }

private:
    static constexpr FileError kUserMappedFile = 1224; // ERROR_USER_MAPPED_FILE

    std::vector<unsigned char>& bytes;
    bool writable;
    std::size_t position = 0;
};

// A journal in memory: `bytes` holds it, `exists` says whether there is one.
class MemoryJournal : public JournalFile {
public:
    explicit MemoryJournal(std::string& bytes) : bytes(bytes) {}

    FileError failWrite = 0;
    // With failWrite set, this many bytes still reach the journal before the failure.
    std::size_t bytesBeforeWriteFailure = 0;
    bool setAside = false;
    int writes = 0;

    FileError Read(std::string& into) override {
        into = bytes;
        return 0;
    }
    FileError Write(std::span<const std::span<const std::byte>> pieces) override {
        ++writes;
        bytes.clear();
        for (auto piece : pieces) {
            bytes.append(reinterpret_cast<const char*>(piece.data()), piece.size());
        }
        if (failWrite) {
            bytes.resize(std::min(bytes.size(), bytesBeforeWriteFailure));
        }
        return failWrite;
    }
    // As the journal on the disk: the mark is zeroed and the rest stays.
    FileError Clear() override {
        std::fill_n(bytes.begin(), std::min(bytes.size(), kJournalMarkSize), '\0');
        return 0;
    }
    FileError Remove() override {
        bytes.clear();
        return 0;
    }
    FileError SetAside(std::string& suffix) override {
        setAside = true;
        suffix = "_unmatched";
        bytes.clear();
        return 0;
    }

private:
    std::string& bytes;
};

class MemoryBackup : public BackupWriter {
public:
    std::vector<unsigned char> bytes;
    bool written = false;

    void WriteBackupPiece(const void* data, std::size_t size, bool first, bool last) override {
        if (first) {
            bytes.clear();
        }
        auto* start = static_cast<const unsigned char*>(data);
        bytes.insert(bytes.end(), start, start + size);
        written = last;
    }
};
