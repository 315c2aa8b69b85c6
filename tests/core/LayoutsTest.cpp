// The layouts file: checksum guard, numeric and drawn layouts, limits, built-in levels, export.
#include "EngineTestSupport.h"

#include "model/Layouts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace quorvel {
namespace {

TEST(Layouts, ChecksumOfLines) {
    EXPECT_EQ(lineChecksum("0404"), 210);
    EXPECT_EQ(lineChecksum(""), 0);
    // The built-in four lines sum to 852.
    EXPECT_EQ(layoutsChecksum("0\r\n0404\r\n0505\r\n0606\r\n0707\r\n"), 852);
}

TEST(Layouts, MatchingChecksumOffersEveryLevel) {
    const std::string body = "0404\r\n\r\nXXXX-XXX\r\nXXX-XXXX\r\n\r\n0505\r\n";
    LevelTable table;
    LayoutsLoad load = loadLayouts(layoutsFile(body), table);
    ASSERT_TRUE(load.headerRead);
    EXPECT_TRUE(load.checksumMatches());
    EXPECT_EQ(table.levelCount, 3);
    const LayoutRecord& drawn = table.at(2);
    EXPECT_EQ(drawn.columns, 8);
    EXPECT_EQ(drawn.rows, 2);
    EXPECT_EQ(drawn.letterTotal, 14);
    EXPECT_EQ(drawn.row(1), std::string("\x04XXX-\x03XX"));
    EXPECT_EQ(lengthPattern(drawn), std::string("\x04\1\1\1\1\x03\1\1\x03\1\1\1\x04\1\1\1"));
}

TEST(Layouts, ChangedLineLeavesOnlyLevelOne) {
    const std::string good = layoutsFile("0404\r\n0505\r\n0606\r\n");
    std::string bad = good;
    bad.replace(bad.find("0505"), 4, "0506");
    LevelTable table;
    LayoutsLoad load = loadLayouts(bad, table);
    EXPECT_FALSE(load.checksumMatches());
    EXPECT_EQ(load.levelsRead, 3);
    EXPECT_EQ(table.levelCount, 1);
    EXPECT_EQ(table.records.size(), 4u); // the others stay in the table, out of reach
}

TEST(Layouts, SecondRowOfDrawnLayoutIsNotSummed) {
    const std::string a = "XXX-X\r\nXXXXX\r\n\r\n";
    const std::string b = "XXX-X\r\nX-XXX\r\n\r\n";
    EXPECT_EQ(layoutsChecksum("h\r\n" + a), layoutsChecksum("h\r\n" + b));
    EXPECT_EQ(layoutsChecksum("h\r\n" + a), lineChecksum("XXX-X"));
}

TEST(Layouts, LineKinds) {
    // Blanks trimmed and letters upper-cased before anything else; "#..." and "A..." lines and
    // three-character lines starting 0-3 are ignored but summed; "1234" is a level.
    const std::string body = "  xx-xxxxx \r\n\r\n# note\r\nAbc\r\n123\r\n1234\r\n";
    LevelTable table;
    LayoutsLoad load = loadLayouts(layoutsFile(body), table);
    EXPECT_TRUE(load.checksumMatches());
    ASSERT_EQ(table.levelCount, 2);
    EXPECT_EQ(table.at(1).letterTotal, 7); // the two-cell run counts, though it becomes gaps
    EXPECT_EQ(lengthPattern(table.at(1)), std::string("\1\1\1\x05\1\1\1\1"));
    EXPECT_EQ(table.at(2).columns, 12);
    EXPECT_EQ(table.at(2).rows, 34);
    EXPECT_FALSE(table.at(2).fitsBoard());
    EXPECT_EQ(layoutProblem(table.at(2), 2), "Level 2 is too large to play: 34 rows (at most 20).");
    EXPECT_EQ(layoutsChecksum("h\r\n# note\r\n"), lineChecksum("# NOTE"));
}

TEST(Layouts, UnreadableHeaderKeepsTable) {
    LevelTable table = builtInLayouts();
    for (const char* text : {"", "0\r\n0404\r\n", "ABCDEx1\r\n0404\r\n", "ABC\r\n"}) {
        LayoutsLoad load = loadLayouts(text, table);
        EXPECT_FALSE(load.headerRead) << text;
        EXPECT_EQ(table.levelCount, 4) << text;
    }
}

TEST(Layouts, LimitsAndUnequalRows) {
    struct Case {
        std::string body;
        std::string problem;
    } cases[] = {
        {"0404\r\n", ""},
        {"2015\r\n", ""}, // 300 cells
        {"4101\r\n", "Level 1 is too large to play: 41 columns (at most 40)."},
        {"4008\r\n", "Level 1 is too large to play: 320 cells (at most 300)."},
        {"XXXX\r\nXXX\r\n\r\n", "Level 1 cannot be played: its rows are not all 3 cells long."},
        {"0004\r\n", "Level 1 has no board to play."},
        {"04X4\r\n", "Level 1 has no board to play."},
    };
    for (const Case& c : cases) {
        LevelTable table = levelsFrom(c.body);
        ASSERT_EQ(table.levelCount, 1) << c.body;
        EXPECT_EQ(layoutProblem(table.at(1), 1), c.problem) << c.body;
        EXPECT_EQ(table.at(1).fitsBoard(), c.problem.empty()) << c.body;
    }
}

TEST(Layouts, DrawnLayoutAtEndOfFileAndHostileGapCharacters) {
    // No empty line after the last block; a control character inside a row is a plain gap.
    LevelTable table = levelsFrom("XXX\x05XXX\r\nXXX-XXX");
    ASSERT_EQ(table.levelCount, 1);
    EXPECT_EQ(table.at(1).rows, 2);
    EXPECT_EQ(lengthPattern(table.at(1)), std::string("\x03\1\1\1\x03\1\1\x03\1\1\1\x03\1\1"));
}

TEST(Layouts, BuiltInLevels) {
    LevelTable table = builtInLayouts();
    ASSERT_EQ(table.levelCount, 4);
    for (int level = 1; level <= 4; ++level) {
        EXPECT_EQ(table.at(level).columns, level + 3);
        EXPECT_EQ(table.at(level).rows, level + 3);
        EXPECT_EQ(table.at(level).letterTotal, (level + 3) * (level + 3));
    }
    EXPECT_EQ(table.at(0).rows, 0);
    EXPECT_EQ(table.at(5).rows, 0); // outside the table: the empty entry 0
}

TEST(Layouts, PreviewAndExport) {
    LevelTable table = levelsFrom("0501\r\n\r\nXX-XX\r\nXXXXX\r\nX-XXX\r\n\r\n");
    // The first cell of a one- or two-letter run holds 1 or 2 and shows as a gap.
    EXPECT_EQ(layoutPreview(table.at(2)),
              (std::vector<std::string>{" \x7F  \x7F", "\x7F\x7F\x7F\x7F\x7F", "  \x7F\x7F\x7F"}));
    EXPECT_EQ(exportLevelTable(table), "\r\n005\r\n0501\r\nXXXXX\r\n"
                                       "\r\n013\r\n0503\r\n-X--X\r\nXXXXX\r\n--XXX\r\n");
}

class LayoutsFileTest : public EngineTest {};

TEST_F(LayoutsFileTest, MissingOrEmptyFileGivesBuiltInLevels) {
    HeardGame fresh{events, random, dir.folder()};
    fresh.loadLayouts();
    EXPECT_EQ(fresh.levelTable().levelCount, 4);
    dir.write("zq/formats", layoutsFile(""));
    game.loadLayouts();
    EXPECT_EQ(game.levelTable().levelCount, 4);
    EXPECT_EQ(game.levelTable().at(4).columns, 7);
}

TEST_F(LayoutsFileTest, UnreadableFileKeepsLevelsInUse) {
    dir.write("zq/formats", "0\r\n0404\r\n");
    game.loadLayouts(); // the fixture's three levels stay
    EXPECT_EQ(game.levelTable().levelCount, 3);
    ASSERT_EQ(events.layoutsProblems.size(), 1u);
    EXPECT_EQ(events.layoutsProblems[0].fault, LayoutsProblem::Fault::NoHeader);
    EXPECT_EQ(events.layoutsProblems[0].fallback, LayoutsProblem::Fallback::LevelsInUse);
}

// A player who edits the file learns why their levels are not played: every fault comes with
// the file's path and what stands in, at start-up (no levels yet).
TEST_F(LayoutsFileTest, EveryFaultIsToldWithThePathAndWhatIsPlayed) {
    using Fault = LayoutsProblem::Fault;
    using Fallback = LayoutsProblem::Fallback;
    struct Case {
        const char* what;
        std::optional<std::string> text; // none: no file; "/": a folder in its place
        Fault fault;
        Fallback fallback;
        int levels;
    } cases[] = {
        {"missing", std::nullopt, Fault::Missing, Fallback::BuiltInLevels, 4},
        {"folder", "/", Fault::Unreadable, Fallback::BuiltInLevels, 4},
        {"empty", "", Fault::Empty, Fallback::BuiltInLevels, 4},
        {"no header", "0\r\n0404\r\n", Fault::NoHeader, Fallback::BuiltInLevels, 4},
        {"no levels", layoutsFile("# none\r\n"), Fault::NoLevels, Fallback::BuiltInLevels, 4},
        {"mismatch", "LAYOU1\r\n0505\r\n0606\r\n", Fault::ChecksumMismatch,
         Fallback::FirstLevelOnly, 1},
    };
    for (const Case& c : cases) {
        TempProgramFolder folder;
        if (c.text == "/")
            std::filesystem::create_directory(folder.path("zq/formats"));
        else if (c.text)
            folder.write("zq/formats", *c.text);
        RecordingListener heard;
        HeardGame fresh{heard, random, folder.folder()};
        fresh.loadLayouts();
        EXPECT_EQ(fresh.levelTable().levelCount, c.levels) << c.what;
        ASSERT_EQ(heard.layoutsProblems.size(), 1u) << c.what;
        const LayoutsProblem& problem = heard.layoutsProblems[0];
        EXPECT_EQ(problem.path, folder.path("zq/formats")) << c.what;
        EXPECT_EQ(problem.fault, c.fault) << c.what;
        EXPECT_EQ(problem.fallback, c.fallback) << c.what;
    }
}

TEST_F(LayoutsFileTest, FaultDetailsAndAGoodFileSaysNothing) {
    dir.write("zq/formats", "LAYOU1\r\n0505\r\n0606\r\n");
    game.loadLayouts();
    ASSERT_EQ(events.layoutsProblems.size(), 1u);
    EXPECT_EQ(events.layoutsProblems[0].expected, 1);
    EXPECT_EQ(events.layoutsProblems[0].computed, lineChecksum("0505") + lineChecksum("0606"));
    EXPECT_EQ(game.levelTable().at(1).columns, 5); // the file's own first level

    std::filesystem::remove(dir.path("zq/formats"));
    std::filesystem::create_directory(dir.path("zq/formats"));
    game.loadLayouts();
    ASSERT_EQ(events.layoutsProblems.size(), 2u);
    EXPECT_EQ(events.layoutsProblems[1].error, std::errc::is_a_directory);

    std::filesystem::remove(dir.path("zq/formats"));
    dir.write("zq/formats", layoutsFile("0404\r\n0505\r\n"));
    game.loadLayouts();
    EXPECT_EQ(events.layoutsProblems.size(), 2u);
    EXPECT_EQ(game.levelTable().levelCount, 2);
}

TEST_F(LayoutsFileTest, MismatchShowsSumOnlyWithTrace) {
    dir.write("zq/formats", "LAYOU1\r\n0404\r\n0505\r\n");
    game.loadLayouts();
    EXPECT_EQ(game.levelTable().levelCount, 1);
    EXPECT_EQ(events.count("message"), 0);
    setOptions([](GameOptions& o) { o.traceAvailable = true; });
    game.loadLayouts();
    EXPECT_TRUE(events.has("message " + std::to_string(210 + lineChecksum("0505"))));
}

TEST_F(LayoutsFileTest, PickerStaysWithinLevels) {
    dir.write("zq/formats", layoutsFile("0404\r\n0505\r\n0606\r\n"));
    game.loadLayouts();
    game.apply(Move::pickerLevel(99));
    EXPECT_EQ(game.state().pickerLevel, 3);
    game.apply(Move::pickerLevel(-4));
    EXPECT_EQ(game.state().pickerLevel, 1);
}

} // namespace
} // namespace quorvel
