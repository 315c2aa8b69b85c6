// A new puzzle: the old game ended, the words drawn and placed, the board scrambled and announced.
#include "game/Game.h"

#include "base/Files.h"

#include <algorithm>
#include <vector>

namespace quorvel {

namespace {

constexpr Colour BuildingCounterColour = 0x800000;

} // namespace

void Game::newPuzzle() {
    if (m_values.building)
        return;
    endGameOnBoard();
    beginBuild();
    m_values.level = m_pickerLevel;
    const LayoutRecord& layout = m_levels.at(m_values.level);
    drawWords(layout);
    m_board.clear();
    m_commands.arrows = false;
    if (!m_board.wordList.empty())
        placePuzzle(layout);
    endBuild();
}

// The game on the board ends here (a moved game as a quit), so a build that places nothing
// leaves no command of the old game enabled and no old timer running.
void Game::endGameOnBoard() {
    hideBanner();
    m_commands.userLevel = false;
    if (isInPlay() && m_values.moveMade)
        appendRecord('Q');
    m_values.moveMade = false;
    m_commands.solve = m_commands.clue = m_commands.undo = false;
    m_commands.pause = m_commands.padlock = m_commands.lockAll = false;
    if (m_timer.enabled)
        setTimer(false, m_timer.intervalMs);
    // A pause belongs to the old game too: the new one starts running, with Pause on offer.
    m_timer.paused = false;
    // A clue waiting for its next step belongs to the old board: it ends here, unfinished.
    m_clueRunning = false;
    m_clueTile = 0;
    m_clueColumn = 0;
    if (m_options.trace)
        loadLayouts();
}

void Game::beginBuild() {
    m_counterColour = BuildingCounterColour;
    m_commands.clueCount = ClueCount::Hidden;
    m_listener.traceCleared();
    m_listener.status("");
    m_values.building = true;
    m_listener.buildStarted();
    m_commands.newGame = false;
    m_listener.advanceTipBanner();
}

// The words for the layout's pattern; none, with a message, for a layout that cannot be played.
void Game::drawWords(const LayoutRecord& layout) {
    // A layout beyond the board's limits never reaches tile placement.
    const std::string problem = levelProblem(layout, m_values.level);
    const std::string pattern = problem.empty() ? lengthPattern(layout) : std::string();
    if (!problem.empty()) {
        m_listener.message(problem);
        m_board.wordList.clear();
        m_board.wordEntries.clear();
    } else {
        getWords(pattern);
    }
}

// The drawn words on the board, scrambled, with the level's difficulty and a fresh counter.
void Game::placePuzzle(const LayoutRecord& layout) {
    m_board.rows = layout.rows;
    m_board.columns = layout.columns;
    layOutBoard();
    m_listener.playMusic("zqStart.mp3");
    scrambleBoard();
    setDifficulty(layout.letterTotal);
    setTimer(false, 10000);
    m_values.movesLeft = 0;
    adjustMoves(m_values.start);
    announcePuzzle();
    if (fileExists(m_folder + "c999"))
        m_values.clueAllowance = 999;
    const GameValues& v = m_values;
    m_listener.traceLine(std::to_string(v.pop) + " " + std::to_string(m_timer.intervalMs) + " " +
                         std::to_string(v.clueAllowance));
    m_commands.cluesLeft = v.clueAllowance;
    if (v.clueAllowance < 100)
        m_commands.clueCount = ClueCount::Shown;
    m_values.timerPhase = TimerPhase::Grace;
    setTimer(false, v.delay * 1000);
}

// The values in trace mode, then the status line with the puzzle's words and level.
void Game::announcePuzzle() {
    const GameValues& v = m_values;
    if (m_options.trace)
        m_listener.message("level=" + std::to_string(v.level) + " pop=" + std::to_string(v.pop) +
                           " penalty=" + std::to_string(v.penalty) +
                           " good=" + std::to_string(v.good) + " bad=" + std::to_string(v.bad) +
                           " word=" + std::to_string(v.word) + " start=" + std::to_string(v.start) +
                           " delay=" + std::to_string(v.delay));
    m_listener.status(std::string(25, ' ') + std::to_string(m_board.wordList.size()) +
                      " words to find, level: " + std::to_string(v.level) +
                      ", advance minimum is " + std::to_string(v.advanceMinimum) +
                      ", dictionary: " + m_options.dictionary);
    m_listener.bannerTimerChanged(true);
}

void Game::endBuild() {
    m_counterColour = BuildingCounterColour; // the first move recolours it
    m_values.building = false;
    setCounter(m_values.movesLeft);
    enableBoard();
    if (m_board.wordList.empty()) {
        // Nothing to play: only New (and Settings) are offered.
        m_commands.pause = false;
        m_commands.arrows = false;
        m_listener.buildFinished();
        notifyChanged();
        return;
    }
    m_commands.newWords = true;
    m_commands.solve = m_commands.clue = m_commands.undo = true;
    m_commands.padlock = m_commands.lockAll = true;
    setTimer(m_options.timed, m_timer.intervalMs);
    m_listener.buildFinished();
    notifyChanged();
}

void Game::layOutBoard() {
    Board& b = m_board;
    showBanner(-1, 0x800000, "Please Wait");
    std::size_t next = 0;
    for (int r = 1; r <= b.rows; ++r) {
        bool inWord = false;
        for (int c = 1; c <= b.columns && next < b.puzzleLetters.size(); ++c) {
            const char ch = b.puzzleLetters[next++];
            bool start = false;
            if (ch == GapChar) {
                inWord = false;
            } else if (!inWord) {
                inWord = true;
                start = true;
            }
            b.setTile(ch, r, c, start);
        }
    }
    hideBanner();
    // A word's tiles point at its first place in the word list (a repeated word shares it).
    for (int k = 1; k <= b.tileCount; ++k) {
        if (!b.tile(k).wordStart)
            continue;
        const std::string w = b.readWord(k, true);
        const auto found = std::find(b.wordList.begin(), b.wordList.end(), w);
        const int index =
            found == b.wordList.end() ? 0 : static_cast<int>(found - b.wordList.begin());
        for (int t = k; t < k + static_cast<int>(w.size()); ++t)
            b.tile(t).wordIndex = index;
    }
    m_commands.arrows = true;
}

} // namespace quorvel
