#include "library/RollbackJournal.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr char kMark[8] = {'H', 'U', 'E', 'J', 'R', 'N', 'L', '1'};

// Eight tables for the slicing-by-8 CRC: the journal can hold the whole library, and a byte at a
// time would take longer than writing it.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr CrcTables MakeCrcTables() {
    CrcTables tables{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        }
        tables[0][i] = value;
    }
    for (std::size_t slice = 1; slice < 8; ++slice) {
        for (std::uint32_t i = 0; i < 256; ++i) {
            const std::uint32_t previous = tables[slice - 1][i];
            tables[slice][i] = (previous >> 8) ^ tables[0][previous & 0xFF];
        }
    }
    return tables;
}

constexpr CrcTables kCrcTables = MakeCrcTables();

std::uint32_t Byte(const std::byte* at, int index) {
    return std::to_integer<std::uint32_t>(at[index]);
}

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
    const std::byte* at = bytes.data();
    std::size_t left = bytes.size();
    const auto& t = kCrcTables;
    for (; left >= 8; left -= 8, at += 8) {
        const std::uint32_t low =
            crc ^ (Byte(at, 0) | Byte(at, 1) << 8 | Byte(at, 2) << 16 | Byte(at, 3) << 24);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
              t[3][Byte(at, 4)] ^ t[2][Byte(at, 5)] ^ t[1][Byte(at, 6)] ^ t[0][Byte(at, 7)];
    }
    for (; left > 0; --left, ++at) {
        crc = t[0][(crc ^ Byte(at, 0)) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}

std::string JournalHeaderBytes(const JournalHeader& header) {
    std::string out(kMark, sizeof(kMark));
    PutNumber(out, header.identity, 8);
    PutNumber(out, header.oldLength, 8);
    PutNumber(out, header.newLength, 8);
    PutNumber(out, header.offset, 8);
    PutNumber(out, header.prefixCrc, 4);
    return out;
}

std::string JournalTrailerBytes(const JournalHeader& header,
                                std::span<const std::span<const std::byte>> oldBytes) {
    std::uint32_t crc = Crc32(AsBytes(JournalHeaderBytes(header)));
    for (auto piece : oldBytes) {
        crc = Crc32(piece, crc);
    }
    std::string out;
    PutNumber(out, crc, 4);
    return out;
}

std::optional<JournalContent> ReadJournal(std::span<const std::byte> bytes) {
    if (bytes.size() < kJournalHeaderSize + kJournalTrailerSize ||
        std::memcmp(bytes.data(), kMark, sizeof(kMark)) != 0) {
        return std::nullopt;
    }
    JournalContent journal;
    journal.header.identity = GetNumber(bytes.data() + 8, 8);
    journal.header.oldLength = GetNumber(bytes.data() + 16, 8);
    journal.header.newLength = GetNumber(bytes.data() + 24, 8);
    journal.header.offset = GetNumber(bytes.data() + 32, 8);
    journal.header.prefixCrc = static_cast<std::uint32_t>(GetNumber(bytes.data() + 40, 4));
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

bool JournalFits(const JournalContent& journal, std::uint64_t identity, std::uint64_t libraryLength,
                 std::span<const std::byte> start) {
    const JournalHeader& header = journal.header;
    const auto [shorter, longer] = std::minmax(header.oldLength, header.newLength);
    if (identity != header.identity || libraryLength < shorter || libraryLength > longer ||
        start.size() < header.offset) {
        return false;
    }
    return Crc32(start.first(header.offset)) == header.prefixCrc;
}
