// One game of Quorvel without any window: its state, and the rules (rules/) that change it.
#pragma once

#include "model/Board.h"
#include "model/GameState.h"
#include "model/GameListener.h"
#include "model/GameTypes.h"
#include "model/Layouts.h"
#include "model/Move.h"
#include "model/Random.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorvel {

class Dictionary;
class WordLists;
struct Play;

class Game {
public:
    // folder: the program folder (with its trailing '/'): kbs/, c999 are found there.
    Game(GameListener& listener, Random& random, std::string folder);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // --- what the game is given -------------------------------------------------------
    void setOptions(const GameOptions& options) { m_options = options; }
    const GameOptions& options() const { return m_options; }
    void setLevelTable(LevelTable table); // LoadLayouts' result; keeps the picker in range
    const LevelTable& levelTable() const { return m_levels; }
    // LoadLayouts from the program folder's zq/formats (built-in levels when it offers none);
    // the listener hears why a file was not used as it stands.
    void loadLayouts();
    WordLists& wordLists() { return *m_wordLists; }
    Dictionary& dictionary() { return *m_dictionary; }
    const std::string& loadedDictionaryName() const { return m_state.loadedDictionary; }
    void setToday(std::function<CivilDate()> today) { m_today = std::move(today); }

    // --- what the front end reads -----------------------------------------------------
    const Board& board() const { return m_state.board; }
    const GameState& state() const { return m_state; }
    const GameValues& values() const { return m_state.values; }
    const Commands& commands() const { return m_state.commands; }
    const BannerState& banner() const { return m_state.banner; }
    const TimerState& timer() const { return m_state.timer; }
    int pickerLevel() const { return m_state.pickerLevel; } // the level picker's track bar tbLevel
    Colour counterColour() const { return m_state.counterColour; }
    int clueColumn() const {
        return m_state.clueColumn;
    } // the column whose arrow a clue shows white; 0 none
    bool clueRunning() const { return m_state.clueRunning; }
    bool isInPlay() const { return m_state.commands.solve; }

    // --- every player's action, whichever front end it comes from ------------------------
    // A move that names no cell or column of the board does nothing. A clue begins with Clue;
    // its shifts follow as ClueSteps while clueRunning() (the window waits between them).
    void apply(const Move& move);
    // The tile in a cell of the board (rows and columns from 1), 0 for none.
    int cellTile(int row, int column) const;

    // --- engine: new puzzle, moves, game end, levels, banner --------------------------
    void newPuzzle();               // ends the game on the board (a quit if moved) and builds
    void adjustMoves(int delta);    // AdjustMoves
    void showLevel(int level);      // ShowLevel
    // The level stored in the settings, shown at start-up: one beyond the table becomes the
    // last level, so no later step starts from a number the table cannot hold.
    void restoreLevel(int stored);
    void setPickerLevel(int level); // tbLevel's position, kept within 1..LevelCount
    void randomLevel();             // each of these three shows its level and builds there
    void previousLevel();
    void nextLevel();
    void levelPicked(bool startGame); // after the picker closes: Level := tbLevel; ShowLevel
    void showBanner(int seconds, Colour colour, const std::string& text);
    void hideBanner(); // also when a timed banner's time is up
    void bannerOk();   // the banner's OK; after a win, Auto Advance builds next
    std::string recordLine(char result) const; // the statistics line for this game, no CR LF

    // --- play: shifting and locking, word check ----------------------------------------
    void shiftColumn(int column, bool down); // the arrow above shifts down, the one below up
    void clickTile(int tile);                // locks a free letter, or frees a locked one
    void dropPadlock(int tile);              // pCopyDragDrop
    void lockAll();                          // holds every word found, or lets them go
    void checkWords(int focusTile);          // CheckWords

    // --- play: game timer ---------------------------------------------------------------
    void timerTick();     // the front end's idle timer calls it when the interval elapses
    void elapse(int ms);  // advance the game clock; ticks fire exactly as a timer would
    void pauseContinue(); // stops the timer and the board, or starts them again

    // --- play: clue, solve, undo ----------------------------------------------------------
    // A clue in steps: beginClue picks the letter and charges; each clueStep shifts once
    // (the front end waits 250 ms before each); true while more steps are wanted.
    bool beginClue();
    bool clueStep();
    void solve();   // gives up: the solution is shown, a moved game recorded as a quit
    void undo();    // takes back every alternative word for a flat price

private:
    friend struct GameTestAccess; // defined by the tests, to set up boards directly

    Play play();
    void setDifficulty(int letterTotal);

    GameListener& m_listener;
    Random& m_random;
    std::string m_folder;
    GameOptions m_options;
    LevelTable m_levels;
    GameState m_state;
    std::unique_ptr<Dictionary> m_dictionary;
    std::unique_ptr<WordLists> m_wordLists;
    std::function<CivilDate()> m_today;
    int m_movesApplying = 0; // apply() calls under way: their notices wait for the end
};

} // namespace quorvel
