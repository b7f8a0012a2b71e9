#include "cli/OutputFile.h"

#include "cli/PosixLibraryFiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Names tried beside the target before giving up: one a crash left behind is never written over.
constexpr int kNames = 100;

} // namespace

struct OutputFile::Beside {
    std::string target, partial;
    int fd = -1;
    int error = 0;
    // The permissions of the file replaced, when there is one.
    bool replacing = false;
    mode_t mode = 0;
    bool finished = false;

    ~Beside() {
        if (fd >= 0) {
            close(fd);
        }
        if (!finished && !partial.empty()) {
            unlink(partial.c_str());
        }
    }
};

OutputFile::OutputFile(const std::string& path) : beside(std::make_unique<Beside>()) {
    Beside& b = *beside;
    char resolved[PATH_MAX];
    b.target = realpath(path.c_str(), resolved) ? std::string(resolved) : path;
    struct stat info {};
    b.replacing = stat(b.target.c_str(), &info) == 0;
    b.mode = info.st_mode & 07777;
    for (int attempt = 0; attempt < kNames && b.fd < 0; ++attempt) {
        const std::string name = b.target + ".new" + (attempt ? std::to_string(attempt) : std::string());
        b.fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (b.fd >= 0) {
            b.partial = name;
        } else if (errno != EEXIST) {
            break;
        }
    }
    b.error = b.fd < 0 ? errno : 0;
}

OutputFile::~OutputFile() = default;

bool OutputFile::Write(std::string_view bytes, std::string& reason) {
    Beside& b = *beside;
    if (b.fd >= 0 && !WriteAll(b.fd, bytes.data(), bytes.size())) {
        b.error = errno;
    }
    if (b.fd < 0 || b.error) {
        reason = std::strerror(b.error ? b.error : EBADF);
        return false;
    }
    return true;
}

bool OutputFile::Finish(std::string& reason) {
    Beside& b = *beside;
    if (!b.error && b.replacing && fchmod(b.fd, b.mode) != 0) {
        b.error = errno;
    }
    if (!b.error && fsync(b.fd) != 0) {
        b.error = errno;
    }
    if (b.fd >= 0 && close(b.fd) != 0 && !b.error) {
        b.error = errno;
    }
    b.fd = -1;
    if (!b.error && rename(b.partial.c_str(), b.target.c_str()) != 0) {
        b.error = errno;
    }
    if (!b.error) {
        b.finished = true;
        b.error = static_cast<int>(FlushFolderOf(b.target));
    }
    if (b.error) {
        reason = std::strerror(b.error);
        return false;
    }
    return true;
}
