// The game: its state, what it is given, and the moves applied to it by the rules.
#include "game/Game.h"

#include "rules/ApplyMove.h"
#include "rules/Levels.h"
#include "rules/Play.h"
#include "rules/SharedPuzzle.h"

#include "base/SystemCalls.h"
#include "words/Dictionary.h"
#include "words/WordLists.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>

namespace quorvel {

namespace {

CivilDate localToday() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm local = localTime(now);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace

Game::Game(Random& random, std::string folder)
    : m_random(random), m_folder(std::move(folder)), m_dictionary(std::make_unique<Dictionary>()),
      m_wordLists(std::make_unique<WordLists>()), m_puzzles(std::make_unique<PuzzleSource>()),
      m_today(localToday) {}

Game::~Game() = default;

namespace {

// What a move may change besides the state, kept to put back when a rule throws. The
// dictionary in memory is not among them: the state's name of it follows what is loaded.
struct BeforeMove {
    GameState state;
    PuzzleSource puzzles;
    Random random;
    std::optional<LevelTable> levels; // only trace mode reads the levels again in a move
    std::size_t movesSincePuzzle;
    GameOptions optionsAtBuild;
};

} // namespace

Play Game::play() {
    m_optionsInForce = optionsInForce(m_state.options, m_state);
    return {m_state,  m_events,      m_random,     m_optionsInForce, m_state.options, *m_puzzles,
            m_levels, *m_dictionary, *m_wordLists, m_folder,         m_today};
}

Outcome Game::apply(const Move& move) {
    const BeforeMove before{m_state,
                            *m_puzzles,
                            m_random,
                            m_state.options.trace ? std::optional(m_levels) : std::nullopt,
                            m_movesSincePuzzle.size(),
                            m_optionsAtBuild};
    m_events.clear();
    try {
        Play p = play();
        quorvel::applyMove(p, move);
        notifyChanged(p);
    } catch (...) {
        const std::string loaded = m_state.loadedDictionary;
        m_state = before.state;
        if (loaded != m_state.loadedDictionary)
            m_state.loadedDictionary.clear(); // another is in memory: the next build reads it again
        *m_puzzles = before.puzzles;
        m_random = before.random;
        if (before.levels)
            m_levels = *before.levels;
        m_movesSincePuzzle.resize(before.movesSincePuzzle);
        m_optionsAtBuild = before.optionsAtBuild;
        m_events.clear();
        throw;
    }
    Outcome outcome{MoveResult::Changed, m_events.take()};
    if (before.state.isInPlay() && !m_state.isInPlay())
        outcome.result = MoveResult::GameOver;
    else if (m_state == before.state)
        outcome.result = MoveResult::NoEffect;
    // A saved game is the options at the build, its puzzle and the moves that changed it since.
    if (m_puzzles->builds != before.puzzles.builds) {
        m_movesSincePuzzle.clear();
        m_optionsAtBuild = m_state.options;
    } else if (outcome.result != MoveResult::NoEffect) {
        m_movesSincePuzzle.push_back(move);
    }
    return outcome;
}

void Game::resume(GameState state) {
    m_state = std::move(state);
    m_movesSincePuzzle.clear();
    m_optionsAtBuild = m_state.options;
}

std::string Game::puzzleCode() const {
    return m_state.puzzle.dictionary.empty() ? std::string() : encodePuzzleCode(m_state.puzzle);
}

CodeRead Game::readPuzzleCode(std::string_view code) {
    Play p = play();
    CodeRead read = readCode(p, code);
    m_events.clear();
    return read;
}

std::vector<std::string> Game::dictionaryNames() const {
    return installedDictionaries(m_folder);
}

PuzzleSpec Game::dailyPuzzle(const CivilDate& date) {
    Play p = play();
    PuzzleSpec puzzleSpec = dailySpec(p, date);
    m_events.clear();
    return puzzleSpec;
}

std::vector<GameEvent> Game::setLevelTable(LevelTable table) {
    m_events.clear();
    Play p = play();
    quorvel::setLevelTable(p, std::move(table));
    return m_events.take();
}

std::vector<GameEvent> Game::loadLayouts() {
    m_events.clear();
    Play p = play();
    quorvel::loadLayouts(p);
    return m_events.take();
}

} // namespace quorvel
