// A disk in memory that keeps what a crash can leave behind. Every change is recorded in order; what
// a flush has put on the disk is kept apart from what only the system's cache holds, so that a power
// loss can keep any part of the latter. Writes land in 512-byte sectors, each a change of its own,
// as a kill can cut a write between them. Any call can be made to fail.
#pragma once

#include "library/LibraryFile.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

// The files by number, and the folder's names for them; a file without a name is gone.
struct DiskState {
    std::map<int, std::string> files;
    std::map<std::string, int> names;

    const std::string* Find(const std::string& name) const {
        const auto found = names.find(name);
        return found == names.end() ? nullptr : &files.at(found->second);
    }
};

struct DiskChange {
    enum Kind { Write, SetLength, Create, Rename, Unlink };
    Kind kind = Write;
    int file = 0;
    std::uint64_t offset = 0;
    std::string bytes;
    std::string name, to;

    bool OfFolder() const { return kind == Create || kind == Rename || kind == Unlink; }
    void ApplyTo(DiskState& state) const {
        switch (kind) {
        case Write: {
            std::string& data = state.files[file];
            data.resize(std::max<std::size_t>(data.size(), offset + bytes.size()));
            std::copy(bytes.begin(), bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(offset));
            break;
        }
        case SetLength:
            state.files[file].resize(offset);
            break;
        case Create:
            state.files.try_emplace(file);
            state.names[name] = file;
            break;
        case Rename:
            if (state.names.contains(name)) {
                state.names[to] = state.names[name];
                state.names.erase(name);
            }
            break;
        case Unlink:
            state.names.erase(name);
            break;
        }
    }
};

enum class Failure { None, DiskFull, DeviceError };
inline constexpr FileError kDiskFull = 112;     // ERROR_DISK_FULL
inline constexpr FileError kDeviceError = 1117; // ERROR_IO_DEVICE

class RecordingDisk {
public:
    // A moment a crash can fall at: the disk as a flush left it, the changes only cached since, and
    // the number of the explorer's phase then.
    struct Point {
        DiskState durable;
        std::vector<DiskChange> cached;
        int phase = 0;
    };

    explicit RecordingDisk(DiskState start) : live(start), durable(std::move(start)) {}

    DiskState live;
    DiskState durable;
    std::vector<DiskChange> cached;
    std::vector<Point> points;
    int phase = 0;
    int calls = 0;
    // Rewrites of the library from its start that fail with a device error once their first sector
    // has landed.
    int failedRewrites = 0;
    // Call numbers, from 0, and how each fails.
    std::map<int, Failure> failing;

    // Counts the call; the failure it is to have, if any.
    Failure Call() {
        const auto found = failing.find(calls++);
        return found == failing.end() ? Failure::None : found->second;
    }
    void Note() { points.push_back({durable, cached, phase}); }
    void Change(DiskChange change) {
        change.ApplyTo(live);
        cached.push_back(std::move(change));
        Note();
    }
    // What a flush of one file puts on the disk: its own data, not the folder's names.
    void FlushFile(int file) {
        MoveToDisk([file](const DiskChange& change) { return !change.OfFolder() && change.file == file; });
    }
    void FlushFolder() {
        MoveToDisk([](const DiskChange& change) { return change.OfFolder(); });
    }
    int NewFile() {
        int number = 1;
        while (live.files.contains(number) || durable.files.contains(number)) {
            ++number;
        }
        for (const DiskChange& change : cached) {
            number = std::max(number, change.file + 1);
        }
        return number;
    }

private:
    template <class Which> void MoveToDisk(Which which) {
        std::vector<DiskChange> rest;
        for (DiskChange& change : cached) {
            if (which(change)) {
                change.ApplyTo(durable);
            } else {
                rest.push_back(std::move(change));
            }
        }
        cached = std::move(rest);
        Note();
    }
};

// Writes `bytes` at `offset` of `file` a sector at a time; with a full disk only the part that
// overwrites bytes already there lands.
inline FileError WriteSectors(RecordingDisk& disk, int file, std::uint64_t offset, const char* bytes,
                              std::size_t size) {
    const Failure failure = disk.Call();
    if (failure == Failure::DeviceError) {
        return kDeviceError;
    }
    std::size_t end = size;
    if (failure == Failure::DiskFull) {
        const std::uint64_t length = disk.live.files[file].size();
        end = offset >= length ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(size, length - offset));
    }
    for (std::size_t done = 0; done < end;) {
        const std::uint64_t at = offset + done;
        const std::size_t piece = std::min<std::size_t>(end - done, 512 - at % 512);
        disk.Change({DiskChange::Write, file, at, std::string(bytes + done, piece), {}, {}});
        done += piece;
    }
    return failure == Failure::DiskFull ? kDiskFull : 0;
}

inline FileError Refused(Failure failure) {
    return failure == Failure::None ? 0 : failure == Failure::DiskFull ? kDiskFull : kDeviceError;
}

// The library file, held by its number as a handle holds it.
class RecordedLibraryFile : public LibraryFile {
public:
    RecordedLibraryFile(RecordingDisk& disk, const std::string& name) : disk(disk) {
        if (const auto found = disk.live.names.find(name); found != disk.live.names.end()) {
            file = found->second;
        } else {
            file = disk.NewFile();
            disk.Change({DiskChange::Create, file, 0, {}, name, {}});
        }
    }

