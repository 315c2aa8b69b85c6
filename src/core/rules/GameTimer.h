// The game timer: grace, penalties, pause.
#pragma once

#include "rules/Play.h"

namespace quorvel {

void timerTick(Play& p);      // the front end's idle timer calls it when the interval elapses
void elapse(Play& p, int ms); // advance the game clock; ticks fire exactly as a timer would
void pauseContinue(Play& p);  // stops the timer and the board, or starts them again
void setTimer(Play& p, bool enabled, int intervalMs);

} // namespace quorvel
