// Counting the statistics file a block of bytes at a time, with no branch on the filter per line.
#include "records/StatisticsTally.h"

#include "records/Statistics.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvel {

namespace {

using Rules = StatisticsTally::Rules;
using Tallies = StatisticsTally::Tallies;

constexpr unsigned kDefinitions = 1;
constexpr unsigned kLocked = 2;
constexpr unsigned kTimed = 4;

constexpr std::uint64_t kEachByte = 0x0101010101010101ull;

// The largest bucket of the view counting field 0 (level), 2 (moves left) or 3 (letter total).
constexpr int capOf(int field) {
    return field == 0 ? kLevelCap : field == 2 ? kScoreCap : kLetterCap;
}

// Lines are found 64 bytes at a time; a line's quick count reads at most 64 bytes from its start.
constexpr std::size_t kBlock = 64;

// A written line is "date,code," (13 bytes), four numbers and three one-character flags.
constexpr std::size_t kHead = 13;
constexpr std::size_t kShortestWritten = kHead + 13; // "1,0,0,1,n,n,n"
constexpr std::size_t kLongestQuick = kHead + 32;    // numbers and flags within 32 bytes

inline std::uint64_t eightBytes(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Which of the 32 bytes after a line's head are commas, digits and minus signs: bit i for byte i.
struct ByteMasks {
    std::uint64_t commas;
    std::uint64_t digits;
    std::uint64_t minus;
};

#if defined(__SSE2__)
inline __m128i load16(const char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline std::uint64_t bitsOf(__m128i bytes) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(bytes));
}

inline std::uint64_t bytesEqual16(__m128i bytes, char c) {
    return bitsOf(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)));
}

inline std::uint64_t digits16(__m128i bytes) {
    // Shifted so that '0' is the smallest signed byte, the digits are the ten smallest.
    const __m128i shifted = _mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>('0' + 128)));
    return bitsOf(_mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(-128 + 10))));
}

