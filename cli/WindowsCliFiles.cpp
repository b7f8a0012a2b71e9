#include "cli/CliFiles.h"
#include "cli/OutputFile.h"

#include "framework/SystemError.h"
#include "framework/UniqueHandle.h"
#include "library/DiskJournal.h"
#include "library/Win32LibraryFile.h"
#include "library/WholeFiles.h"

#include <windows.h>

#include <algorithm>

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(std::max(length, 0)));
    return wide;
}

// The system's sentence for `error` in UTF-8, without its final period: the caller ends the sentence.
std::string Reason(DWORD error) {
    std::wstring wide = SystemErrorText(error);
    if (!wide.empty() && wide.back() == L'.') {
        wide.pop_back();
    }
    std::string utf8(wide.size() * 3, '\0');
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                                         static_cast<int>(utf8.size()), nullptr, nullptr);
    utf8.resize(static_cast<std::size_t>(std::max(size, 0)));
    return utf8;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& reason) {
    if (DWORD error = ReadWholeFile(Wide(path), bytes)) {
        reason = Reason(error);
        return false;
    }
    return true;
}

bool OpenLibraryToRead(const std::string& path, OpenedLibrary& library, std::string& reason) {
    UniqueFile file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        reason = Reason(GetLastError());
        return false;
    }
    library.file = std::make_unique<Win32LibraryFile>(std::move(file), false);
    library.backup = std::make_unique<NoBackup>();
    return true;
}

OpenForWriting OpenLibraryToWrite(const std::string& path, OpenedLibrary& library, std::string& reason) {
    const std::wstring name = Wide(path);
    FileError error = 0;
    library.file = Win32LibraryFile::Open(name.c_str(), error);
    if (error) {
        library.file.reset();
        reason = Reason(error);
        return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? OpenForWriting::InUse
                                                                                 : OpenForWriting::Failed;
    }
    library.journal =
        std::make_unique<DiskJournal>(std::make_unique<Win32JournalFolder>(name + L"._journal"));
    library.backup = std::make_unique<Win32Backup>(name + L"._backup");
    return OpenForWriting::Opened;
}

struct OutputFile::Beside {
    std::wstring target, partial;
    UniqueFile file;
    DWORD error = 0;
    bool finished = false;

    ~Beside() {
        file.Reset();
        if (!finished && !partial.empty()) {
            DeleteFileW(partial.c_str());
        }
    }
};

OutputFile::OutputFile(const std::string& path) : beside(std::make_unique<Beside>()) {
    beside->target = FinalPath(Wide(path));
    beside->file = CreateBeside(beside->target, beside->partial);
    beside->error = beside->file ? 0 : GetLastError();
}

OutputFile::~OutputFile() = default;

bool OutputFile::Write(std::string_view bytes, std::string& reason) {
    Beside& b = *beside;
    for (std::size_t written = 0; !b.error && written < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 24));
        DWORD done = 0;
        b.error = WriteFile(b.file.Get(), bytes.data() + written, chunk, &done, nullptr) ? 0 : GetLastError();
        written += done;
    }
    if (b.error) {
        reason = Reason(b.error);
    }
    return !b.error;
}

bool OutputFile::Finish(std::string& reason) {
    Beside& b = *beside;
    if (!b.error && !FlushFileBuffers(b.file.Get())) {
        b.error = GetLastError();
    }
    b.file.Reset();
    b.error = b.error ? b.error : PutInPlace(b.partial, b.target);
    if (b.error) {
        reason = Reason(b.error);
        return false;
    }
    b.finished = true;
    FlushFolderOf(b.target);
    return true;
}
