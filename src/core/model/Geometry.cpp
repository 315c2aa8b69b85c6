// Tile sizes and the pixel positions of tiles, arrows and the board window.
#include "model/Geometry.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr int MinimumWindowWidth = 165;
constexpr int WindowSideMargin = 40;   // the window is this much wider than the columns
constexpr int WindowExtraHeight = 150; // and this much taller than the rows

int rowsBottom(int rows, TileSize tile) {
    return TilesTop + rows * (tile.height + RowGap);
}

} // namespace

TileSize maxTileSize(int screenClientHeight) {
    const int height = std::max((screenClientHeight - 200) / 12, 22);
    return {height - height / 5, height};
}

TileSize tileSizeFor(int gameSize, TileSize maxTile) {
    if (gameSize <= 1)
        return {15, 18};
    if (gameSize == 2)
        return {18, 22};
    return maxTile;
}

TileSize fittedTileSize(TileSize wanted, int columns, int rows, int availableWidth,
                        int availableHeight) {
    const TileSize smallest = tileSizeFor(1, {});
    const auto fits = [&](TileSize tile) {
        const WindowSize window = boardWindowSize(columns, rows, tile);
        return window.width <= availableWidth && window.height <= availableHeight;
    };
    TileSize tile = wanted;
    while (!fits(tile) && tile.height > smallest.height) {
        const int height = tile.height - 1;
        tile = {std::min(wanted.width, height - height / 5), height};
    }
    return fits(tile) ? tile
                      : TileSize{std::min(wanted.width, smallest.width),
                                 std::min(wanted.height, smallest.height)};
}

WindowSize boardWindowSize(int columns, int rows, TileSize tile) {
    return {std::max(columns * tile.width + WindowSideMargin, MinimumWindowWidth),
            rows * (tile.height + RowGap) + WindowExtraHeight};
}

WindowSize boardPanelSize(int columns, int rows, TileSize tile) {
    return {columns * tile.width + tile.width,
            arrowBelowPosition(1, rows, tile, ArrowWidth).y + ArrowHeight + ArrowsBelowGap};
}

int windowAllowanceBeyondPanel() {
    return WindowExtraHeight - (rowsBottom(0, {}) + RowGap) - ArrowHeight - ArrowsBelowGap;
}

Point cellPosition(int row, int column, TileSize tile) {
    return {tile.width / 2 + (column - 1) * tile.width, rowsBottom(row - 1, tile)};
}

// Column c's centre lies at c tile widths, so an arrow centred there starts half its width left.
Point arrowAbovePosition(int column, TileSize tile, int arrowWidth) {
    return {column * tile.width - arrowWidth / 2, ArrowsAboveTop};
}

Point arrowBelowPosition(int column, int rows, TileSize tile, int arrowWidth) {
    return {column * tile.width - arrowWidth / 2, rowsBottom(rows, tile) + RowGap};
}

} // namespace quorvel
