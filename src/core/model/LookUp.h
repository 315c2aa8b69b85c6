// The words of a board the player can look up, and what the game itself knows of them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class Board;
class Dictionary;

// The words whose first letter shows the revealed colour, as the board now spells them, sorted
// alphabetically; a word on the board twice is listed twice. During play these are the words
// found complete, after a game has ended every word of the board.
std::vector<std::string> solvedWords(const Board& board);

// The definition the puzzle's word list holds for a word, or empty when the word is none of
// the puzzle's (an alternative word from the built-in lists has none).
std::string puzzleDefinition(const Board& board, std::string_view word);

// What the game's own dictionary says of a word: the puzzle's definition, else the first item
// of the loaded dictionary with exactly that word, else empty.
std::string definitionOf(const Board& board, const Dictionary& dictionary, std::string_view word);

} // namespace quorvel
