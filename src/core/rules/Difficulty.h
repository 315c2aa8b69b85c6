// What the handicap makes of a layout's letters.
#pragma once

#include "rules/Play.h"

namespace quorvel {

void setDifficulty(Play& p, int letterTotal);
int randomLockCount(Play& p, int tileCount); // engine/Difficulty.cpp, with the handicap table

} // namespace quorvel
