// Giving up, and taking back the alternative words.
#pragma once

#include "rules/Play.h"

namespace quorvel {

void solve(Play& p); // gives up: the solution is shown, a moved game recorded as a quit
void undo(Play& p);  // takes back every alternative word for a flat price

} // namespace quorvel
