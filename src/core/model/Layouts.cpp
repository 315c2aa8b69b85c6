// The layouts file: numeric and drawn layouts, the checksum guard, the built-in levels.
#include "model/Layouts.h"

#include "base/FilePaths.h"
#include "base/Files.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace quorvel {

namespace {

constexpr std::uint16_t Saturated = 0xFFFF;

std::uint16_t saturate(std::size_t n) {
    return static_cast<std::uint16_t>(std::min<std::size_t>(n, Saturated));
}

// The lines of a text, one at a time, split at CR LF, CR or LF.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_rest(text) {}

    bool next(std::string_view& line) {
        if (m_rest.empty())
            return false;
        const std::size_t end = std::min(m_rest.find_first_of("\r\n"), m_rest.size());
        line = m_rest.substr(0, end);
        std::size_t skip = end;
        if (end < m_rest.size())
            skip += (m_rest[end] == '\r' && m_rest.substr(end + 1, 1) == "\n") ? 2 : 1;
        m_rest.remove_prefix(skip);
        return true;
    }

private:
    std::string_view m_rest;
};

// Blanks and control characters go at both ends; ASCII letters become capitals. The buffer is
// reused from line to line, so a long file costs no allocation per line.
void examine(std::string_view line, std::string& out) {
    std::size_t b = 0, e = line.size();
    while (b < e && static_cast<unsigned char>(line[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(line[e - 1]) <= ' ')
        --e;
    out.assign(line.substr(b, e - b));
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks around, one optional sign; the whole range of a 64-bit sum.
bool parseHeaderNumber(std::string_view text, long long& value) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    text = text.substr(b, e - b);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-')
        text.remove_prefix(1);
    long long parsed = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return false;
    value = parsed;
    return true;
}

// The one row of a numeric layout with this many columns (0..99): its length, then 'X's.
std::string_view numericRow(int columns) {
    static const std::array<std::string, 100> rows = [] {
        std::array<std::string, 100> made;
        for (std::size_t n = 1; n < made.size(); ++n) {
            made[n].assign(n, 'X');
            made[n][0] = static_cast<char>(n);
        }
        return made;
    }();
    return rows.at(static_cast<std::size_t>(columns));
}

// Four digits: columns then rows; every row one word as wide as the board. A line whose first
// four characters are not all digits keeps its level number but has no board (0 x 0).
LayoutRecord numericLayout(std::string_view line) {
    LayoutRecord r;
    r.numeric = true;
    if (line.size() < 4 || !std::all_of(line.begin(), line.begin() + 4, isDigit))
        return r;
    r.columns = static_cast<std::uint16_t>((line[0] - '0') * 10 + (line[1] - '0'));
    r.rows = static_cast<std::uint16_t>((line[2] - '0') * 10 + (line[3] - '0'));
    r.letterTotal = saturate(static_cast<std::size_t>(r.columns) * r.rows);
    return r;
}

// One drawn row: each run of 'X' gets its length over its first cell.
std::size_t markRuns(std::string& row) {
    std::size_t letters = 0;
    for (std::size_t i = 0; i < row.size();) {
        if (row[i] != 'X') {
            // A control character kept as a gap must never read as a word start.
            if (static_cast<unsigned char>(row[i]) < ' ')
                row[i] = '-';
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < row.size() && row[j] == 'X')
            ++j;
        const std::size_t n = j - i;
        row[i] = static_cast<char>(std::min<std::size_t>(n, 255));
        letters += n;
        i = j;
    }
    return letters;
}

long long addSaturated(long long sum, long long more) {
    return sum > LLONG_MAX - more ? LLONG_MAX : sum + more;
}

// A drawn layout: the first row is in `row`, the following ones come from the cursor up to an
// empty line. Only the first 20 rows are kept, since no board has more.
LayoutRecord drawnLayout(std::string& row, LineCursor& lines, bool keep) {
    LayoutRecord r;
    std::size_t letters = 0, rows = 0;
    std::string_view raw;
    while (!row.empty()) {
        letters += markRuns(row);
        ++rows;
        r.columns = saturate(row.size());
        if (keep && rows <= MaxRows) {
            r.drawnCells += row;
            r.drawnRowEnds.push_back(
                static_cast<std::uint32_t>(std::min<std::size_t>(r.drawnCells.size(), UINT32_MAX)));
        }
        if (!lines.next(raw))
            break;
        examine(raw, row);
    }
    r.rows = saturate(rows);
    r.letterTotal = saturate(letters);
    return r;
}

struct Scan {
    long long checksum = 0;
    long long levels = 0;
};

// Walks the lines after the header, as LoadLayouts does; builds levels into the table when
// one is given, up to the most a table holds. The checksum alone builds nothing.
Scan scanLines(std::string_view text, LevelTable* table) {
    Scan scan;
    LineCursor lines(text);
    std::string_view raw;
    lines.next(raw); // the header
    std::string line;
    while (lines.next(raw)) {
        examine(raw, line);
        if (line.empty())
            continue;
        scan.checksum = addSaturated(scan.checksum, lineChecksum(line));
        if (line.size() == 3 && line[0] >= '0' && line[0] <= '3')
            continue;
        const bool keep = table && scan.levels < LevelTable::kMaxLevels;
        if (isDigit(line[0])) {
            ++scan.levels;
            if (keep)
                table->records.push_back(numericLayout(line));
        } else if (line[0] == 'X' || line[0] == '-') {
            ++scan.levels;
            LayoutRecord r = drawnLayout(line, lines, keep);
            if (keep)
                table->records.push_back(std::move(r));
        }
    }
    return scan;
}

} // namespace

std::string_view LayoutRecord::row(int number) const {
    if (number < 1 || number > std::min<int>(rows, MaxRows))
        return {};
    if (numeric)
        return numericRow(columns);
    const auto index = static_cast<std::size_t>(number - 1);
    if (index >= drawnRowEnds.size())
        return {};
    const std::size_t begin = index == 0 ? 0 : drawnRowEnds[index - 1];
    return std::string_view(drawnCells).substr(begin, drawnRowEnds[index] - begin);
}

bool LayoutRecord::fitsBoard() const {
    if (rows < 1 || rows > MaxRows || columns < 1 || columns > MaxColumns ||
        static_cast<int>(rows) * columns > MaxTiles)
        return false;
    for (int r = 1; r <= rows; ++r)
        if (row(r).size() != columns)
            return false;
    return true;
}

std::string layoutProblem(const LayoutRecord& layout, int level) {
    const std::string name = "Level " + std::to_string(level);
    if (layout.rows < 1 || layout.columns < 1)
        return name + " has no board to play.";
    if (layout.rows > MaxRows)
        return name + " is too large to play: " + std::to_string(layout.rows) +
               " rows (at most 20).";
    if (layout.columns > MaxColumns)
        return name + " is too large to play: " + std::to_string(layout.columns) +
               " columns (at most 40).";
    if (static_cast<int>(layout.rows) * layout.columns > MaxTiles)
        return name + " is too large to play: " + std::to_string(layout.rows * layout.columns) +
               " cells (at most 300).";
    if (!layout.fitsBoard())
        return name + " cannot be played: its rows are not all " + std::to_string(layout.columns) +
               " cells long.";
    return {};
}

std::string levelProblem(const LayoutRecord& layout, int level) {
    std::string problem = layoutProblem(layout, level);
    if (problem.empty() && lengthPattern(layout).find_first_not_of(GapChar) == std::string::npos)
        problem = "Level " + std::to_string(level) + " has no word to find.";
    return problem;
}

const LayoutRecord& LevelTable::at(int level) const {
    if (level < 0 || static_cast<std::size_t>(level) >= records.size())
        return records.at(0);
    return records[static_cast<std::size_t>(level)];
}

long long lineChecksum(std::string_view line) {
    long long sum = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
        sum =
            addSaturated(sum, static_cast<unsigned char>(line[i]) + static_cast<long long>(i + 1));
    return sum;
}

long long layoutsChecksum(std::string_view text) {
    return scanLines(text, nullptr).checksum;
}

LayoutsLoad loadLayouts(std::string_view text, LevelTable& table) {
    LayoutsLoad load;
    std::string_view header;
    if (!LineCursor(text).next(header) || header.size() < 5 ||
        !parseHeaderNumber(header.substr(5), load.expected))
        return load;
    load.headerRead = true;
    LevelTable built;
    const Scan scan = scanLines(text, &built);
    load.computed = scan.checksum;
    load.levelsRead = scan.levels;
    const int kept = static_cast<int>(built.records.size()) - 1;
    // A file whose sum does not match offers its first level only; the rest stay unreachable.
    built.levelCount = load.checksumMatches() ? kept : std::min(kept, 1);
    table = std::move(built);
    return load;
}

std::optional<LayoutsProblem> loadLayoutsFile(const std::string& path, LevelTable& table) {
    using Fault = LayoutsProblem::Fault;
    LayoutsProblem problem;
    problem.path = path;
    // A file the system cannot even look for (a folder without access) is unreadable, not missing.
    std::error_code lookedFor;
    if (!std::filesystem::exists(filePath(path), lookedFor) && !lookedFor)
        return problem;
    std::string text;
    try {
        text = readWholeFile(path);
    } catch (const FileError& error) {
        problem.fault = Fault::Unreadable;
        problem.error = error.error;
        return problem;
    }
    const LayoutsLoad load = loadLayouts(text, table);
    problem.expected = load.expected;
    problem.computed = load.computed;
    if (text.empty())
        problem.fault = Fault::Empty;
    else if (!load.headerRead)
        problem.fault = Fault::NoHeader;
    else if (table.levelCount < 1)
        problem.fault = Fault::NoLevels;
    else if (!load.checksumMatches())
        problem.fault = Fault::ChecksumMismatch;
    else
        return std::nullopt;
    if (problem.fault == Fault::ChecksumMismatch)
        problem.fallback = LayoutsProblem::Fallback::FirstLevelOnly;
    return problem;
}

LevelTable builtInLayouts() {
    LevelTable table;
    for (const char* line : {"0404", "0505", "0606", "0707"})
        table.records.push_back(numericLayout(line));
    table.levelCount = 4;
    return table;
}

std::string lengthPattern(const LayoutRecord& layout) {
    std::string pattern;
    for (int r = 1; r <= std::min<int>(layout.rows, MaxRows); ++r)
        pattern += layout.row(r);
    for (char& c : pattern)
        if (static_cast<unsigned char>(c) < 3 || static_cast<unsigned char>(c) > 20)
            c = GapChar;
    return pattern;
}

namespace {
bool isLetterCell(char c) {
    return c == 'X' || (static_cast<unsigned char>(c) >= 3 && static_cast<unsigned char>(c) <= 20);
}
} // namespace

std::vector<std::string> layoutPreview(const LayoutRecord& layout) {
    std::vector<std::string> lines;
    for (int r = 1; r <= std::min<int>(layout.rows, MaxRows); ++r) {
        const std::string_view pattern = layout.row(r);
        std::string line(layout.columns, ' ');
        for (std::size_t k = 0; k < line.size() && k < pattern.size(); ++k)
            if (isLetterCell(pattern[k]))
                line[k] = '\x7F';
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string exportLevelTable(const LevelTable& table) {
    std::string text;
    char buffer[32];
    for (int level = 1; level <= table.levelCount; ++level) {
        const LayoutRecord& r = table.at(level);
        std::snprintf(buffer, sizeof buffer, "\r\n%03d\r\n%02d%02d\r\n", r.letterTotal, r.columns,
                      r.rows);
        text += buffer;
        for (int row = 1; row <= std::min<int>(r.rows, MaxRows); ++row) {
            std::string line(std::min<std::size_t>(r.columns, MaxColumns), '-');
            const std::string_view pattern = r.row(row);
            for (std::size_t k = 0; k < line.size() && k < pattern.size(); ++k)
                if (isLetterCell(pattern[k]))
                    line[k] = 'X';
            text += line + "\r\n";
        }
    }
    return text;
}

} // namespace quorvel
