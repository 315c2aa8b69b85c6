// Level navigation and the level display.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace quorvel {
namespace {

class LevelsTest : public EngineTest {};

TEST_F(LevelsTest, PreviousAtFirstLevelShowsZeroAndBuildsOne) {
    buildLevel(1);
    game.apply(Move::restoreLevel(1));
    events.clear();
    game.apply(Move::of(Move::Kind::PreviousLevel));
    EXPECT_TRUE(events.has("level 0"));
    EXPECT_TRUE(events.has("status Level 0"));
    EXPECT_EQ(game.state().pickerLevel, 1);
    EXPECT_EQ(game.state().values.level, 1); // the build takes the picker's level
    EXPECT_EQ(board().tileCount, 16);
}

TEST_F(LevelsTest, NextAtLastLevelBuildsLastAgain) {
    game.apply(Move::pickerLevel(3));
    game.apply(Move::pickLevel(game.state().pickerLevel, false));
    events.clear();
    game.apply(Move::of(Move::Kind::NextLevel));
    EXPECT_TRUE(events.has("level 4"));
    EXPECT_EQ(game.state().values.level, 3);
    EXPECT_EQ(board().tileCount, 36);
}

TEST_F(LevelsTest, PickedLevelWithoutGameBecomesCurrent) {
    game.apply(Move::pickerLevel(2));
    game.apply(Move::pickLevel(game.state().pickerLevel, false));
    EXPECT_EQ(game.state().values.level, 2);
    EXPECT_TRUE(events.has("level 2"));
    EXPECT_EQ(board().tileCount, 0);
    game.apply(Move::of(Move::Kind::NewPuzzle));
    EXPECT_EQ(board().tileCount, 25);
    game.apply(Move::pickerLevel(3));
    game.apply(Move::pickLevel(game.state().pickerLevel, true));
    EXPECT_EQ(board().tileCount, 36);
}

TEST_F(LevelsTest, NegativeLevelShownAsOne) {
    game.apply(Move::restoreLevel(-5));
    EXPECT_EQ(game.state().values.level, 1);
    game.apply(Move::restoreLevel(0));
    EXPECT_EQ(game.state().values.level, 0);
    EXPECT_EQ(game.state().pickerLevel, 1);
}

// A hand-edited Level=2147483647 once overflowed on the next step.
TEST_F(LevelsTest, StoredLevelBeyondTableComesIntoRangeAndStepsSafely) {
    game.apply(Move::restoreLevel(2147483647));
    EXPECT_EQ(game.state().values.level, 3);
    EXPECT_EQ(game.state().pickerLevel, 3);
    game.apply(Move::restoreLevel(0));
    EXPECT_EQ(game.state().values.level, 0); // 0 is shown as it is, as ShowLevel does
    game.apply(Move::restoreLevel(-2147483647 - 1));
    EXPECT_EQ(game.state().values.level, 1);

    // Whatever the display holds, stepping stays defined at both ends of int.
    edit([](GameState& s) { s.values.level = 2147483647; });
    game.apply(Move::of(Move::Kind::NextLevel));
    EXPECT_EQ(game.state().pickerLevel, 3);
    game.apply(Move::restoreLevel(0));
    game.apply(Move::of(Move::Kind::PreviousLevel));
    EXPECT_EQ(game.state().pickerLevel, 1);
}

TEST_F(LevelsTest, RandomLevelWithinTable) {
    std::set<int> seen;
    for (int i = 0; i < 60; ++i) {
        game.apply(Move::of(Move::Kind::RandomLevel));
        ASSERT_GE(game.state().values.level, 1);
        ASSERT_LE(game.state().values.level, 3);
        seen.insert(game.state().values.level);
    }
    EXPECT_EQ(seen.size(), 3u);
}

} // namespace
} // namespace quorvel
