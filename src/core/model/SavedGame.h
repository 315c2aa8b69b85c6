// A game saved at shut-down, as a small text file: the options it was built with, the puzzle's
// code and the moves made on it.
#pragma once

#include "model/GameTypes.h"
#include "model/Move.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

struct SavedGame {
    std::string code;               // the puzzle code of the board
    std::optional<CivilDate> daily; // the day of a daily game
    // The player's options when the board was built; none in a file of the first format, whose
    // game goes on with the options of the day it is resumed.
    std::optional<GameOptions> options;
    std::vector<Move> moves;        // every move since the board was built
    TimerPhase timerPhase = TimerPhase::Grace;
    int msIntoInterval = 0; // of the game timer's interval at saving

    bool operator==(const SavedGame&) const = default;
};

// Bounds a saved game never passes, so a hostile file costs little.
constexpr std::size_t MaxSavedGameBytes = 4 * 1024 * 1024;
constexpr std::size_t MaxSavedMoves = 100000;
constexpr std::int64_t MaxSavedWaitMs = 24LL * 3600 * 1000;

// The text: a format line, the fields, the options and the moves one per line, and a check line
// over them all. Files of the first format, without the options, still read.
std::string formatSavedGame(const SavedGame& game);

struct SavedGameRead {
    std::optional<SavedGame> game;
    std::string problem; // why the text was not read; empty when it was
};
SavedGameRead parseSavedGame(std::string_view text);

} // namespace quorvel
