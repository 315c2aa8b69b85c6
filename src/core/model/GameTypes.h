// The values, options and command states of one game, shared by the core and its front ends.
#pragma once

#include "model/Colour.h"
#include "records/CivilDate.h"

#include <string>

namespace quorvel {

// The move counter's background for a number of moves left.
Colour counterColourFor(int movesLeft);

enum class LockRule { None, Vowels, First, Randomly };

// The player's options, part of the game's state: changed only by the option moves, so a saved
// game holds those it was played with.
struct GameOptions {
    int handicap = 0; // -1 lower penalties, 0 neutral, 1 higher penalties
    bool timed = false;
    bool definitions = false;
    bool autoAdvance = false;
    bool timerPopSounds = true;
    LockRule lock = LockRule::None;
    std::string dictionary = "Common Words"; // name shown in the options (kbs/NAME.dic)
    bool trace = false;                      // trace mode
    bool traceAvailable = false;             // "trace.zq" exists: Trace, Export and 345 shown

    bool operator==(const GameOptions&) const = default;
};

// The game timer's phase: the first interval of a timed puzzle only warns; after it, every
// interval without a move costs moves.
enum class TimerPhase { Grace, Penalties };

// The per-puzzle values that the new puzzle derives from the level and the handicap.
struct GameValues {
    int level = 1;
    int levelCount = 0;
    int movesLeft = 0;
    int start = 0;
    int delay = 0;
    int pop = 0;
    int penalty = 0;
    int word = 0;
    int good = 0;
    int bad = 0;
    int shiftCost = 0;
    int tileClickCost = 0;
    int clueCost = 0;
    int lockAllCost = 0;
    int advanceMinimum = 0;
    int clueAllowance = 0;
    TimerPhase timerPhase = TimerPhase::Grace;
    bool moveMade = false;
    bool building = false;

    bool operator==(const GameValues&) const = default;
};

// Whether the Clue command counts what is left: not before the first puzzle, not while a
// puzzle is built, and not when a puzzle allows a hundred clues or more until one is used.
enum class ClueCount { NoGameYet, Hidden, Shown };

// Enabled states of the commands and board controls the core manages, and the facts the front
// end words their captions from.
struct Commands {
    bool newGame = true;
    bool settings = true;
    bool solve = false; // doubles as "a game is in progress"
    bool clue = false;
    bool undo = false;
    bool pause = false;
    bool padlock = false;   // the padlock can be dropped on a word
    bool lockAll = false;   // every word can be locked at once
    bool userLevel = true;  // the options dialog's Quick Settings box
    bool newWords = false;  // the options dialog's "New Game" button
    bool boardPanel = true; // the board takes clicks: not under a waiting banner nor in a pause
    bool arrows = false;    // all 80 arrows
    ClueCount clueCount = ClueCount::NoGameYet;
    int cluesLeft = 0;
    bool lockAllShowsLocked = false; // all was locked at once: lock-all now frees it again

    bool operator==(const Commands&) const = default;
};

// The message banner: hidden, shown (timed or "Please Wait"), or waiting for its OK.
struct BannerState {
    bool visible = false;
    bool waiting = false; // OK shown, board panel disabled
    int seconds = 0;
    Colour colour = 0;
    std::string text;

    bool operator==(const BannerState&) const = default;
};

// The game timer gTimer as a model: time enters only through the Tick and Wait moves.
struct TimerState {
    bool enabled = false;
    int intervalMs = 10000;
    bool paused = false; // Pause chosen and not yet continued; the board is hidden meanwhile

    bool operator==(const TimerState&) const = default;
};

} // namespace quorvel
