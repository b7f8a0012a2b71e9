// Loads arbitrary bytes as a library file, then writes, reads and edits the result.
// Input: an 8-byte header, then the file's bytes. Header, little-endian:
//   0..3  start index (int32)
//   4     bit 0 read-only; bits 1..4 make reads, writes, flushes, length changes fail
//   5     the failing calls' error code, less one (so an enabled failure is never 0)
//   6..7  bytes that still reach the file before a write fails
// A short header reads as zeros: a writable file with no failures, start index 0.
#include "library/PaletteLibrary.h"
#include "tests/core/MemoryLibraryFile.h"
#include "tests/fuzz/Require.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

const LogFontImage kDefaultFont{{-48, 0, 0, 0, 700, 1, 0, 0, 0, 1, 2, 0, 34}, u"Georgia"};
const LogFontImage kStartFont{{-24, 0, 0, 0, 400, 0, 0, 0, 0, 1, 2, 0, 34}, u"Verdana"};

void RequireSaneIndices(const PaletteLibrary& library) {
    Require(library.currentPaletteIndex >= -1 && library.currentPaletteIndex < library.Count());
    Require(library.Count() >= 0 && library.Count() < library.Capacity());
}

bool FileHoldsRecords(const std::vector<unsigned char>& file, const PaletteLibrary& library) {
    const std::size_t size = kRecordSize * library.Count();
    return file.size() == size && (size == 0 || std::memcmp(file.data(), &library.Record(0), size) == 0);
}

// Writes back; a write that reports success must leave exactly the records in the file, and a
// library that cannot write must leave the file alone.
void WriteAndCheck(PaletteLibrary& library, const std::vector<unsigned char>& file) {
    const std::vector<unsigned char> before = file;
    const bool writable = library.Writable();
    const FileError error = library.WritePaletteLibrary();
    if (error == 0) {
        Require(FileHoldsRecords(file, library));
    }
    if (!writable) {
        Require(error != 0 && file == before);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint8_t header[8] = {};
    const std::size_t headerSize = std::min(size, sizeof(header));
    std::memcpy(header, data, headerSize);
    std::int32_t startIndex;
    std::memcpy(&startIndex, header, sizeof(startIndex));
    const std::uint8_t options = header[4];
    const FileError code = header[5] + 1u;

    const std::vector<unsigned char> original(data + headerSize, data + size);
    std::vector<unsigned char> file = original;
    auto memory = std::make_unique<MemoryLibraryFile>(file, !(options & 1));
    memory->failRead = options & 2 ? code : 0;
    memory->failWrite = options & 4 ? code : 0;
    memory->failFlush = options & 8 ? code : 0;
    memory->failSetLength = options & 16 ? code : 0;
    memory->bytesBeforeWriteFailure = header[6] | header[7] << 8;
    const bool readFails = memory->failRead != 0;

    MemoryBackup backup;
    PaletteLibrary library;
    library.OpenPaletteLibrary(std::move(memory), nullptr, backup, startIndex, kDefaultFont, kStartFont);
    RequireSaneIndices(library);
    if (!original.empty() && !readFails) {
        Require(backup.written && backup.bytes == original);
    }

    WriteAndCheck(library, file);
    for (int i = 0; i < library.Count(); ++i) {
        Require(RecordName(library.Record(i)).size() <= 64);
    }

    // Fill the array to its capacity so the last append has to grow it, then take the new
    // records out again from positions the input chooses.
    const PaletteRecord added = MakeRecord(u"Added", {}, kStartFont);
    const int count = library.Count();
    const int appends = library.Capacity() - count;
    for (int i = 0; i < appends; ++i) {
        library.Append(added);
        Require(std::memcmp(&library.Record(library.Count() - 1), &added, sizeof(added)) == 0);
        RequireSaneIndices(library);
    }
    Require(library.Count() == count + appends);
    for (int i = 0; i < appends; ++i) {
        library.Remove((static_cast<std::uint32_t>(startIndex) + i) % library.Count());
        RequireSaneIndices(library);
    }
    Require(library.Count() == count);
    WriteAndCheck(library, file);
    return 0;
}
