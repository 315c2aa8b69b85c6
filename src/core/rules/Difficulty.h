// What the handicap makes of a layout's letters.
#pragma once

#include "rules/Play.h"

namespace quorvel {

void setDifficulty(Play& p, int letterTotal);
// The values a puzzle of this many letters starts from at a handicap (moves aside).
void setDifficulty(GameValues& values, int handicap, int letterTotal);
// Letters locked at random on a new board of this many tiles, at least two.
int randomLockCount(Play& p, int tileCount);

} // namespace quorvel
