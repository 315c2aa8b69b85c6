// Board geometry in pixels: tile sizes and where tiles, arrows and the window go.
#pragma once

namespace quorvel {

struct TileSize {
    int width = 0;
    int height = 0;
};

// The largest tile, from the height of the screen's available (full-screen client) area.
TileSize maxTileSize(int screenClientHeight);

// The tile of a new puzzle for the Game Size position 1..3.
TileSize tileSizeFor(int gameSize, TileSize maxTile);

// The tile for a board within the screen's available area: the wanted tile when the board's
// window fits, otherwise the largest smaller tile (shaped like the largest tile) that fits, but
// never smaller than the smallest Game Size. Tall levels at the largest size would otherwise
// put the move counter and the status line below the screen.
TileSize fittedTileSize(TileSize wanted, int columns, int rows, int availableWidth,
                        int availableHeight);

struct Point {
    int x = 0;
    int y = 0;
};

// LayOutBoard's window size for a board, never narrower than 165.
struct WindowSize {
    int width = 0;
    int height = 0;
};
WindowSize boardWindowSize(int columns, int rows, TileSize tile);

// The arrows' box: its width centres an arrow on its column.
constexpr int ArrowWidth = 11;
constexpr int ArrowHeight = 19;
// The board panel's bands at the Game Size's own scale; a board drawn larger or smaller scales
// them with its tiles.
constexpr int ArrowsAboveTop = 10; // the upper arrows' top in the board panel
constexpr int TilesTop = 40;       // the first row's top
constexpr int RowGap = 2;          // between rows
constexpr int ArrowsBelowGap = 4;  // under the lower arrows, inside the board panel

// The board panel itself: half a tile of board colour either side of the columns, and room
// below the lower arrows.
WindowSize boardPanelSize(int columns, int rows, TileSize tile);

// What the board's window allows beyond its board panel (menu and status bars), so the window
// fits the screen when these take more.
int windowAllowanceBeyondPanel();

// Top-left of the tile in a cell (row, column 1-based), relative to the board panel.
Point cellPosition(int row, int column, TileSize tile);

// Left edge and top of the arrows of a column: above (pointing down) and below (pointing up).
Point arrowAbovePosition(int column, TileSize tile, int arrowWidth);
Point arrowBelowPosition(int column, int rows, TileSize tile, int arrowWidth);

} // namespace quorvel
