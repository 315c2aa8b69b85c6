// Shared puzzles and saved games over the shipped data: the data check a build pays for its
// code (the dictionary file hashed once, then only looked at), reading a code, and resuming a
// long saved game by replaying its moves.
#include "game/Game.h"
#include "model/PuzzleCode.h"
#include "model/SavedGame.h"

#include "base/Files.h"

#include <benchmark/benchmark.h>

using namespace quorvel;

namespace {

const std::string Folder = QUORVEL_PROGRAM_DIR;

bool staged(benchmark::State& state) {
    if (fileExists(Folder + "kbs/Common Words.dic") && fileExists(Folder + "zq/formats"))
        return true;
    state.SkipWithError("the shipped data is not staged");
    return false;
}

// A game over the shipped data with its layouts read, as a session starts one.
struct ShippedGame {
    Random random;
    Game game;
    explicit ShippedGame(std::uint32_t seed) : random(seed), game(random, Folder) {
        game.loadLayouts();
    }
};

// The check of the whole dictionary file: what the first build of a session pays once.
void BM_DictionaryFileCheck(benchmark::State& state) {
    if (!staged(state))
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(dataCheckOf(readWholeFile(Folder + "kbs/Common Words.dic")));
}
BENCHMARK(BM_DictionaryFileCheck)->Unit(benchmark::kMillisecond);

// New puzzles after the first: the check is remembered, so a build costs what it did.
void BM_NewPuzzle(benchmark::State& state) {
    if (!staged(state))
        return;
    ShippedGame shipped(1);
    Game& game = shipped.game;
    game.apply(Move::pickerLevel(static_cast<int>(state.range(0))));
    game.apply(Move::of(Move::Kind::NewPuzzle));
    for (auto _ : state)
        game.apply(Move::of(Move::Kind::NewPuzzle));
}
BENCHMARK(BM_NewPuzzle)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

void BM_ReadPuzzleCode(benchmark::State& state) {
    if (!staged(state))
        return;
    ShippedGame shipped(1);
    Game& game = shipped.game;
    game.apply(Move::of(Move::Kind::NewPuzzle));
    const std::string code = game.puzzleCode();
    for (auto _ : state)
        benchmark::DoNotOptimize(game.readPuzzleCode(code));
}
BENCHMARK(BM_ReadPuzzleCode)->Unit(benchmark::kMicrosecond);

// A game at a large level after state.range(0) moves, saved and resumed.
void BM_ResumeSavedGame(benchmark::State& state) {
    if (!staged(state))
        return;
    ShippedGame shipped(3);
    Game& played = shipped.game;
    played.apply(Move::pickLevel(100, true));
    const int columns = played.state().board.columns;
    // Shifts and clicks cost moves, so past the first forty the level picker's track bar
    // moves (free) make the saved game long.
    for (int m = 0; m < state.range(0) && played.state().isInPlay(); ++m) {
        if (m >= 40)
            played.apply(Move::pickerLevel(1 + m % 2));
        else if (m % 3 == 2)
            played.apply(Move::click(1 + m % played.state().board.rows, 1 + m % columns));
        else
            played.apply(Move::shift(1 + m % columns, m % 2 == 0));
    }
    const std::string text = formatSavedGame(played.saveGame(0));
    for (auto _ : state) {
        ShippedGame fresh(9);
        const ResumeResult r = fresh.game.resumeGame(*parseSavedGame(text).game);
        benchmark::DoNotOptimize(r);
    }
    state.counters["moves"] = static_cast<double>(played.movesSincePuzzle().size());
}
BENCHMARK(BM_ResumeSavedGame)->Arg(40)->Arg(400)->Arg(4000)->Unit(benchmark::kMillisecond);

} // namespace
