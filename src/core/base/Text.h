// Small text helpers: the board's character filter, the comma-field reader of statistics
// lines, whole numbers and the words of a command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// Maps the code page 437 accented letters 0x80..0xBD to their Windows-1252 capitals and every
// other byte of that range to '?'; the length never changes and other bytes stay as they are.
std::string filterLetters(std::string word);

// The next comma-separated field; the cursor is the text itself. One leading comma is
// dropped, then characters move to the field up to (not including) the next comma.
std::string nextField(std::string& text);

// A whole decimal integer with one optional sign, nothing else ("+-1", " 1" and "" are none).
std::optional<int> wholeNumber(std::string_view text);

// The words of a line, split at blanks.
std::vector<std::string> splitWords(std::string_view line);

} // namespace quorvel
