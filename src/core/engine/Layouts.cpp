// The layouts file: numeric and drawn layouts, the checksum guard, the built-in levels.
#include "engine/Layouts.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace quorvel {

namespace {

constexpr std::uint16_t Saturated = 0xFFFF;

std::uint16_t saturate(std::size_t n) {
    return static_cast<std::uint16_t>(std::min<std::size_t>(n, Saturated));
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find_first_of("\r\n", begin);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin =
            end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

// Blanks and control characters go at both ends; ASCII letters become capitals.
std::string examined(std::string_view line) {
    std::size_t b = 0, e = line.size();
    while (b < e && static_cast<unsigned char>(line[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(line[e - 1]) <= ' ')
        --e;
    std::string s(line.substr(b, e - b));
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool parseHeaderNumber(std::string_view text, long long& value) {
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    text = text.substr(b, e - b);
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    int parsed = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        return false;
    value = parsed;
    return true;
}

// Four digits: columns then rows; every row one word as wide as the board. A line whose first
// four characters are not all digits keeps its level number but has no board (0 x 0).
LayoutRecord numericLayout(const std::string& line) {
    LayoutRecord r;
    if (line.size() < 4 || !std::all_of(line.begin(), line.begin() + 4, isDigit))
        return r;
    r.columns = static_cast<std::uint16_t>((line[0] - '0') * 10 + (line[1] - '0'));
    r.rows = static_cast<std::uint16_t>((line[2] - '0') * 10 + (line[3] - '0'));
    r.letterTotal = saturate(static_cast<std::size_t>(r.columns) * r.rows);
    if (r.columns > 0) {
        std::string row(static_cast<std::size_t>(r.columns), 'X');
        row[0] = static_cast<char>(r.columns);
        for (int i = 1; i <= std::min<int>(r.rows, MaxRows); ++i)
            r.rowPatterns[static_cast<std::size_t>(i)] = row;
    }
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

struct Scan {
    long long checksum = 0;
    std::vector<LayoutRecord> levels;
};

// Walks the lines after the header, as LoadLayouts does.
Scan scanLines(const std::vector<std::string_view>& lines) {
    Scan scan;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string line = examined(lines[i]);
        if (line.empty())
            continue;
        scan.checksum += lineChecksum(line);
        if (line.size() == 3 && line[0] >= '0' && line[0] <= '3')
            continue;
        if (isDigit(line[0])) {
            scan.levels.push_back(numericLayout(line));
        } else if (line[0] == 'X' || line[0] == '-') {
            // A drawn layout: this row and the following ones up to an empty line.
            LayoutRecord r;
            std::size_t letters = 0, rows = 0;
            for (; i < lines.size(); ++i) {
                std::string row = examined(lines[i]);
                if (row.empty())
                    break;
                letters += markRuns(row);
                ++rows;
                r.columns = saturate(row.size());
                if (rows <= MaxRows)
                    r.rowPatterns[rows] = std::move(row);
            }
            r.rows = saturate(rows);
            r.letterTotal = saturate(letters);
            scan.levels.push_back(std::move(r));
        }
    }
    return scan;
}

} // namespace

bool LayoutRecord::fitsBoard() const {
    if (rows < 1 || rows > MaxRows || columns < 1 || columns > MaxColumns ||
        static_cast<int>(rows) * columns > MaxTiles)
        return false;
    for (int r = 1; r <= rows; ++r)
        if (rowPatterns[static_cast<std::size_t>(r)].size() != columns)
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

const LayoutRecord& LevelTable::at(int level) const {
    if (level < 0 || static_cast<std::size_t>(level) >= records.size())
        return records.at(0);
    return records[static_cast<std::size_t>(level)];
}

long long lineChecksum(std::string_view line) {
    long long sum = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
        sum += static_cast<unsigned char>(line[i]) + static_cast<long long>(i + 1);
    return sum;
}

long long layoutsChecksum(std::string_view text) {
    return scanLines(splitLines(text)).checksum;
}

LayoutsLoad loadLayouts(std::string_view text, LevelTable& table) {
    LayoutsLoad load;
    const auto lines = splitLines(text);
    if (lines.empty() || lines[0].size() < 5 ||
        !parseHeaderNumber(lines[0].substr(5), load.expected))
        return load;
    load.headerRead = true;
    Scan scan = scanLines(lines);
    load.computed = scan.checksum;
    load.levelsRead = static_cast<int>(scan.levels.size());
    table.records.assign(1, LayoutRecord{});
    for (auto& r : scan.levels)
        table.records.push_back(std::move(r));
    // A file whose sum does not match offers its first level only; the rest stay unreachable.
    table.levelCount = load.checksumMatches() ? load.levelsRead : std::min(load.levelsRead, 1);
    return load;
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
        pattern += layout.rowPatterns[static_cast<std::size_t>(r)];
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
        const std::string& pattern = layout.rowPatterns[static_cast<std::size_t>(r)];
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
            const std::string& pattern = r.rowPatterns[static_cast<std::size_t>(row)];
            for (std::size_t k = 0; k < line.size() && k < pattern.size(); ++k)
                if (isLetterCell(pattern[k]))
                    line[k] = 'X';
            text += line + "\r\n";
        }
    }
    return text;
}

} // namespace quorvel
