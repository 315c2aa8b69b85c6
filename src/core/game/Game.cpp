// The game: its state, what it is given, and the moves applied to it by the rules.
#include "game/Game.h"

#include "rules/ApplyMove.h"
#include "rules/Banner.h"
#include "rules/Clue.h"
#include "rules/Difficulty.h"
#include "rules/GameEnd.h"
#include "rules/GameTimer.h"
#include "rules/Levels.h"
#include "rules/NewPuzzle.h"
#include "rules/Play.h"
#include "rules/Shifting.h"
#include "rules/SolveUndo.h"
#include "rules/WordCheck.h"

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
    return {m_state,       m_listener, m_random, m_options, m_levels, *m_dictionary,
            *m_wordLists,  m_folder,   m_today,  m_movesApplying};
}

void Game::apply(const Move& move) {
    {
        OneNotice held(m_movesApplying);
        Play p = play();
        quorvel::applyMove(p, move);
    }
    Play p = play();
    quorvel::notifyChanged(p);
}

int Game::cellTile(int row, int column) const {
    return m_state.board.tileIn(row, column);
}

void Game::setLevelTable(LevelTable table) {
    Play p = play();
    quorvel::setLevelTable(p, std::move(table));
}

void Game::loadLayouts() {
    Play p = play();
    quorvel::loadLayouts(p);
}

void Game::newPuzzle() {
    Play p = play();
    quorvel::newPuzzle(p);
}

void Game::adjustMoves(int delta) {
    Play p = play();
    quorvel::adjustMoves(p, delta);
}

void Game::showLevel(int level) {
    Play p = play();
    quorvel::showLevel(p, level);
}

void Game::restoreLevel(int stored) {
    Play p = play();
    quorvel::restoreLevel(p, stored);
}

void Game::setPickerLevel(int level) {
    Play p = play();
    quorvel::setPickerLevel(p, level);
}

void Game::randomLevel() {
    Play p = play();
    quorvel::randomLevel(p);
}

void Game::previousLevel() {
    Play p = play();
    quorvel::previousLevel(p);
}

void Game::nextLevel() {
    Play p = play();
    quorvel::nextLevel(p);
}

void Game::levelPicked(bool startGame) {
    Play p = play();
    quorvel::levelPicked(p, startGame);
}

void Game::showBanner(int seconds, Colour colour, const std::string& text) {
    Play p = play();
    quorvel::showBanner(p, seconds, colour, text);
}

void Game::hideBanner() {
    Play p = play();
    quorvel::hideBanner(p);
}

void Game::bannerOk() {
    Play p = play();
    quorvel::bannerOk(p);
}

void Game::shiftColumn(int column, bool down) {
    Play p = play();
    quorvel::shiftColumn(p, column, down);
}

void Game::clickTile(int tile) {
    Play p = play();
    quorvel::clickTile(p, tile);
}

void Game::dropPadlock(int tile) {
    Play p = play();
    quorvel::dropPadlock(p, tile);
}

void Game::lockAll() {
    Play p = play();
    quorvel::lockAll(p);
}

void Game::checkWords(int focusTile) {
    Play p = play();
    quorvel::checkWords(p, focusTile);
}

void Game::timerTick() {
    Play p = play();
    quorvel::timerTick(p);
}

void Game::elapse(int ms) {
    Play p = play();
    quorvel::elapse(p, ms);
}

void Game::pauseContinue() {
    Play p = play();
    quorvel::pauseContinue(p);
}

bool Game::beginClue() {
    Play p = play();
    return quorvel::beginClue(p);
}

bool Game::clueStep() {
    Play p = play();
    return quorvel::clueStep(p);
}

void Game::solve() {
    Play p = play();
    quorvel::solve(p);
}

void Game::undo() {
    Play p = play();
    quorvel::undo(p);
}

void Game::setDifficulty(int letterTotal) {
    Play p = play();
    quorvel::setDifficulty(p, letterTotal);
}

std::string Game::recordLine(char result) const {
    Play p = const_cast<Game*>(this)->play();
    return quorvel::recordLineAt(p, result, m_state.values.level);
}

} // namespace quorvel
