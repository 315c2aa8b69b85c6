// The game object: construction, the level table, the game timer model and the message banner.
#include "game/Game.h"

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

void Game::setLevelTable(LevelTable table) {
    m_levels = std::move(table);
    m_values.levelCount = m_levels.levelCount;
    setPickerLevel(m_pickerLevel);
}

void Game::loadLayouts() {
    LevelTable table = m_levels;
    std::optional<LayoutsProblem> problem = loadLayoutsFile(m_folder + "zq/formats", table);
    if (problem && problem->fault == LayoutsProblem::Fault::ChecksumMismatch &&
        m_options.traceAvailable)
        m_listener.message(std::to_string(problem->computed));
    // A file that was not read leaves the levels in use. With none yet, or with a file that
    // offers no layout, the four built-in levels stand in, so there is always a level to build.
    if (problem && !problem->replacedTable() && m_levels.levelCount > 0) {
        problem->fallback = LayoutsProblem::Fallback::LevelsInUse;
    } else {
        if (table.levelCount < 1)
            table = builtInLayouts();
        setLevelTable(std::move(table));
    }
    if (problem)
        m_listener.layoutsProblem(*problem);
}

void Game::setTimer(bool enabled, int intervalMs) {
    m_timer.enabled = enabled;
    m_timer.intervalMs = intervalMs;
    m_timerElapsedMs = 0;
    m_listener.gameTimerChanged(enabled, intervalMs);
}

void Game::setCounter(int shown) {
    if (m_values.building)
        m_listener.buildProgress(shown, m_counterColour);
    else
        m_listener.movesChanged(shown, m_counterColour);
}

void Game::notifyChanged() {
    if (m_movesApplying == 0)
        m_listener.stateChanged();
}

void Game::showBanner(int seconds, Colour colour, const std::string& text) {
    m_banner.visible = true;
    m_banner.seconds = seconds;
    m_banner.colour = colour;
    m_banner.text = text;
    // A banner that waits for its OK keeps the board from being used until it is confirmed.
    m_banner.waiting = seconds == 0;
    if (m_banner.waiting)
        m_commands.boardPanel = false;
    m_listener.showBanner(text, seconds, colour);
    if (m_banner.waiting)
        notifyChanged();
}

void Game::hideBanner() {
    const bool wasVisible = m_banner.visible;
    m_banner.visible = false;
    m_banner.waiting = false;
    // However the banner goes, the board panel is usable again (a pause disables it anew).
    m_commands.boardPanel = true;
    if (wasVisible) {
        m_listener.bannerHidden();
        notifyChanged();
    }
}

void Game::bannerOk() {
    if (!m_banner.visible)
        return;
    const std::string text = m_banner.text;
    hideBanner();
    // Only the completion banners name a level; their OK moves on with Auto Advance.
    if (text.find("level") != std::string::npos && m_options.autoAdvance)
        newPuzzle();
}

} // namespace quorvel
