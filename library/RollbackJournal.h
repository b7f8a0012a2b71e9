// The rollback journal kept beside the library while a rewrite changes bytes already in the file:
// what the file held from the first byte the rewrite changes to its old end, so that a rewrite cut
// short can be undone at the next start.
//
// Layout, little-endian: the 8-byte mark "HUEJRNL2", the journal's generation, the file's old
// length, the length the rewrite gives it, the offset of the first changed byte (four 64-bit
// numbers), the CRC-32 of the file's bytes before that offset, the old bytes from the offset to the
// old end, and the CRC-32 of everything before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct JournalHeader {
    // Different in every journal written over the same file, and under the trailer's CRC: the new
    // header of a write cut short never makes the body and trailer of an older journal whole again.
    std::uint64_t generation = 0;
    std::uint64_t oldLength = 0;
    std::uint64_t newLength = 0;
    std::uint64_t offset = 0;
    // The CRC-32 of the bytes before `offset`, which the rewrite leaves as they are: a library that
    // does not start with them is not the file the journal was written for.
    std::uint32_t prefixCrc = 0;
};

inline constexpr std::size_t kJournalHeaderSize = 44;
// The header starts with a mark of this many bytes; zeroed, the file is no journal.
inline constexpr std::size_t kJournalMarkSize = 8;
inline constexpr std::size_t kJournalTrailerSize = 4;

std::uint32_t Crc32(std::span<const std::byte> bytes, std::uint32_t crc = 0);

// The bytes that go before and after the old bytes; the trailer's CRC runs over the header and them.
std::string JournalHeaderBytes(const JournalHeader& header);
std::string JournalTrailerBytes(const JournalHeader& header,
                                std::span<const std::span<const std::byte>> oldBytes);

struct JournalContent {
    JournalHeader header;
    std::span<const std::byte> oldBytes;
};

// A whole journal read back: empty when it is short, damaged or not a journal at all, which means
// the rewrite it was written for never started.
std::optional<JournalContent> ReadJournal(std::span<const std::byte> bytes);

// Whether the library beside the journal is the file the journal was written for: of a length the
// rewrite can have left (from the old to the new one), and starting with the bytes it did not
// change. `start` is the library's first bytes, up to the journal's offset or all of them when it is
// shorter. The journal's name ties it to its library: the program and the command have no file
// identity they both see alike.
bool JournalFits(const JournalContent& journal, std::uint64_t libraryLength,
                 std::span<const std::byte> start);
