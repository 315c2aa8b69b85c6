// quorvel-tool layouts check and fix.
#include "EngineTestSupport.h"
#include "ToolRunSupport.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class ToolLayoutsTest : public ::testing::Test {
protected:
    TempProgramFolder dir;
    const std::string body = "0404\r\n# note\r\n\r\nXX-XXXXX\r\nXXXX-XXX\r\n\r\n2516\r\n";
};

TEST_F(ToolLayoutsTest, CheckListsEveryLevel) {
    dir.write("formats", layoutsFile(body));
    const ToolRun run = runTool(dir, "layouts check " + shellQuoted(dir.path("formats")));
    const long long sum = layoutsChecksum("h\r\n" + body);
    EXPECT_EQ(run.status, 4); // level 3 cannot be played
    EXPECT_EQ(run.out, "checksum expected=" + std::to_string(sum) +
                           " computed=" + std::to_string(sum) +
                           " ok\n"
                           "levels offered=3 read=3\n"
                           "level 1 columns=4 rows=4 letters=16 words=4\n"
                           "level 2 columns=8 rows=2 letters=14 words=3\n"
                           "level 3 columns=25 rows=16 letters=400 words=0\n"
                           "problem: Level 3 is too large to play: 400 cells (at most 300).\n");
}

// "ok" once stood beside levels the game refuses to build.
TEST_F(ToolLayoutsTest, LevelsTheGameRefusesAreProblems) {
    dir.write("formats", layoutsFile("0505\r\n9999\r\nXX-XX\r\n\r\n"));
    const ToolRun run = runTool(dir, "layouts check " + shellQuoted(dir.path("formats")));
    EXPECT_EQ(run.status, 4);
    EXPECT_NE(run.out.find("problem: Level 2 is too large to play: 99 rows (at most 20).\n"),
              std::string::npos);
    EXPECT_NE(run.out.find("problem: Level 3 has no word to find.\n"), std::string::npos);
    EXPECT_EQ(run.out.find("Level 1"), std::string::npos);
}

// One line of 70,000 characters sums beyond 32 bits: fix must write a header check can read.
TEST_F(ToolLayoutsTest, ChecksumBeyond32BitsSurvivesFixAndCheck) {
    const std::string body = "0505\r\n" + std::string(70000, 'Q') + "\r\n";
    dir.write("formats", "Lvls:1\r\n" + body);
    ToolRun run = runTool(dir, "layouts fix " + shellQuoted(dir.path("formats")));
    ASSERT_EQ(run.status, 0) << run.err;
    const long long sum = layoutsChecksum("h\r\n" + body);
    EXPECT_GT(sum, 2147483647LL);
    EXPECT_EQ(dir.read("formats"), "Lvls:" + std::to_string(sum) + "\r\n" + body);
    run = runTool(dir, "layouts check " + shellQuoted(dir.path("formats")));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(" ok\nlevels offered=1 read=1\n"), std::string::npos);
    LevelTable table;
    EXPECT_TRUE(loadLayouts(dir.read("formats"), table).checksumMatches());
}

TEST_F(ToolLayoutsTest, AFolderIsNamedAsSuch) {
    const ToolRun run = runTool(dir, "layouts check " + shellQuoted(dir.path("")));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("is a folder, not a file"), std::string::npos) << run.err;
}

TEST_F(ToolLayoutsTest, MismatchExitsThreeAndFixRepairsOnlyTheNumber) {
    const std::string text = "Lvls:17\r\n" + body;
    dir.write("formats", text);
    ToolRun run = runTool(dir, "layouts check " + shellQuoted(dir.path("formats")));
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.out.find("checksum expected=17 computed="), std::string::npos);
    EXPECT_NE(run.out.find(" mismatch\nlevels offered=1 read=3\n"), std::string::npos);

    run = runTool(dir, "layouts fix " + shellQuoted(dir.path("formats")));
    EXPECT_EQ(run.status, 0);
    const std::string sum = std::to_string(layoutsChecksum(text));
    EXPECT_EQ(dir.read("formats"), "Lvls:" + sum + "\r\n" + body);
    run = runTool(dir, "layouts check " + shellQuoted(dir.path("formats")));
    EXPECT_EQ(run.status, 4); // the checksum matches; level 3 is still too large
}

TEST_F(ToolLayoutsTest, MissingFileOrHeaderExitsOne) {
    ToolRun run = runTool(dir, "layouts check " + shellQuoted(dir.path("none")));
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.empty());
    EXPECT_TRUE(run.out.empty());
    dir.write("formats", "0\r\n0404\r\n");
    run = runTool(dir, "layouts check " + shellQuoted(dir.path("formats")));
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(run.err.empty());
    run = runTool(dir, "layouts fix " + shellQuoted(dir.path("formats")));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(dir.read("formats"), "0\r\n0404\r\n");
}

} // namespace
} // namespace quorvel
