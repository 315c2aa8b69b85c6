// The board in play: the tile table, the grid of tile numbers and the puzzle's words.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvel {

constexpr char GapChar = '\x01'; // marks a gap cell in every board string
constexpr int MaxTiles = 300;
constexpr int MaxRows = 20;
constexpr int MaxColumns = 40;
constexpr int MaxArrows = 80;

// A tile's lock state is kept as a model value; the three letter colours are presentation.
enum class LetterColour : std::uint8_t { Unlocked, Locked, Revealed };

struct Tile {
    // Placement, fixed while a puzzle lasts.
    int wordIndex = 0; // 0-based position in the word list; 0 on gaps
    int column = 0;    // 1..40
    int row = 0;       // 1..20
    char solution = GapChar;
    bool wordStart = false;
    // Live state.
    char caption = GapChar; // the letter shown now; upper case except while a build marks locks
    LetterColour colour = LetterColour::Unlocked;
    bool locked = false;     // fixed: lock-all leaves it alone
    bool found = false;      // a letter of a word found complete; stays so when reopened
    bool underlined = false; // a letter of an alternative word
    bool visible = false;
    bool enabled = true;

    bool operator==(const Tile&) const = default;
};

struct WordEntry {
    std::string word;
    std::string definition;

    bool operator==(const WordEntry&) const = default;
};

// The unlocked letters of one column, top to bottom, and their tile numbers (full width).
struct ColumnGather {
    std::string letters;
    std::vector<int> tiles;
};

// A tile's state as one letter, the text form the tool's dump and the tests share:
// r unlocked, R unlocked but counted locked, g locked for checking only, G locked,
// b revealed not counted locked, B revealed and locked, - gap.
char stateLetter(const Tile& tile);

class Board {
public:
    Board();

    // Forget the previous puzzle: tiles hidden, enabled and reset, grid and TileCount cleared.
    void clear();

    // SetTile: places the next tile (number TileCount + 1) in row/column and returns its number.
    int setTile(char letter, int row, int column, bool wordStart);

    ColumnGather gatherColumn(int column) const;
    std::string readWord(int tile, bool reveal) const;

    Tile& tile(int number) { return m_tiles.at(static_cast<std::size_t>(number)); }
    const Tile& tile(int number) const { return m_tiles.at(static_cast<std::size_t>(number)); }
    // The tile number in a cell, 0 for none.
    int tileAt(int row, int column) const;
    // The same for any row and column: 0 also outside the board.
    int tileIn(int row, int column) const;

    int rows = 0;
    int columns = 0;
    int tileCount = 0;
    std::vector<std::string> wordList;  // the puzzle's words in reading order
    std::vector<WordEntry> wordEntries; // parallel to wordList
    std::string puzzleLetters;          // the solution in reading order, gaps as GapChar

    bool operator==(const Board&) const = default;

private:
    std::array<Tile, MaxTiles + 1> m_tiles{}; // 1-based; entry 0 unused
    std::array<std::array<std::uint16_t, MaxColumns + 1>, MaxRows + 1> m_grid{};
};

} // namespace quorvel
