// Counting a statistics file of 100,000 games (the work of one paint of the statistics window)
// against merely reading the same file into memory: counting must run at no less than a third
// of the reading speed.
#include "base/Files.h"
#include "records/StatisticsHistogram.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

using namespace quorvel;

namespace {

// Games as the game writes them, with every view, handicap and option represented.
const std::string& generatedStatistics() {
    static const std::string path = [] {
        std::mt19937 random(20261207);
        std::string text;
        for (int i = 0; i < 100'000; ++i) {
            GameResult game;
            game.year = 2020 + static_cast<int>(random() % 7);
            game.month = 1 + static_cast<int>(random() % 12);
            game.day = 1 + static_cast<int>(random() % 28);
            game.result = "WWFQ"[random() % 4];
            game.level = static_cast<int>(random() % 210);
            game.handicap = static_cast<int>(random() % 3) - 1;
            game.movesLeft = game.result == 'W' ? static_cast<int>(random() % 120) : 0;
            game.letterTotal = 9 + static_cast<int>(random() % 300);
            game.definitions = random() % 2 != 0;
            game.lockRule = "nVFR"[random() % 4];
            game.timed = random() % 2 != 0;
            text += statisticsLine(game) + "\r\n";
        }
        const auto file = std::filesystem::temp_directory_path() / "quorvel-bench-stats-100000.zq";
        writeWholeFile(file.string(), text);
        return file.string();
    }();
    return path;
}

std::int64_t fileSize(const std::string& path) {
    return static_cast<std::int64_t>(std::filesystem::file_size(path));
}

void BM_ReadStatisticsFile(benchmark::State& state) {
    const std::string& path = generatedStatistics();
    for (auto _ : state) {
        const std::string data = readWholeFile(path);
        benchmark::DoNotOptimize(data.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fileSize(path));
}

// The window's default filter (every game by level) and a busy one (score, handicap, options).
void BM_CountStatisticsFile(benchmark::State& state) {
    const std::string& path = generatedStatistics();
    StatisticsFilter filter;
    if (state.range(0) == 1) {
        filter.view = StatisticsView::Score;
        filter.handicap = HandicapFilter::Neutral;
        filter.withDefinitions = true;
        filter.timedGames = true;
    }
    std::int64_t played = 0;
    for (auto _ : state) {
        const StatisticsCount count = countStatisticsFile(path, filter);
        played = count.played;
        benchmark::DoNotOptimize(count.scale);
    }
    state.counters["played"] = static_cast<double>(played);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * fileSize(path));
}

// The counting alone, over text already in memory.
void BM_CountStatisticsText(benchmark::State& state) {
    const std::string text = readWholeFile(generatedStatistics());
    for (auto _ : state) {
        const StatisticsCount count = countStatistics(text, {});
        benchmark::DoNotOptimize(count.scale);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK(BM_ReadStatisticsFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountStatisticsFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountStatisticsText)->Unit(benchmark::kMillisecond);
