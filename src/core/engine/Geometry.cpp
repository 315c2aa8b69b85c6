// Tile sizes and the pixel positions of tiles, arrows and the board window.
#include "engine/Geometry.h"

#include <algorithm>

namespace quorvel {

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
    return {std::max(columns * tile.width + 40, 165), rows * (tile.height + 2) + 150};
}

Point cellPosition(int row, int column, TileSize tile) {
    return {tile.width / 2 + (column - 1) * tile.width, 40 + (row - 1) * (tile.height + 2)};
}

// Column c's centre lies at c tile widths, so an arrow centred there starts half its width left.
Point arrowAbovePosition(int column, TileSize tile, int arrowWidth) {
    return {column * tile.width - arrowWidth / 2, 10};
}

Point arrowBelowPosition(int column, int rows, TileSize tile, int arrowWidth) {
    return {column * tile.width - arrowWidth / 2, rows * (tile.height + 2) + 42};
}

} // namespace quorvel
