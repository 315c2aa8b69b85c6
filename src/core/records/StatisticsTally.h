// Counting a statistics file's text into flat per-bucket tallies, the hot loop of every paint.
#pragma once

#include "records/StatisticsHistogram.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace quorvel {

// Raw 64-bit tallies: bucket 0 collects every game that is filtered out, so the loop needs no
// branch per line; finish() applies the 32-bit caps and the totals.
class StatisticsTally {
public:
    explicit StatisticsTally(const StatisticsFilter& filter);

    // Counts every line of the text (lines the reader skips are skipped).
    void countText(std::string_view text);
    // Adds the tallies to count, as StatisticsCount::add would have for each game.
    void finish(StatisticsCount& count) const;

private:
    void addGame(bool won, const int (&numbers)[4], unsigned options);
    const char* countWrittenLine(const char* p, const char* end);

    std::array<std::array<std::uint64_t, kStatisticsBuckets + 1>, 2> m_tally{}; // [won][bucket]
    int m_field = 0;          // which of level, handicap, moves left, letter total is the value
    int m_cap = 0;            // the view's largest bucket
    bool m_anyHandicap = true;
    int m_handicap = 0;
    unsigned m_options = 0;   // the option bits a game must have
};

} // namespace quorvel
