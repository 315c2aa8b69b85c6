// The text forms of a dictionary used by quorvel-tool: the dump (one escaped UTF-8 line per
// item) and the build input (word, tab, definition, optional tab and attribute names).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvel {

class DictionaryItem;
class Dictionary;

// A build input line that cannot become an item; what() names the line.
struct DictionaryTextError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// n, d, a, f, s, j, p, r and the attribute ordinals joined by commas, tab-separated, in UTF-8,
// with backslash, tab, line feed and carriage return written \\, \t, \n, \r. No line end.
std::string dumpLine(const DictionaryItem& item);

// Appends one item per line of the UTF-8 text to the dictionary. Lines end at LF or CR LF, or
// at a lone CR in a text without line feeds; empty lines are skipped and a leading byte order
// mark is dropped. Throws
// DictionaryTextError for text that Windows-1252 cannot hold, a missing definition or an
// unknown attribute name; the dictionary may then hold the lines before it.
void parseDictionaryText(std::string_view utf8, Dictionary& dictionary);

// The dictionary file bytes (plain, never scrambled) of the build input, named `name`: the same
// as parsing the text into a dictionary and writing it, but without holding the items, so
// memory stays within the input and the output.
std::string buildDictionaryStream(std::string_view utf8, std::string_view name);

} // namespace quorvel
