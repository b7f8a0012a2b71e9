// The stored palettes, held in memory in file order, and the file they mirror byte for byte.
#pragma once

#include "library/LibraryFile.h"
#include "library/PaletteRecord.h"

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

class PaletteLibrary {
public:
    // Which palette the workspace shows: an index into the records, or -1 for a new palette.
    int currentPaletteIndex = -1;

    // Loads the library from `file` (null when nothing could be opened: the library then stays
    // empty and unsaved) and settles currentPaletteIndex from `startIndex`. A rewrite that a
    // `journal` shows was cut short is rolled back first, before the backup copy is made. Older
    // record formats are converted and written back. Returns the first error met, 0 when there was
    // none; a file that cannot be read is never written afterwards. Without a journal, writes go
    // straight to the file: for files in memory only.
    FileError OpenPaletteLibrary(std::unique_ptr<LibraryFile> file, std::unique_ptr<JournalFile> journal,
                                 BackupWriter& backup, int startIndex, const LogFontImage& defaultFont,
                                 const LogFontImage& startFont);
    // Rewrites the whole file from the records: from offset 0, cut to the records' length, flushed.
    // Unless it only cuts the file short, the journal first keeps the bytes it changes, so that a
    // rewrite cut short is either wholly in or wholly out; a journal that cannot be written or
    // cleared fails the write. Memory is left as it is whatever happens.
    FileError WritePaletteLibrary();
    // When a journal was found at start that does not belong to the library beside it, what was
    // added to its name to keep it aside; the library was left as it was. Empty otherwise.
    const std::string& JournalSetAside() const { return setAsideAs; }
    // True when writes can reach the file at all.
    bool Writable() const { return file && file->Writable() && readable; }

    int Count() const { return count; }
    int Capacity() const { return capacity; }
    const PaletteRecord& Record(int index) const { return Records()[index]; }
    std::span<const PaletteRecord> AllRecords() const { return {Records(), static_cast<std::size_t>(count)}; }
    void SetRecord(int index, const PaletteRecord& record) {
        NoteChange(Change::Replaced, index);
        OwnRecords()[index] = record;
    }
    // Puts the record at the end, or before `index`, and grows the array when it is full.
    void Append(const PaletteRecord& record) { Insert(count, record); }
    void Insert(int index, const PaletteRecord& record);
    // Closes the gap: every later record moves one place toward the front.
    void Remove(int index);

private:
    static constexpr int kUnchanged = 1 << 30;
    // The one change since the file last matched memory, when there was one: from it and memory the
    // file's old bytes are known without reading them back. After several, they are read.
    enum class Change { None, Removed, Inserted, Replaced, Several };

    FileError RollBackInterruptedRewrite();
    void CopyToBackup(BackupWriter& backup, std::uint64_t length);
    FileError WriteJournal(std::uint64_t offset, std::uint64_t oldLength, std::uint64_t newLength);
    FileError Rewrite(std::uint64_t size);
    void NoteChange(Change kind, int index);
    std::vector<std::span<const std::byte>> OldBytesInMemory(std::uint64_t offset, std::uint64_t size) const;
    const PaletteRecord* Records() const { return mapped ? mapped : records.get(); }
    PaletteRecord* OwnRecords();
    void GrowForAppend();
    void ConvertLegacy(std::uint32_t marker, const std::byte* data, std::uint64_t length,
                       const LogFontImage& defaultFont, const LogFontImage& startFont);

    std::unique_ptr<LibraryFile> file;
    std::unique_ptr<JournalFile> journal;
    std::unique_ptr<PaletteRecord[]> records;
    // The first record changed since the file last matched memory; kUnchanged when none.
    int firstChange = kUnchanged;
    Change change = Change::None;
    // The record a single delete or overwrite took out of memory.
    PaletteRecord replaced{};
    std::string setAsideAs;
    // A journal is on the disk whose rewrite may have begun and is not undone.
    bool journalPending = false;
    std::uint64_t nextGeneration = 0;
    // The file's own bytes, read in place until the first change or write.
    const PaletteRecord* mapped = nullptr;
    int count = 0;
    int capacity = 0;
    bool readable = true;
};
