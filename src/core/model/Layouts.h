// The layouts file and the level table: one layout per level, guarded by a checksum.
#pragma once

#include "model/Board.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quorvel {

struct LayoutRecord {
    std::uint16_t columns = 0;
    std::uint16_t rows = 0;
    std::uint16_t letterTotal = 0;
    // A numeric layout keeps no rows: each is the one row its column count makes.
    bool numeric = false;
    // A drawn layout's rows 1..min(rows, 20), one after the other, and where each ends. The
    // first cell of a run holds the run's length as a character code.
    std::string drawnCells;
    std::vector<std::uint32_t> drawnRowEnds;

    // Row pattern 1..20; empty beyond the rows the layout has.
    std::string_view row(int number) const;

    // Within 20 rows, 40 columns and 300 cells, so its tiles can be placed.
    bool fitsBoard() const;
};

// Levels 1..levelCount; entry 0 exists and stays empty. A level count is 16 bits wide, so a
// file's layouts beyond the 65535th are counted and checked but not kept.
struct LevelTable {
    static constexpr int kMaxLevels = 65535;

    std::vector<LayoutRecord> records = std::vector<LayoutRecord>(1);
    int levelCount = 0;

    const LayoutRecord& at(int level) const; // entry 0 for a level outside the table
};

// The checksum is a 64-bit sum, written in the header in decimal; the sum of a file under
// several gigabytes cannot pass its range (a larger sum stays at the largest value).
struct LayoutsLoad {
    bool headerRead = false; // false: the table was left as it was
    long long expected = 0;
    long long computed = 0;
    long long levelsRead = 0; // layouts in the file, before a mismatch cuts the offer to one
    bool checksumMatches() const { return expected == computed; }
};

// LoadLayouts over the file's text. A missing file is the caller's: see builtInLayouts.
LayoutsLoad loadLayouts(std::string_view text, LevelTable& table);

// Why the layouts file was not used as it stands, and what is played instead.
struct LayoutsProblem {
    enum class Fault {
        Missing,          // no file at the path
        Unreadable,       // error says why
        Empty,            // not a byte in it
        NoHeader,         // line 1 is not five characters followed by the checksum
        NoLevels,         // no line after the header makes a level
        ChecksumMismatch, // line 1 says expected, the lines add up to computed
    };
    enum class Fallback {
        BuiltInLevels,  // the four built-in levels
        LevelsInUse,    // the levels read before stay (the file is read again in trace mode)
        FirstLevelOnly, // the file's first level, alone
    };
    Fault fault = Fault::Missing;
    Fallback fallback = Fallback::BuiltInLevels;
    std::string path;
    std::error_code error;
    long long expected = 0;
    long long computed = 0;

    // Whether the file's levels replaced the table (only its header and checksum were wrong).
    bool replacedTable() const {
        return fault == Fault::NoLevels || fault == Fault::ChecksumMismatch;
    }
};

// LoadLayouts over the file at path. A file that cannot be read, or has no header, leaves the
// table as it was. Empty when the file was used as it stands; otherwise the fault, with the
// built-in levels as the fallback unless the first level alone is left.
std::optional<LayoutsProblem> loadLayoutsFile(const std::string& path, LevelTable& table);

// The four one-word-per-row levels 4 x 4 .. 7 x 7, used when no file offers a layout.
LevelTable builtInLayouts();

// The checksum contribution of one examined (trimmed, upper-cased) line.
long long lineChecksum(std::string_view line);

// The checksum of the file's lines after the header, whatever the header holds.
long long layoutsChecksum(std::string_view text);

// Why a level cannot be built ("Level 12 is too large to play: 25 rows (at most 20)."), or
// empty when its tiles can be placed.
std::string layoutProblem(const LayoutRecord& layout, int level);

// Why the game refuses a level: a board it cannot place, or one without a word to find.
std::string levelProblem(const LayoutRecord& layout, int level);

// The level's length pattern: word starts keep their length code, every other cell is a gap.
std::string lengthPattern(const LayoutRecord& layout);

// The level picker's preview: one line per row, 0x7F on letter cells, a space on gaps.
std::vector<std::string> layoutPreview(const LayoutRecord& layout);

// The hidden Export command's text for the whole table.
std::string exportLevelTable(const LevelTable& table);

} // namespace quorvel
