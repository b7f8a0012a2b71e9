#include "library/PaletteLibrary.h"

#include "library/RollbackJournal.h"

#include <algorithm>
#include <cstring>
#include <random>
#include <string>

namespace {

// Beyond this the record count would not fit the library's 32-bit counters.
constexpr std::uint64_t kMaxLibraryBytes = std::uint64_t{1} << 30;

// Room for half as many records again as the file could hold at the smallest record size.
int InitialCapacity(std::uint64_t length) {
    int capacity = static_cast<int>(static_cast<float>(length / kCompactRecordSize) * 1.5f);
    return std::max(capacity, 20);
}

// A negative start index, -1 included, means the first record.
int StartIndex(int startIndex) {
    return std::max(startIndex, 0);
}

// Another process may have left a cleared journal of its own: a random start keeps this one's
// generations from meeting its.
std::uint64_t RandomGeneration() {
    std::random_device random;
    return std::uint64_t{random()} << 32 | random();
}

std::u16string CompactName(int number) {
    std::string text = "Palette #" + std::to_string(number);
    return {text.begin(), text.end()};
}

} // namespace

FileError PaletteLibrary::OpenPaletteLibrary(std::unique_ptr<LibraryFile> opened,
                                             std::unique_ptr<JournalFile> openedJournal, BackupWriter& backup,
                                             int startIndex, const LogFontImage& defaultFont,
                                             const LogFontImage& startFont) {
    mapped = nullptr;
    records.reset();
    file = std::move(opened);
    journal = std::move(openedJournal);
    count = 0;
    currentPaletteIndex = -1;
    readable = true;
    firstChange = kUnchanged;
    change = Change::None;
    setAsideAs.clear();
    journalPending = false;
    nextGeneration = RandomGeneration();
    FileError error = file && journal && file->Writable() ? RollBackInterruptedRewrite() : 0;
    std::uint64_t length = 0;
    if (!error && file) {
        error = file->Length(length);
    }
    if (!error && length > kMaxLibraryBytes) {
        error = kFileTooLarge;
    }
    if (error) {
        readable = false;
        length = 0;
    }
    capacity = InitialCapacity(length);
    // A mapped file is only read where it is used: the backup copies it and the start shows one record,
    // where reading it all into fresh memory would cost a page fault and a copy for every page first.
    const void* view = length > 0 ? file->MapFromStart(length) : nullptr;
    if (!view) {
        records = std::make_unique_for_overwrite<PaletteRecord[]>(capacity);
    }
    if (length == 0) {
        return error;
    }
    if (!view) {
        if (FileError readError = file->ReadFromStart(records.get(), length)) {
            readable = false;
            return readError;
        }
    }
    const auto* data = static_cast<const std::byte*>(view ? view : records.get());
    if (view) {
        CopyToBackup(backup, length);
    } else {
        backup.WriteBackup(data, length);
    }

    std::uint32_t marker = 0;
    std::memcpy(&marker, data, std::min<std::uint64_t>(length, sizeof(marker)));
    if (marker == PaletteRecordMagic) {
        count = static_cast<int>(length / kRecordSize);
        mapped = static_cast<const PaletteRecord*>(view);
    } else {
        ConvertLegacy(marker, data, length, defaultFont, startFont);
        firstChange = 0;
        change = Change::Several;
        file->Unmap();
        error = Writable() ? WritePaletteLibrary() : 0;
    }
    currentPaletteIndex = std::min(StartIndex(startIndex), count - 1);
    return error;
}

void PaletteLibrary::ConvertLegacy(std::uint32_t marker, const std::byte* data, std::uint64_t length,
                                   const LogFontImage& defaultFont, const LogFontImage& startFont) {
    const bool compact = marker == CompactRecordMagic;
    const std::size_t size = compact ? kCompactRecordSize : kNamedRecordSize;
    count = static_cast<int>(length / size);
    auto converted = std::make_unique_for_overwrite<PaletteRecord[]>(capacity);
    for (int i = 0; i < count; ++i) {
        const std::byte* old = data + i * size;
        PaletteRecord& record = converted[i];
        // Only a named record holds a name: a compact one is shorter, and the data may end with it.
        if (compact) {
            record = MakeRecord(CompactName(i + 1), {}, defaultFont);
        } else {
            PaletteRecord named{};
            std::memcpy(named.name, old + offsetof(PaletteRecord, name), sizeof(named.name));
            record = MakeRecord(RecordName(named), {}, startFont);
        }
        std::memcpy(record.colors, old + (compact ? 8 : offsetof(PaletteRecord, colors)),
                    sizeof(record.colors));
    }
    records = std::move(converted);
}

