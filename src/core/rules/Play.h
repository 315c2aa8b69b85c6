// What every rule works on: the game's state, and what the game is given, tells and draws from.
#pragma once

#include "model/GameEvent.h"
#include "model/GameState.h"
#include "model/GameTypes.h"
#include "model/Layouts.h"
#include "model/Random.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace quorvel {

class Dictionary;
class WordLists;

// What the game keeps for its puzzles besides the state: the puzzle's own random source, which
// every build reseeds with the puzzle's seed (so a seed rebuilds the board and all that follows
// on it), the builds counted, and the data checks of the dictionary files read.
struct PuzzleSource {
    struct FileCheck {
        std::uintmax_t size = 0;
        std::filesystem::file_time_type written;
        std::uint32_t check = 0;
    };

    Random random;
    int builds = 0;
    std::map<std::string, FileCheck> dictionaryChecks;
    // The dictionary in memory and the check of its file when it was read: the words boards
    // are made of until another is loaded, even if the file changes meanwhile.
    std::string loadedName;
    std::uint32_t loadedCheck = 0;
};

struct Play {
    GameState& state;
    EventLog& events; // what the move asks its front end for, in order
    Random& random; // the session's: seeds of new puzzles, random levels
    // In force for the game on the board: the player's, or those a shared puzzle brought.
    GameOptions& options;
    const GameOptions& playerOptions;
    PuzzleSource& puzzles;
    LevelTable& levels; // the trace mode reads the layouts file again for every new puzzle
    Dictionary& dictionary;
    WordLists& wordLists;
    const std::string& folder; // the program folder, with its trailing '/'
    const std::function<CivilDate()>& today;
};

// The state changed: told once, at the end of the move.
void notifyChanged(Play& p);

} // namespace quorvel
