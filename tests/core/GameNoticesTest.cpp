// What the game tells a front end about a build and about a move: a build announces its start
// and its end; a move gives one state-changed notice and one counter value, its last.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quorvel {
namespace {

// Hears only the notices under test, in order.
class NoticeListener : public GameListener {
public:
    std::vector<std::string> heard;
    int stateChanges = 0;
    void buildStarted() override { heard.push_back("started"); }
    void buildFinished() override { heard.push_back("finished"); }
    void movesChanged(int shown, Colour) override {
        heard.push_back("moves " + std::to_string(shown));
    }
    void stateChanged() override { ++stateChanges; }
};

class GameNoticesTest : public ::testing::Test {
protected:
    TempProgramFolder dir;
    NoticeListener notices;
    Random random{77};
    HeardGame game{notices, random, dir.folder()};

    void SetUp() override {
        TestGame::setDictionary(game, generatedWords());
        game.setLevelTable(levelsFrom("0404\r\n0505\r\n"));
    }
};

// The counter counts words and columns while a puzzle is built; the front end, which shows the
// events after the move, would only flash them.
TEST_F(GameNoticesTest, ABuildAnnouncesItselfAndShowsOnlyTheMovesItEndsWith) {
    game.apply(Move::of(Move::Kind::NewPuzzle));
    ASSERT_TRUE(game.state().isInPlay());
    const auto& h = notices.heard;
    const std::vector<std::string> expected = {
        "started", "moves " + std::to_string(game.state().values.movesLeft), "finished"};
    EXPECT_EQ(h, expected);
}

TEST_F(GameNoticesTest, ALevelThatCannotBeBuiltStillFinishesItsBuild) {
    game.setLevelTable(levelsFrom("0404\r\n2525\r\n")); // beyond the board's limits
    game.apply(Move::pickLevel(2, true));
    EXPECT_FALSE(game.state().isInPlay());
    EXPECT_EQ(std::count(notices.heard.begin(), notices.heard.end(), "started"), 1);
    EXPECT_EQ(notices.heard.back(), "finished");
}

TEST_F(GameNoticesTest, EachMoveGivesExactlyOneStateChangedNotice) {
    game.apply(Move::of(Move::Kind::NewPuzzle)); // many changes inside, one notice
    EXPECT_EQ(notices.stateChanges, 1);
    const std::vector<Move> moves = {Move::shift(1, true),
                                     Move::click(1, 1),
                                     Move::drop(2, 1),
                                     Move::of(Move::Kind::LockAll),
                                     Move::of(Move::Kind::Clue),
                                     Move::of(Move::Kind::ClueStep),
                                     Move::of(Move::Kind::Undo),
                                     Move::wait(60000),
                                     Move::click(9, 9), // off the board: still one notice
                                     Move::of(Move::Kind::Solve),
                                     Move::of(Move::Kind::BannerOk)};
    for (const Move& move : moves) {
        const int before = notices.stateChanges;
        game.apply(move);
        EXPECT_EQ(notices.stateChanges, before + 1) << formatMove(move);
    }
    const int before = notices.stateChanges;
    game.apply(Move::banner(0, 0xFF0000, "Waiting"));
    game.apply(Move::of(Move::Kind::BannerTimeUp));
    EXPECT_EQ(notices.stateChanges, before + 2);
}

} // namespace
} // namespace quorvel
