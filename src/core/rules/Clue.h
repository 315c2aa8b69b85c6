// The clue: a free letter drawn, its column shifted until the right letter arrives.
#pragma once

#include "rules/Play.h"

namespace quorvel {

bool beginClue(Play& p);
bool clueStep(Play& p);
void finishClue(Play& p);

} // namespace quorvel