// From the file in pieces through one small buffer rather than straight from the mapping: writing the
// mapping out would fault in every page of it, which costs more than the copy and keeps the pages
// in the program's memory.
void PaletteLibrary::CopyToBackup(BackupWriter& backup, std::uint64_t length) {
    if (!backup.Wanted()) {
        return;
    }
    constexpr std::uint64_t kPiece = 1 << 20;
    std::vector<std::byte> piece(static_cast<std::size_t>(std::min(length, kPiece)));
    for (std::uint64_t offset = 0; offset < length; offset += piece.size()) {
        const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(length - offset, piece.size()));
        if (file->ReadAt(offset, piece.data(), size) != 0) {
            return;
        }
        backup.WriteBackupPiece(piece.data(), size, offset == 0, offset + size == length);
    }
}

// The first change copies the mapped records into an array of their own and lets the mapping go,
// so that the file can be written.
PaletteRecord* PaletteLibrary::OwnRecords() {
    if (mapped) {
        records = std::make_unique_for_overwrite<PaletteRecord[]>(capacity);
        std::copy(mapped, mapped + count, records.get());
        mapped = nullptr;
        file->Unmap();
    }
    return records.get();
}

// Deleting the last palette only cuts the file short: it changes no byte that stays, and a cut is
// done whole or not at all, so it needs no journal and still works, and gives room back, on a full
// disk. Every other write is journaled, appends too: the sectors of an append cut short by a power
// loss can land in any order, leaving a torn record that loading would keep.
//
// While a journal is pending (its rewrite failed and could not be undone) nothing else is written:
// the rollback is tried again first, and a write over the journal would lose the only copy of the
// old bytes.
FileError PaletteLibrary::WritePaletteLibrary() {
    if (!Writable()) {
        return kAccessDenied;
    }
    if (journalPending) {
        if (FileError error = RollBackInterruptedRewrite()) {
            return error;
        }
        journalPending = false;
    }
    OwnRecords();
    const std::uint64_t newLength = std::uint64_t{kRecordSize} * count;
    std::uint64_t oldLength = 0;
    if (FileError error = file->Length(oldLength)) {
        return error;
    }
    const std::uint64_t offset = std::min(std::uint64_t{kRecordSize} * firstChange, newLength);
    const bool journaled = journal && (offset < std::min(oldLength, newLength) || newLength > oldLength);
    if (journaled) {
        if (FileError error = WriteJournal(offset, oldLength, newLength)) {
            // A journal written whole but not flushed may still be there: it goes before the next write.
            journalPending = journal->Remove() != 0;
            return error;
        }
        journalPending = true;
    }
    FileError error = Rewrite(newLength);
    if (journaled && error) {
        // Undone from the journal at once; if even that fails, the journal stays pending.
        journalPending = RollBackInterruptedRewrite() != 0;
    } else if (journaled) {
        // A journal that cannot be cleared would undo the rewrite at the next start: the write
        // failed as well, and the next one rolls it back first.
        error = journal->Clear();
        journalPending = error != 0;
    }
    if (!error) {
        firstChange = kUnchanged;
        change = Change::None;
    }
    return error;
}

FileError PaletteLibrary::Rewrite(std::uint64_t size) {
    if (FileError error = file->Rewind()) {
        return error;
    }
    if (FileError error = file->Write(records.get(), size)) {
        return error;
    }
    // The length is cut before the flush, which is the slow step: a process killed while the data
    // goes to the disk then leaves no stale record after the last one.
    if (FileError error = file->SetLength(size)) {
        return error;
    }
    return file->Flush();
}

void PaletteLibrary::NoteChange(Change kind, int index) {
    if (change == Change::None && (kind == Change::Removed || kind == Change::Replaced)) {
        replaced = Records()[index];
    }
    change = change == Change::None ? kind : Change::Several;
    firstChange = std::min(firstChange, index);
}

