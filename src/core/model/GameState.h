// One game as a plain value: the board and everything the rules keep between two moves.
#pragma once

#include "model/Board.h"
#include "model/GameTypes.h"

#include <string>

namespace quorvel {

struct GameState {
    Board board;
    GameValues values;
    Commands commands;
    BannerState banner;
    TimerState timer;
    int pickerLevel = 1; // the level picker's track bar tbLevel
    Colour counterColour = 0x800000;
    int timerElapsedMs = 0;       // of the game timer's current interval
    bool shifting = false;        // a shift under way: a second one waits
    bool clueRunning = false;     // a clue has begun and wants more steps
    int clueTile = 0;             // the tile a running clue brings its letter to
    int clueColumn = 0;           // the column whose arrow a clue shows white; 0 none
    std::string loadedDictionary; // the name of the dictionary the words are drawn from

    bool isInPlay() const { return commands.solve; }

    bool operator==(const GameState&) const = default;
};

} // namespace quorvel
