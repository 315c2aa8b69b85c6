// The built-in lists of 3-, 4- and 5-letter words that accept alternative words on the board.
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

class Dictionary;
class FileLocations;

class WordLists {
public:
    // Each list is its words concatenated without separators.
    std::string words3, words4, words5;

    // True when the first occurrence of the word in the list of its length starts on a word
    // boundary; words of other lengths are never listed.
    bool isListedWord(std::string_view word) const;

    // Refills the lists with the dictionary's words of 3, 4 and 5 bytes, as stored, in order.
    void rebuild(const Dictionary& dictionary);

    // Writes zq/W3, zq/W4, zq/W5 under the program folder, in that order, each replaced safely.
    // Throws FileError; lists stay as they are in memory.
    void save(const std::string& folder) const;
    void save(const FileLocations& files) const; // into the player's own zq/
    // Writes W3, W4, W5 directly into directory.
    void saveTo(const std::string& directory) const;

    // Empties the lists, then reads zq/W3, zq/W4, zq/W5 in order; throws FileError at the first
    // file that cannot be read, leaving that list and the ones after it empty.
    void load(const std::string& folder);
    void load(const FileLocations& files); // the player's lists first, else the shipped ones
};

} // namespace quorvel
