// The rollback journal's bytes: what reads back, and what is refused as never finished.
#include "library/DiskJournal.h"
#include "library/RollbackJournal.h"
#include "tests/core/RecordingDisk.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::span<const std::byte> Bytes(const std::string& text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

// The library "ABCDEFGHIJ" cut after "ABCD" by a rewrite to "ABCDxy": the journal keeps "EFGHIJ".
const std::string kOldLibrary = "ABCDEFGHIJ";

JournalHeader HeaderFor(std::uint64_t newLength) {
    return {7, kOldLibrary.size(), newLength, 4, Crc32(Bytes(kOldLibrary.substr(0, 4)))};
}

std::string JournalFor(const JournalHeader& header) {
    const std::string old = kOldLibrary.substr(header.offset);
    const std::string first = old.substr(0, 2), rest = old.substr(2);
    const std::span<const std::byte> pieces[] = {Bytes(first), Bytes(rest)};
    return JournalHeaderBytes(header) + old + JournalTrailerBytes(header, pieces);
}

} // namespace

TEST(RollbackJournalTest, Crc32IsTheUsualOne) {
    EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(Bytes("56789"), Crc32(Bytes("1234"))), 0xCBF43926u);
    // Large enough to be split among threads, while its halves are done in one piece each.
    std::string large(9'000'001, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>(i * 131 + (i >> 12));
    }
    const std::string first = large.substr(0, 4'000'000), second = large.substr(4'000'000);
    EXPECT_EQ(Crc32(Bytes(large), 5), Crc32(Bytes(second), Crc32(Bytes(first), 5)));
}

TEST(RollbackJournalTest, AWholeJournalReadsBackAndAnyCutOrChangedByteIsRefused) {
    const JournalHeader header = HeaderFor(6);
    const std::string whole = JournalFor(header);
    ASSERT_EQ(whole.size(), kJournalHeaderSize + 6 + kJournalTrailerSize);
    const auto journal = ReadJournal(Bytes(whole));
    ASSERT_TRUE(journal);
    EXPECT_EQ(journal->header.generation, 7u);
    EXPECT_EQ(journal->header.oldLength, 10u);
    EXPECT_EQ(journal->header.newLength, 6u);
    EXPECT_EQ(journal->header.offset, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(journal->oldBytes.data()), journal->oldBytes.size()),
              "EFGHIJ");
    for (std::size_t length = 0; length < whole.size(); ++length) {
        EXPECT_FALSE(ReadJournal(Bytes(whole.substr(0, length)))) << length;
    }
    for (std::size_t at = 0; at < whole.size(); ++at) {
        std::string damaged = whole;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x10);
        EXPECT_FALSE(ReadJournal(Bytes(damaged))) << at;
    }
}

// The same rewrite journaled twice over one file, the second cut after its header: the first
// journal's body and trailer are still there, and must not pass for the second's.
TEST(RollbackJournalTest, ANewHeaderOverAnOlderJournalIsRefused) {
    const JournalHeader first = HeaderFor(6);
    JournalHeader second = first;
    ++second.generation;
    const std::string older = JournalFor(first);
    const std::string cut = JournalHeaderBytes(second) + older.substr(kJournalHeaderSize);
    EXPECT_TRUE(ReadJournal(Bytes(older)));
    EXPECT_FALSE(ReadJournal(Bytes(cut)));
}

// A journal set aside takes the first name no earlier one has, and reaches the disk under it.
TEST(RollbackJournalTest, AJournalSetAsideNeverTakesTheNameOfAnEarlierOne) {
    DiskState start;
    const char* names[] = {"j", "j_unmatched", "j_unmatched2"};
    for (int file = 0; file < 3; ++file) {
        start.files[file + 1] = names[file];
        start.names[names[file]] = file + 1;
    }
    RecordingDisk disk(start);
    std::string suffix;
    EXPECT_EQ(DiskJournal(std::make_unique<RecordedJournalFolder>(disk, "j")).SetAside(suffix), 0u);
    EXPECT_EQ(suffix, "_unmatched3");
    EXPECT_TRUE(disk.cached.empty());
    for (const char* name : {"j_unmatched", "j_unmatched2", "j_unmatched3"}) {
        ASSERT_TRUE(disk.durable.Find(name)) << name;
    }
    EXPECT_EQ(*disk.durable.Find("j_unmatched"), "j_unmatched");
    EXPECT_EQ(*disk.durable.Find("j_unmatched3"), "j");
    EXPECT_FALSE(disk.durable.Find("j"));
}
