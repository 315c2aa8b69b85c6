// A new puzzle: length pattern, words, tile placement, initial locking, scrambling, difficulty.
#include "engine/Game.h"

#include "words/WordUtils.h"

#include <algorithm>
#include <vector>

namespace quorvel {

namespace {

constexpr Colour BuildingCounterColour = 0x800000;

bool isVowel(char c) {
    return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U';
}

} // namespace

void Game::newPuzzle() {
    if (m_values.building)
        return;
    hideBanner();
    m_commands.userLevel = false;
    if (isInPlay() && m_values.moveMade)
        appendRecord('Q');
    m_values.moveMade = false;
    // The game on the board ends here, so a build that places nothing leaves no command of
    // the old game enabled and no old timer running.
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

    m_counterColour = BuildingCounterColour;
    m_commands.clueCount = ClueCount::Hidden;
    m_listener.traceCleared();
    m_listener.status("");
    m_values.building = true;
    m_listener.buildStarted();
    m_commands.newGame = false;
    m_listener.advanceTipBanner();

    m_values.level = m_pickerLevel;
    const LayoutRecord& layout = m_levels.at(m_values.level);
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

    m_board.clear();
    m_commands.arrows = false;
    if (!m_board.wordList.empty()) {
        m_board.rows = layout.rows;
        m_board.columns = layout.columns;
        layOutBoard();
        m_listener.playMusic("zqStart.mp3");
        scrambleBoard();
        setDifficulty(layout.letterTotal);
        setTimer(false, 10000);
        m_values.movesLeft = 0;
        adjustMoves(m_values.start);

        const GameValues& v = m_values;
        const std::string trace =
            "level=" + std::to_string(v.level) + " pop=" + std::to_string(v.pop) +
            " penalty=" + std::to_string(v.penalty) + " good=" + std::to_string(v.good) +
            " bad=" + std::to_string(v.bad) + " word=" + std::to_string(v.word) +
            " start=" + std::to_string(v.start) + " delay=" + std::to_string(v.delay);
        if (m_options.trace)
            m_listener.message(trace);
        m_listener.status(std::string(25, ' ') + std::to_string(m_board.wordList.size()) +
                          " words to find, level: " + std::to_string(v.level) +
                          ", advance minimum is " + std::to_string(v.advanceMinimum) +
                          ", dictionary: " + m_options.dictionary);
        m_listener.bannerTimerChanged(true);
        if (fileExists(m_folder + "c999"))
            m_values.clueAllowance = 999;
        m_listener.traceLine(std::to_string(v.pop) + " " + std::to_string(m_timer.intervalMs) +
                             " " + std::to_string(v.clueAllowance));
        m_commands.cluesLeft = v.clueAllowance;
        if (v.clueAllowance < 100)
            m_commands.clueCount = ClueCount::Shown;
        m_values.timerPhase = TimerPhase::Grace;
        setTimer(false, v.delay * 1000);
    }
    endBuild();
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

void Game::scrambleBoard() {
    Board& b = m_board;
    // Letters marked for initial locking never move and are locked once scrambled.
    std::vector<bool> marked(static_cast<std::size_t>(b.tileCount) + 1, false);
    auto markable = [&](int t) {
        const char c = b.tile(t).caption;
        return c != GapChar && c != ' ' && !marked[static_cast<std::size_t>(t)];
    };
    switch (m_options.lock) {
    case LockRule::First:
        for (int t = 1; t <= b.tileCount; ++t)
            if (b.tile(t).wordStart)
                marked[static_cast<std::size_t>(t)] = true;
        break;
    case LockRule::Vowels:
        for (int t = 1; t <= b.tileCount; ++t)
            if (isVowel(b.tile(t).caption))
                marked[static_cast<std::size_t>(t)] = true;
        break;
    case LockRule::Randomly: {
        const int divisor = m_options.handicap < 0 ? 10 : m_options.handicap == 0 ? 15 : 20;
        int wanted = std::max(b.tileCount / divisor, 2);
        int available = 0;
        for (int t = 1; t <= b.tileCount; ++t)
            available += markable(t) ? 1 : 0;
        // The picking ends when no letter is left to mark.
        wanted = std::min(wanted, available);
        while (wanted > 0) {
            const int t = m_random.uniform(1, b.tileCount);
            if (!markable(t))
                continue;
            marked[static_cast<std::size_t>(t)] = true;
            --wanted;
        }
        break;
    }
    case LockRule::None:
        break;
    }

    for (int c = 1; c <= b.columns; ++c) {
        const ColumnGather g = b.gatherColumn(c);
        adjustMoves(1); // progress while building; the counter is set afresh afterwards
        adjustMoves(c);
        std::string letters = g.letters;
        const std::string solution = g.letters;
        if (letters.empty())
            continue;
        const int n = static_cast<int>(letters.size());
        for (int pass = 0; pass < n; ++pass) {
            const int p = m_random.uniform(1, n);
            if (n < 2)
                break;
            int q = p;
            for (int draw = 0; draw < 50 && q == p; ++draw)
                q = m_random.uniform(1, n);
            const int tp = g.tiles[static_cast<std::size_t>(p - 1)];
            const int tq = g.tiles[static_cast<std::size_t>(q - 1)];
            if (!marked[static_cast<std::size_t>(tp)] && !marked[static_cast<std::size_t>(tq)])
                std::swap(letters[static_cast<std::size_t>(p - 1)],
                          letters[static_cast<std::size_t>(q - 1)]);
            // Stop once no letter of the column stands in its solution row.
            bool anyAgree = false;
            for (int i = 0; i < n; ++i)
                anyAgree = anyAgree || letters[static_cast<std::size_t>(i)] ==
                                           solution[static_cast<std::size_t>(i)];
            if (!anyAgree)
                break;
        }
        for (int i = 0; i < n; ++i)
            b.tile(g.tiles[static_cast<std::size_t>(i)]).caption =
                letters[static_cast<std::size_t>(i)];
    }

    for (int t = 1; t <= b.tileCount; ++t) {
        Tile& tile = b.tile(t);
        const bool lockedNow = marked[static_cast<std::size_t>(t)] && tile.caption == tile.solution;
        tile.colour = lockedNow ? LetterColour::Locked : LetterColour::Unlocked;
        tile.locked = lockedNow;
        tile.visible = tile.caption != GapChar;
    }
    hideBanner();
    notifyChanged();
    checkWords(0); // words locked from the start are found at once
}

void Game::setDifficulty(int letterTotal) {
    GameValues& v = m_values;
    const int h = std::clamp(m_options.handicap, -1, 1);
    v.start = letterTotal * (h < 0 ? 3 : h == 0 ? 2 : 1);
    v.penalty = h < 0 ? -1 : h == 0 ? -2 : -3;
    v.delay = h < 0 ? 30 : h == 0 ? 20 : 10;
    v.advanceMinimum = v.start / (h < 0 ? 6 : h == 0 ? 5 : 4);
    v.clueCost = h < 0 ? -5 : h == 0 ? -6 : -7;
    v.lockAllCost = h < 0 ? -3 : h == 0 ? -4 : -5;
    v.good = h < 0 ? 5 : h == 0 ? 4 : 3;
    v.clueAllowance = std::max(letterTotal / (h < 0 ? 5 : h == 0 ? 10 : 20), 2);
    v.pop = 10;
    v.shiftCost = -1;
    v.tileClickCost = -1;
    v.word = -2;
    v.bad = 0;
}

} // namespace quorvel