// After one change the old bytes are the record it took out, if any, and the records after it as
// memory holds them now; empty when that does not add up to the file's old bytes.
std::vector<std::span<const std::byte>> PaletteLibrary::OldBytesInMemory(std::uint64_t offset,
                                                                         std::uint64_t size) const {
    const auto* base = reinterpret_cast<const std::byte*>(records.get());
    const std::uint64_t end = std::uint64_t{kRecordSize} * count;
    std::vector<std::span<const std::byte>> pieces;
    std::uint64_t from = offset;
    if (change == Change::Removed || change == Change::Replaced) {
        pieces.emplace_back(reinterpret_cast<const std::byte*>(&replaced), kRecordSize);
        from += change == Change::Replaced ? kRecordSize : 0;
    } else if (change == Change::Inserted) {
        from += kRecordSize;
    } else {
        return {};
    }
    if (from <= end) {
        pieces.emplace_back(base + from, static_cast<std::size_t>(end - from));
    }
    std::uint64_t total = 0;
    for (auto piece : pieces) {
        total += piece.size();
    }
    return total == size ? pieces : std::vector<std::span<const std::byte>>{};
}

// The records before `offset` are the same in memory and in the file, so their checksum comes from
// memory. The old bytes after it come from memory too after a single change, and from the file
// otherwise.
FileError PaletteLibrary::WriteJournal(std::uint64_t offset, std::uint64_t oldLength,
                                       std::uint64_t newLength) {
    const auto size = static_cast<std::size_t>(oldLength - offset);
    std::vector<std::span<const std::byte>> old = OldBytesInMemory(offset, size);
    std::unique_ptr<std::byte[]> read;
    if (old.empty() && size > 0) {
        read = std::make_unique_for_overwrite<std::byte[]>(size);
        if (FileError error = file->ReadAt(offset, read.get(), size)) {
            return error;
        }
        old.emplace_back(read.get(), size);
    }
    const JournalHeader header{nextGeneration++, oldLength, newLength, offset,
                               Crc32({reinterpret_cast<const std::byte*>(records.get()), offset})};
    const std::string head = JournalHeaderBytes(header);
    const std::string tail = JournalTrailerBytes(header, old);
    std::vector<std::span<const std::byte>> pieces{std::as_bytes(std::span(head))};
    pieces.insert(pieces.end(), old.begin(), old.end());
    pieces.push_back(std::as_bytes(std::span(tail)));
    return journal->Write(pieces);
}

// A complete journal means the rewrite may have begun: the old bytes go back, and the file is as it
// was before the operation. A short or damaged one means the rewrite never began. One that does not
// fit the file beside it (put there by hand since) is kept aside and the file left alone: rolling it
// back would graft the old bytes onto another library, deleting it would lose the ones it holds.
FileError PaletteLibrary::RollBackInterruptedRewrite() {
    std::string bytes;
    if (FileError error = journal->Read(bytes); error || bytes.empty()) {
        return error;
    }
    const auto found = ReadJournal(std::as_bytes(std::span(bytes)));
    if (!found) {
        return journal->Remove();
    }
    std::uint64_t length = 0;
    if (FileError error = file->Length(length)) {
        return error;
    }
    std::string start(static_cast<std::size_t>(std::min(length, found->header.offset)), '\0');
    if (FileError error = file->ReadAt(0, start.data(), start.size())) {
        return error;
    }
    if (!JournalFits(*found, length, std::as_bytes(std::span(start)))) {
        return journal->SetAside(setAsideAs);
    }
    const JournalHeader& header = found->header;
    if (FileError error = file->WriteAt(header.offset, found->oldBytes.data(), found->oldBytes.size())) {
        return error;
    }
    if (FileError error = file->SetLength(header.oldLength)) {
        return error;
    }
    if (FileError error = file->Flush()) {
        return error;
    }
    return journal->Remove();
}

// There is always room for one more record: the array grows as soon as it is full.
void PaletteLibrary::Insert(int index, const PaletteRecord& record) {
    NoteChange(Change::Inserted, index);
    PaletteRecord* owned = OwnRecords();
    std::copy_backward(owned + index, owned + count, owned + count + 1);
    owned[index] = record;
    ++count;
    GrowForAppend();
}

void PaletteLibrary::GrowForAppend() {
    if (count < capacity) {
        return;
    }
    capacity = static_cast<int>(static_cast<float>(count) * 1.5f);
    auto grown = std::make_unique_for_overwrite<PaletteRecord[]>(capacity);
    std::copy(records.get(), records.get() + count, grown.get());
    records = std::move(grown);
}

void PaletteLibrary::Remove(int index) {
    NoteChange(Change::Removed, index);
    PaletteRecord* owned = OwnRecords();
    std::copy(owned + index + 1, owned + count, owned + index);
    --count;
}
