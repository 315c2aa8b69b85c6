// Counting the statistics file with one pass per line and no branch on the filter per line.
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

constexpr unsigned kDefinitions = 1;
constexpr unsigned kLocked = 2;
constexpr unsigned kTimed = 4;

constexpr std::uint64_t kEachByte = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

std::uint64_t eightBytes(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// Which of 32 bytes are commas, line breaks, digits and minus signs: bit i for byte i.
struct ByteMasks {
    std::uint32_t commas = 0;
    std::uint32_t breaks = 0;
    std::uint32_t digits = 0;
    std::uint32_t minus = 0;
};

#if defined(__SSE2__)
std::uint32_t bytesEqual16(__m128i bytes, char c) {
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(c))));
}

std::uint32_t digits16(__m128i bytes) {
    // Shifted so that '0' is the smallest signed byte, the digits are the ten smallest.
    const __m128i shifted = _mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>('0' + 128)));
    return static_cast<std::uint32_t>(
        _mm_movemask_epi8(_mm_cmplt_epi8(shifted, _mm_set1_epi8(static_cast<char>(-128 + 10)))));
}

ByteMasks byteMasks(const char* p) {
    ByteMasks m;
    for (int half = 0; half < 2; ++half) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * half));
        const int shift = 16 * half;
        m.commas |= bytesEqual16(bytes, ',') << shift;
        m.breaks |= (bytesEqual16(bytes, '\r') | bytesEqual16(bytes, '\n')) << shift;
        m.digits |= digits16(bytes) << shift;
        m.minus |= bytesEqual16(bytes, '-') << shift;
    }
    return m;
}
#else
constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7Full;

// The high bit of each byte of word that equals c, exactly (no false hits from borrows).
std::uint64_t bytesEqual(std::uint64_t word, char c) {
    const std::uint64_t x = word ^ (kEachByte * static_cast<unsigned char>(c));
    return ~(((x & kLowBits) + kLowBits) | x) & kHighBits;
}

// One bit per byte (bit i for byte i) from the high bits of the bytes.
unsigned packBits(std::uint64_t highBits) {
    return static_cast<unsigned>(((highBits >> 7) * 0x0102040810204080ull) >> 56);
}

ByteMasks byteMasks(const char* p) {
    ByteMasks m;
    for (int i = 0; i < 4; ++i) {
        const std::uint64_t w = eightBytes(p + 8 * i);
        const std::uint64_t v = w ^ (kEachByte * '0');
        const std::uint64_t nonDigits =
            (((v & ~kHighBits) + kEachByte * (0x80 - 10)) | v) & kHighBits;
        const int shift = 8 * i;
        m.commas |= std::uint32_t{packBits(bytesEqual(w, ','))} << shift;
        m.breaks |= std::uint32_t{packBits(bytesEqual(w, '\r') | bytesEqual(w, '\n'))} << shift;
        m.digits |= std::uint32_t{packBits(~nonDigits & kHighBits)} << shift;
        m.minus |= std::uint32_t{packBits(bytesEqual(w, '-'))} << shift;
    }
    return m;
}
#endif

// The value of count (1..7) bytes at p already known to be digits (8 bytes readable), eight at
// a time and without a branch per digit: digit counts vary from line to line and mispredict.
int digitsValue(const char* p, int count) {
    std::uint64_t v = (eightBytes(p) ^ (kEachByte * '0')) << (8 * (8 - count));
    v = (v * 10 + (v >> 8)) & 0x00FF00FF00FF00FFull;
    v = (v * 100 + (v >> 16)) & 0x0000FFFF0000FFFFull;
    v = (v * 10000 + (v >> 32)) & 0xFFFFFFFFull;
    return static_cast<int>(v);
}

// Lines shorter than this from the end of the text go the general way, so the fast one may load
// freely.
constexpr std::ptrdiff_t kFastReach = 13 + 32 + 8;

} // namespace

StatisticsTally::StatisticsTally(const StatisticsFilter& filter) {
    switch (filter.view) {
    case StatisticsView::Letters:
        m_field = 3;
        m_cap = 300;
        break;
    case StatisticsView::Score:
        m_field = 2;
        m_cap = 100;
        break;
    case StatisticsView::Levels:
        m_field = 0;
        m_cap = 200;
        break;
    }
    m_anyHandicap = filter.handicap == HandicapFilter::Overall;
    m_handicap = filter.handicap == HandicapFilter::Easy ? -1
                 : filter.handicap == HandicapFilter::Harder ? 1 : 0;
    m_options = (filter.withDefinitions ? kDefinitions : 0) |
                (filter.withLockedLetters ? kLocked : 0) | (filter.timedGames ? kTimed : 0);
}

