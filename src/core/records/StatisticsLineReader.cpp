// Reading a statistics file's lines quickly: the window counts the whole history on every paint.
#include "records/Statistics.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace quorvel {

namespace {

bool isSeparator(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

// Eight bytes from p, the first one lowest.
std::uint64_t eightBytes(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

constexpr std::uint64_t kEachByte = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// The value of one to seven digits at p (digits 0..9 in bytes, the first one lowest), eight at a
// time and without a branch per digit: digit counts vary from line to line and mispredict.
int digitsValue(std::uint64_t digits, int count) {
    std::uint64_t v = digits << (8 * (8 - count)); // leading zeros, as it were
    v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFull;
    v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFull;
    v = (v * 10000 + (v >> 32)) & 0xFFFFFFFFull;
    return static_cast<int>(v);
}

// Up to nine digits (so no overflow), an optional minus sign, then the comma that ends the field.
const char* readNumberByteWise(const char* p, const char* end, bool negative, int& value) {
    const char* const digits = p;
    int n = 0;
    while (p < end && p - digits < 9 && static_cast<unsigned>(*p - '0') < 10u) {
        n = n * 10 + (*p - '0');
        ++p;
    }
    if (p == digits || p == end || *p != ',')
        return nullptr;
    value = negative ? -n : n;
    return p + 1;
}

const char* readNumber(const char* p, const char* end, int& value) {
    const bool negative = p < end && *p == '-';
    p += negative ? 1 : 0;
    if (std::endian::native != std::endian::little || end - p < 8)
        return readNumberByteWise(p, end, negative, value);
    const std::uint64_t values = eightBytes(p) ^ (kEachByte * '0');
    // A byte's high bit is set here when it is no digit.
    const std::uint64_t nonDigits =
        (((values & ~kHighBits) + kEachByte * (0x80 - 10)) | values) & kHighBits;
    if (nonDigits == 0)
        return readNumberByteWise(p, end, negative, value);
    const int count = std::countr_zero(nonDigits) / 8;
    if (count == 0 || p[count] != ',')
        return nullptr;
    const int n = digitsValue(values, count);
    value = negative ? -n : n;
    return p + count + 1;
}

// A one-character field followed by a comma.
const char* readFlag(const char* p, const char* end, bool& set) {
    if (end - p < 2 || isSeparator(p[0]) || p[1] != ',')
        return nullptr;
    set = p[0] != 'n';
    return p + 2;
}

// A line in the shape the game writes ("2003-05-17,W,13,0,37,25,D,V,T,") is read in one pass and
// gives what the general field rule gives; the return value is where the line ends. Any other
// line returns nullptr and is left to the general rule.
const char* readWrittenLine(const char* p, const char* end, StatisticsEntry& entry) {
    if (end - p < 13)
        return nullptr;
    // Ten date characters without a comma or line break: '-' and the digits are all above them,
    // so the first eight are checked at once (a byte whose low seven bits are below '-' fails).
    const std::uint64_t aboveComma = ((eightBytes(p) | kHighBits) - kEachByte * '-') & kHighBits;
    if (aboveComma != kHighBits || static_cast<unsigned char>(p[8]) < '-' ||
        static_cast<unsigned char>(p[9]) < '-' || p[10] != ',' || isSeparator(p[11]) ||
        p[12] != ',')
        return nullptr;
    StatisticsEntry e;
    e.won = p[11] == 'W';
    p += 13;
    for (int* n : {&e.level, &e.handicap, &e.movesLeft, &e.letterTotal})
        if (!(p = readNumber(p, end, *n)))
            return nullptr;
    if (!(p = readFlag(p, end, e.definitions)) || !(p = readFlag(p, end, e.lockRule)))
        return nullptr;
    if (p == end || isSeparator(*p))
        return nullptr;
    e.timed = *p++ != 'n';
    // A timed line ends in a comma, an untimed one does not: step over it without a branch.
    const bool comma = p < end && *p == ',';
    p += comma ? 1 : 0;
    if (p < end && *p != '\r' && *p != '\n') {
        if (!comma)
            return nullptr;
        while (p < end && *p != '\r' && *p != '\n') // fields after the ninth are not read
            ++p;
    }
    entry = e;
    return p;
}

} // namespace

bool StatisticsLineReader::next(StatisticsEntry& entry) {
    while (m_next < m_end) {
        if (*m_next == '\r' || *m_next == '\n') { // the LF of CR LF, or an empty line
            ++m_next;
            continue;
        }
        const char* lineEnd = readWrittenLine(m_next, m_end, entry);
        bool counted = lineEnd != nullptr;
        if (!counted) {
            lineEnd = m_next;
            while (lineEnd < m_end && *lineEnd != '\r' && *lineEnd != '\n')
                ++lineEnd;
            counted = parseStatisticsLine(
                std::string_view(m_next, static_cast<std::size_t>(lineEnd - m_next)), entry);
        }
        m_next = lineEnd < m_end ? lineEnd + 1 : m_end;
        if (counted)
            return true;
    }
    return false;
}

} // namespace quorvel
