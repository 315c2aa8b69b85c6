// The scrambling filter: stored form, chunked reads and writes, seeking and resizing.
#include "words/EncryptedStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace quorvel;

namespace {

std::string payload() {
    std::string bytes;
    for (int i = 0; i < 300; ++i)
        bytes += static_cast<char>((i * 37 + 11) & 0xFF);
    return bytes;
}

// A filter over a memory stream whose seeds come from a fixed list, with the memory in view.
struct Scrambled {
    MemoryStream* memory;
    std::unique_ptr<TEncryptedStream> stream;

    explicit Scrambled(std::string key, std::string stored = {}, std::vector<int> seeds = {0x5A}) {
        auto inner = std::make_unique<MemoryStream>(std::move(stored));
        memory = inner.get();
        auto next = std::make_shared<std::size_t>(0);
        stream =
            std::make_unique<TEncryptedStream>(std::move(inner), std::move(key), [seeds, next] {
                return static_cast<std::uint8_t>(seeds[(*next)++ % seeds.size()]);
            });
    }
    std::string readAll(std::int64_t chunk) {
        std::string out;
        std::string buffer(static_cast<std::size_t>(chunk), '\0');
        std::int64_t got = 0;
        while ((got = stream->read(buffer.data(), chunk)) > 0)
            out.append(buffer.data(), static_cast<std::size_t>(got));
        return out;
    }
};

} // namespace

TEST(EncryptedStream, OneByteKeyUsesTheSameKeyByteAndTheRunningChain) {
    const std::string plain = "ABC";
    const std::string stored = scrambleBytes(plain, "\x10", 0x20);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(static_cast<std::uint8_t>(stored[0]), 0x20);
    int chain = 0x20;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const int expected = ((plain[i] + chain) & 0xFF) ^ 0x10;
        EXPECT_EQ(static_cast<std::uint8_t>(stored[i + 1]), expected) << "byte " << i;
        chain = expected;
    }
    EXPECT_EQ(unscrambleBytes(stored, "\x10"), plain);
}

TEST(EncryptedStream, KeyRunsAcrossTheWholeStreamAndWrapsAround) {
    // With chain 0 and plain 0 the first stored byte is the first key byte itself.
    const std::string stored = scrambleBytes(std::string(1, '\0'), "xyz", 0);
    EXPECT_EQ(stored[1], 'x');
    const std::string plain = payload();
    EXPECT_EQ(unscrambleBytes(scrambleBytes(plain, "xyz", 7), "xyz"), plain);
    EXPECT_NE(unscrambleBytes(scrambleBytes(plain, "xyz", 7), "xzy"), plain);
}

TEST(EncryptedStream, DifferentSeedsDifferInEveryByteAndBothReadBack) {
    const std::string plain = payload();
    const std::string first = scrambleBytes(plain, "key", 1);
    const std::string second = scrambleBytes(plain, "key", 2);
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i)
        EXPECT_NE(first[i], second[i]) << "byte " << i;
    EXPECT_EQ(unscrambleBytes(first, "key"), plain);
    EXPECT_EQ(unscrambleBytes(second, "key"), plain);
}

TEST(EncryptedStream, ChunkSizesDoNotChangeWhatIsStoredOrRead) {
    const std::string plain = payload();
    const std::string whole = scrambleBytes(plain, "chunky", 99);
    for (std::size_t chunk : {1u, 3u, 7u, 64u, 299u, 1000u}) {
        Scrambled written("chunky", {}, {99});
        for (std::size_t at = 0; at < plain.size(); at += chunk) {
            const auto n = std::min(chunk, plain.size() - at);
            ASSERT_EQ(written.stream->write(plain.data() + at, static_cast<std::int64_t>(n)),
                      static_cast<std::int64_t>(n));
        }
        EXPECT_EQ(written.memory->bytes(), whole) << "write chunk " << chunk;
        Scrambled read("chunky", whole);
        EXPECT_EQ(read.readAll(static_cast<std::int64_t>(chunk)), plain) << "read chunk " << chunk;
    }
    // 10, then 7, then the rest.
    Scrambled read("chunky", whole);
    std::string buffer(plain.size(), '\0');
    EXPECT_EQ(read.stream->read(buffer.data(), 10), 10);
    EXPECT_EQ(read.stream->read(buffer.data() + 10, 7), 7);
    EXPECT_EQ(read.stream->read(buffer.data() + 17, 1000), 283);
    EXPECT_EQ(buffer, plain);
    EXPECT_EQ(read.stream->read(buffer.data(), 10), 0);
}

