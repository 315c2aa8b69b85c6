// quorvel-tool play: the session's commands, events and dump, and the same board for a seed.
#include "EngineTestSupport.h"
#include "ToolRunSupport.h"

#include "base/Files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quorvel {
namespace {

using nlohmann::json;

class ToolPlayTest : public ToolPlayFixture {
protected:
    void SetUp() override { setUpFolder("0404\r\n\r\nXXX-XXX\r\nXXXXXXX\r\n\r\n"); }
};

TEST_F(ToolPlayTest, SameSeedSameBoard) {
    const ToolRun a = play("--seed 7", "new\ndump\n");
    const ToolRun b = play("--seed 7", "new\ndump\n");
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    const auto states = ofEvent(a.jsonLines(), "state");
    ASSERT_EQ(states.size(), 1u);
    const json& s = states[0];
    EXPECT_EQ(s["level"], 1);
    EXPECT_EQ(s["levelCount"], 2);
    EXPECT_EQ(s["inPlay"], true);
    EXPECT_EQ(s["movesLeft"], 32);
    EXPECT_EQ(s["rows"], 4);
    EXPECT_EQ(s["columns"], 4);
    EXPECT_EQ(s["board"].size(), 4u);
    EXPECT_EQ(s["solution"].size(), 4u);
    EXPECT_EQ(s["state"], json({"rrrr", "rrrr", "rrrr", "rrrr"}));
    EXPECT_EQ(s["lockAll"], "unlocked");
    EXPECT_EQ(s["timerPhase"], "W");
    EXPECT_EQ(s["words"].size(), 4u);
    for (const char* key : {"moveMade",
                            "counterColour",
                            "tileCount",
                            "letterTotal",
                            "start",
                            "delay",
                            "pop",
                            "penalty",
                            "good",
                            "bad",
                            "word",
                            "shiftCost",
                            "tileClickCost",
                            "clueCost",
                            "lockAllCost",
                            "advanceMinimum",
                            "clueAllowance",
                            "timerEnabled",
                            "timerIntervalMs",
                            "definitions",
                            "underlined"})
        EXPECT_TRUE(s.contains(key)) << key;
    EXPECT_NE(s["board"], s["solution"]); // scrambled
    const ToolRun other = play("--seed 8", "new\ndump\n");
    EXPECT_NE(ofEvent(other.jsonLines(), "state")[0]["board"], s["board"]);
}

TEST_F(ToolPlayTest, ShippedLevelIsScrambledTheSameWayForASeed) {
    const std::string folder = QUORVEL_PROGRAM_DIR;
    if (!fileExists(folder + "zq/formats") || !fileExists(folder + "kbs/Common Words.dic"))
        GTEST_SKIP() << "shipped data not staged yet";
    const ToolRun a = runTool(root, "play --seed 7", "new\ndump\n");
    const ToolRun b = runTool(root, "play --seed 7", "new\ndump\n");
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    const auto state = ofEvent(a.jsonLines(), "state").at(0);
    EXPECT_TRUE(state["inPlay"].get<bool>());
    EXPECT_NE(state["board"], state["solution"]);
}

TEST_F(ToolPlayTest, EventsOfANewPuzzle) {
    const ToolRun run =
        play("--seed 3 --level 2 --handicap 1 --timed --dictionary " + shellQuoted("Common Words"),
             "new\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.jsonLines();
    EXPECT_FALSE(ofEvent(lines, "moves").empty());
    EXPECT_EQ(ofEvent(lines, "music"),
              (std::vector<json>{{{"event", "music"}, {"name", "zqStart.mp3"}}}));
    const auto status = ofEvent(lines, "status");
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.back()["text"],
              std::string(25, ' ') +
                  "3 words to find, level: 2, advance minimum is 3, dictionary: Common Words");
    EXPECT_EQ(ofEvent(lines, "moves").back()["value"], 13);
}

TEST_F(ToolPlayTest, LevelCommandAndErrors) {
    const ToolRun run = play("--seed 1", "level 2\nlevel x\nfly away\n\nnew\ndump\nquit\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.jsonLines();
    EXPECT_EQ(ofEvent(lines, "error").size(), 2u);
    const auto states = ofEvent(lines, "state");
    ASSERT_EQ(states.size(), 1u); // nothing after quit
    EXPECT_EQ(states[0]["level"], 2);
    EXPECT_EQ(states[0]["columns"], 7);
    // A gap reads as the character 1 in the board rows.
    EXPECT_EQ(states[0]["board"][0].get<std::string>()[3], '\1');
    EXPECT_EQ(states[0]["state"][0], "rrr-rrr");
}

// Commands saved with lone CR line ends once ran as one unknown command.
TEST_F(ToolPlayTest, EveryKindOfLineEndEndsACommand) {
    const ToolRun run = play("--seed 1", "level 2\rdump\r\r\nlevel +-1\r\ndump\rquit\rdump");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.jsonLines();
    EXPECT_EQ(ofEvent(lines, "error").size(), 1u); // "+-1" is not a number
    const auto states = ofEvent(lines, "state");
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[0]["level"], 2);
}

TEST_F(ToolPlayTest, AbandonedGameIsAppendedToStatistics) {
    root.write("zq/stats.zq", "2001-01-01,W,1,0,5,16,n,n,n\r\n");
    const ToolRun run = play("--seed 5 --definitions --lock first", "new\nshift 2 down\nnew\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto records = ofEvent(run.jsonLines(), "record");
    ASSERT_EQ(records.size(), 1u);
    const std::string line = records[0]["line"];
    EXPECT_NE(line.find(",Q,1,0,31,16,D,F,n"), std::string::npos) << line;
    EXPECT_EQ(root.read("zq/stats.zq"), "2001-01-01,W,1,0,5,16,n,n,n\r\n" + line + "\r\n");
}

// Scripts and replays run beside an installed game: without --root the records are events only,
// and the player's statistics file beside the tool stays as it was.
TEST_F(ToolPlayTest, WithoutARootTheStatisticsFileIsNeverWritten) {
    const std::string folder = QUORVEL_PROGRAM_DIR;
    if (!std::filesystem::exists(folder + "kbs/Common Words.dic"))
        GTEST_SKIP() << "the shipped dictionary is not staged";
    const std::string stats = folder + "zq/stats.zq";
    const bool existed = std::filesystem::exists(stats);
    const auto sizeBefore = existed ? std::filesystem::file_size(stats) : 0;
    const ToolRun run = runTool(root, "play --seed 3", "new\nshift 1 down\nsolve\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.jsonLines();
    ASSERT_EQ(ofEvent(lines, "record").size(), 1u);
    EXPECT_TRUE(ofEvent(lines, "error").empty());
    EXPECT_EQ(std::filesystem::exists(stats), existed);
    if (existed) {
        EXPECT_EQ(std::filesystem::file_size(stats), sizeBefore);
    }
}

TEST_F(ToolPlayTest, MissingDictionaryIsAMessage) {
    const ToolRun run = play("--seed 1 --dictionary Nothing", "new\ndump\n");
    ASSERT_EQ(run.status, 0);
    const auto lines = run.jsonLines();
    EXPECT_EQ(ofEvent(lines, "message").size(), 1u);
    EXPECT_EQ(ofEvent(lines, "state")[0]["inPlay"], false);
}

TEST_F(ToolPlayTest, BadOptionIsRefused) {
    EXPECT_NE(play("--handicap 2", "").status, 0);
    EXPECT_NE(play("--lock sometimes", "").status, 0);
}

} // namespace
} // namespace quorvel
