// The word check.
#pragma once

#include "rules/Play.h"

namespace quorvel {

// Finds the locked words that spell a puzzle word, or at focusTile a listed word.
void checkWords(Play& p, int focusTile);
void completionTest(Play& p);

} // namespace quorvel