inline std::uint64_t breaks16(__m128i bytes) {
    return bitsOf(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r')),
                               _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n'))));
}

// Bit i set when byte i of the 64 at p ends a line (CR or LF).
inline std::uint64_t lineBreaks(const char* p) {
    return breaks16(load16(p)) | breaks16(load16(p + 16)) << 16 | breaks16(load16(p + 32)) << 32 |
           breaks16(load16(p + 48)) << 48;
}

// The commas among the 16 bytes at p.
inline std::uint64_t commas16(const char* p) {
    return bytesEqual16(load16(p), ',');
}

inline ByteMasks byteMasks(const char* p) {
    const __m128i low = load16(p);
    const __m128i high = load16(p + 16);
    return {bytesEqual16(low, ',') | bytesEqual16(high, ',') << 16,
            digits16(low) | digits16(high) << 16,
            bytesEqual16(low, '-') | bytesEqual16(high, '-') << 16};
}
#else
inline std::uint64_t lineBreaks(const char* p) {
    std::uint64_t mask = 0;
    for (int i = 0; i < 64; ++i)
        mask |= std::uint64_t{p[i] == '\r' || p[i] == '\n'} << i;
    return mask;
}

inline std::uint64_t commas16(const char* p) {
    std::uint64_t mask = 0;
    for (int i = 0; i < 16; ++i)
        mask |= std::uint64_t{p[i] == ','} << i;
    return mask;
}

inline ByteMasks byteMasks(const char* p) {
    ByteMasks m{0, 0, 0};
    for (int i = 0; i < 32; ++i) {
        m.commas |= std::uint64_t{p[i] == ','} << i;
        m.digits |= std::uint64_t{p[i] >= '0' && p[i] <= '9'} << i;
        m.minus |= std::uint64_t{p[i] == '-'} << i;
    }
    return m;
}
#endif

// The count (1..8) digits that end just before p as byte values 0..9, the last one in the top
// byte; the bytes before them are masked off to 0.
inline std::uint64_t digitBytesBefore(const char* p, std::uint64_t count) {
    return (eightBytes(p - 8) ^ (kEachByte * '0')) & (~std::uint64_t{0} << (64 - 8 * count));
}

// The smaller of a and b without a branch: values vary at random from line to line.
inline std::uint64_t smaller(std::uint64_t a, std::uint64_t b) {
    return b ^ ((a ^ b) & (0 - std::uint64_t{a < b}));
}

// The value of the count (1..8) digits that end just before p, held to at most cap (below 1000):
// only the last three digits are combined, any digit before them makes a value above 999.
inline std::uint64_t valueHeldTo(const char* p, std::uint64_t count, std::uint64_t cap) {
    const std::uint64_t digits = digitBytesBefore(p, count);
    const std::uint64_t lastThree =
        (digits >> 40 & 0xFF) * 100 + (digits >> 48 & 0xFF) * 10 + (digits >> 56);
    return smaller(lastThree | (0 - std::uint64_t{digits << 24 != 0}), cap);
}

// Where each of the four numbers of a written line ends (at its comma), from the line's head.
struct NumberEnds {
    std::uint64_t level, handicap, movesLeft, letterTotal;
};

inline NumberEnds numberEnds(std::uint64_t commas) {
    auto next = [&commas] {
        const auto at = static_cast<std::uint64_t>(std::countr_zero(commas));
        commas &= commas - 1;
        return at;
    };
    const std::uint64_t level = next();
    const std::uint64_t handicap = next();
    const std::uint64_t movesLeft = next();
    return {level, handicap, movesLeft, next()};
}

void addGame(const Rules& rules, Tallies& tally, bool won, const int (&numbers)[4],
             unsigned options) {
    // Bitwise, not logical, operators: games pass and fail at random, so branches mispredict.
    const bool passes = (rules.anyHandicap | (numbers[1] == rules.handicap)) &
                        ((options & rules.options) == rules.options);
    const int value = numbers[rules.field];
    const int bucket = value < 0 ? 0 : value > rules.cap ? rules.cap : value; // 0: not counted
    ++tally[won ? 1 : 0][static_cast<std::size_t>(bucket * static_cast<int>(passes))];
}

// Any line, by the general field rule.
void countAnyLine(const Rules& rules, Tallies& tally, const char* line, const char* lineEnd) {
    StatisticsEntry game;
    if (parseStatisticsLine(std::string_view(line, static_cast<std::size_t>(lineEnd - line)), game))
        addGame(rules, tally, game.won,
                {game.level, game.handicap, game.movesLeft, game.letterTotal},
                (game.definitions ? kDefinitions : 0) | (game.lockRule ? kLocked : 0) |
                    (game.timed ? kTimed : 0));
}

// Whether the handicap and option filters keep a written line.
inline bool passesFilter(const Rules& rules, const char* numbers, const NumberEnds& ends,
                         std::uint64_t signs) {
    // The handicaps filtered on are -1, 0 and 1: digits with nothing but zeros before the last.
    const std::uint64_t minus = signs >> (ends.level + 1) & 1;
    const std::uint64_t digits =
        digitBytesBefore(numbers + ends.handicap, ends.handicap - ends.level - 1 - minus);
    // Bitwise operators: games pass and fail at random, so branches would mispredict.
    const bool handicap = (digits == rules.handicapDigits) &
                          ((rules.handicap == 0) | (minus == std::uint64_t{rules.handicap < 0}));
    // ",X,Y,Z": each flag asked for must be other than "n".
    const std::uint64_t flags = (eightBytes(numbers + ends.letterTotal) ^ (kEachByte * 'n')) |
                                ~rules.optionBytes;
    const bool options = ((flags - kEachByte) & ~flags & (kEachByte << 7)) == 0;
    return (rules.anyHandicap | handicap) & options;
}

// A line (without its break) in the shape the game writes, "2003-05-17,W,13,0,37,25,D,V,T,",
// counted as the general field rule counts it; false for any other line, which is left to the
// general rule. Reads up to 64 bytes from the line's start, whatever its length.
template <int Field, bool Filtered>
bool countWrittenLine(const Rules& rules, Tallies& tally, const char* line, std::size_t length) {
    if (std::endian::native != std::endian::little ||
        length - kShortestWritten > kLongestQuick - kShortestWritten)
        return false;
    // Ten date characters and a one-character code, each ended by a comma.
    if ((commas16(line) & 0x1FFF) != 0x1400)
        return false;
    const char* const numbers = line + kHead;
    const std::uint64_t rest = length - kHead;
    const ByteMasks m = byteMasks(numbers);
    const std::uint64_t commas = m.commas & ((std::uint64_t{1} << rest) - 1);
    // Missing commas show as ends past the line, which fail the tests below.
    const NumberEnds ends = numberEnds(commas | std::uint64_t{0xF} << 32);
    // Numbers of one to eight characters.
    if (((ends.level - 1) | (ends.handicap - ends.level - 2) |
         (ends.movesLeft - ends.handicap - 2) | (ends.letterTotal - ends.movesLeft - 2)) >= 8)
        return false;
    // Then ",X,Y,Z" and the line's end, or a comma after which nothing is read.
    const std::uint64_t lastComma = rest - ends.letterTotal - 6;
    if (lastComma > 1 || commas >> ends.letterTotal != (0x15 | lastComma << 6))
        return false;
    // Only digits in the numbers, each after an optional minus sign of its own.
    const std::uint64_t inNumbers = (std::uint64_t{1} << ends.letterTotal) - 1;
    const std::uint64_t signs = m.minus & (commas << 1 | 1) & inNumbers;
    if ((~(m.commas | m.digits) & inNumbers) != signs || (signs << 1 & commas) != 0)
        return false;
    const std::uint64_t start = Field == 0   ? 0
                                : Field == 2 ? ends.handicap + 1
                                             : ends.movesLeft + 1;
    const std::uint64_t end = Field == 0   ? ends.level
                              : Field == 2 ? ends.movesLeft
                                           : ends.letterTotal;
    const std::uint64_t negative = signs >> start & 1;
    const std::uint64_t value =
        valueHeldTo(numbers + end, end - start - negative, std::uint64_t{capOf(Field)});
    bool passes = true;
    if constexpr (Filtered)
        passes = passesFilter(rules, numbers, ends, signs);
    // Games not counted go to one of eight spare slots, chosen by the line's address, so that a
    // long run of them is not one long chain of additions to the same slot.
    const std::uint64_t spare =
        kStatisticsBuckets + 1 + (reinterpret_cast<std::uintptr_t>(line) & 7);
    const std::uint64_t counted = 0 - (std::uint64_t{passes} & (negative ^ 1)); // all ones or 0
    ++tally[line[11] == 'W'][(value & counted) | (spare & ~counted)];
    return true;
}

// Counts every line that ends within the blocks of 64 bytes from first (64 more bytes after them
// must be readable); returns where the first unfinished line starts. Lines are found from the
// blocks' break masks, not from each other, so one line's count need not wait for the last's.
// The rules are a copy, which additions to the tallies cannot change: they stay in registers.
template <int Field, bool Filtered>
const char* countBlocksOf(const Rules rules, Tallies& tally, const char* first,
                          std::size_t blocks, const char* lineStart) {
    for (const char* block = first; block != first + kBlock * blocks; block += kBlock) {
        for (std::uint64_t breaks = lineBreaks(block); breaks != 0;) {
            const int at = std::countr_zero(breaks);
            const char* const lineEnd = block + at;
            // A break right after a line's break (the LF of CR LF) ends an empty line: both are
            // stepped over at once. An empty line that starts a block starts at its break.
            const std::uint64_t twoBreaks = breaks >> at >> 1 & 1;
            breaks &= ~(std::uint64_t{3} << at);
            if (lineEnd != lineStart &&
                !countWrittenLine<Field, Filtered>(rules, tally, lineStart,
                                                   static_cast<std::size_t>(lineEnd - lineStart)))
                countAnyLine(rules, tally, lineStart, lineEnd);
            lineStart = lineEnd + 1 + twoBreaks;
        }
    }
    return lineStart;
}

} // namespace

