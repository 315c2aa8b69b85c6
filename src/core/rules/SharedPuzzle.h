// Puzzles shared between players: codes read against this game's data, the daily puzzle, and
// the options a shared puzzle brings for its one game.
#pragma once

#include "rules/Play.h"

#include "model/PuzzleCode.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// The options for the game on the board: a shared puzzle's dictionary and shaping options
// over the player's own.
GameOptions optionsInForce(const GameOptions& player, const GameState& state);
void refreshOptions(Play& p);

// The installed dictionaries: names of the folder's kbs/*.dic, sorted.
std::vector<std::string> installedDictionaries(const std::string& folder);

// The check of the dictionary file and the level's layout a board is made from (the bits a code
// carries). The same bytes give the same check on every machine.
std::uint32_t puzzleDataCheck(Play& p, const std::string& dictionary, int level);
// The dictionary file was just read into memory: its check is the one of the words in use.
void rememberLoadedDictionary(Play& p, const std::string& dictionary);

// A code decoded, and checked against this game's levels and data.
CodeRead readCode(Play& p, std::string_view code);

// The day's puzzle: its seed and level from the date alone, with the daily game's options.
PuzzleSpec dailySpec(Play& p, const CivilDate& date);
inline constexpr const char* DailyDictionary = "Common Words";

// The moves: the game on the board ends as with New, then the shared board is built.
void playCode(Play& p, std::string_view code);
void playDaily(Play& p, const CivilDate& date);

} // namespace quorvel