TEST(EncryptedStream, SeekingReachesOnlyTheTwoEnds) {
    const std::string plain = payload();
    Scrambled s("k", scrambleBytes(plain, "k", 3));
    EXPECT_EQ(s.stream->size(), 300);
    std::string buffer(50, '\0');
    s.stream->read(buffer.data(), 50);
    EXPECT_EQ(s.stream->position(), 50);
    EXPECT_EQ(s.stream->seek(120, SeekBegin), 50); // the middle cannot be reached
    EXPECT_EQ(s.stream->seek(-10, SeekCurrent), 50);
    EXPECT_EQ(s.stream->seek(0, SeekEnd), 300);
    EXPECT_EQ(s.stream->seek(1000, SeekBegin), 300); // clamped to the end
    EXPECT_EQ(s.stream->seek(-1000, SeekCurrent), 0);
    EXPECT_EQ(s.readAll(64), plain) << "after seeking to 0 the payload reads from its start";
    EXPECT_EQ(s.stream->seek(5, 42), 300) << "an unknown origin counts from the start";
}

TEST(EncryptedStream, WritingAgainFromTheStartRestartsKeyAndSeed) {
    Scrambled s("abc", {}, {10, 200});
    s.stream->write("first text", 10);
    s.stream->seek(0, SeekBegin);
    const std::string plain = "second, longer text";
    s.stream->write(plain.data(), static_cast<std::int64_t>(plain.size()));
    EXPECT_EQ(static_cast<std::uint8_t>(s.memory->bytes()[0]), 200);
    EXPECT_EQ(unscrambleBytes(s.memory->bytes(), "abc"), plain);
}

TEST(EncryptedStream, SetSizeKeepsTheSeedByteOrRemovesItAtZero) {
    Scrambled s("abc", {}, {10, 20});
    s.stream->write("0123456789", 10);
    s.stream->setSize(4);
    EXPECT_EQ(s.memory->bytes().size(), 5u);
    EXPECT_EQ(s.stream->size(), 4);
    EXPECT_EQ(s.stream->position(), 0) << "the position moved, so the stream restarts";
    EXPECT_EQ(s.readAll(3), "0123");

    s.stream->setSize(0);
    EXPECT_TRUE(s.memory->bytes().empty());
    EXPECT_EQ(s.stream->size(), 0);
    s.stream->write("xy", 2);
    EXPECT_EQ(s.memory->bytes().size(), 3u);
    EXPECT_EQ(static_cast<std::uint8_t>(s.memory->bytes()[0]), 20) << "a new seed byte";
    EXPECT_EQ(unscrambleBytes(s.memory->bytes(), "abc"), "xy");
}

TEST(EncryptedStream, ZeroByteCallsAndEmptyStreamsTouchNothing) {
    Scrambled s("abc");
    char byte = 0;
    EXPECT_EQ(s.stream->write(&byte, 0), 0);
    EXPECT_TRUE(s.memory->bytes().empty()) << "no seed byte for a zero-byte write";
    EXPECT_EQ(s.stream->read(&byte, 0), 0);
    EXPECT_EQ(s.stream->read(&byte, 1), 0) << "an empty stream reads as empty";
    EXPECT_EQ(s.stream->size(), 0);
    EXPECT_EQ(s.stream->position(), 0);

    Scrambled stored("abc", scrambleBytes("hello", "abc", 1));
    EXPECT_EQ(stored.stream->read(&byte, 0), 0);
    EXPECT_EQ(stored.memory->position(), 0) << "a zero-byte read does not take the seed";
    EXPECT_EQ(stored.readAll(2), "hello");
    EXPECT_EQ(unscrambleBytes("", "abc"), "");
}
