// Reading tips by their "-N" markers, and moving the tip dialog's counter along.
#include "records/Tips.h"

#include "base/Files.h"
#include "base/ProgramFolder.h"

#include <vector>

namespace quorvel {

namespace {

// The file's lines without their ends; a final line end adds no empty line after it.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

} // namespace

std::optional<Tip> findTip(std::string_view fileText, int number) {
    const std::vector<std::string_view> lines = splitLines(fileText);
    const std::string marker = "-" + std::to_string(number);
    std::size_t at = 0;
    while (at < lines.size() && lines[at] != marker)
        ++at;
    // The marker must be followed by at least the title line.
    if (at + 1 >= lines.size())
        return std::nullopt;
    Tip tip;
    std::size_t line = at + 1;
    tip.title = lines[line];
    // The text runs up to and including the first empty line, as the dialog has always shown it.
    while (line + 1 < lines.size() && !lines[line].empty()) {
        ++line;
        tip.text += ' ';
        tip.text += lines[line];
    }
    return tip;
}

void TipOfTheDay::setCounter(int counter) {
    m_state.counter = counter >= 0 && counter <= MaxCounter ? counter : 0;
}

void TipOfTheDay::next() {
    std::optional<std::string> text;
    try {
        text = readWholeFile(dataPath(m_folder, "zq/TIPS.TXT"));
    } catch (const FileError&) {
        // A missing tip file is an optional file: the dialog simply closes.
    }
    next(text);
}

void TipOfTheDay::next(const std::optional<std::string>& fileText) {
    m_state.nextEnabled = true;
    m_state.closeDialog = false;
    // The counter is 16-bit: after 65535 it wraps to 0, which no marker names.
    m_state.counter = (m_state.counter + 1) & MaxCounter;
    const auto giveUp = [this] {
        m_state.counter = 0;
        m_state.showAtStartup = false;
        m_state.nextEnabled = false;
    };
    if (!fileText) {
        giveUp();
        m_state.closeDialog = true;
        return;
    }
    const std::optional<Tip> tip = findTip(*fileText, m_state.counter);
    if (!tip) {
        giveUp(); // the title and text keep what they showed
        return;
    }
    m_state.title = tip->title;
    m_state.text = tip->text;
}

} // namespace quorvel
