// A file the command line writes: made beside its final name and put in its place once whole, so
// a failed write leaves an existing file as it was. Not flushed: an export is made again from its
// palettes, which no write here puts at risk.
#pragma once

#include <filesystem>
#include <fstream>
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
    std::filesystem::path path;
    std::filesystem::path beside;
    std::ofstream out;
    bool finished = false;
};
