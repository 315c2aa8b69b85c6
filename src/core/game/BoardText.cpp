// Boards read from and written to the text form of their rows.
#include "game/BoardText.h"

#include "rules/Difficulty.h"

#include <algorithm>
#include <stdexcept>

namespace quorvel {

namespace {

constexpr int MaxMovesSetUp = 100;

bool isGap(char c) {
    return c == '-' || c == GapChar;
}

void applyState(Tile& t, char s) {
    switch (s) {
    case 'r':
        t.colour = LetterColour::Unlocked;
        t.locked = false;
        break;
    case 'R': // a found word the padlock opened again
        t.colour = LetterColour::Unlocked;
        t.locked = true;
        t.found = true;
        break;
    case 'g':
        t.colour = LetterColour::Locked;
        t.locked = false;
        break;
    case 'G':
        t.colour = LetterColour::Locked;
        t.locked = true;
        break;
    case 'b':
        t.colour = LetterColour::Revealed;
        t.locked = false;
        break;
    case 'B': // a found word
        t.colour = LetterColour::Revealed;
        t.locked = true;
        t.found = true;
        break;
    default:
        throw std::invalid_argument(std::string("board text: state letter ") + s);
    }
}

BoardText completed(BoardText text) {
    if (text.solution.empty())
        throw std::invalid_argument("board text: no rows");
    if (text.captions.empty())
        text.captions = text.solution;
    if (text.states.empty())
        for (const auto& row : text.solution) {
            std::string s(row.size(), 'r');
            for (std::size_t c = 0; c < row.size(); ++c)
                if (isGap(row[c]))
                    s[c] = '-';
            text.states.push_back(s);
        }
    const std::size_t width = text.solution[0].size();
    const auto sameWidth = [width](const std::vector<std::string>& rows) {
        return std::all_of(rows.begin(), rows.end(),
                           [width](const std::string& r) { return r.size() == width; });
    };
    if (text.captions.size() != text.solution.size() ||
        text.states.size() != text.solution.size() || !sameWidth(text.solution) ||
        !sameWidth(text.captions) || !sameWidth(text.states))
        throw std::invalid_argument("board text: rows of unequal length");
    if (text.solution.size() > MaxRows || width > MaxColumns)
        throw std::invalid_argument("board text: more rows or columns than a board holds");
    return text;
}

// The tiles row by row; returns the number of letters.
int placeTiles(Board& b, const BoardText& text) {
    int letters = 0;
    for (int r = 1; r <= b.rows; ++r) {
        const std::string& row = text.solution[static_cast<std::size_t>(r - 1)];
        for (int c = 1; c <= b.columns; ++c) {
            const auto at = static_cast<std::size_t>(c - 1);
            const bool gap = isGap(row[at]);
            const bool start = !gap && (c == 1 || isGap(row[at - 1]));
            Tile& tile = b.tile(b.setTile(gap ? GapChar : row[at], r, c, start));
            if (gap)
                continue;
            ++letters;
            tile.caption = text.captions[static_cast<std::size_t>(r - 1)][at];
            tile.visible = true;
            applyState(tile, text.states[static_cast<std::size_t>(r - 1)][at]);
        }
    }
    return letters;
}

// Words in reading order; a word's tiles point at its first place in the list.
void listWords(Board& b) {
    for (int t = 1; t <= b.tileCount; ++t) {
        if (!b.tile(t).wordStart)
            continue;
        std::string w;
        for (int k = t;
             k <= b.tileCount && b.tile(k).solution != GapChar && b.tile(k).row == b.tile(t).row;
             ++k)
            w += b.tile(k).solution;
        const auto it = std::find(b.wordList.begin(), b.wordList.end(), w);
        const int index = static_cast<int>(it - b.wordList.begin());
        if (it == b.wordList.end()) {
            b.wordList.push_back(w);
            b.wordEntries.push_back({w, "definition of " + w});
        }
        for (std::size_t k = 0; k < w.size(); ++k)
            b.tile(t + static_cast<int>(k)).wordIndex = index;
    }
    for (int t = 1; t <= b.tileCount; ++t)
        b.puzzleLetters += b.tile(t).solution;
}

void startPlay(GameState& state, int letters, const GameOptions& options) {
    GameValues& v = state.values;
    setDifficulty(v, options.handicap, letters);
    v.movesLeft = std::min(v.start, MaxMovesSetUp);
    v.timerPhase = TimerPhase::Grace;
    v.moveMade = false;
    v.building = false;
    Commands& cmd = state.commands;
    cmd.newGame = cmd.newWords = cmd.solve = cmd.clue = cmd.undo = true;
    cmd.padlock = cmd.lockAll = cmd.arrows = cmd.boardPanel = true;
    cmd.pause = options.timed;
    cmd.lockAllShowsLocked = false;
    cmd.clueCount = ClueCount::Shown;
    cmd.cluesLeft = v.clueAllowance;
    state.counterColour = 0x800000;
    state.timer.enabled = options.timed;
    state.timer.paused = false;
    state.timer.intervalMs = v.delay * 1000;
    state.timerElapsedMs = 0;
    state.shifting = false;
    state.clueRunning = false;
    state.clueTile = 0;
    state.clueColumn = 0;
}

} // namespace

void putBoardInPlay(GameState& state, const BoardText& given, const GameOptions& options) {
    const BoardText text = completed(given);
    Board& b = state.board;
    b.clear();
    b.wordList.clear();
    b.wordEntries.clear();
    b.puzzleLetters.clear();
    b.rows = static_cast<int>(text.solution.size());
    b.columns = static_cast<int>(text.solution[0].size());
    const int letters = placeTiles(b, text);
    listWords(b);
    startPlay(state, letters, options);
}

std::vector<std::string> captionRows(const Board& b) {
    std::vector<std::string> rows;
    for (int r = 1; r <= b.rows; ++r) {
        std::string s;
        for (int c = 1; c <= b.columns; ++c) {
            const char ch = b.tile(b.tileAt(r, c)).caption;
            s += ch == GapChar ? '-' : ch;
        }
        rows.push_back(s);
    }
    return rows;
}

std::vector<std::string> stateRows(const Board& b) {
    std::vector<std::string> rows;
    for (int r = 1; r <= b.rows; ++r) {
        std::string s;
        for (int c = 1; c <= b.columns; ++c)
            s += stateLetter(b.tile(b.tileAt(r, c)));
        rows.push_back(s);
    }
    return rows;
}

} // namespace quorvel
