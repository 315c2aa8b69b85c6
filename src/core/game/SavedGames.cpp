// Saving the game in play, and rebuilding a saved game by replaying its moves.
#include "game/Game.h"

#include "model/OptionMoves.h"
#include "rules/Play.h"
#include "rules/SharedPuzzle.h"

#include <algorithm>
#include <exception>
#include <vector>
#include <utility>

namespace quorvel {

namespace {

ResumeResult damaged() {
    return {ResumeProblem::Damaged,
            "The saved game could not be read, so it was set aside. A new game can be started.",
            {}};
}

ResumeResult dataChanged() {
    return {ResumeProblem::DataChanged,
            "The saved game was made from word lists or levels that have changed since, so it "
            "was set aside. A new game can be started.",
            {}};
}

} // namespace

SavedGame Game::saveGame(int msIntoInterval) const {
    SavedGame saved;
    saved.code = puzzleCode();
    saved.daily = m_state.daily;
    saved.options = m_optionsAtBuild;
    saved.moves = m_movesSincePuzzle;
    saved.timerPhase = m_state.values.timerPhase;
    saved.msIntoInterval = std::max(0, msIntoInterval);
    return saved;
}

ResumeResult Game::resumeGame(const SavedGame& saved) {
    const GameState before = m_state;
    const std::vector<Move> movesBefore = m_movesSincePuzzle;
    const GameOptions optionsBefore = m_optionsAtBuild;
    const PuzzleSource puzzlesBefore = *m_puzzles;
    ResumeResult result;
    try {
        result = replay(saved);
    } catch (const std::exception&) {
        result = damaged();
    }
    if (result.problem != ResumeProblem::None) {
        // The dictionary loaded meanwhile stays loaded: its name must say which it is.
        const std::string loaded = m_state.loadedDictionary;
        m_state = before;
        m_state.loadedDictionary = loaded;
        m_movesSincePuzzle = movesBefore;
        m_optionsAtBuild = optionsBefore;
        *m_puzzles = puzzlesBefore;
        return result;
    }
    m_events.clear();
    m_events.stateChanged();
    result.events = m_events.take();
    return result;
}

// The options at the build, the board from the code, then every move as the player made it:
// their events are not told, as the game comes back as it was, not as it was played. Each
// move must change the game, none may end it or build another board.
ResumeResult Game::replay(const SavedGame& saved) {
    if (saved.moves.size() > MaxSavedMoves)
        return damaged();
    if (saved.options) // a game saved before the options were kept plays with today's
        for (const Move& move : optionMoves(m_state.options, *saved.options))
            apply(move);
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
    // A game built with the player's own options goes on as one: only a shared puzzle keeps
    // options of its own.
    const GameOptions own = optionsInForce(m_state.options, m_state);
    const GameOptions& player = m_state.options;
    if (!saved.daily && own.dictionary == player.dictionary && own.handicap == player.handicap &&
        own.lock == player.lock && own.timed == player.timed)
        m_state.puzzleOwnOptions = false;
    m_optionsAtBuild = m_state.options;
    const int builds = m_puzzles->builds;
    for (const Move& move : saved.moves) {
        if (apply(move).result == MoveResult::NoEffect || !m_state.isInPlay() ||
            m_puzzles->builds != builds)
            return damaged();
    }
    if (m_state.values.timerPhase != saved.timerPhase)
        return damaged();
    if (m_state.timer.enabled && m_state.timer.intervalMs > 0)
        m_state.timerElapsedMs = std::clamp(saved.msIntoInterval, 0, m_state.timer.intervalMs - 1);
    return {};
}

} // namespace quorvel
