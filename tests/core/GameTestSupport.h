// Test support for the core: direct access to a game's state, boards set up from text rows,
// a listener that keeps every event as a text line, and throw-away program folders.
#pragma once

#include "game/Game.h"
#include "words/Dictionary.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

// Every event as one line: "moves 49", "sound Shift", "music zqWon.mp3",
// "banner 0 FF0000 Advance to level 2" (seconds, colour in hex, text), "banner hidden",
// "flash Puzzle completed", "message ...", "status ...", "record ...", "level 3",
// "timer on 20000" / "timer off", "bannerTimer on" / "bannerTimer off", "tip",
// "trace cleared", "trace ...", "dictionary failed" (then its message), "layouts problem".
// stateChanged is only counted; the file problems are kept whole.
class RecordingListener : public GameListener {
public:
    std::vector<std::string> events;
    int stateChanges = 0;
    Colour lastCounterColour = 0;
    std::vector<DictionaryError> dictionaryErrors;
    std::vector<LayoutsProblem> layoutsProblems;

    void movesChanged(int shown, Colour background) override {
        lastCounterColour = background;
        add("moves " + std::to_string(shown));
    }
    void playEffect(const std::string& name) override { add("sound " + name); }
    void playMusic(const std::string& name) override { add("music " + name); }
    void showBanner(const std::string& text, int seconds, Colour colour) override {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(colour));
        add("banner " + std::to_string(seconds) + " " + hex + " " + text);
    }
    void bannerHidden() override { add("banner hidden"); }
    void flash(const std::string& text) override { add("flash " + text); }
    void message(const std::string& text) override { add("message " + text); }
    void dictionaryFailed(const DictionaryError& error) override {
        dictionaryErrors.push_back(error);
        add("dictionary failed");
        GameListener::dictionaryFailed(error);
    }
    void layoutsProblem(const LayoutsProblem& problem) override {
        layoutsProblems.push_back(problem);
        add("layouts problem");
    }
    void status(const std::string& text) override { add("status " + text); }
    void record(const std::string& line) override { add("record " + line); }
    void levelShown(int level) override { add("level " + std::to_string(level)); }
    void gameTimerChanged(bool enabled, int intervalMs) override {
        add(enabled ? "timer on " + std::to_string(intervalMs) : std::string("timer off"));
    }
    void bannerTimerChanged(bool running) override {
        add(running ? "bannerTimer on" : "bannerTimer off");
    }
    void advanceTipBanner() override { add("tip"); }
    void traceCleared() override { add("trace cleared"); }
    void traceLine(const std::string& text) override { add("trace " + text); }
    void stateChanged() override { ++stateChanges; }

    void clear() { events.clear(); }
    bool has(const std::string& line) const {
        return std::find(events.begin(), events.end(), line) != events.end();
    }
    // The events that begin with prefix, in order.
    std::vector<std::string> withPrefix(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& e : events)
            if (e.rfind(prefix, 0) == 0)
                out.push_back(e);
        return out;
    }
    int count(const std::string& prefix) const {
        return static_cast<int>(withPrefix(prefix).size());
    }
    // The position of the first event equal to line, or -1.
    int indexOf(const std::string& line) const {
        auto it = std::find(events.begin(), events.end(), line);
        return it == events.end() ? -1 : static_cast<int>(it - events.begin());
    }

private:
    void add(std::string line) { events.push_back(std::move(line)); }
};

// Friend of Game: the tests read and set its private state directly.
struct GameTestAccess {
    static Board& board(Game& g) { return g.m_state.board; }
    static GameValues& values(Game& g) { return g.m_state.values; }
    static Commands& commands(Game& g) { return g.m_state.commands; }
    static BannerState& banner(Game& g) { return g.m_state.banner; }
    static TimerState& timer(Game& g) { return g.m_state.timer; }
    static GameOptions& options(Game& g) { return g.m_options; }
    static LevelTable& levels(Game& g) { return g.m_levels; }
    static int& timerElapsedMs(Game& g) { return g.m_state.timerElapsedMs; }
    static bool& shifting(Game& g) { return g.m_state.shifting; }
    static bool& clueRunning(Game& g) { return g.m_state.clueRunning; }
    static int& clueTile(Game& g) { return g.m_state.clueTile; }
    static void setCounterColour(Game& g, Colour c) { g.m_state.counterColour = c; }

    // The dictionary in memory, as if "name" had been loaded from kbs/: items are (word,
    // definition) pairs. The game then draws from it without reading a file.
    static void setDictionary(Game& g,
                              const std::vector<std::pair<std::string, std::string>>& items,
                              const std::string& name = "Test") {
        auto& list = g.m_dictionary->items();
        list.clear();
        for (const auto& [word, definition] : items) {
            DictionaryItem& item = list.add();
            item.word = word;
            item.definition = definition;
        }
        g.m_state.loadedDictionary = name;
        g.m_options.dictionary = name;
    }

