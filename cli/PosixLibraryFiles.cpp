#include "cli/PosixLibraryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
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

FileError FlushFolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        return LastError();
    }
    // Some file systems have no flush for a folder and say so; their entries go with the files'.
    const FileError error = fsync(fd) != 0 && errno != EINVAL ? LastError() : 0;
    close(fd);
    return error;
}

FileError PosixJournalFolder::Read(std::string& bytes) {
    bytes.clear();
    const int in = open(path.c_str(), O_RDONLY);
    if (in < 0) {
        return errno == ENOENT ? 0 : LastError();
    }
    char buffer[1 << 16];
    ssize_t got = 0;
    while ((got = read(in, buffer, sizeof(buffer))) > 0 || (got < 0 && errno == EINTR)) {
        bytes.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    }
    const FileError error = got < 0 ? LastError() : 0;
    close(in);
    return error;
}

FileError PosixJournalFolder::Open(bool create, bool& created) {
    Close();
    created = false;
    if (create) {
        fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        created = fd >= 0;
    }
    if (fd < 0 && (!create || errno == EEXIST)) {
        fd = open(path.c_str(), O_WRONLY);
    }
    return fd < 0 ? LastError() : 0;
}

FileError PosixJournalFolder::WriteAt(std::uint64_t offset, std::span<const std::byte> bytes) {
    if (lseek(fd, static_cast<off_t>(offset), SEEK_SET) < 0) {
        return LastError();
    }
    return WriteAll(fd, bytes.data(), bytes.size()) ? 0 : LastError();
}

FileError PosixJournalFolder::SetLength(std::uint64_t length) {
    return ftruncate(fd, static_cast<off_t>(length)) != 0 ? LastError() : 0;
}

FileError PosixJournalFolder::Flush() {
    return fsync(fd) != 0 ? LastError() : 0;
}

void PosixJournalFolder::Close() {
    if (fd >= 0) {
        close(fd);
    }
    fd = -1;
}

FileError PosixJournalFolder::Unlink() {
    return unlink(path.c_str()) != 0 && errno != ENOENT ? LastError() : 0;
}

// A file system without the no-replace rename gets a link and an unlink, which refuse an existing
// name as well.
FileError PosixJournalFolder::MoveAside(const std::string& suffix, bool& taken) {
    const std::string aside = path + suffix;
    int moved = renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE);
    if (moved != 0 && errno == EINVAL) {
        moved = link(path.c_str(), aside.c_str());
        if (moved == 0) {
            unlink(path.c_str());
        }
    }
    taken = moved != 0 && errno == EEXIST;
    return moved != 0 && !taken ? LastError() : 0;
}

FileError PosixJournalFolder::FlushFolder() {
    return FlushFolderOf(path);
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
