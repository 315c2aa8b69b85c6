// Word selection: random dictionary words that fit each word start of the length pattern.
#include "rules/WordSelection.h"

#include "rules/GameEnd.h"
#include "rules/SharedPuzzle.h"

#include "base/Text.h"
#include "words/Dictionary.h"

#include <algorithm>
#include <exception>

namespace quorvel {

namespace {

constexpr int MaxDraws = 5000;
constexpr const char* InsufficientWords =
    "Insufficient words in dictionary matching your criteria.\r\nPlease change your options.";

// Windows-1252 capitals: ASCII and the accented small letters 0xE0..0xFE (not the division
// sign 0xF7); small y with diaeresis 0xFF has its capital at 0x9F.
char upper1252(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 0x20);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 0x20);
    if (u == 0xFF)
        return static_cast<char>(0x9F);
    return c;
}

std::string upper1252(std::string s) {
    for (char& c : s)
        c = upper1252(c);
    return s;
}

// A control character inside a word (the gap mark among them) cannot stand on a tile.
bool showable(const std::string& word) {
    return std::none_of(word.begin(), word.end(),
                        [](char c) { return static_cast<unsigned char>(c) < ' '; });
}

std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

} // namespace

bool getWords(Play& p, std::string pattern) {
    Board& b = p.state.board;
    p.state.values.movesLeft = 0;
    setCounter(p, 0);
    b.wordEntries.clear();
    b.puzzleLetters.clear();
    b.wordList.clear();
    setCounter(p, static_cast<int>(pattern.size()));
    if (!loadChosenDictionary(p))
        return false;

    const bool anyItems = p.dictionary.items().count() > 0;
    // Entries are "word,definition" while words are drawn; two items differing only in case
    // are the same entry.
    std::vector<std::string> entryKeys;
    int tries = 0;
    std::size_t at = 0;
    while (at < pattern.size()) {
        if (pattern[at] == GapChar) {
            ++at;
            b.puzzleLetters += GapChar; // a gap costs no draw
            continue;
        }
        const std::size_t wanted = static_cast<unsigned char>(pattern[at]);
        if (anyItems && drawOneWord(p, wanted, pattern.size() - at, entryKeys))
            at += wanted;
        // The draw that passes the limit ends the selection, even one that filled the pattern.
        if (!anyItems || ++tries > MaxDraws) {
            p.events.message(InsufficientWords);
            b.wordList.clear();
            b.wordEntries.clear();
            p.state.commands.settings = true;
            return false;
        }
    }
    return true;
}

// Loads the dictionary the options name unless it is the one already loaded.
bool loadChosenDictionary(Play& p) {
    if (p.options.dictionary == p.state.loadedDictionary)
        return true;
    // Forget the old name first: a failed load leaves the dictionary empty, and the next build
    // must try the file again.
    p.state.loadedDictionary.clear();
    try {
        p.dictionary.loadFromFile(p.folder + "kbs/" + p.options.dictionary + ".dic");
    } catch (const DictionaryError& error) {
        p.events.dictionaryFailed(error);
        return false;
    } catch (const std::exception& error) {
        p.events.message(error.what());
        return false;
    }
    p.state.loadedDictionary = p.options.dictionary;
    rememberLoadedDictionary(p, p.options.dictionary);
    return true;
}

// One draw: a random item whose word has the wanted length, fits the room left, can stand on
// tiles and is not already an entry, goes into the puzzle.
bool drawOneWord(Play& p, std::size_t wanted, std::size_t room,
                 std::vector<std::string>& entryKeys) {
    const DictionaryItems& items = p.dictionary.items();
    const DictionaryItem& item = items[p.puzzles.random.uniform(0, items.count() - 1)];
    const std::string word = filterLetters(upper1252(trimmed(item.word)));
    const std::string key = upper1252(word + "," + item.definition);
    if (word.size() != wanted || wanted > room || !showable(word) ||
        std::find(entryKeys.begin(), entryKeys.end(), key) != entryKeys.end())
        return false;
    Board& b = p.state.board;
    b.puzzleLetters += word;
    b.wordList.push_back(word);
    b.wordEntries.push_back({word, item.definition});
    entryKeys.push_back(key);
    adjustMoves(p, 1); // the counter counts the words found
    return true;
}

} // namespace quorvel
