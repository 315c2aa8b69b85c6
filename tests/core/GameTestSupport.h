// Test support for the core: games set up from the text rows of their boards,
// a listener that keeps every event as a text line, and throw-away program folders.
#pragma once

#include "game/BoardText.h"
#include "game/Game.h"
#include "game/GameListener.h"
#include "model/OptionMoves.h"
#include "records/DailyRecords.h"
#include "words/Dictionary.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace quorvel {

namespace test {
// A lock rule as a word, for the names of tests run once per rule.
inline std::string lockRuleName(LockRule rule) {
    switch (rule) {
    case LockRule::None: return "None";
    case LockRule::Vowels: return "Vowels";
    case LockRule::First: return "First";
    case LockRule::Randomly: return "Randomly";
    }
    return "Unknown";
}
} // namespace test

// Every event as one line: "moves 49", "sound Shift", "music zqWon.mp3",
// "banner 0 FF0000 Advance to level 2" (seconds, colour in hex, text), "banner hidden",
// "flash Puzzle completed", "message ...", "status ...", "record ...", "level 3",
// "timer on 20000" / "timer off", "bannerTimer on" / "bannerTimer off", "tip",
// "trace cleared", "trace ...", "dictionary failed" (then its message), "layouts problem",
// "daily W" (the daily result kept whole).
// stateChanged is only counted; the file problems are kept whole.
class RecordingListener : public GameListener {
public:
    std::vector<std::string> events;
    int stateChanges = 0;
    Colour lastCounterColour = 0;
    std::vector<DictionaryError> dictionaryErrors;
    std::vector<LayoutsProblem> layoutsProblems;
    std::vector<DailyResult> dailyResults;

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
    void dailyFinished(const DailyResult& result) override {
        dailyResults.push_back(result);
        add(std::string("daily ") + result.result);
    }
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

// A game whose moves' events go to a listener as each move ends, as a front end hands them on.
class HeardGame : public Game {
public:
    HeardGame(GameListener& listener, Random& random, std::string folder)
        : Game(random, std::move(folder)), m_listener(listener) {}

    MoveResult apply(const Move& move) {
        const Outcome outcome = Game::apply(move);
        tell(m_listener, outcome.events);
        return outcome.result;
    }
    void loadLayouts() { tell(m_listener, Game::loadLayouts()); }
    void setLevelTable(LevelTable table) { tell(m_listener, Game::setLevelTable(std::move(table))); }
    ResumeResult resumeGame(const SavedGame& saved) {
        ResumeResult resumed = Game::resumeGame(saved);
        tell(m_listener, resumed.events);
        return resumed;
    }
    // The player's options changed as the options dialog changes them: by moves, unheard.
    void setOptions(const GameOptions& options) {
        for (const Move& move : optionMoves(Game::options(), options))
            Game::apply(move);
    }

private:
    GameListener& m_listener;
};

// Games set up for a test through what any front end has: a board from its text form, a
// changed copy of the state resumed, the dictionary's items in memory.
struct TestGame {
    // Changes a copy of the game's state and carries on from it.
    static void edit(Game& g, const std::function<void(GameState&)>& change) {
        GameState state = g.state();
        change(state);
        g.resume(std::move(state));
    }

    // The dictionary in memory, as if "name" had been loaded from kbs/: items are (word,
    // definition) pairs. The game then draws from it without reading a file.
    static void setDictionary(Game& g,
                              const std::vector<std::pair<std::string, std::string>>& items,
                              const std::string& name = "Test") {
        auto& list = g.dictionary().items();
        list.clear();
        for (const auto& [word, definition] : items) {
            DictionaryItem& item = list.add();
            item.word = word;
            item.definition = definition;
        }
        edit(g, [&](GameState& s) { s.loadedDictionary = name; });
        g.apply(Move::setDictionary(name));
    }

    // A board in play from its text rows (see putBoardInPlay): solution letters, '-' for a
    // gap; the captions shown (empty: the solution); the state letters (empty: all 'r').
    static void setUpBoard(Game& g, const std::vector<std::string>& solution,
                           std::vector<std::string> captions = {},
                           std::vector<std::string> states = {}) {
        edit(g, [&](GameState& s) {
            putBoardInPlay(s, {solution, std::move(captions), std::move(states)}, g.options());
        });
    }

    static void setMoves(Game& g, int moves) {
        edit(g, [moves](GameState& s) { s.values.movesLeft = moves; });
    }
    static std::vector<std::string> stateRows(const Game& g) {
        return quorvel::stateRows(g.state().board);
    }
    static std::vector<std::string> captionRows(const Game& g) {
        return quorvel::captionRows(g.state().board);
    }
};

// The moves of a tile by its number, and the clue's two steps, as the tests name them.
inline MoveResult clickTile(HeardGame& g, int tile) {
    const Tile& t = g.state().board.tile(tile);
    return g.apply(Move::click(t.row, t.column));
}
inline MoveResult dropPadlock(HeardGame& g, int tile) {
    const Tile& t = g.state().board.tile(tile);
    return g.apply(Move::drop(t.row, t.column));
}
// True when the clue began.
inline bool beginClue(HeardGame& g) {
    return g.apply(Move::of(Move::Kind::Clue)) != MoveResult::NoEffect;
}
// True while the clue wants more steps.
inline bool clueStep(HeardGame& g) {
    g.apply(Move::of(Move::Kind::ClueStep));
    return g.state().clueRunning;
}
inline void apply(HeardGame& g, Move::Kind kind) {
    g.apply(Move::of(kind));
}

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
