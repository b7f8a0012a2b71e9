// The stored palettes, held in memory in file order, and the file they mirror byte for byte.
#pragma once

#include "library/LibraryFile.h"
#include "library/PaletteRecord.h"

#include <memory>

class PaletteLibrary {
public:
    // Which palette the workspace shows: an index into the records, or -1 for a new palette.
    int currentPaletteIndex = -1;

    // Loads the library from `file` (null when nothing could be opened: the library then stays
    // empty and unsaved) and settles currentPaletteIndex from `startIndex`. Older record formats
    // are converted and written back. Returns the first error met, 0 when there was none; a file
    // that cannot be read is never written afterwards.
    FileError OpenPaletteLibrary(std::unique_ptr<LibraryFile> file, BackupWriter& backup, int startIndex,
                                 const LogFontImage& defaultFont, const LogFontImage& startFont);
    // Rewrites the whole file from the records: from offset 0, cut to the records' length, flushed.
    // Memory is left as it is whatever happens.
    FileError WritePaletteLibrary();
    // True when writes can reach the file at all.
    bool Writable() const { return file && file->Writable() && readable; }

    int Count() const { return count; }
    int Capacity() const { return capacity; }
    const PaletteRecord& Record(int index) const { return Records()[index]; }
    void SetRecord(int index, const PaletteRecord& record) { OwnRecords()[index] = record; }
    // Puts the record at the end, or before `index`, and grows the array when it is full.
    void Append(const PaletteRecord& record) { Insert(count, record); }
    void Insert(int index, const PaletteRecord& record);
    // Closes the gap: every later record moves one place toward the front.
    void Remove(int index);

private:
    const PaletteRecord* Records() const { return mapped ? mapped : records.get(); }
    PaletteRecord* OwnRecords();
    void GrowForAppend();
    void ConvertLegacy(std::uint32_t marker, const std::byte* data, std::uint64_t length,
                       const LogFontImage& defaultFont, const LogFontImage& startFont);

    std::unique_ptr<LibraryFile> file;
    std::unique_ptr<PaletteRecord[]> records;
    // The file's own bytes, read in place until the first change or write.
    const PaletteRecord* mapped = nullptr;
    int count = 0;
    int capacity = 0;
    bool readable = true;
};
