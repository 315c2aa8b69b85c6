// The layouts file and the level table: one layout per level, guarded by a checksum.
#pragma once

#include "engine/Board.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct LayoutRecord {
    std::uint16_t columns = 0;
    std::uint16_t rows = 0;
    std::uint16_t letterTotal = 0;
    // Row patterns 1..20: the first cell of a run holds the run's length as a character code.
    std::array<std::string, MaxRows + 1> rowPatterns{};

    // Within 20 rows, 40 columns and 300 cells, so its tiles can be placed.
    bool fitsBoard() const;
};

// Levels 1..levelCount; entry 0 exists and stays empty.
struct LevelTable {
    std::vector<LayoutRecord> records = std::vector<LayoutRecord>(1);
    int levelCount = 0;

    const LayoutRecord& at(int level) const; // entry 0 for a level outside the table
};

struct LayoutsLoad {
    bool headerRead = false; // false: the table was left as it was
    long long expected = 0;
    long long computed = 0;
    int levelsRead = 0; // layouts in the file, before a mismatch cuts the offer to one
    bool checksumMatches() const { return expected == computed; }
};

// LoadLayouts over the file's text. A missing file is the caller's: see builtInLayouts.
LayoutsLoad loadLayouts(std::string_view text, LevelTable& table);

// The four one-word-per-row levels 4 x 4 .. 7 x 7, used when no file offers a layout.
LevelTable builtInLayouts();

// The checksum contribution of one examined (trimmed, upper-cased) line.
long long lineChecksum(std::string_view line);

// The checksum of the file's lines after the header, whatever the header holds.
long long layoutsChecksum(std::string_view text);

// Why a level cannot be built ("Level 12 is too large to play: 25 rows (at most 20)."), or
// empty when its tiles can be placed.
std::string layoutProblem(const LayoutRecord& layout, int level);

// The level's length pattern: word starts keep their length code, every other cell is a gap.
std::string lengthPattern(const LayoutRecord& layout);

// The level picker's preview: one line per row, 0x7F on letter cells, a space on gaps.
std::vector<std::string> layoutPreview(const LayoutRecord& layout);

// The hidden Export command's text for the whole table.
std::string exportLevelTable(const LevelTable& table);

} // namespace quorvel
