#include "library/RollbackJournal.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <system_error>
#include <thread>

namespace {

constexpr char kMark[kJournalMarkSize] = {'H', 'U', 'E', 'J', 'R', 'N', 'L', '2'};

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

std::uint32_t SerialCrc32(std::span<const std::byte> bytes, std::uint32_t crc) {
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

// Polynomials over GF(2) modulo the CRC's, in its bit-reflected order (x^0 is the top bit): what
// joining the CRCs of two pieces takes.
std::uint32_t MultiplyModulo(std::uint32_t a, std::uint32_t b) {
    std::uint32_t product = 0;
    for (std::uint32_t bit = 1u << 31; bit != 0; bit >>= 1) {
        if (a & bit) {
            product ^= b;
        }
        b = (b & 1) ? (b >> 1) ^ 0xEDB88320u : b >> 1;
    }
    return product;
}

// x to the power 8 * `bytes`: the shift a CRC takes over that many bytes of zeros.
std::uint32_t ShiftOverBytes(std::uint64_t bytes) {
    std::uint32_t power = 1u << 31;
    std::uint32_t square = 1u << 23; // x^8
    for (; bytes != 0; bytes >>= 1) {
        if (bytes & 1) {
            power = MultiplyModulo(power, square);
        }
        square = MultiplyModulo(square, square);
    }
    return power;
}

// The CRC of a piece followed by another of `secondSize` bytes, from the CRC of each.
std::uint32_t JoinCrc32(std::uint32_t first, std::uint32_t second, std::uint64_t secondSize) {
    return MultiplyModulo(ShiftOverBytes(secondSize), first) ^ second;
}

// Below this a thread costs more than it saves.
constexpr std::size_t kParallelCrcBytes = 1 << 22;
constexpr std::size_t kMaxCrcParts = 4;

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

// A journal can hold the whole library, and its checksum is on the way of every rewrite: a large
// piece is split among the processors and the CRCs of the parts joined. Plain threads, since futures
// would bring their share of the runtime into the program for this one use.
std::uint32_t Crc32(std::span<const std::byte> bytes, std::uint32_t crc) {
    const std::size_t parts =
        std::min<std::size_t>(std::max(1u, std::thread::hardware_concurrency()), kMaxCrcParts);
    if (bytes.size() < kParallelCrcBytes || parts == 1) {
        return SerialCrc32(bytes, crc);
    }
    const std::size_t partSize = bytes.size() / parts;
    const auto piece = [&](std::size_t part) {
        return part + 1 < parts ? bytes.subspan(part * partSize, partSize) : bytes.subspan(part * partSize);
    };
    std::array<std::uint32_t, kMaxCrcParts> crcs{};
    std::array<std::thread, kMaxCrcParts> threads;
    for (std::size_t part = 1; part < parts; ++part) {
        try {
            threads[part] =
                std::thread([&crcs, part, bytes = piece(part)] { crcs[part] = SerialCrc32(bytes, 0); });
        } catch (const std::system_error&) {
            // No thread to be had: this one does the part.
            crcs[part] = SerialCrc32(piece(part), 0);
        }
    }
    crc = SerialCrc32(piece(0), crc);
    for (std::size_t part = 1; part < parts; ++part) {
        if (threads[part].joinable()) {
            threads[part].join();
        }
        crc = JoinCrc32(crc, crcs[part], piece(part).size());
    }
    return crc;
}

std::string JournalHeaderBytes(const JournalHeader& header) {
    std::string out(kMark, sizeof(kMark));
    PutNumber(out, header.generation, 8);
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
    journal.header.generation = GetNumber(bytes.data() + 8, 8);
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

bool JournalFits(const JournalContent& journal, std::uint64_t libraryLength,
                 std::span<const std::byte> start) {
    const JournalHeader& header = journal.header;
    const auto [shorter, longer] = std::minmax(header.oldLength, header.newLength);
    if (libraryLength < shorter || libraryLength > longer || start.size() < header.offset) {
        return false;
    }
    return Crc32(start.first(header.offset)) == header.prefixCrc;
}
