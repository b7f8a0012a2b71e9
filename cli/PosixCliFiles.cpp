#include "cli/CliFiles.h"

#include "cli/PosixLibraryFiles.h"
#include "library/DiskJournal.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Reason() {
    return std::strerror(errno);
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        reason = Reason();
        return false;
    }
    // Read straight into room for the whole file, one byte more to see its end, rather than grown
    // by copies as it comes.
    struct stat info {};
    const std::size_t expected =
        fstat(fd, &info) == 0 && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    bytes.resize(expected + (1 << 16));
    std::size_t size = 0;
    ssize_t got = 0;
    while ((got = read(fd, bytes.data() + size, bytes.size() - size)) > 0 || (got < 0 && errno == EINTR)) {
        size += static_cast<std::size_t>(std::max<ssize_t>(got, 0));
        if (size == bytes.size()) {
            bytes.resize(2 * size);
        }
    }
    bytes.resize(size);
    if (got < 0) {
        reason = Reason();
    }
    close(fd);
    return got == 0;
}

bool OpenLibraryToRead(const std::string& path, OpenedLibrary& library, std::string& reason) {
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        reason = Reason();
        return false;
    }
    library.file = std::make_unique<PosixLibraryFile>(fd, false);
    library.backup = std::make_unique<NoBackup>();
    return true;
}

OpenForWriting OpenLibraryToWrite(const std::string& path, OpenedLibrary& library, std::string& reason) {
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, 0644);
    const bool created = fd >= 0;
    if (fd < 0 && errno == EEXIST) {
        fd = open(path.c_str(), O_RDWR);
    }
    if (fd < 0) {
        reason = Reason();
        return OpenForWriting::Failed;
    }
    // Huewright under Wine holds its library with a lock the system shows to every program.
    struct flock held {};
    held.l_type = F_WRLCK;
    held.l_whence = SEEK_SET;
    held.l_start = kLibraryHoldOffset;
    held.l_len = 1;
    if (fcntl(fd, F_SETLK, &held) != 0) {
        const bool inUse = errno == EAGAIN || errno == EACCES;
        reason = Reason();
        close(fd);
        return inUse ? OpenForWriting::InUse : OpenForWriting::Failed;
    }
    // A new library's name must be on the disk before the palettes imported into it are.
    if (created) {
        FlushFolderOf(path);
    }
    library.file = std::make_unique<PosixLibraryFile>(fd, true);
    library.journal = std::make_unique<DiskJournal>(std::make_unique<PosixJournalFolder>(path + "._journal"));
    library.backup = std::make_unique<PosixBackup>(path + "._backup");
    return OpenForWriting::Opened;
}
