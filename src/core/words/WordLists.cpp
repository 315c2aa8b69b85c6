// The built-in word lists: membership test, rebuild from a dictionary, files.
#include "words/WordLists.h"

#include "base/FileLocations.h"
#include "base/Files.h"
#include "base/ProgramFolder.h"
#include "words/Dictionary.h"

namespace quorvel {

bool WordLists::isListedWord(std::string_view word) const {
    const std::string* list = nullptr;
    switch (word.size()) {
    case 3:
        list = &words3;
        break;
    case 4:
        list = &words4;
        break;
    case 5:
        list = &words5;
        break;
    default:
        return false;
    }
    // Only the first occurrence counts, even when a later one stands on a word boundary.
    const std::size_t found = list->find(word);
    return found != std::string::npos && found % word.size() == 0;
}

void WordLists::rebuild(const Dictionary& dictionary) {
    words3.clear();
    words4.clear();
    words5.clear();
    dictionary.items().forEach([this](const DictionaryItem& item) {
        // The word as stored: a trailing blank counts as a letter here.
        const std::string& word = item.word;
        if (word.size() == 3)
            words3 += word;
        else if (word.size() == 4)
            words4 += word;
        else if (word.size() == 5)
            words5 += word;
    });
}

void WordLists::save(const std::string& folder) const {
    saveTo(dataPath(folder, "zq"));
}

void WordLists::save(const FileLocations& files) const {
    writeWholeFile(files.toWrite("zq/W3"), words3);
    writeWholeFile(files.toWrite("zq/W4"), words4);
    writeWholeFile(files.toWrite("zq/W5"), words5);
}

void WordLists::saveTo(const std::string& directory) const {
    writeWholeFile(dataPath(directory, "W3"), words3);
    writeWholeFile(dataPath(directory, "W4"), words4);
    writeWholeFile(dataPath(directory, "W5"), words5);
}

void WordLists::load(const std::string& folder) {
    load(FileLocations(folder));
}

void WordLists::load(const FileLocations& files) {
    words3.clear();
    words4.clear();
    words5.clear();
    words3 = readWholeFile(files.toRead("zq/W3"));
    words4 = readWholeFile(files.toRead("zq/W4"));
    words5 = readWholeFile(files.toRead("zq/W5"));
}

} // namespace quorvel