    // A board in play, straight from text rows of equal length:
    // - solution: letters, '-' for a gap; every run of letters is one word;
    // - captions: the letters shown now ('-' on gaps), or empty to show the solution;
    // - states: one character per cell, as the tool's dump writes them:
    //   r unlocked, R unlocked but counted locked, g locked for checking only, G locked,
    //   b revealed not counted locked, B revealed and locked, '-' gap; empty for all 'r'.
    // The values are those of a fresh puzzle for the game's handicap (moves capped at 100),
    // and the commands those after a successful build.
    static void setUpBoard(Game& g, const std::vector<std::string>& solution,
                           std::vector<std::string> captions = {},
                           std::vector<std::string> states = {}) {
        if (solution.empty())
            throw std::invalid_argument("setUpBoard: no rows");
        if (captions.empty())
            captions = solution;
        if (states.empty())
            for (const auto& row : solution) {
                std::string s(row.size(), 'r');
                for (std::size_t c = 0; c < row.size(); ++c)
                    if (row[c] == '-')
                        s[c] = '-';
                states.push_back(s);
            }
        Board& b = g.m_state.board;
        b.clear();
        b.wordList.clear();
        b.wordEntries.clear();
        b.puzzleLetters.clear();
        b.rows = static_cast<int>(solution.size());
        b.columns = static_cast<int>(solution[0].size());
        int letters = 0;
        for (int r = 1; r <= b.rows; ++r) {
            const std::string& row = solution[static_cast<std::size_t>(r - 1)];
            if (static_cast<int>(row.size()) != b.columns || captions[r - 1].size() != row.size() ||
                states[r - 1].size() != row.size())
                throw std::invalid_argument("setUpBoard: rows of unequal length");
            for (int c = 1; c <= b.columns; ++c) {
                const char s = row[static_cast<std::size_t>(c - 1)];
                const bool gap = s == '-';
                const bool start = !gap && (c == 1 || row[static_cast<std::size_t>(c - 2)] == '-');
                const int t = b.setTile(gap ? GapChar : s, r, c, start);
                Tile& tile = b.tile(t);
                letters += gap ? 0 : 1;
                if (gap)
                    continue;
                tile.caption = captions[r - 1][static_cast<std::size_t>(c - 1)];
                tile.visible = true;
                applyState(tile, states[r - 1][static_cast<std::size_t>(c - 1)]);
            }
        }
        // Words in reading order; a word's tiles point at its first occurrence in the list.
        for (int t = 1; t <= b.tileCount; ++t) {
            if (!b.tile(t).wordStart)
                continue;
            std::string w;
            for (int k = t; k <= b.tileCount && b.tile(k).solution != GapChar &&
                            b.tile(k).row == b.tile(t).row;
                 ++k)
                w += b.tile(k).solution;
            auto it = std::find(b.wordList.begin(), b.wordList.end(), w);
            int index = static_cast<int>(it - b.wordList.begin());
            if (it == b.wordList.end()) {
                b.wordList.push_back(w);
                b.wordEntries.push_back({w, "definition of " + w});
            }
            for (std::size_t k = 0; k < w.size(); ++k)
                b.tile(t + static_cast<int>(k)).wordIndex = index;
        }
        for (int t = 1; t <= b.tileCount; ++t)
            b.puzzleLetters += b.tile(t).solution;

        g.setDifficulty(letters);
        GameValues& v = g.m_state.values;
        v.movesLeft = std::min(v.start, 100);
        v.timerPhase = TimerPhase::Grace;
        v.moveMade = false;
        v.building = false;
        Commands& cmd = g.m_state.commands;
        cmd.newGame = cmd.newWords = cmd.solve = cmd.clue = cmd.undo = true;
        cmd.padlock = cmd.lockAll = cmd.arrows = cmd.boardPanel = true;
        cmd.pause = g.m_options.timed;
        cmd.lockAllShowsLocked = false;
        cmd.clueCount = ClueCount::Shown;
        cmd.cluesLeft = v.clueAllowance;
        g.m_state.counterColour = 0x800000;
        g.m_state.timer.enabled = g.m_options.timed;
        g.m_state.timer.paused = false;
        g.m_state.timer.intervalMs = v.delay * 1000;
        g.m_state.timerElapsedMs = 0;
        g.m_state.shifting = false;
        g.m_state.clueRunning = false;
    }

    static void setMoves(Game& g, int moves) { g.m_state.values.movesLeft = moves; }

    // The board's state rows in the setUpBoard letters.
    static std::vector<std::string> stateRows(const Game& g) {
        std::vector<std::string> rows;
        const Board& b = g.m_state.board;
        for (int r = 1; r <= b.rows; ++r) {
            std::string s;
            for (int c = 1; c <= b.columns; ++c)
                s += stateLetter(b.tile(b.tileAt(r, c)));
            rows.push_back(s);
        }
        return rows;
    }

    // The letters shown now, a gap as '-'.
    static std::vector<std::string> captionRows(const Game& g) {
        std::vector<std::string> rows;
        const Board& b = g.m_state.board;
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

private:
    static void applyState(Tile& t, char s) {
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
            throw std::invalid_argument(std::string("setUpBoard: state letter ") + s);
        }
    }
};

// A program folder of its own under the system's temp folder, removed afterwards.
class TempProgramFolder {
public:
    TempProgramFolder() {
        std::random_device device;
        m_path = std::filesystem::temp_directory_path() /
                 ("quorvel-test-" + std::to_string(device()) + "-" + std::to_string(device()));
        std::filesystem::create_directories(m_path / "zq");
        std::filesystem::create_directories(m_path / "kbs");
    }
    ~TempProgramFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    // The folder with its trailing '/', as the game expects it.
    std::string folder() const { return m_path.string() + "/"; }
    std::string path(const std::string& relative) const { return folder() + relative; }

    void write(const std::string& relative, const std::string& bytes) const {
        std::ofstream out(path(relative), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(path(relative), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(const std::string& relative) const {
        return std::filesystem::exists(path(relative));
    }

    // kbs/NAME.dic holding the (word, definition) items.
    void writeDictionary(const std::string& name,
                         const std::vector<std::pair<std::string, std::string>>& items) const {
        Dictionary dictionary;
        for (const auto& [word, definition] : items) {
            DictionaryItem& item = dictionary.items().add();
            item.word = word;
            item.definition = definition;
        }
        write("kbs/" + name + ".dic", writeDictionary(dictionary));
    }

private:
    static std::string writeDictionary(const Dictionary& d) { return quorvel::writeDictionary(d); }
    std::filesystem::path m_path;
};

} // namespace quorvel
