// Tile numbering with gaps, column gathering, word reading and tile geometry.
#include "GameTestSupport.h"

#include "model/Board.h"
#include "model/Geometry.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class BoardTest : public ::testing::Test {
protected:
    RecordingListener events;
    Random random;
    HeardGame game{events, random, "/nonexistent/"};
    const Board& board() { return game.state().board; }
};

TEST_F(BoardTest, GapsTakeTileNumbersAndGridCells) {
    // Two three-letter words around a gap in a 7-column row, below a full first row.
    TestGame::setUpBoard(game, {"ABCDEFG", "CAT-DOG"});
    const Board& b = board();
    EXPECT_EQ(b.tileCount, 14);
    EXPECT_EQ(b.tileAt(2, 4), 11); // (2-1)*7 + 4: the gap is the row's fourth tile
    EXPECT_EQ(b.tile(11).caption, GapChar);
    EXPECT_TRUE(b.tile(12).wordStart);
    EXPECT_EQ(b.tile(12).column, 5);
    EXPECT_EQ(b.tile(12).row, 2);
    EXPECT_EQ(b.tile(11).colour, LetterColour::Revealed); // gaps are placed in the revealed colour
    EXPECT_EQ(b.tileAt(0, 1), 0);
    EXPECT_EQ(b.tileAt(3, 1), 0);
}

TEST_F(BoardTest, GatherColumnSkipsGapsAndLockedLetters) {
    TestGame::setUpBoard(game, {"ABC", "D-F", "GHI", "JKL"}, {},
                               {"rrr", "g-r", "rrr", "GBr"});
    ColumnGather first = board().gatherColumn(1);
    EXPECT_EQ(first.letters, "AG");
    EXPECT_EQ(first.tiles, (std::vector<int>{1, 7}));
    ColumnGather middle = board().gatherColumn(2);
    EXPECT_EQ(middle.letters, "BH"); // gap and revealed letter skipped
    EXPECT_EQ(middle.tiles, (std::vector<int>{2, 8}));
}

TEST_F(BoardTest, GatherColumnOfLockedLettersIsEmpty) {
    TestGame::setUpBoard(game, {"AB", "CD"}, {}, {"Gr", "gr"});
    ColumnGather g = board().gatherColumn(1);
    EXPECT_TRUE(g.letters.empty());
    EXPECT_TRUE(g.tiles.empty());
}

TEST_F(BoardTest, ReadWordStopsAtRowEndAndLastTile) {
    TestGame::setUpBoard(game, {"ABC", "DEF"}, {}, {"rGg", "Grr"});
    // Row 2 begins with a letter, yet the word of row 1 ends with its row.
    EXPECT_EQ(board().readWord(1, true), "ABC");
    EXPECT_EQ(board().readWord(1, false), "?BC");
    EXPECT_EQ(board().readWord(5, true), "EF"); // stops at the board's last tile
    EXPECT_EQ(board().readWord(4, false), "D??");
}

TEST_F(BoardTest, ReadWordStopsAtGap) {
    TestGame::setUpBoard(game, {"CAT-DOG"});
    EXPECT_EQ(board().readWord(1, true), "CAT");
    EXPECT_EQ(board().readWord(5, true), "DOG");
}

TEST(Geometry, TileSizes) {
    // (400 - 200) div 12 = 16, raised to 22; 22 - 22 div 5 = 18.
    TileSize small = maxTileSize(400);
    EXPECT_EQ(small.width, 18);
    EXPECT_EQ(small.height, 22);
    TileSize large = maxTileSize(1080); // 880 div 12 = 73
    EXPECT_EQ(large.height, 73);
    EXPECT_EQ(large.width, 73 - 14);
    EXPECT_EQ(tileSizeFor(1, large).width, 15);
    EXPECT_EQ(tileSizeFor(1, large).height, 18);
    EXPECT_EQ(tileSizeFor(2, large).width, 18);
    EXPECT_EQ(tileSizeFor(2, large).height, 22);
    EXPECT_EQ(tileSizeFor(3, large).height, 73);
}

TEST(Geometry, WindowAndPositions) {
    const TileSize tile{15, 18};
    EXPECT_EQ(boardWindowSize(3, 3, tile).width, 165); // 3 x 15 + 40 = 85, widened
    EXPECT_EQ(boardWindowSize(3, 3, tile).height, 3 * 20 + 150);
    EXPECT_EQ(boardWindowSize(20, 1, tile).width, 340);
    const Point cell = cellPosition(2, 3, tile);
    EXPECT_EQ(cell.x, 7 + 2 * 15);
    EXPECT_EQ(cell.y, 40 + 20);
    EXPECT_EQ(arrowAbovePosition(3, tile, 11).x, 45 - 5);
    EXPECT_EQ(arrowAbovePosition(3, tile, 11).y, 10);
    EXPECT_EQ(arrowBelowPosition(3, 4, tile, 11).y, 4 * 20 + 42);
}

// The board panel holds every tile and both rows of arrows, with the window's allowance for
// its bars left over; these were once worked out again in the window.
TEST(Geometry, BoardPanelHoldsTheTilesAndArrowsWithinTheWindow) {
    for (const TileSize tile : {TileSize{15, 18}, TileSize{18, 22}, TileSize{40, 50}}) {
        for (const auto& [columns, rows] : {std::pair{1, 1}, std::pair{12, 5}, std::pair{40, 7}}) {
            const WindowSize panel = boardPanelSize(columns, rows, tile);
            EXPECT_EQ(panel.width, (columns + 1) * tile.width);
            const Point lastTile = cellPosition(rows, columns, tile);
            EXPECT_LE(lastTile.x + tile.width, panel.width);
            const Point lowArrow = arrowBelowPosition(columns, rows, tile, ArrowWidth);
            EXPECT_GT(lowArrow.y, lastTile.y + tile.height);
            EXPECT_EQ(panel.height, lowArrow.y + ArrowHeight + 4);
            EXPECT_EQ(boardWindowSize(columns, rows, tile).height,
                      panel.height + windowAllowanceBeyondPanel());
        }
    }
}

// Tall levels at the largest size must not push the counter below the screen.
TEST(Geometry, TilesShrinkOnlyWhenTheBoardWouldNotFitTheScreen) {
    const TileSize largest = maxTileSize(1024);                        // 68 high, 55 wide
    EXPECT_EQ(fittedTileSize(largest, 16, 12, 1280, 1024).height, 68); // 12 x 70 + 150 fits
    const TileSize tall = fittedTileSize(largest, 20, 15, 1280, 1024);
    EXPECT_LE(boardWindowSize(20, 15, tall).height, 1024);
    EXPECT_GT(
        boardWindowSize(20, 15, {tall.height + 1 - (tall.height + 1) / 5, tall.height + 1}).height,
        1024);
    EXPECT_EQ(tall.width, tall.height - tall.height / 5);
    // A screen too small for even the smallest tile keeps the smallest tile.
    const TileSize tiny = fittedTileSize(largest, 40, 20, 300, 200);
    EXPECT_EQ(tiny.width, 15);
    EXPECT_EQ(tiny.height, 18);
    // The smaller Game Sizes are never enlarged.
    EXPECT_EQ(fittedTileSize({18, 22}, 4, 4, 1280, 1024).height, 22);
}

} // namespace
} // namespace quorvel
