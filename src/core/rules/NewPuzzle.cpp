// A new puzzle: the old game ended, the words drawn and placed, the board scrambled and announced.
#include "rules/NewPuzzle.h"

#include "rules/Banner.h"
#include "rules/ColumnScrambler.h"
#include "rules/Difficulty.h"
#include "rules/GameEnd.h"
#include "rules/GameTimer.h"
#include "rules/Levels.h"
#include "rules/SharedPuzzle.h"
#include "rules/WordSelection.h"

#include "base/Files.h"

#include <algorithm>
#include <vector>

namespace quorvel {

namespace {

constexpr Colour BuildingCounterColour = 0x800000;

} // namespace

void newPuzzle(Play& p) {
    if (p.state.values.building)
        return;
    endGameOnBoard(p);
    p.state.daily.reset();
    PuzzleSpec puzzleSpec;
    puzzleSpec.level = p.state.pickerLevel;
    puzzleSpec.dictionary = p.playerOptions.dictionary;
    puzzleSpec.handicap = p.playerOptions.handicap;
    puzzleSpec.lock = p.playerOptions.lock;
    puzzleSpec.timed = p.playerOptions.timed;
    puzzleSpec.seed = p.random.draw();
    puzzleSpec.dataCheck = puzzleDataCheck(p, puzzleSpec.dictionary, puzzleSpec.level);
    buildPuzzle(p, puzzleSpec, false);
}

// Everything drawn for the board comes from the puzzle's own source, seeded with the puzzle's
// seed: the same puzzle over the same data builds the same board, and the same clues follow.
void buildPuzzle(Play& p, const PuzzleSpec& puzzleSpec, bool ownOptions) {
    p.state.puzzle = puzzleSpec;
    p.state.puzzleOwnOptions = ownOptions;
    refreshOptions(p);
    p.state.foundOrder.clear();
    p.state.cluesUsed = 0;
    ++p.puzzles.builds;
    p.puzzles.random.reseed(puzzleSpec.seed);
    beginBuild(p);
    p.state.values.level = puzzleSpec.level;
    const LayoutRecord& layout = p.levels.at(p.state.values.level);
    drawWords(p, layout);
    p.state.board.clear();
    p.state.commands.arrows = false;
    if (!p.state.board.wordList.empty())
        placePuzzle(p, layout);
    endBuild(p);
}

// The game on the board ends here (a moved game as a quit), so a build that places nothing
// leaves no command of the old game enabled and no old timer running.
void endGameOnBoard(Play& p) {
    hideBanner(p);
    p.state.commands.userLevel = false;
    if (p.state.isInPlay() && p.state.values.moveMade)
        appendRecord(p, 'Q');
    p.state.values.moveMade = false;
    p.state.commands.solve = p.state.commands.clue = p.state.commands.undo = false;
    p.state.commands.pause = p.state.commands.padlock = p.state.commands.lockAll = false;
    if (p.state.timer.enabled)
        setTimer(p, false, p.state.timer.intervalMs);
    // A pause belongs to the old game too: the new one starts running, with Pause on offer.
    p.state.timer.paused = false;
    // A clue waiting for its next step belongs to the old board: it ends here, unfinished.
    p.state.clueRunning = false;
    p.state.clueTile = 0;
    p.state.clueColumn = 0;
    if (p.options.trace)
        loadLayouts(p);
}

void beginBuild(Play& p) {
    p.state.counterColour = BuildingCounterColour;
    p.state.commands.clueCount = ClueCount::Hidden;
    p.events.traceCleared();
    p.events.status("");
    p.state.values.building = true;
    p.events.buildStarted();
    p.state.commands.newGame = false;
    p.events.advanceTipBanner();
}

// The words for the layout's pattern; none, with a message, for a layout that cannot be played.
void drawWords(Play& p, const LayoutRecord& layout) {
    // A layout beyond the board's limits never reaches tile placement.
    const std::string problem = levelProblem(layout, p.state.values.level);
    const std::string pattern = problem.empty() ? lengthPattern(layout) : std::string();
    if (!problem.empty()) {
        p.events.message(problem);
        p.state.board.wordList.clear();
        p.state.board.wordEntries.clear();
    } else {
        getWords(p, pattern);
    }
}

// The drawn words on the board, scrambled, with the level's difficulty and a fresh counter.
void placePuzzle(Play& p, const LayoutRecord& layout) {
    p.state.board.rows = layout.rows;
    p.state.board.columns = layout.columns;
    layOutBoard(p);
    p.events.playMusic("zqStart.mp3");
    scrambleBoard(p);
    setDifficulty(p, layout.letterTotal);
    setTimer(p, false, 10000);
    p.state.values.movesLeft = 0;
    adjustMoves(p, p.state.values.start);
    announcePuzzle(p);
    if (fileExists(p.folder + "c999"))
        p.state.values.clueAllowance = 999;
    const GameValues& v = p.state.values;
    p.events.traceLine(std::to_string(v.pop) + " " + std::to_string(p.state.timer.intervalMs) +
                         " " + std::to_string(v.clueAllowance));
    p.state.commands.cluesLeft = v.clueAllowance;
    if (v.clueAllowance < 100)
        p.state.commands.clueCount = ClueCount::Shown;
    p.state.values.timerPhase = TimerPhase::Grace;
    setTimer(p, false, v.delay * 1000);
}

// The values in trace mode, then the status line with the puzzle's words and level.
void announcePuzzle(Play& p) {
    const GameValues& v = p.state.values;
    if (p.options.trace)
        p.events.message("level=" + std::to_string(v.level) + " pop=" + std::to_string(v.pop) +
                           " penalty=" + std::to_string(v.penalty) +
                           " good=" + std::to_string(v.good) + " bad=" + std::to_string(v.bad) +
                           " word=" + std::to_string(v.word) + " start=" + std::to_string(v.start) +
                           " delay=" + std::to_string(v.delay));
    p.events.status(std::string(25, ' ') + std::to_string(p.state.board.wordList.size()) +
                      " words to find, level: " + std::to_string(v.level) +
                      ", advance minimum is " + std::to_string(v.advanceMinimum) +
                      ", dictionary: " + p.options.dictionary);
    p.events.bannerTimerChanged(true);
}

void endBuild(Play& p) {
    p.state.counterColour = BuildingCounterColour; // the first move recolours it
    p.state.values.building = false;
    setCounter(p, p.state.values.movesLeft);
    enableBoard(p);
    if (p.state.board.wordList.empty()) {
        // Nothing to play: only New (and Settings) are offered.
        p.state.commands.pause = false;
        p.state.commands.arrows = false;
        p.events.buildFinished();
        notifyChanged(p);
        return;
    }
    p.state.commands.newWords = true;
    p.state.commands.solve = p.state.commands.clue = p.state.commands.undo = true;
    p.state.commands.padlock = p.state.commands.lockAll = true;
    setTimer(p, p.options.timed, p.state.timer.intervalMs);
    p.events.buildFinished();
    notifyChanged(p);
}

void layOutBoard(Play& p) {
    Board& b = p.state.board;
    showBanner(p, -1, 0x800000, "Please Wait");
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
    hideBanner(p);
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
    p.state.commands.arrows = true;
}

} // namespace quorvel
