// Level navigation and the level display.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace quorvel {
namespace {

class LevelsTest : public EngineTest {};

TEST_F(LevelsTest, PreviousAtFirstLevelShowsZeroAndBuildsOne) {
    buildLevel(1);
    game.showLevel(1);
    events.clear();
    game.previousLevel();
    EXPECT_TRUE(events.has("level 0"));
    EXPECT_TRUE(events.has("status Level 0"));
    EXPECT_EQ(game.pickerLevel(), 1);
    EXPECT_EQ(game.values().level, 1); // the build takes the picker's level
    EXPECT_EQ(board().tileCount, 16);
}

TEST_F(LevelsTest, NextAtLastLevelBuildsLastAgain) {
    game.setPickerLevel(3);
    game.levelPicked(false);
    events.clear();
    game.nextLevel();
    EXPECT_TRUE(events.has("level 4"));
    EXPECT_EQ(game.values().level, 3);
    EXPECT_EQ(board().tileCount, 36);
}

TEST_F(LevelsTest, PickedLevelWithoutGameBecomesCurrent) {
    game.setPickerLevel(2);
    game.levelPicked(false);
    EXPECT_EQ(game.values().level, 2);
    EXPECT_TRUE(events.has("level 2"));
    EXPECT_EQ(board().tileCount, 0);
    game.newPuzzle();
    EXPECT_EQ(board().tileCount, 25);
    game.setPickerLevel(3);
    game.levelPicked(true);
    EXPECT_EQ(board().tileCount, 36);
}

TEST_F(LevelsTest, NegativeLevelShownAsOne) {
    game.showLevel(-5);
    EXPECT_EQ(game.values().level, 1);
    game.showLevel(0);
    EXPECT_EQ(game.values().level, 0);
    EXPECT_EQ(game.pickerLevel(), 1);
}

// A hand-edited Level=2147483647 once overflowed on the next step.
TEST_F(LevelsTest, StoredLevelBeyondTableComesIntoRangeAndStepsSafely) {
    game.restoreLevel(2147483647);
    EXPECT_EQ(game.values().level, 3);
    EXPECT_EQ(game.pickerLevel(), 3);
    game.restoreLevel(0);
    EXPECT_EQ(game.values().level, 0); // 0 is shown as it is, as ShowLevel does
    game.restoreLevel(-2147483647 - 1);
    EXPECT_EQ(game.values().level, 1);

    // Whatever the display holds, stepping stays defined at both ends of int.
    game.showLevel(2147483647);
    game.nextLevel();
    EXPECT_EQ(game.pickerLevel(), 3);
    game.showLevel(0);
    game.previousLevel();
    EXPECT_EQ(game.pickerLevel(), 1);
}

TEST_F(LevelsTest, RandomLevelWithinTable) {
    std::set<int> seen;
    for (int i = 0; i < 60; ++i) {
        game.randomLevel();
        ASSERT_GE(game.values().level, 1);
        ASSERT_LE(game.values().level, 3);
        seen.insert(game.values().level);
    }
    EXPECT_EQ(seen.size(), 3u);
}

} // namespace
} // namespace quorvel
