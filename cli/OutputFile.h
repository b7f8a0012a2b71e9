// A file the command line writes: made new beside its final name (beside the target of a symbolic
// link, which stays), under a name no other file has, flushed and put in place once whole, with the
// permissions of the file it replaces. A failed write leaves an existing file as it was, and a
// finished one is on the disk, its new name too.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class OutputFile {
public:
    // `path` is UTF-8.
    explicit OutputFile(const std::string& path);
    // An unfinished file is removed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False, with the system's reason, when the bytes could not be written.
    bool Write(std::string_view bytes, std::string& reason);
    // Puts the file in its place.
    bool Finish(std::string& reason);

private:
    // Each system's own handle and names.
    struct Beside;
    std::unique_ptr<Beside> beside;
};
