// The scrambler of a new board, and the initial locks it leaves in place.
#pragma once

#include "rules/Play.h"

#include <vector>

namespace quorvel {

std::vector<bool> markInitialLocks(Play& p); // by tile number, for the lock rule
void markRandomLocks(Play& p, std::vector<bool>& marked);
void scrambleBoard(Play& p);

} // namespace quorvel
