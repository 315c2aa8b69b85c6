// Counting a statistics file's text into flat per-bucket tallies, the hot loop of every paint.
#pragma once

#include "records/StatisticsHistogram.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvel {

// Raw 64-bit tallies: games filtered out are added to slots that are never counted, so the loop
// needs no branch per line; finish() applies the 32-bit caps and the totals.
class StatisticsTally {
public:
    explicit StatisticsTally(const StatisticsFilter& filter);

    // Counts every line of the text (lines the reader skips are skipped).
    void countText(std::string_view text);
    // Adds the tallies to count, as StatisticsCount::add would have for each game.
    void finish(StatisticsCount& count) const;

    // What the filter asks of a game, in the form the counting loop tests it.
    struct Rules {
        int field = 0;        // which of level, handicap, moves left, letter total is the value
        int cap = 0;          // the view's largest bucket
        bool anyHandicap = true;
        int handicap = 0;     // -1, 0 or 1
        std::uint64_t handicapDigits = 0; // the same as digit bytes, the last one in the top byte
        unsigned options = 0; // the option bits a game must have
        std::uint64_t optionBytes = 0; // the same as bytes of ",X,Y,Z" in a written line
    };
    // [won][bucket]; games that are not counted go to bucket 0 or to eight spare slots after 400.
    using Tallies = std::array<std::array<std::uint64_t, kStatisticsBuckets + 9>, 2>;

private:
    const char* countBlocks(const char* first, std::size_t blocks, const char* lineStart);
    void countTail(const char* lineStart, const char* end);

    Tallies m_tally{};
    Rules m_rules;
};

} // namespace quorvel
