// quorvel-tool: play --code, the daily command, and games saved and resumed between two runs.
#include "ToolRunSupport.h"

#include "model/PuzzleCode.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvel {
namespace {

using nlohmann::json;

class ToolSharedTest : public ToolPlayFixture {
protected:
    void SetUp() override {
        setUpFolder("0404\r\n0505\r\n0404\r\n0505\r\n0606\r\n0404\r\n0505\r\n");
    }
    json lastState(const ToolRun& run) {
        const auto states = ofEvent(run.jsonLines(), "state");
        return states.empty() ? json() : states.back();
    }
    static json board(const json& state) {
        return {state["board"], state["solution"], state["state"], state["movesLeft"],
                state["level"]};
    }
};

TEST_F(ToolSharedTest, PlayCodeBuildsTheBoardTheCodeWasTakenFrom) {
    const ToolRun sent = play("--seed 7 --level 2 --handicap 1 --lock vowels", "new\ndump\n");
    ASSERT_EQ(sent.status, 0) << sent.err;
    const json original = lastState(sent);
    const std::string code = original["code"];
    ASSERT_FALSE(code.empty());

    const ToolRun got = play("--seed 1 --code " + code, "dump\n");
    ASSERT_EQ(got.status, 0) << got.err;
    const json rebuilt = lastState(got);
    EXPECT_EQ(board(rebuilt), board(original));
    EXPECT_EQ(rebuilt["code"], code);
    EXPECT_FALSE(rebuilt.contains("daily"));
}

TEST_F(ToolSharedTest, ACodeFromTheGameBuildsTheSameBoardInTheTool) {
    RecordingListener events;
    Random random(5);
    HeardGame game(events, random, root.folder());
    game.loadLayouts();
    GameOptions o = game.options();
    o.lock = LockRule::First;
    game.setOptions(o);
    game.apply(Move::pickLevel(4, true));
    ASSERT_TRUE(game.state().isInPlay());

    const ToolRun run = play("--code " + game.puzzleCode(), "dump\n");
    ASSERT_EQ(run.status, 0) << run.err;
    json rows = json::array();
    for (std::string row : TestGame::captionRows(game)) {
        std::replace(row.begin(), row.end(), '-', '\x01');
        rows.push_back(row);
    }
    EXPECT_EQ(lastState(run)["board"], rows);
    EXPECT_EQ(lastState(run)["state"], json(TestGame::stateRows(game)));
}

TEST_F(ToolSharedTest, ACodeThatDoesNotReadExitsWithTheProblem) {
    const ToolRun typo = play("--code 0000-0000-0000-0000-0000", "dump\n");
    EXPECT_EQ(typo.status, 2);
    EXPECT_NE(typo.err.find(codeProblemMessage(CodeProblem::Mistyped)), std::string::npos)
        << typo.err;
    EXPECT_TRUE(typo.out.empty());

    PuzzleSpec puzzleSpec;
    puzzleSpec.dictionary = "Birds";
    const ToolRun unknown = play("--code " + encodePuzzleCode(puzzleSpec), "");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find(codeProblemMessage(CodeProblem::UnknownDictionary)),
              std::string::npos);
}

TEST_F(ToolSharedTest, DailyPrintsTheSameCodeForADateAndBuildsIt) {
    const auto daily = [&](const std::string& args) {
        return runTool(root, "daily --root " + shellQuoted(root.folder()) + " " + args);
    };
    const ToolRun first = daily("2026-12-07");
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(daily("2026-12-07").out, first.out);
    EXPECT_NE(daily("2026-12-08").out, first.out);
    const std::string code = first.out.substr(0, first.out.find('\n'));
    EXPECT_EQ(first.out, code + "\n");

    const ToolRun dumped = daily("2026-12-07 --dump");
    ASSERT_EQ(dumped.status, 0) << dumped.err;
    ASSERT_EQ(dumped.out.rfind(code + "\n", 0), 0u) << dumped.out;
    const json state = json::parse(dumped.out.substr(code.size() + 1));
    EXPECT_EQ(state["code"], code);
    EXPECT_EQ(state["daily"], "2026-12-07");
    EXPECT_EQ(state["inPlay"], true);

    // play --daily gives the same board, and its end is a daily result, not a statistics line.
    const ToolRun played = play("--daily 2026-12-07", "shift 1 down\ndump\nsolve\n");
    ASSERT_EQ(played.status, 0) << played.err;
    const auto playedStates = ofEvent(played.jsonLines(), "state");
    ASSERT_EQ(playedStates.size(), 1u);
    EXPECT_EQ(playedStates[0]["code"], code);
    EXPECT_EQ(playedStates[0]["solution"], state["solution"]);
    const auto results = ofEvent(played.jsonLines(), "daily");
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0]["result"], "Q");
    EXPECT_TRUE(ofEvent(played.jsonLines(), "record").empty());
    EXPECT_EQ(root.read("zq/daily.txt").rfind("2026-12-07,Q,", 0), 0u);
    EXPECT_FALSE(root.exists("zq/stats.zq"));

    EXPECT_EQ(daily("2026-13-01").status, 2);
}

TEST_F(ToolSharedTest, ASavedGameGoesOnInTheNextRun) {
    const std::string file = root.path("saved.txt");
    const ToolRun first =
        play("--seed 3 --level 3 --save " + shellQuoted(file), "new\nshift 2 down\nclue\ndump\n");
    ASSERT_EQ(first.status, 0) << first.err;
    ASSERT_TRUE(root.exists("saved.txt"));
    const ToolRun second = play("--seed 99 --resume " + shellQuoted(file), "dump\n");
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(board(lastState(second)), board(lastState(first)));

    std::string damaged = root.read("saved.txt");
    damaged[damaged.find("shift")] = 'x';
    root.write("saved.txt", damaged);
    const ToolRun refused = play("--resume " + shellQuoted(file), "dump\n");
    EXPECT_EQ(refused.status, 2);
    EXPECT_FALSE(refused.err.empty());
}

} // namespace
} // namespace quorvel
