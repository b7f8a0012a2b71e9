#include "library/PaletteLibrary.h"

#include <algorithm>
#include <cstring>
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

std::u16string CompactName(int number) {
    std::string text = "Palette #" + std::to_string(number);
    return {text.begin(), text.end()};
}

} // namespace

FileError PaletteLibrary::OpenPaletteLibrary(std::unique_ptr<LibraryFile> opened, BackupWriter& backup,
                                             int startIndex, const LogFontImage& defaultFont,
                                             const LogFontImage& startFont) {
    mapped = nullptr;
    records.reset();
    file = std::move(opened);
    count = 0;
    currentPaletteIndex = -1;
    readable = true;
    std::uint64_t length = 0;
    FileError error = file ? file->Length(length) : 0;
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
    backup.WriteBackup(data, length);

    std::uint32_t marker = 0;
    std::memcpy(&marker, data, std::min<std::uint64_t>(length, sizeof(marker)));
    if (marker == PaletteRecordMagic) {
        count = static_cast<int>(length / kRecordSize);
        mapped = static_cast<const PaletteRecord*>(view);
    } else {
        ConvertLegacy(marker, data, length, defaultFont, startFont);
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

FileError PaletteLibrary::WritePaletteLibrary() {
    if (!Writable()) {
        return kAccessDenied;
    }
    OwnRecords();
    const std::uint64_t size = std::uint64_t{kRecordSize} * count;
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

// There is always room for one more record: the array grows as soon as it is full.
void PaletteLibrary::Insert(int index, const PaletteRecord& record) {
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
    PaletteRecord* owned = OwnRecords();
    std::copy(owned + index + 1, owned + count, owned + index);
    --count;
}
