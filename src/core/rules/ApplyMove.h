// Every move, carried out by the rule it names.
#pragma once

#include "model/Move.h"
#include "rules/Play.h"

namespace quorvel {

void applyMove(Play& p, const Move& move);

} // namespace quorvel
