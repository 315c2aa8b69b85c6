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

namespace quorvel {

namespace {

CivilDate localToday() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm local = localTime(now);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace

Game::Game(GameListener& listener, Random& random, std::string folder)
    : m_listener(&listener), m_random(random), m_folder(std::move(folder)),
      m_dictionary(std::make_unique<Dictionary>()), m_wordLists(std::make_unique<WordLists>()),
      m_puzzles(std::make_unique<PuzzleSource>()), m_today(localToday) {}

Game::~Game() = default;

namespace {

// Holds back the state-changed notices of the rules a move runs through, also when one throws.
class OneNotice {
public:
    explicit OneNotice(int& applying) : m_applying(applying) { ++m_applying; }
    ~OneNotice() { --m_applying; }
    OneNotice(const OneNotice&) = delete;
    OneNotice& operator=(const OneNotice&) = delete;

private:
    int& m_applying;
};

} // namespace

Play Game::play() {
    m_optionsInForce = optionsInForce(m_options, m_state);
    return {m_state,  *m_listener,   m_random,     m_optionsInForce, m_options, *m_puzzles,
            m_levels, *m_dictionary, *m_wordLists, m_folder,         m_today,   m_movesApplying};
}

MoveResult Game::apply(const Move& move) {
    const GameState before = m_state;
    const int builds = m_puzzles->builds;
    {
        OneNotice held(m_movesApplying);
        Play p = play();
        quorvel::applyMove(p, move);
    }
    Play p = play();
    notifyChanged(p);
    MoveResult result = MoveResult::Changed;
    if (before.isInPlay() && !m_state.isInPlay())
        result = MoveResult::GameOver;
    else if (m_state == before)
        result = MoveResult::NoEffect;
    // A saved game is its puzzle and the moves that changed it since it was built.
    if (m_puzzles->builds != builds)
        m_movesSincePuzzle.clear();
    else if (result != MoveResult::NoEffect)
        m_movesSincePuzzle.push_back(move);
    return result;
}

std::string Game::puzzleCode() const {
    return m_state.puzzle.dictionary.empty() ? std::string() : encodePuzzleCode(m_state.puzzle);
}

CodeRead Game::readPuzzleCode(std::string_view code) {
    Play p = play();
    return readCode(p, code);
}

std::vector<std::string> Game::dictionaryNames() const {
    return installedDictionaries(m_folder);
}

PuzzleSpec Game::dailyPuzzle(const CivilDate& date) {
    Play p = play();
    return dailySpec(p, date);
}

void Game::setLevelTable(LevelTable table) {
    Play p = play();
    quorvel::setLevelTable(p, std::move(table));
}

void Game::loadLayouts() {
    Play p = play();
    quorvel::loadLayouts(p);
}

} // namespace quorvel
