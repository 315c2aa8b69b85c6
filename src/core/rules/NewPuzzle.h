// A new puzzle built, in the order it runs.
#pragma once

#include "rules/Play.h"

namespace quorvel {

void newPuzzle(Play& p); // ends the game on the board (a quit if moved) and builds
// Builds the puzzle's board; ownOptions: its dictionary and options hold for its game alone.
void buildPuzzle(Play& p, const PuzzleSpec& puzzleSpec, bool ownOptions);
void endGameOnBoard(Play& p);
void beginBuild(Play& p);
void drawWords(Play& p, const LayoutRecord& layout);
void placePuzzle(Play& p, const LayoutRecord& layout);
void announcePuzzle(Play& p);
void endBuild(Play& p); // the common end of every build, also of one that placed nothing
void layOutBoard(Play& p);

} // namespace quorvel
