// The word picker asks for a meaning each time the mouse rests on a word. A word that is not one
// of the puzzle's (an alternative word) is searched through the whole loaded dictionary: the
// first search after loading also decodes every item, later ones only compare words.
#include "model/Board.h"
#include "model/LookUp.h"
#include "words/Dictionary.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace quorvel;

namespace {

const std::string CommonWords = std::string(QUORVEL_PROGRAM_DIR) + "kbs/Common Words.dic";

void BM_MeaningOfAnAlternativeWordFirstSearch(benchmark::State& state) {
    if (!std::filesystem::exists(CommonWords)) {
        state.SkipWithError("Common Words is not staged");
        return;
    }
    const Board board;
    for (auto _ : state) {
        state.PauseTiming();
        Dictionary dictionary;
        dictionary.loadFromFile(CommonWords);
        state.ResumeTiming();
        benchmark::DoNotOptimize(definitionOf(board, dictionary, "ZZZQ"));
    }
}
BENCHMARK(BM_MeaningOfAnAlternativeWordFirstSearch)->Unit(benchmark::kMillisecond);

void BM_MeaningOfAnAlternativeWordLaterSearches(benchmark::State& state) {
    if (!std::filesystem::exists(CommonWords)) {
        state.SkipWithError("Common Words is not staged");
        return;
    }
    const Board board;
    Dictionary dictionary;
    dictionary.loadFromFile(CommonWords);
    benchmark::DoNotOptimize(definitionOf(board, dictionary, "ZZZQ"));
    for (auto _ : state)
        benchmark::DoNotOptimize(definitionOf(board, dictionary, "ZZZQ"));
}
BENCHMARK(BM_MeaningOfAnAlternativeWordLaterSearches)->Unit(benchmark::kMillisecond);

} // namespace
