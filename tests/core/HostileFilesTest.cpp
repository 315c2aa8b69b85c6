// Hostile files against the tool's readers, measured in a process of their own: memory stays a
// few times the file's size (once hundreds of times), and the layouts file keeps few levels.
#include "WordsTestSupport.h"
#ifndef _WIN32
#include "../../bench/PeakMemory.h"
#endif

#include "base/Files.h"
#include "model/Layouts.h"
#include "words/ComponentStream.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace quorvel;
using quorvel::test::ScratchFolder;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasurable = false; // the sanitizer's own memory hides the program's
#else
constexpr bool kMeasurable = true;
#endif

std::string repeated(const std::string& head, const std::string& piece, std::size_t size) {
    std::string text = head;
    text.reserve(size);
    while (text.size() + piece.size() <= size)
        text += piece;
    return text;
}

class HostileFiles : public ::testing::Test {
protected:
    ScratchFolder scratch;
    static constexpr std::size_t kSize = 6u << 20;

    // The tool's peak, checked against four times the file plus a fixed allowance. The limit
    // stops a faulty reader long before it can take the machine's memory.
    void expectBounded(const std::string& file, std::vector<std::string> arguments,
                       int expectedStatus) {
#ifdef _WIN32
        // The readers are the same code on every system; a child's peak comes with wait4.
        static_cast<void>(file), static_cast<void>(arguments), static_cast<void>(expectedStatus);
        GTEST_SKIP() << "a program's peak memory is measured on Linux alone (wait4)";
#else
        if (!kMeasurable)
            GTEST_SKIP() << "memory is not measured under the sanitizers";
        arguments.insert(arguments.begin(), QUORVEL_TOOL);
        const auto size = static_cast<long>(std::filesystem::file_size(file));
        const measure::Run run = measure::runMeasured(arguments, 1LL << 30);
        EXPECT_EQ(run.status, expectedStatus) << arguments[1] << " " << arguments[2];
        EXPECT_LE(run.peakKilobytes, (4 * size) / 1024 + 24 * 1024)
            << arguments[1] << " " << arguments[2] << " on " << size << " bytes";
#endif
    }
};

TEST_F(HostileFiles, LayoutsOfTwoBytesALevelStayWithinAFewTimesTheFile) {
    const std::string file = scratch.file("formats");
    writeWholeFile(file, repeated("LAYOU0\n", "0\n", kSize));
    expectBounded(file, {"layouts", "check", file}, 3);
    expectBounded(file, {"layouts", "fix", file}, 0);
}

TEST_F(HostileFiles, DictionaryOfEmptyItemsStaysWithinAFewTimesTheFile) {
    ComponentWriter head;
    head.signature();
    head.shortString("Dictionary");
    head.shortString("Empty");
    head.shortString("Items");
    head.tag(ValueTag::Collection);
    const std::string file = scratch.file("empty.dic");
    writeWholeFile(file,
                   repeated(head.bytes, std::string("\x01\x00", 2), kSize) + std::string(3, '\0'));
    expectBounded(file, {"dic", "dump", file}, 0);
    expectBounded(file, {"wordlists", file, scratch.file("lists")}, 0);
}

TEST_F(HostileFiles, DictionaryBuildOfShortLinesStaysWithinAFewTimesTheInput) {
    const std::string file = scratch.file("short.txt");
    writeWholeFile(file, repeated("", "a\tb\n", kSize));
    expectBounded(file, {"dic", "build", file, scratch.file("out.dic")}, 0);
}

// A level count is 16 bits wide: the table never holds more levels than the game can offer,
// while the checksum and the count still cover the whole file.
TEST(LayoutsLimits, LevelsBeyondTheLastOfferableAreCountedNotKept) {
    const std::string body = repeated("", "0505\r\n", 70000 * 6);
    LevelTable table;
    const LayoutsLoad load = loadLayouts(
        "LAYOU" + std::to_string(layoutsChecksum("h\r\n" + body)) + "\r\n" + body, table);
    EXPECT_TRUE(load.checksumMatches());
    EXPECT_EQ(load.levelsRead, 70000);
    EXPECT_EQ(table.levelCount, LevelTable::kMaxLevels);
    EXPECT_EQ(table.records.size(), static_cast<std::size_t>(LevelTable::kMaxLevels) + 1);
    EXPECT_EQ(lengthPattern(table.at(LevelTable::kMaxLevels)).size(), 25u);
}

} // namespace
