// The moves that change the player's options: their text form, their effect on the options,
// and the moves that turn one set of options into another.
#pragma once

#include "model/GameTypes.h"
#include "model/Move.h"

#include <string>
#include <vector>

namespace quorvel {

// "set NAME VALUE" read from its words (words[0] is "set").
MoveParse parseOptionMove(const std::vector<std::string>& words);
std::string formatOptionMove(const Move& move);

// The option the move names, set in options; false when its value is out of range.
bool setOption(GameOptions& options, const Move& move);

// One move for each option that differs, in a fixed order: what a front end sends when the
// player changes several options at once.
std::vector<Move> optionMoves(const GameOptions& from, const GameOptions& to);

// A move for every option, each to its value in options: the options written out whole.
std::vector<Move> everyOptionMove(const GameOptions& options);

} // namespace quorvel
