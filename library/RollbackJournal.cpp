#include "library/RollbackJournal.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char kMark[8] = {'H', 'U', 'E', 'J', 'R', 'N', 'L', '1'};

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        }
        table[i] = value;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

void PutNumber(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::uint64_t GetNumber(const std::byte* from, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= std::uint64_t{std::to_integer<std::uint8_t>(from[i])} << (8 * i);
    }
    return value;
}

std::span<const std::byte> AsBytes(const std::string& text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

} // namespace

std::uint32_t Crc32(std::span<const std::byte> bytes, std::uint32_t crc) {
    crc = ~crc;
    for (std::byte byte : bytes) {
        crc = kCrcTable[(crc ^ std::to_integer<std::uint32_t>(byte)) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}

std::string JournalHeaderBytes(const JournalHeader& header) {
    std::string out(kMark, sizeof(kMark));
    PutNumber(out, header.oldLength, 8);
    PutNumber(out, header.newLength, 8);
    PutNumber(out, header.offset, 8);
    PutNumber(out, header.prefixCrc, 4);
    return out;
}

std::string JournalTrailerBytes(const JournalHeader& header, std::span<const std::byte> oldBytes) {
    std::uint32_t crc = Crc32(AsBytes(JournalHeaderBytes(header)));
    crc = Crc32(oldBytes, crc);
    std::string out;
    PutNumber(out, crc, 4);
    return out;
}

std::optional<Journal> ReadJournal(std::span<const std::byte> bytes) {
    if (bytes.size() < kJournalHeaderSize + kJournalTrailerSize ||
        std::memcmp(bytes.data(), kMark, sizeof(kMark)) != 0) {
        return std::nullopt;
    }
    Journal journal;
    journal.header.oldLength = GetNumber(bytes.data() + 8, 8);
    journal.header.newLength = GetNumber(bytes.data() + 16, 8);
    journal.header.offset = GetNumber(bytes.data() + 24, 8);
    journal.header.prefixCrc = static_cast<std::uint32_t>(GetNumber(bytes.data() + 32, 4));
    const JournalHeader& header = journal.header;
    const std::uint64_t stored = bytes.size() - kJournalHeaderSize - kJournalTrailerSize;
    if (header.offset > header.oldLength || header.oldLength - header.offset != stored) {
        return std::nullopt;
    }
    const auto body = bytes.first(bytes.size() - kJournalTrailerSize);
    if (Crc32(body) != GetNumber(bytes.data() + body.size(), 4)) {
        return std::nullopt;
    }
    journal.oldBytes = body.subspan(kJournalHeaderSize);
    return journal;
}

bool JournalFits(const Journal& journal, std::span<const std::byte> library) {
    const JournalHeader& header = journal.header;
    const auto [shorter, longer] = std::minmax(header.oldLength, header.newLength);
    if (library.size() < shorter || library.size() > longer) {
        return false;
    }
    return library.size() >= header.offset && Crc32(library.first(header.offset)) == header.prefixCrc;
}