    bool Writable() const override { return true; }
    FileError Length(std::uint64_t& length) override {
        length = Bytes().size();
        return Refused(disk.Call() == Failure::DeviceError ? Failure::DeviceError : Failure::None);
    }
    FileError ReadFromStart(void* into, std::size_t size) override { return ReadAt(0, into, size); }
    FileError ReadAt(std::uint64_t offset, void* into, std::size_t size) override {
        if (disk.Call() != Failure::None) {
            return kDeviceError;
        }
        if (offset + size > Bytes().size()) {
            return 38; // ERROR_HANDLE_EOF
        }
        std::memcpy(into, Bytes().data() + offset, size);
        return 0;
    }
    FileError WriteAt(std::uint64_t offset, const void* from, std::size_t size) override {
        position = offset;
        return Put(from, size);
    }
    FileError Rewind() override {
        position = 0;
        return 0;
    }
    FileError Write(const void* from, std::size_t size) override {
        if (disk.failedRewrites > 0 && position == 0) {
            --disk.failedRewrites;
            Put(from, std::min<std::size_t>(size, 512));
            return kDeviceError;
        }
        return Put(from, size);
    }
    FileError Flush() override {
        if (disk.Call() != Failure::None) {
            return kDeviceError;
        }
        disk.FlushFile(file);
        return 0;
    }
    FileError SetLength(std::uint64_t length) override {
        const Failure failure = disk.Call();
        if (failure == Failure::DeviceError || (failure == Failure::DiskFull && length > Bytes().size())) {
            return Refused(failure);
        }
        disk.Change({DiskChange::SetLength, file, length, {}, {}, {}});
        return 0;
    }

private:
    const std::string& Bytes() { return disk.live.files[file]; }
    FileError Put(const void* from, std::size_t size) {
        const FileError error = WriteSectors(disk, file, position, static_cast<const char*>(from), size);
        position += error ? 0 : size;
        return error;
    }

    RecordingDisk& disk;
    int file = 0;
    std::uint64_t position = 0;
};

// The journal's file and folder, by name as the systems' own are.
class RecordedJournalFolder : public JournalFolder {
public:
    RecordedJournalFolder(RecordingDisk& disk, std::string name) : disk(disk), name(std::move(name)) {}

    FileError Read(std::string& bytes) override {
        bytes.clear();
        if (disk.Call() != Failure::None) {
            return kDeviceError;
        }
        if (const std::string* found = disk.live.Find(name)) {
            bytes = *found;
        }
        return 0;
    }
    FileError Open(bool create, bool& created) override {
        created = false;
        open = 0;
        const Failure failure = disk.Call();
        const auto found = disk.live.names.find(name);
        if (failure == Failure::DeviceError ||
            (failure == Failure::DiskFull && found == disk.live.names.end())) {
            return Refused(failure);
        }
        if (found != disk.live.names.end()) {
            open = found->second;
        } else if (create) {
            open = disk.NewFile();
            created = true;
            disk.Change({DiskChange::Create, open, 0, {}, name, {}});
        } else {
            return 2; // ERROR_FILE_NOT_FOUND
        }
        return 0;
    }
    FileError WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) override {
        return WriteSectors(disk, open, offset, reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    FileError SetLength(std::uint64_t length) override {
        const Failure failure = disk.Call();
        if (failure == Failure::DeviceError ||
            (failure == Failure::DiskFull && length > disk.live.files[open].size())) {
            return Refused(failure);
        }
        disk.Change({DiskChange::SetLength, open, length, {}, {}, {}});
        return 0;
    }
    FileError Flush() override {
        if (disk.Call() != Failure::None) {
            return kDeviceError;
        }
        disk.FlushFile(open);
        return 0;
    }
    void Close() override { open = 0; }
    FileError Unlink() override {
        if (disk.Call() != Failure::None) {
            return kDeviceError;
        }
        if (disk.live.names.contains(name)) {
            disk.Change({DiskChange::Unlink, 0, 0, {}, name, {}});
        }
        return 0;
    }
    FileError MoveAside(const std::string& suffix, bool& taken) override {
        taken = disk.live.names.contains(name + suffix);
        if (disk.Call() != Failure::None) {
            return kDeviceError;
        }
        if (!taken) {
            disk.Change({DiskChange::Rename, 0, 0, {}, name, name + suffix});
        }
        return 0;
    }
    FileError FlushFolder() override {
        if (disk.Call() != Failure::None) {
            return kDeviceError;
        }
        disk.FlushFolder();
        return 0;
    }

private:
    RecordingDisk& disk;
    std::string name;
    int open = 0;
};

// The backup as the systems' writers make it: over the old copy, then cut to the new length.
class RecordedBackup : public BackupWriter {
public:
    RecordedBackup(RecordingDisk& disk, std::string name) : disk(disk), name(std::move(name)) {}

    void WriteBackupPiece(const void* data, std::size_t size, bool first, bool last) override {
        if (first) {
            written = 0;
            file = 0;
            if (const auto found = disk.live.names.find(name); found != disk.live.names.end()) {
                file = found->second;
            } else if (disk.Call() == Failure::None) {
                file = disk.NewFile();
                disk.Change({DiskChange::Create, file, 0, {}, name, {}});
            }
        }
        if (file && WriteSectors(disk, file, written, static_cast<const char*>(data), size) != 0) {
            file = 0;
        }
        written += size;
        if (file && last && disk.Call() == Failure::None) {
            disk.Change({DiskChange::SetLength, file, written, {}, {}, {}});
        }
    }

private:
    RecordingDisk& disk;
    std::string name;
    int file = 0;
    std::uint64_t written = 0;
};
