// Dump and build text of dictionaries.
#include "words/DictionaryText.h"

#include "base/Cp1252.h"
#include "words/ComponentStream.h"
#include "words/Dictionary.h"

#include <functional>

namespace quorvel {

namespace {

void appendEscaped(std::string& out, std::string_view cp1252) {
    for (char c : cp1252) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x80)
                out += c;
            else
                out += cp1252ToUtf8(std::string_view(&c, 1));
        }
    }
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

[[noreturn]] void failLine(std::size_t line, const std::string& what) {
    throw DictionaryTextError("Line " + std::to_string(line) + ": " + what);
}

std::string toCp1252(std::string_view utf8, std::size_t line) {
    auto bytes = utf8ToCp1252(utf8);
    if (!bytes)
        failLine(line, "holds a character that Windows-1252 cannot hold");
    return std::move(*bytes);
}

void parseAttributes(std::string_view names, std::size_t line, DictionaryItem& item) {
    while (!names.empty()) {
        const std::size_t comma = names.find(',');
        const std::string_view name = trimBlanks(names.substr(0, comma));
        names = comma == std::string_view::npos ? std::string_view{} : names.substr(comma + 1);
        if (name.empty())
            continue;
        const auto ordinal = attributeOrdinal(name);
        if (!ordinal)
            failLine(line, "unknown attribute \"" + std::string(name) + "\"");
        item.set(*ordinal);
    }
}

DictionaryItem parseLine(std::string_view text, std::size_t line) {
    const std::size_t tab = text.find('\t');
    if (tab == std::string_view::npos)
        failLine(line, "expected a word, a tab and a definition");
    const std::size_t secondTab = text.find('\t', tab + 1);
    if (secondTab != std::string_view::npos && text.find('\t', secondTab + 1) != text.npos)
        failLine(line, "too many tab-separated fields");
    DictionaryItem item;
    item.word = toCp1252(text.substr(0, tab), line);
    item.definition = toCp1252(
        text.substr(tab + 1, secondTab == text.npos ? text.npos : secondTab - tab - 1), line);
    if (secondTab != std::string_view::npos)
        parseAttributes(text.substr(secondTab + 1), line, item);
    return item;
}

// Every item of the build input, in order.
void readItems(std::string_view utf8, const std::function<void(DictionaryItem&&)>& take) {
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF")
        utf8.remove_prefix(3);
    // A carriage return inside a line is part of a definition, unless the text has no line
    // feed at all: then it was saved with a lone CR at the end of each line.
    const char lineEnd = utf8.find('\n') == std::string_view::npos ? '\r' : '\n';
    std::size_t line = 0;
    while (!utf8.empty()) {
        ++line;
        const std::size_t end = utf8.find(lineEnd);
        std::string_view text = utf8.substr(0, end);
        utf8 = end == std::string_view::npos ? std::string_view{} : utf8.substr(end + 1);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        if (!text.empty())
            take(parseLine(text, line));
    }
}

} // namespace

std::string dumpLine(const DictionaryItem& item) {
    std::string out;
    for (const std::string* field : {&item.word, &item.definition, &item.extraA, &item.extraF,
                                     &item.extraS, &item.extraJ, &item.extraP, &item.extraR}) {
        appendEscaped(out, *field);
        out += '\t';
    }
    bool first = true;
    for (int ordinal : item.attributes()) {
        if (!first)
            out += ',';
        out += std::to_string(ordinal);
        first = false;
    }
    return out;
}

void parseDictionaryText(std::string_view utf8, Dictionary& dictionary) {
    readItems(utf8,
              [&dictionary](DictionaryItem&& item) { dictionary.items().add() = std::move(item); });
}

std::string buildDictionaryStream(std::string_view utf8, std::string_view name) {
    DictionaryStreamWriter writer;
    // An item rarely takes more than three times its line: reserving that much spares the
    // copies of a growing string, and pages never written cost no memory.
    writer.begin(name, 0, 3 * utf8.size() + 16);
    readItems(utf8, [&writer](DictionaryItem&& item) { writer.item(item); });
    return writer.finish(false);
}

} // namespace quorvel
