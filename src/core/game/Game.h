// One game of Quorvel without any window: its state, and the moves that change it.
//
// The rules (rules/) are out of reach of every front end: a game changes only through apply.
#pragma once

#include "model/GameEvent.h"
#include "model/GameState.h"
#include "model/GameTypes.h"
#include "model/Layouts.h"
#include "model/Move.h"
#include "model/PuzzleCode.h"
#include "model/Random.h"
#include "model/SavedGame.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

class Dictionary;
class WordLists;
struct Play;
struct PuzzleSource;

// What a move did: nothing (a command not on offer, a cell off the board), changed the game,
// or ended the game that was in play (won, failed or given up).
enum class MoveResult { NoEffect, Changed, GameOver };

// A move's outcome: what it did, and what it asks its front end for, in order (see GameEvent).
// A front end handles the events after apply returns, so nothing it opens runs inside a move.
struct Outcome {
    MoveResult result = MoveResult::NoEffect;
    std::vector<GameEvent> events;
};

// Why a saved game was not resumed: its file is damaged, or the words or levels it was made
// from have changed since.
enum class ResumeProblem { None, Damaged, DataChanged };
struct ResumeResult {
    ResumeProblem problem = ResumeProblem::None;
    std::string message; // for the player; empty when the game was resumed
    std::vector<GameEvent> events; // a resumed game's one stateChanged
};

class Game {
public:
    // folder: the program folder (with its trailing '/'): kbs/, c999 are found there.
    Game(Random& random, std::string folder);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // --- what the game is given -------------------------------------------------------
    // The player's options in force: part of the state, changed by the option moves.
    const GameOptions& options() const { return m_state.options; }
    // LoadLayouts' result; keeps the picker in range. What it shows comes back as events.
    std::vector<GameEvent> setLevelTable(LevelTable table);
    const LevelTable& levelTable() const { return m_levels; }
    // LoadLayouts from the program folder's zq/formats (built-in levels when it offers none);
    // the events say why a file was not used as it stands.
    std::vector<GameEvent> loadLayouts();
    void setToday(std::function<CivilDate()> today) { m_today = std::move(today); }

    // --- every player's action, whichever front end it comes from ------------------------
    // A move that names no cell or column of the board does nothing. A clue begins with Clue;
    // its shifts follow as ClueSteps while the state's clueRunning (the window waits between).
    // A move is all or nothing: a rule that throws leaves the game as it was before the move
    // (its events are dropped) and the exception goes on to the caller.
    Outcome apply(const Move& move);
    const GameState& state() const { return m_state; }
    // Carries on from a game saved or set up elsewhere (a board read from its text form); the
    // moves of the game before are forgotten.
    void resume(GameState state);

    // --- sharing a puzzle, the daily puzzle, saving a game -------------------------------
    // The code of the board in play or last built; "" when none was built.
    std::string puzzleCode() const;
    // Reads a code and checks it against this game's data: its level exists, and its
    // dictionary and that level's layout are the ones it was made from.
    CodeRead readPuzzleCode(std::string_view code);
    // The installed dictionaries: the names of kbs/*.dic, sorted.
    std::vector<std::string> dictionaryNames() const;
    // The day's puzzle, from the date alone and this game's levels and words.
    PuzzleSpec dailyPuzzle(const CivilDate& date);
    // Every move that changed the game since the last build (the build's own move not among
    // them): what a saved game replays.
    const std::vector<Move>& movesSincePuzzle() const { return m_movesSincePuzzle; }
    // The game in play, to be resumed later; msIntoInterval: the time into the game timer's
    // interval (a front end that runs the timer itself passes its own).
    SavedGame saveGame(int msIntoInterval) const;
    // Rebuilds a saved game quietly (its events are only one stateChanged at the end, and
    // come back in the result), replaying its moves through apply, so a hostile file can only make legal moves. The
    // time into the interval comes back as the state's timerElapsedMs. A game that cannot be
    // rebuilt leaves this game as it was. Meant for start-up, before a puzzle is in play: a
    // game in play would end unheard, without its record.
    ResumeResult resumeGame(const SavedGame& saved);

    // --- the words behind the board, for the windows that show definitions ------------------
    WordLists& wordLists() { return *m_wordLists; }
    Dictionary& dictionary() { return *m_dictionary; }

private:
    Play play();
    ResumeResult replay(const SavedGame& saved);

    EventLog m_events; // what the move under way asks for
    Random& m_random;
    std::string m_folder;
    GameOptions m_optionsInForce; // the player's, or those of the shared puzzle on the board
    GameOptions m_optionsAtBuild; // the player's when the board in play was built
    LevelTable m_levels;
    GameState m_state;
    std::unique_ptr<Dictionary> m_dictionary;
    std::unique_ptr<WordLists> m_wordLists;
    std::unique_ptr<PuzzleSource> m_puzzles;
    std::function<CivilDate()> m_today;
    std::vector<Move> m_movesSincePuzzle;
};

} // namespace quorvel
