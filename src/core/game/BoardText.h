// A game in play set up from the text form of its board, the rows the tool's dump prints.
#pragma once

#include "model/GameState.h"
#include "model/GameTypes.h"

#include <string>
#include <vector>

namespace quorvel {

// The board's rows as text, each row one string and all of the same length.
struct BoardText {
    // Letters, '-' (or the gap byte) for a gap; every run of letters in a row is one word.
    std::vector<std::string> solution;
    // The letters shown now, gaps where the solution has them; empty shows the solution.
    std::vector<std::string> captions;
    // One letter a cell, as the dump writes it (see stateLetter); empty for all 'r'.
    std::vector<std::string> states;
};

// Puts the board in play on the state, as a fresh puzzle for the options' handicap (moves
// capped at 100) with the commands of a successful build; the level, the picker, the banner and
// the dictionary stay as they were. Each word's definition is "definition of WORD". Throws
// std::invalid_argument, naming the fault, for rows of unequal length or an unknown state letter.
void putBoardInPlay(GameState& state, const BoardText& text, const GameOptions& options);

// The board's rows in the same text: the letters shown (gaps as '-') and the states.
std::vector<std::string> captionRows(const Board& board);
std::vector<std::string> stateRows(const Board& board);

} // namespace quorvel
