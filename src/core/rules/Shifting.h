// Shifting a column, locking a letter, a word or every word.
#pragma once

#include "rules/Play.h"

namespace quorvel {

bool boardUsable(Play& p);                        // tiles, arrows and padlocks react to the player
void shiftColumn(Play& p, int column, bool down); // the arrow above shifts down, the one below up
// The shift itself, for the arrows and the clue's steps.
void shiftNow(Play& p, int column, bool down);
void clickTile(Play& p, int tile);   // locks a free letter, or frees a locked one
void dropPadlock(Play& p, int tile); // locks a free word for checking, or opens it
void lockAll(Play& p);               // holds every word found, or lets them go

} // namespace quorvel