StatisticsTally::StatisticsTally(const StatisticsFilter& filter) {
    m_rules.field = filter.view == StatisticsView::Letters ? 3
                    : filter.view == StatisticsView::Score ? 2 : 0;
    m_rules.cap = capOf(m_rules.field);
    m_rules.anyHandicap = filter.handicap == HandicapFilter::Overall;
    m_rules.handicap = filter.handicap == HandicapFilter::Easy ? -1
                       : filter.handicap == HandicapFilter::Harder ? 1 : 0;
    m_rules.handicapDigits = std::uint64_t(m_rules.handicap != 0) << 56;
    m_rules.options = (filter.withDefinitions ? kDefinitions : 0) |
                      (filter.withLockedLetters ? kLocked : 0) | (filter.timedGames ? kTimed : 0);
    // The option flags of ",X,Y,Z" are bytes 1, 3 and 5.
    m_rules.optionBytes = (filter.withDefinitions ? 0xFFull << 8 : 0) |
                          (filter.withLockedLetters ? 0xFFull << 24 : 0) |
                          (filter.timedGames ? 0xFFull << 40 : 0);
}

const char* StatisticsTally::countBlocks(const char* first, std::size_t blocks,
                                         const char* lineStart) {
    using Loop = const char* (*)(Rules, Tallies&, const char*, std::size_t, const char*);
    // One loop for each view's field, with and without the handicap and option filters.
    static constexpr Loop kLoops[2][4] = {
        {countBlocksOf<0, false>, nullptr, countBlocksOf<2, false>, countBlocksOf<3, false>},
        {countBlocksOf<0, true>, nullptr, countBlocksOf<2, true>, countBlocksOf<3, true>}};
    const bool filtered = !m_rules.anyHandicap || m_rules.options != 0;
    return kLoops[filtered][m_rules.field](m_rules, m_tally, first, blocks, lineStart);
}

