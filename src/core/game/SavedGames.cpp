// Saving the game in play, and rebuilding a saved game by replaying its moves.
#include "game/Game.h"

#include "rules/Play.h"
#include "rules/SharedPuzzle.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace quorvel {

namespace {

ResumeResult damaged() {
    return {ResumeProblem::Damaged,
            "The saved game could not be read, so it was set aside. A new game can be started."};
}

ResumeResult dataChanged() {
    return {ResumeProblem::DataChanged,
            "The saved game was made from word lists or levels that have changed since, so it "
            "was set aside. A new game can be started."};
}

} // namespace

SavedGame Game::saveGame(int msIntoInterval) const {
    SavedGame saved;
    saved.code = puzzleCode();
    saved.daily = m_state.daily;
    saved.moves = m_movesSincePuzzle;
    saved.timerPhase = m_state.values.timerPhase;
    saved.msIntoInterval = std::max(0, msIntoInterval);
    return saved;
}

ResumeResult Game::resumeGame(const SavedGame& saved) {
    const GameState before = m_state;
    const std::vector<Move> movesBefore = m_movesSincePuzzle;
    const PuzzleSource puzzlesBefore = *m_puzzles;
    GameListener silent;
    GameListener* const listener = std::exchange(m_listener, &silent);
    ResumeResult result;
    try {
        result = replay(saved);
    } catch (const std::exception&) {
        result = damaged();
    }
    m_listener = listener;
    if (result.problem != ResumeProblem::None) {
        // The dictionary loaded meanwhile stays loaded: its name must say which it is.
        const std::string loaded = m_state.loadedDictionary;
        m_state = before;
        m_state.loadedDictionary = loaded;
        m_movesSincePuzzle = movesBefore;
        *m_puzzles = puzzlesBefore;
        return result;
    }
    m_listener->stateChanged();
    return result;
}

// The board from the code, then every move as the player made it: each must change the game,
// none may end it or build another board.
ResumeResult Game::replay(const SavedGame& saved) {
    if (saved.moves.size() > MaxSavedMoves)
        return damaged();
    const CodeRead read = readPuzzleCode(saved.code);
    if (!read.puzzleSpec)
        return read.problem == CodeProblem::Mistyped ? damaged() : dataChanged();
    Move first = Move::playCode(saved.code);
    if (saved.daily) {
        if (!(dailyPuzzle(*saved.daily) == *read.puzzleSpec))
            return dataChanged();
        first = Move::daily(*saved.daily);
    }
    apply(first);
    if (!m_state.isInPlay())
        return dataChanged(); // the words of the same file no longer fill the board
    const int builds = m_puzzles->builds;
    for (const Move& move : saved.moves) {
        if (apply(move) == MoveResult::NoEffect || !m_state.isInPlay() ||
            m_puzzles->builds != builds)
            return damaged();
    }
    if (m_state.values.timerPhase != saved.timerPhase)
        return damaged();
    if (m_state.timer.enabled && m_state.timer.intervalMs > 0)
        m_state.timerElapsedMs = std::clamp(saved.msIntoInterval, 0, m_state.timer.intervalMs - 1);
    // A game built with the player's own options goes on as one: only a shared puzzle keeps
    // options of its own.
    const GameOptions own = optionsInForce(m_options, m_state);
    if (!saved.daily && own.dictionary == m_options.dictionary &&
        own.handicap == m_options.handicap && own.lock == m_options.lock &&
        own.timed == m_options.timed)
        m_state.puzzleOwnOptions = false;
    return {};
}

} // namespace quorvel
