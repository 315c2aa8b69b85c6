// Small text helpers: the board's character filter, the comma-field reader of statistics
// lines, whole numbers and words of a command line.
#include "base/Text.h"

#include <array>
#include <charconv>
#include <sstream>
#include <utility>

namespace quorvel {

namespace {

// Code page 437 accented letters that have a Windows-1252 capital; 0 marks "becomes '?'".
constexpr std::array<unsigned char, 0xBE - 0x80> kLetterMap = [] {
    std::array<unsigned char, 0xBE - 0x80> map{};
    const std::pair<int, int> letters[] = {{0x80, 0xC7}, {0x82, 0xC9}, {0x83, 0xC2}, {0x85, 0xC0},
                                           {0x87, 0xC7}, {0x88, 0xCA}, {0x89, 0xCB}, {0x8A, 0xC8},
                                           {0x8B, 0xCF}, {0x8C, 0xCE}, {0x93, 0xD4}, {0x95, 0xD2},
                                           {0x96, 0xDB}, {0x97, 0xD9}, {0xA0, 0xC1}};
    for (auto [from, to] : letters)
        map[from - 0x80] = static_cast<unsigned char>(to);
    return map;
}();

} // namespace

std::string filterLetters(std::string word) {
    for (char& c : word) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80 || byte >= 0xBE)
            continue;
        const unsigned char mapped = kLetterMap[byte - 0x80];
        c = static_cast<char>(mapped ? mapped : '?');
    }
    return word;
}

std::string nextField(std::string& text) {
    std::size_t start = (!text.empty() && text.front() == ',') ? 1 : 0;
    const std::size_t comma = text.find(',', start);
    const std::size_t end = comma == std::string::npos ? text.size() : comma;
    std::string field = text.substr(start, end - start);
    text.erase(0, end);
    return field;
}

std::optional<int> wholeNumber(std::string_view text) {
    const char* b = text.data();
    const char* e = b + text.size();
    if (b != e && *b == '+' && e - b > 1 && b[1] != '-') // "+-1" is not a number
        ++b;
    int value = 0;
    auto [end, error] = std::from_chars(b, e, value);
    if (b == e || error != std::errc{} || end != e)
        return std::nullopt;
    return value;
}

std::vector<std::string> splitWords(std::string_view line) {
    std::istringstream in{std::string(line)};
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

} // namespace quorvel
