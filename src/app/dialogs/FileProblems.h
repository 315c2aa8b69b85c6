// The words for a file the game could not use as it stands: what the game says, then the file
// and what was wrong with it.
#pragma once

#include <QString>

namespace quorvel {

struct DictionaryError;
struct LayoutsProblem;

// The dictionary's own message ("Unable to load the Knowledge Base"), a blank line, then the
// file and its fault.
QString dictionaryFailureText(const DictionaryError& error);

// What is played instead of the layouts file's levels, a blank line, then the file and its fault.
QString layoutsProblemText(const LayoutsProblem& problem);

} // namespace quorvel
