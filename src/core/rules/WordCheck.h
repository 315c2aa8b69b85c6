// The word check.
#pragma once

#include "rules/Play.h"

namespace quorvel {

void checkWords(Play& p, int focusTile); // CheckWords
void completionTest(Play& p);

} // namespace quorvel
