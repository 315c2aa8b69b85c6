// Counting the statistics file into histogram buckets, and the bars and hover text drawn from them.
#include "records/StatisticsHistogram.h"

#include "base/FilePaths.h"
#include "base/Files.h"
#include "records/StatisticsTally.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace quorvel {

namespace {

bool passesHandicap(HandicapFilter filter, int handicap) {
    switch (filter) {
    case HandicapFilter::Easy:
        return handicap == -1;
    case HandicapFilter::Neutral:
        return handicap == 0;
    case HandicapFilter::Harder:
        return handicap == 1;
    case HandicapFilter::Overall:
        break;
    }
    return true;
}

bool passes(const StatisticsFilter& filter, const StatisticsEntry& game) {
    return passesHandicap(filter.handicap, game.handicap) &&
           (!filter.withDefinitions || game.definitions) &&
           (!filter.withLockedLetters || game.lockRule) && (!filter.timedGames || game.timed);
}

// The bucket a game falls in for the view; 0 or less leaves it out of every count.
int bucketOf(StatisticsView view, const StatisticsEntry& game) {
    switch (view) {
    case StatisticsView::Letters:
        return std::min(game.letterTotal, kLetterCap);
    case StatisticsView::Score:
        return std::clamp(game.movesLeft, 0, kScoreCap);
    case StatisticsView::Levels:
        break;
    }
    return std::min(game.level, kLevelCap);
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

const char* viewName(StatisticsView view) {
    switch (view) {
    case StatisticsView::Letters:
        return "Letters=";
    case StatisticsView::Score:
        return "Score=";
    case StatisticsView::Levels:
        break;
    }
    return "Level=";
}

} // namespace

std::array<int, 11> StatisticsAxis::labels() const {
    std::array<int, 11> result{};
    result[0] = 1;
    for (int i = 1; i <= 9; ++i)
        result[static_cast<std::size_t>(i)] = i * step;
    result[10] = range;
    return result;
}

StatisticsAxis statisticsAxis(StatisticsView view) {
    if (view == StatisticsView::Score)
        return {100, 10, 600 / 100, 2};
    return {300, 30, 600 / 300, 1};
}

void StatisticsCount::add(const StatisticsEntry& game, const StatisticsFilter& filter) {
    if (!passes(filter, game))
        return;
    const int value = bucketOf(filter.view, game);
    if (value < 1)
        return;
    BucketCount& b = buckets[static_cast<std::size_t>(value)];
    std::uint32_t& counted = game.won ? b.wins : b.losses;
    counted += counted < UINT32_MAX ? 1 : 0;
    scale = std::max(scale, counted);
    ++(game.won ? completed : incomplete);
    ++played;
}

BucketCount StatisticsCount::bucket(int number) const {
    if (number < 1 || number > kStatisticsBuckets)
        return {};
    return buckets[static_cast<std::size_t>(number)];
}

std::string StatisticsCount::topText() const { return std::to_string(scale) + " -"; }

std::string StatisticsCount::successText() const {
    if (played == 0)
        return "0%";
    const std::string rate = std::to_string(completed * 100 / played);
    return std::string(rate.size() < 5 ? 5 - rate.size() : 0, ' ') + rate + "%";
}

StatisticsCount countStatistics(std::string_view text, const StatisticsFilter& filter) {
    StatisticsTally tally(filter);
    tally.countText(text);
    StatisticsCount count;
    tally.finish(count);
    return count;
}

StatisticsCount countStatisticsFile(const std::string& path, const StatisticsFilter& filter) {
    StatisticsCount count;
    std::error_code error;
    if (!std::filesystem::exists(filePath(path), error))
        return count;
    const std::unique_ptr<std::FILE, FileCloser> file(openFile(path, "rb"));
    if (!file)
        throw FileError("Cannot open file " + path);
    // Blocks of 256 KB: few reads, and a block still fits the processor's second-level cache.
    constexpr std::size_t kBlock = 1 << 18;
    const std::unique_ptr<char[]> buffer(new char[kBlock]);
    StatisticsTally tally(filter);
    std::string unfinished; // a line begun in an earlier block
    std::size_t got = 0;
    while ((got = std::fread(buffer.get(), 1, kBlock, file.get())) > 0) {
        std::string_view block(buffer.get(), got);
        const std::size_t lastBreak = block.find_last_of("\r\n");
        if (lastBreak == std::string_view::npos) {
            unfinished.append(block);
            continue;
        }
        // Only the line cut by the block's start is copied; the rest is counted where it lies.
        const std::size_t firstBreak = block.find_first_of("\r\n");
        unfinished.append(block.substr(0, firstBreak));
        tally.countText(unfinished);
        tally.countText(block.substr(firstBreak, lastBreak - firstBreak));
        unfinished.assign(block.substr(lastBreak + 1));
    }
    if (std::ferror(file.get()))
        throw FileError("Cannot open file " + path);
    tally.countText(unfinished);
    tally.finish(count);
    return count;
}

std::vector<HistogramBar> histogramBars(const StatisticsCount& count, StatisticsView view) {
    const StatisticsAxis axis = statisticsAxis(view);
    std::vector<HistogramBar> bars;
    if (count.scale == 0)
        return bars;
    auto height = [&](std::uint32_t n) {
        return static_cast<int>(std::uint64_t{n} * kTallestBar / count.scale);
    };
    for (int i = 1; i <= axis.range; ++i) {
        const BucketCount b = count.bucket(i);
        const int x = (i - 1) * axis.spacing;
        // A count far below the scale rounds down to a bar of no height (top below the bottom
        // row), which covers no pixel.
        if (b.wins > 0)
            bars.push_back({x, kHistogramHeight - height(b.wins), axis.penWidth, kWinColour});
        if (b.losses > 0)
            bars.push_back({x + axis.penWidth, kHistogramHeight - height(b.losses),
                            axis.penWidth, kLossColour});
    }
    return bars;
}

HoverDetails hoverDetails(const StatisticsCount& count, StatisticsView view, int x) {
    HoverDetails details;
    details.left = x > 450 ? x - 150 : x;
    details.bucket = x / statisticsAxis(view).spacing + 1;
    const BucketCount b = count.bucket(details.bucket);
    details.text = viewName(view) + std::to_string(details.bucket) +
                   " wins = " + std::to_string(b.wins) + " losses = " + std::to_string(b.losses);
    return details;
}

} // namespace quorvel