void StatisticsTally::addGame(bool won, const int (&numbers)[4], unsigned options) {
    // Bitwise, not logical, operators: games pass and fail at random, so branches mispredict.
    const bool passes = (m_anyHandicap | (numbers[1] == m_handicap)) &
                        ((options & m_options) == m_options);
    const int value = numbers[m_field];
    const int bucket = value < 0 ? 0 : value > m_cap ? m_cap : value; // 0: not counted
    ++m_tally[won ? 1 : 0][static_cast<std::size_t>(bucket * static_cast<int>(passes))];
}

// A line in the shape the game writes ("2003-05-17,W,13,0,37,25,D,V,T,") counted in one pass,
// giving what the general field rule gives; returns where its line break is, or nullptr for any
// other line (left to the general rule).
const char* StatisticsTally::countWrittenLine(const char* p, const char* end) {
    if (std::endian::native != std::endian::little || end - p < kFastReach)
        return nullptr;
    // Ten date characters without a comma or line break ('-' and the digits are above them).
    const std::uint64_t aboveComma = ((eightBytes(p) | kHighBits) - kEachByte * '-') & kHighBits;
    if (aboveComma != kHighBits || static_cast<unsigned char>(p[8]) < '-' ||
        static_cast<unsigned char>(p[9]) < '-' || p[10] != ',' || p[11] == ',' || p[11] == '\r' ||
        p[11] == '\n' || p[12] != ',')
        return nullptr;
    const char* q = p + 13;
    const ByteMasks masks = byteMasks(q);
    std::uint32_t commas = masks.commas;
    int numbers[4];
    int start = 0;
    for (int& n : numbers) {
        if (commas == 0)
            return nullptr;
        const int comma = std::countr_zero(commas);
        const int negative = static_cast<int>((masks.minus >> start) & 1u);
        const int count = comma - start - negative;
        if (count < 1 || count > 7)
            return nullptr;
        const int value = digitsValue(q + start + negative, count);
        n = negative ? -value : value;
        commas &= commas - 1;
        start = comma + 1;
    }
    // The four number fields hold only digits, each after its optional minus sign.
    const std::uint32_t numberBytes = (1u << (start - 1)) - 1;
    const std::uint32_t fieldStarts = ((masks.commas << 1) | 1u) & numberBytes;
    if ((numberBytes & ~masks.digits & ~masks.commas & ~(masks.minus & fieldStarts)) != 0)
        return nullptr;
    if (start + 6 >= 32)
        return nullptr;
    const std::uint32_t flagCommas = (1u << (start + 1)) | (1u << (start + 3));
    const std::uint32_t flagBytes = (1u << start) | (1u << (start + 2)) | (1u << (start + 4));
    if ((commas & ((1u << (start + 5)) - 1)) != flagCommas || ((commas | masks.breaks) & flagBytes) != 0)
        return nullptr;
    // A timed line ends in a comma, an untimed one does not: stepped over without a branch.
    const int lineBreak = start + 5 + static_cast<int>((commas >> (start + 5)) & 1u);
    if (!(masks.breaks & (1u << lineBreak)))
        return nullptr;
    const unsigned options = (q[start] != 'n' ? kDefinitions : 0) |
                             (q[start + 2] != 'n' ? kLocked : 0) |
                             (q[start + 4] != 'n' ? kTimed : 0);
    addGame(p[11] == 'W', numbers, options);
    return q + lineBreak;
}

void StatisticsTally::countText(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        if (*p == '\r' || *p == '\n') { // the LF of CR LF, or an empty line
            ++p;
            continue;
        }
        const char* lineEnd = countWrittenLine(p, end);
        if (!lineEnd) {
            lineEnd = p;
            while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
                ++lineEnd;
            StatisticsEntry game;
            if (parseStatisticsLine(std::string_view(p, static_cast<std::size_t>(lineEnd - p)),
                                    game))
                addGame(game.won, {game.level, game.handicap, game.movesLeft, game.letterTotal},
                        (game.definitions ? kDefinitions : 0) | (game.lockRule ? kLocked : 0) |
                            (game.timed ? kTimed : 0));
        }
        p = lineEnd < end ? lineEnd + 1 : end;
    }
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
