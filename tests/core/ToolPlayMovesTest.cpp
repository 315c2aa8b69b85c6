// quorvel-tool play moves: a scripted game won by shifting and clicking, and each command's answer.
#include "EngineTestSupport.h"
#include "PlayTestSupport.h"
#include "ToolRunSupport.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

using nlohmann::json;

class ToolPlayMovesTest : public ToolPlayFixture {
protected:
    void SetUp() override { setUpFolder("0404\r\n0505\r\n"); }
    static bool has(const std::vector<json>& lines, const json& event) {
        return std::find(lines.begin(), lines.end(), event) != lines.end();
    }
};

// Commands that win a board: for each letter in reading order, turn its column the shorter
// way until the right letter stands there, then lock it with a click.
std::string solvingScript(const json& state) {
    std::vector<std::string> board = state["board"].get<std::vector<std::string>>();
    std::vector<std::string> marks = state["state"].get<std::vector<std::string>>();
    const auto solution = state["solution"].get<std::vector<std::string>>();
    const int rows = state["rows"];
    const int columns = state["columns"];
    std::string script;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            if (marks[r][c] != 'r')
                continue;
            std::vector<int> free; // the rows of the column's free letters
            for (int k = 0; k < rows; ++k)
                if (marks[k][c] == 'r')
                    free.push_back(k);
            const int n = static_cast<int>(free.size());
            const int at = static_cast<int>(std::find(free.begin(), free.end(), r) - free.begin());
            int down = 0;
            while (board[free[(at - down + n * n) % n]][c] != solution[r][c])
                ++down;
            const bool useDown = down <= n - down;
            for (int s = 0; s < (useDown ? down : n - down); ++s) {
                std::string letters;
                for (int k : free)
                    letters += board[k][c];
                if (useDown)
                    std::rotate(letters.rbegin(), letters.rbegin() + 1, letters.rend());
                else
                    std::rotate(letters.begin(), letters.begin() + 1, letters.end());
                for (int k = 0; k < n; ++k)
                    board[free[k]][c] = letters[k];
                script += "shift " + std::to_string(c + 1) + (useDown ? " down\n" : " up\n");
            }
            script += "click " + std::to_string(r + 1) + " " + std::to_string(c + 1) + "\n";
            marks[r][c] = 'G';
        }
    return script;
}

