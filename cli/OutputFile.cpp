#include "cli/OutputFile.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace {

std::filesystem::path FromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string SystemReason() {
    return errno ? std::strerror(errno) : "the file could not be written";
}

} // namespace

OutputFile::OutputFile(const std::string& utf8Path)
    : path(FromUtf8(utf8Path)), beside(FromUtf8(utf8Path + ".new")) {
    errno = 0;
    out.open(beside, std::ios::binary | std::ios::trunc);
}

OutputFile::~OutputFile() {
    if (!finished) {
        out.close();
        std::error_code ignored;
        std::filesystem::remove(beside, ignored);
    }
}

bool OutputFile::Write(std::string_view bytes, std::string& reason) {
    if (out.is_open()) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    if (!out.is_open() || !out) {
        reason = SystemReason();
        return false;
    }
    return true;
}

bool OutputFile::Finish(std::string& reason) {
    out.close();
    if (!out) {
        reason = SystemReason();
        return false;
    }
    std::error_code error;
    std::filesystem::rename(beside, path, error);
    if (error) {
        reason = error.message();
        return false;
    }
    finished = true;
    return true;
}
