// Collecting the solved words of a board for the word picker.
#include "model/LookUp.h"

#include "model/Board.h"
#include "words/Dictionary.h"

#include <algorithm>

namespace quorvel {

namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Letter case aside first, as a sorted list box orders its entries; bytes decide the rest.
bool listOrder(const std::string& a, const std::string& b) {
    const auto folded = [](char x, char y) { return lowerAscii(x) < lowerAscii(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded))
        return false;
    return a < b;
}

} // namespace

std::vector<std::string> solvedWords(const Board& board) {
    std::vector<std::string> words;
    for (int t = 1; t <= board.tileCount; ++t) {
        const Tile& tile = board.tile(t);
        if (tile.wordStart && tile.colour == LetterColour::Revealed)
            words.push_back(board.readWord(t, true));
    }
    std::sort(words.begin(), words.end(), listOrder);
    return words;
}

std::string puzzleDefinition(const Board& board, std::string_view word) {
    for (const WordEntry& entry : board.wordEntries)
        if (entry.word == word)
            return entry.definition;
    return {};
}

std::string definitionOf(const Board& board, const Dictionary& dictionary, std::string_view word) {
    std::string definition = puzzleDefinition(board, word);
    if (!definition.empty() || word.empty())
        return definition;
    // Alternative words come from the built-in lists; many are in the dictionary as well.
    const DictionaryItems& items = dictionary.items();
    for (int i = 0; i < items.count(); ++i)
        if (items[i].word == word)
            return items[i].definition;
    return {};
}

} // namespace quorvel