TEST_F(ToolPlayMovesTest, ShiftingAndClickingWinsTheLevel) {
    const std::string options = "--seed 11 --handicap -1";
    const ToolRun first = play(options, "new\ndump\n");
    ASSERT_EQ(first.status, 0) << first.err;
    const auto before = ofEvent(first.jsonLines(), "state");
    ASSERT_EQ(before.size(), 1u);
    ASSERT_EQ(before[0]["inPlay"], true);

    const ToolRun run =
        play(options, "new\n" + solvingScript(before[0]) + "dump\nset auto-advance 1\nok\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.jsonLines();
    EXPECT_TRUE(ofEvent(lines, "error").empty());
    const json end = ofEvent(lines, "state").at(0);
    EXPECT_EQ(end["inPlay"], false);
    EXPECT_EQ(end["board"], before[0]["solution"]);
    EXPECT_TRUE(has(lines, {{"event", "flash"}, {"text", "Puzzle completed"}}));
    EXPECT_TRUE(has(lines, {{"event", "music"}, {"name", "zqWon.mp3"}}));
    // The last click is charged after the completing check.
    const int atCompletion = end["movesLeft"].get<int>() + 1;
    const std::string banner = atCompletion > end["advanceMinimum"].get<int>()
                                   ? "Advance to level 2"
                                   : "Continue at level 1";
    EXPECT_TRUE(
        has(lines, {{"event", "banner"}, {"text", banner}, {"seconds", 0}, {"colour", 0xFF0000}}));
    const auto records = ofEvent(lines, "record");
    ASSERT_EQ(records.size(), 1u);
    const std::string line = records[0]["line"];
    EXPECT_EQ(recordResult(line), 'W');
    EXPECT_EQ(root.read("zq/stats.zq"), line + "\r\n");
    // With Auto Advance the banner's OK starts the next puzzle at once.
    const json next = ofEvent(lines, "state").at(1);
    EXPECT_EQ(next["inPlay"], true);
    EXPECT_EQ(
        std::count(lines.begin(), lines.end(), json{{"event", "music"}, {"name", "zqStart.mp3"}}),
        2);
}

TEST_F(ToolPlayMovesTest, ClockPauseOptionsAndHelpCommandsAnswerAsTheGameDoes) {
    const ToolRun run = play("--seed 3 --timed", "new\n"
                                                 "wait 19\nwait 1\n" // the warning
                                                 "wait 10\n"         // the first penalty
                                                 "pause\nwait 100\n" // nothing while paused
                                                 "pause\n"           // continue
                                                 "set timer-sounds 0\nwait 10\n"
                                                 "lockall\nlockall\n" // held, then opened again
                                                 "clue\nundo\nsolve\nok\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.jsonLines();
    EXPECT_TRUE(ofEvent(lines, "error").empty());
    EXPECT_TRUE(has(lines, {{"event", "sound"}, {"name", "TimerStart"}}));
    EXPECT_EQ(
        std::count(lines.begin(), lines.end(), json{{"event", "sound"}, {"name", "TimerPop"}}), 1);
    EXPECT_TRUE(has(lines, {{"event", "moves"}, {"value", 30}}));
    EXPECT_TRUE(has(lines, {{"event", "moves"}, {"value", 28}}));
    EXPECT_TRUE(has(lines, {{"event", "sound"}, {"name", "Drop"}}));
    EXPECT_TRUE(has(lines, {{"event", "sound"}, {"name", "Shift"}})); // the clue's steps
    EXPECT_TRUE(has(
        lines, {{"event", "banner"}, {"text", "Try again"}, {"seconds", 0}, {"colour", 0x008000}}));
    const auto records = ofEvent(lines, "record");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(recordResult(records[0]["line"].get<std::string>()), 'Q');
    EXPECT_EQ(ofEvent(lines, "state").at(0)["inPlay"], false);
}

// Behind the "Paused" cover the board takes no clue and no undo, and nothing is charged.
TEST_F(ToolPlayMovesTest, PausedTimedGameIgnoresClueAndUndo) {
    const ToolRun run = play("--seed 3 --timed", "new\ndump\npause\nclue\nundo\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.jsonLines();
    EXPECT_TRUE(ofEvent(lines, "error").empty());
    const auto states = ofEvent(lines, "state");
    ASSERT_EQ(states.size(), 2u);
    EXPECT_EQ(states[1]["movesLeft"], states[0]["movesLeft"]);
    EXPECT_EQ(states[1]["board"], states[0]["board"]);
    EXPECT_EQ(states[1]["state"], states[0]["state"]);
    EXPECT_EQ(states[1]["clueAllowance"], states[0]["clueAllowance"]);
    EXPECT_FALSE(has(lines, {{"event", "sound"}, {"name", "Shift"}}));
}

TEST_F(ToolPlayMovesTest, MalformedMovesAreReportedAndTheSessionGoesOn) {
    const std::vector<std::string> bad = {
        "shift 9 down",   "shift 1 sideways", "shift x down", "click 1",           "drop 0 0",
        "click 5 1",      "wait -1",          "wait soon",    "set lock sideways", "set bogus 1",
        "set handicap 2", "lockall now",      "clue 3"};
    std::string script = "new\n";
    for (const std::string& line : bad)
        script += line + "\n";
    const ToolRun run = play("--seed 5", script + "shift 1 down\ndump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.jsonLines();
    EXPECT_EQ(ofEvent(lines, "error").size(), bad.size());
    EXPECT_TRUE(has(lines, {{"event", "sound"}, {"name", "Shift"}}));
    EXPECT_EQ(ofEvent(lines, "state").at(0)["movesLeft"], 31);
}

TEST_F(ToolPlayMovesTest, LevelStepsAndTheTimersTickAreMovesToo) {
    const ToolRun run =
        play("--seed 4 --timed", "level 2\nlevel previous\nlevel next\nlevel 1 new\n"
                                 "tick\ntick\ndump\nlevel 2 later\n");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = run.jsonLines();
    EXPECT_TRUE(has(lines, {{"event", "sound"}, {"name", "TimerStart"}}));
    EXPECT_TRUE(has(lines, {{"event", "sound"}, {"name", "TimerPop"}}));
    const json state = ofEvent(lines, "state").at(0);
    EXPECT_EQ(state["inPlay"], true);
    EXPECT_EQ(state["level"], 1);
    EXPECT_EQ(state["timerPhase"], "G");
    const auto errors = ofEvent(lines, "error");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0]["text"], "usage: level L, level L new, level next|previous|random");
}

} // namespace
} // namespace quorvel
