// What every rule works on: the game's state, and what the game is given, tells and draws from.
#pragma once

#include "model/GameListener.h"
#include "model/GameState.h"
#include "model/GameTypes.h"
#include "model/Layouts.h"
#include "model/Random.h"

#include <functional>
#include <string>

namespace quorvel {

class Dictionary;
class WordLists;

struct Play {
    GameState& state;
    GameListener& listener;
    Random& random;
    const GameOptions& options;
    LevelTable& levels; // the trace mode reads the layouts file again for every new puzzle
    Dictionary& dictionary;
    WordLists& wordLists;
    const std::string& folder; // the program folder, with its trailing '/'
    const std::function<CivilDate()>& today;
    int& noticesHeld; // moves under way: their state-changed notices wait for the end
};

// The state changed: the listener hears of it now, or once at the end of a move.
void notifyChanged(Play& p);

} // namespace quorvel
