#include "cli/PosixLibraryFiles.h"

#include "library/RollbackJournal.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileError LastError() {
    return static_cast<FileError>(errno);
}

} // namespace

bool WriteAll(int fd, const void* from, std::size_t size) {
    const auto* at = static_cast<const char*>(from);
    while (size > 0) {
        const ssize_t put = write(fd, at, size);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            return false;
        }
        at += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

PosixLibraryFile::~PosixLibraryFile() {
    Unmap();
    close(fd);
}

// Read-only and private, as the Windows side maps it; filled in at once, since every record is read.
const void* PosixLibraryFile::MapFromStart(std::size_t size) {
    Unmap();
    void* mapped = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (mapped == MAP_FAILED) {
        return nullptr;
    }
    view = mapped;
    viewSize = size;
    return view;
}

void PosixLibraryFile::Unmap() {
    if (view) {
        munmap(view, viewSize);
    }
    view = nullptr;
}

FileError PosixLibraryFile::Length(std::uint64_t& length) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        return LastError();
    }
    length = static_cast<std::uint64_t>(info.st_size);
    return 0;
}

FileError PosixLibraryFile::Identity(std::uint64_t& identity) {
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        return LastError();
    }
    identity = static_cast<std::uint64_t>(info.st_ino);
    return 0;
}

FileError PosixLibraryFile::ReadAt(std::uint64_t offset, void* into, std::size_t size) {
    auto* at = static_cast<char*>(into);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = pread(fd, at + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return got < 0 ? LastError() : EIO;
        }
        done += static_cast<std::size_t>(got);
    }
    return 0;
}

FileError PosixLibraryFile::WriteAt(std::uint64_t offset, const void* from, std::size_t size) {
    return lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0 ? LastError() : Write(from, size);
}

FileError PosixLibraryFile::Rewind() {
    return lseek(fd, 0, SEEK_SET) < 0 ? LastError() : 0;
}

FileError PosixLibraryFile::Write(const void* from, std::size_t size) {
    return WriteAll(fd, from, size) ? 0 : LastError();
}

FileError PosixLibraryFile::Flush() {
    return fsync(fd) != 0 ? LastError() : 0;
}

FileError PosixLibraryFile::SetLength(std::uint64_t length) {
    return ftruncate(fd, static_cast<off_t>(length)) != 0 ? LastError() : 0;
}

PosixJournal::~PosixJournal() {
    if (cleared) {
        unlink(path.c_str());
    }
}

FileError PosixJournal::Read(std::string& bytes) {
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        return errno == ENOENT ? 0 : LastError();
    }
    char buffer[1 << 16];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof(buffer))) > 0) {
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    const FileError error = got < 0 ? LastError() : 0;
    close(fd);
    return error;
}

FileError PosixJournal::Write(std::span<const std::span<const std::byte>> pieces) {
    cleared = false;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) {
        return LastError();
    }
    bool written = true;
    off_t length = 0;
    for (auto piece : pieces) {
        written = written && WriteAll(fd, piece.data(), piece.size());
        length += static_cast<off_t>(piece.size());
    }
    written = written && ftruncate(fd, length) == 0 && fsync(fd) == 0;
    const FileError error = written ? 0 : LastError();
    close(fd);
    return error;
}

FileError PosixJournal::Clear() {
    const int fd = open(path.c_str(), O_WRONLY);
    const char zeros[kJournalMarkSize]{};
    const bool zeroed = fd >= 0 && WriteAll(fd, zeros, sizeof(zeros));
    if (fd >= 0) {
        close(fd);
    }
    if (!zeroed) {
        return Remove();
    }
    cleared = true;
    return 0;
}

FileError PosixJournal::Remove() {
    return unlink(path.c_str()) != 0 && errno != ENOENT ? LastError() : 0;
}

FileError PosixJournal::SetAside() {
    return rename(path.c_str(), (path + "_unmatched").c_str()) != 0 ? LastError() : 0;
}

void PosixBackup::WriteBackupPiece(const void* data, std::size_t size, bool first, bool last) {
    if (first) {
        Close();
        fd = open(path.c_str(), O_RDWR | O_CREAT, 0644);
        written = 0;
    }
    if (fd >= 0 && !WriteAll(fd, data, size)) {
        Close();
    }
    written += size;
    if (fd >= 0 && last) {
        (void)!ftruncate(fd, static_cast<off_t>(written));
        Close();
    }
}

void PosixBackup::Close() {
    if (fd >= 0) {
        close(fd);
    }
    fd = -1;
}
