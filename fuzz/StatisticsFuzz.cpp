// libFuzzer target: any bytes as a statistics file read line by line give exactly what the
// general field rule gives for each line, and count exactly as it does; a game line made from the
// input's numbers reads back as the same numbers.
#include "records/Statistics.h"
#include "records/StatisticsHistogram.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <tuple>

namespace {

void lineReadsBack(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    std::int32_t numbers[4] = {};
    if (size < sizeof numbers + 3)
        return;
    std::memcpy(numbers, data, sizeof numbers);
    GameResult game;
    game.result = "WFQ"[data[16] % 3];
    game.level = numbers[0];
    game.handicap = numbers[1];
    game.movesLeft = numbers[2];
    game.letterTotal = numbers[3];
    game.definitions = data[17] & 1;
    game.lockRule = "VFRn"[data[18] % 4];
    game.timed = data[18] & 4;
    const auto entries = readStatistics(statisticsLine(game) + "\r\n");
    if (entries.size() != 1)
        std::abort();
    const StatisticsEntry& e = entries[0];
    if (e.won != (game.result == 'W') || e.level != game.level || e.handicap != game.handicap ||
        e.movesLeft != game.movesLeft || e.letterTotal != game.letterTotal ||
        e.definitions != game.definitions || e.lockRule != (game.lockRule != 'n') ||
        e.timed != game.timed)
        std::abort();
}

quorvel::StatisticsCount countByTheFieldRule(std::string_view text,
                                             const quorvel::StatisticsFilter& filter) {
    quorvel::StatisticsCount count;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
        quorvel::StatisticsEntry entry;
        if (quorvel::parseStatisticsLine(text.substr(begin, end - begin), entry))
            count.add(entry, filter);
        begin = end + 1;
    }
    return count;
}

bool sameCounts(const quorvel::StatisticsCount& a, const quorvel::StatisticsCount& b) {
    for (int i = 1; i <= quorvel::kStatisticsBuckets; ++i)
        if (a.bucket(i).wins != b.bucket(i).wins || a.bucket(i).losses != b.bucket(i).losses)
            return false;
    return a.played == b.played && a.completed == b.completed && a.scale == b.scale;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto fields = [](const StatisticsEntry& e) {
        return std::tuple(e.won, e.level, e.handicap, e.movesLeft, e.letterTotal, e.definitions,
                          e.lockRule, e.timed);
    };
    StatisticsLineReader lines(text);
    StatisticsEntry got;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
        StatisticsEntry expected;
        if (parseStatisticsLine(text.substr(begin, end - begin), expected) &&
            (!lines.next(got) || fields(got) != fields(expected)))
            std::abort();
        begin = end + 1;
    }
    if (lines.next(got))
        std::abort();
    for (StatisticsView view : {StatisticsView::Levels, StatisticsView::Letters, StatisticsView::Score}) {
        StatisticsFilter filter;
        filter.view = view;
        const StatisticsCount count = countStatistics(text, filter);
        if (count.played != count.completed + count.incomplete)
            std::abort();
        // The counting's quick paths, with and without a filter, count what the field rule
        // gives line by line.
        StatisticsFilter filtered = filter;
        filtered.handicap = size % 2 ? HandicapFilter::Easy : HandicapFilter::Neutral;
        filtered.withDefinitions = size % 3 == 0;
        filtered.timedGames = size % 5 != 0;
        for (const StatisticsFilter& f : {filter, filtered})
            if (!sameCounts(countStatistics(text, f), countByTheFieldRule(text, f)))
                std::abort();
        for (const HistogramBar& bar : histogramBars(count, view))
            if (bar.x < 0 || bar.x + bar.width > kHistogramWidth || bar.top < 1 ||
                bar.top > kHistogramHeight)
                std::abort();
    }
    lineReadsBack(data, size);
    return 0;
}
