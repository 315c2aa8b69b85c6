// The game: its state, what it is given, and the moves applied to it by the rules.
#include "game/Game.h"

#include "rules/ApplyMove.h"
#include "rules/Levels.h"
#include "rules/Play.h"

#include "words/Dictionary.h"
#include "words/WordLists.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace quorvel {

namespace {

CivilDate localToday() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace

Game::Game(GameListener& listener, Random& random, std::string folder)
    : m_listener(listener), m_random(random), m_folder(std::move(folder)),
      m_dictionary(std::make_unique<Dictionary>()), m_wordLists(std::make_unique<WordLists>()),
      m_today(localToday) {}

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
    return {m_state,       m_listener,   m_random, m_options, m_levels,
            *m_dictionary, *m_wordLists, m_folder, m_today,   m_movesApplying};
}

MoveResult Game::apply(const Move& move) {
    const GameState before = m_state;
    {
        OneNotice held(m_movesApplying);
        Play p = play();
        quorvel::applyMove(p, move);
    }
    Play p = play();
    notifyChanged(p);
    if (before.isInPlay() && !m_state.isInPlay())
        return MoveResult::GameOver;
    return m_state == before ? MoveResult::NoEffect : MoveResult::Changed;
}

std::string Game::puzzleCode() const {
    return {};
}

CodeRead Game::readPuzzleCode(std::string_view code) {
    return decodePuzzleCode(code, dictionaryNames());
}

std::vector<std::string> Game::dictionaryNames() const {
    return {};
}

PuzzleSpec Game::dailyPuzzle(const CivilDate& /*date*/) {
    return {};
}

SavedGame Game::saveGame(int msIntoInterval) const {
    SavedGame saved;
    saved.code = puzzleCode();
    saved.daily = m_state.daily;
    saved.moves = m_movesSincePuzzle;
    saved.timerPhase = m_state.values.timerPhase;
    saved.msIntoInterval = msIntoInterval;
    return saved;
}

ResumeResult Game::resumeGame(const SavedGame& /*saved*/) {
    return {ResumeProblem::Damaged, "not yet"};
}

std::uint32_t Game::dataCheck(const std::string& /*dictionary*/, int /*level*/) {
    return 0;
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