// The last bytes of a text, too few for whole blocks with room to read after them: copied out
// with line breaks after them (an unbroken last line counts as if it had one).
void StatisticsTally::countTail(const char* lineStart, const char* end) {
    constexpr std::size_t kRoom = 2 * kBlock;
    // A line that began long before the tail is counted where it lies.
    while (static_cast<std::size_t>(end - lineStart) > kRoom) {
        const char* lineEnd =
            std::find_if(lineStart, end, [](char c) { return c == '\r' || c == '\n'; });
        countAnyLine(m_rules, m_tally, lineStart, lineEnd);
        if (lineEnd == end)
            return;
        lineStart = lineEnd + 1;
    }
    const auto size = static_cast<std::size_t>(end - lineStart);
    char copy[kRoom + 2 * kBlock];
    std::copy(lineStart, end, copy);
    std::memset(copy + size, '\n', sizeof copy - size);
    countBlocks(copy, size / kBlock + 1, copy);
}

void StatisticsTally::countText(std::string_view text) {
    const char* lineStart = text.data();
    // Whole blocks with a block to spare after them.
    if (text.size() > kBlock)
        lineStart = countBlocks(text.data(), (text.size() - kBlock) / kBlock, lineStart);
    countTail(lineStart, text.data() + text.size());
}

void StatisticsTally::finish(StatisticsCount& count) const {
    for (std::size_t i = 1; i <= kStatisticsBuckets; ++i) {
        BucketCount& b = count.buckets[i];
        const std::uint64_t wins = b.wins + m_tally[1][i];
        const std::uint64_t losses = b.losses + m_tally[0][i];
        b.wins = static_cast<std::uint32_t>(std::min<std::uint64_t>(wins, UINT32_MAX));
        b.losses = static_cast<std::uint32_t>(std::min<std::uint64_t>(losses, UINT32_MAX));
        count.scale = std::max({count.scale, b.wins, b.losses});
        count.completed += static_cast<std::int64_t>(m_tally[1][i]);
        count.incomplete += static_cast<std::int64_t>(m_tally[0][i]);
        count.played += static_cast<std::int64_t>(m_tally[0][i] + m_tally[1][i]);
    }
}

} // namespace quorvel
