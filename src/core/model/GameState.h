// One game as a plain value: the board and everything the rules keep between two moves.
#pragma once

#include "model/Board.h"
#include "model/GameTypes.h"
#include "model/PuzzleCode.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel {

struct GameState {
    Board board;
    GameOptions options; // the player's; a shared puzzle on the board may hold its own
    GameValues values;
    Commands commands;
    BannerState banner;
    TimerState timer;
    int pickerLevel = 1; // the level the next new puzzle is built at, chosen in the picker
    Colour counterColour = 0x800000;
    int timerElapsedMs = 0;       // of the game timer's current interval
    bool shifting = false;        // a shift under way: a second one waits
    bool clueRunning = false;     // a clue has begun and wants more steps
    int clueTile = 0;             // the tile a running clue brings its letter to
    int clueColumn = 0;           // the column whose arrow a clue shows white; 0 none
    std::string loadedDictionary; // the name of the dictionary the words are drawn from
    PuzzleSpec puzzle;            // what rebuilds the board (seed 0, level 0: none built)
    bool puzzleOwnOptions = false;  // built from a code or as the daily puzzle: the puzzle's
                                    // dictionary and shaping options hold until its game ends
    std::optional<CivilDate> daily; // the day of a daily game
    int cluesUsed = 0;              // on this board
    std::vector<int> foundOrder;    // the first tile of each word found, in the order found
                                    // (a row may hold several words); undone words leave it

    bool isInPlay() const { return commands.solve; }

    bool operator==(const GameState&) const = default;
};

} // namespace quorvel
