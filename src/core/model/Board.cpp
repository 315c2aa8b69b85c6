// The tile table and grid: placing tiles in reading order, gathering columns, reading words.
#include "model/Board.h"

#include <stdexcept>

namespace quorvel {

Board::Board() {
    clear();
}

void Board::clear() {
    for (Tile& t : m_tiles)
        t = Tile{};
    for (auto& row : m_grid)
        row.fill(0);
    rows = 0;
    columns = 0;
    tileCount = 0;
}

int Board::setTile(char letter, int row, int column, bool wordStart) {
    // Layouts beyond the board's limits are refused before any tile is placed.
    if (tileCount >= MaxTiles || row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
        throw std::logic_error("setTile: cell outside the board");
    const int n = ++tileCount;
    Tile& t = m_tiles[static_cast<std::size_t>(n)];
    t = Tile{};
    t.solution = letter;
    t.caption = letter;
    t.row = row;
    t.column = column;
    t.wordStart = wordStart;
    t.colour = letter == GapChar ? LetterColour::Revealed : LetterColour::Unlocked;
    m_grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
        static_cast<std::uint16_t>(n);
    return n;
}

int Board::tileAt(int row, int column) const {
    if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
        return 0;
    return m_grid[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

ColumnGather Board::gatherColumn(int column) const {
    ColumnGather g;
    for (int r = 1; r <= rows; ++r) {
        const int t = tileAt(r, column);
        if (t == 0)
            continue;
        const Tile& tile = this->tile(t);
        if (tile.caption != GapChar && tile.colour == LetterColour::Unlocked) {
            g.letters += tile.caption;
            g.tiles.push_back(t);
        }
    }
    return g;
}

std::string Board::readWord(int start, bool reveal) const {
    std::string word;
    if (start < 1 || start > tileCount)
        return word;
    const int row = tile(start).row;
    int t = start;
    // A word ends at a gap, at the end of its row, or at the last tile of the board.
    do {
        const Tile& tl = tile(t);
        word += (reveal || tl.colour == LetterColour::Locked) ? tl.caption : '?';
        ++t;
    } while (t <= tileCount && tile(t).caption != GapChar && tile(t).row == row);
    return word;
}

char stateLetter(const Tile& tile) {
    if (tile.caption == GapChar)
        return '-';
    switch (tile.colour) {
    case LetterColour::Unlocked:
        return tile.locked ? 'R' : 'r';
    case LetterColour::Locked:
        return tile.locked ? 'G' : 'g';
    case LetterColour::Revealed:
        return tile.locked ? 'B' : 'b';
    }
    return '?';
}

int Board::tileIn(int row, int column) const {
    if (row < 1 || row > rows || column < 1 || column > columns)
        return 0;
    return tileAt(row, column);
}

} // namespace quorvel
