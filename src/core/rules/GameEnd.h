// The move counter and the end of a game: failure, completion, the board closed and opened.
#pragma once

#include "rules/Play.h"

namespace quorvel {

// Changes the counter (0 sets it to 0; at most 100) and fails a game in play it empties.
void adjustMoves(Play& p, int delta);
void failGame(Play& p);
void revealSolution(Play& p);
void disableBoard(Play& p);
void enableBoard(Play& p);
void puzzleCompleted(Play& p);
void setCounter(Play& p, int shown);

} // namespace quorvel
