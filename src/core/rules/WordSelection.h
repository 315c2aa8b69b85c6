// Drawing the puzzle's words from the dictionary.
#pragma once

#include "rules/Play.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorvel {

bool getWords(Play& p, std::string pattern);
bool loadChosenDictionary(Play& p);
bool drawOneWord(Play& p, std::size_t wanted, std::size_t room,
                 std::vector<std::string>& entryKeys);

} // namespace quorvel
