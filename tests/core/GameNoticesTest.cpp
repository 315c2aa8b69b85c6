// What the game tells a front end about a build and about a move: a build announces its start,
// its progress and its end; a move gives one state-changed notice, whatever it ran through.
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
    void buildProgress(int shown, Colour) override {
        heard.push_back("progress " + std::to_string(shown));
    }
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
    Game game{notices, random, dir.folder()};

    void SetUp() override {
        TestGame::setDictionary(game, generatedWords());
        game.setLevelTable(levelsFrom("0404\r\n0505\r\n"));
    }
};

TEST_F(GameNoticesTest, ABuildAnnouncesItselfAndShowsTheMovesOnlyAfterItsEnd) {
    game.apply(Move::of(Move::Kind::NewPuzzle));
    ASSERT_TRUE(game.state().isInPlay());
    const auto& h = notices.heard;
    ASSERT_GE(h.size(), 4u);
    EXPECT_EQ(h.front(), "started");
    const auto finished = std::find(h.begin(), h.end(), "finished");
    ASSERT_NE(finished, h.end());
    EXPECT_EQ(std::count(h.begin(), h.end(), "started"), 1);
    EXPECT_EQ(std::count(h.begin(), h.end(), "finished"), 1);
    // Everything the counter showed while building was progress; the moves come at the end.
    for (auto it = h.begin() + 1; it != finished - 1; ++it)
        EXPECT_EQ(it->rfind("progress ", 0), 0u) << *it;
    EXPECT_EQ(*(finished - 1), "moves " + std::to_string(game.state().values.movesLeft));
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
    // Outside a move, a rule called directly still tells the front end at once.
    const int before = notices.stateChanges;
    game.apply(Move::banner(0, 0xFF0000, "Waiting"));
    game.apply(Move::of(Move::Kind::BannerTimeUp));
    EXPECT_EQ(notices.stateChanges, before + 2);
}

} // namespace
} // namespace quorvel
