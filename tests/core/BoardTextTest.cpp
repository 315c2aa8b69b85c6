// Boards from the text of their rows: what tests and the tool's dump share.
#include "GameTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quorvel {
namespace {

TEST(BoardText, RowsReadBackAsWritten) {
    GameState state;
    putBoardInPlay(state, {{"CAT-DOG", "EMU-ANT"}, {"CTA-DOG", "EMU-ANT"}, {"rgG-BBB", "Rrr-bbb"}},
                   GameOptions{});
    EXPECT_EQ(captionRows(state.board), (std::vector<std::string>{"CTA-DOG", "EMU-ANT"}));
    EXPECT_EQ(stateRows(state.board), (std::vector<std::string>{"rgG-BBB", "Rrr-bbb"}));
    EXPECT_EQ(state.board.wordList, (std::vector<std::string>{"CAT", "DOG", "EMU", "ANT"}));
    EXPECT_TRUE(state.isInPlay());
}

TEST(BoardText, ARepeatedWordSharesItsPlaceInTheList) {
    GameState state;
    putBoardInPlay(state, {{"CAT", "CAT"}, {}, {}}, GameOptions{});
    EXPECT_EQ(state.board.wordList, std::vector<std::string>{"CAT"});
    EXPECT_EQ(state.board.tile(4).wordIndex, 0);
}

TEST(BoardText, BadRowsAreRefusedAndLeaveNoHalfBoard) {
    GameState state;
    putBoardInPlay(state, {{"CAT"}, {}, {}}, GameOptions{});
    const GameState before = state;
    const std::vector<BoardText> bad = {
        {{}, {}, {}},                     // no rows
        {{"CAT", "DO"}, {}, {}},          // unequal rows
        {{"CAT"}, {"CA"}, {}},            // captions of another width
        {{"CAT"}, {"CAT", "DOG"}, {}},    // more captions than rows
        {{"CAT"}, {}, {"rxr"}},           // an unknown state letter
        {{std::string(41, 'A')}, {}, {}}, // wider than a board
    };
    for (const BoardText& text : bad) {
        GameState copy = state;
        EXPECT_THROW(putBoardInPlay(copy, text, GameOptions{}), std::invalid_argument);
    }
    EXPECT_EQ(state, before);
}

TEST(BoardText, TheStateCanBeResumedByAGame) {
    RecordingListener events;
    Random random{1};
    HeardGame game{events, random, "/nonexistent/"};
    TestGame::setUpBoard(game, {"CAT"}, {"TCA"});
    const GameState set = game.state();
    EXPECT_EQ(game.apply(Move::shift(1, true)), MoveResult::Changed);
    EXPECT_NE(game.state(), set);
    game.resume(set);
    EXPECT_EQ(game.state(), set);
}

} // namespace
} // namespace quorvel
