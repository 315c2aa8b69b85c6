// The main window: menus and shortcuts, the board, the counter and status line, the in-board
// messages, the level picker, and the game's requests carried out on screen.
#pragma once

#include "base/FileLocations.h"
#include "model/Geometry.h"
#include "records/DailyRecords.h"
#include "records/RecordKeeper.h"
#include "window/UnfinishedGame.h"

#include <QMainWindow>
#include <QStringList>
#include <QTimer>

#include <QDate>

#include <functional>
#include <memory>
#include <optional>

class AudioStarter;
class AutoSave;
class BoardView;
class Dialogs;
class HintSwitch;
class IdleClock;
class PadlockLabel;
class QAction;
class QDialog;
class QLabel;
class QMenu;
class Session;
class OptionsDialog;
class Settings;
class SoundPlayer;
class StyleDialog;

namespace quorvel {

class Announcer;
class DailyResultsWindow;
class HelpCommands;
class PuzzleCodeDialog;
class MainSessionHost;
class MessagePanels;
class MoveEvents;
class Game;
struct Commands;
struct Move;
class Random;
class StatusBanner;
class TraceWindow;
class LevelPicker;
class StatisticsWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int ClueStepMs = 250;
    static constexpr int AudioAfterQuietActionMs = 100;

    // Every menu item, by what it does; their object names are the game's own (in comments).
    struct MenuItems {
        QAction* statistics = nullptr;       // HonorRoll2
        QAction* freeWordLists = nullptr;    // FreeWordLists2
        QAction* newLayouts = nullptr;       // GetNewLayouts
        QAction* exportLevels = nullptr;     // mExport
        QAction* rebuildWordLists = nullptr; // m345
        QAction* exit = nullptr;             // Exit1
        QAction* newGame = nullptr;          // Game1
        QAction* randomLevel = nullptr;      // Random1
        QAction* previousLevel = nullptr;    // PreviousLevel1
        QAction* nextLevel = nullptr;        // NextLevel1
        QAction* pickLevel = nullptr;        // PickaLevel1
        QAction* pauseContinue = nullptr;    // PauseContinue
        QAction* undo = nullptr;             // mUndo
        QAction* clue = nullptr;             // mClue
        QAction* solve = nullptr;            // mSolve
        QAction* copyPuzzleCode = nullptr;   // mCopyCode
        QAction* playPuzzleCode = nullptr;   // mPlayCode
        QAction* dailyPuzzle = nullptr;      // mDaily
        QAction* dailyResults = nullptr;     // mDailyResults
        QAction* settings = nullptr;         // mSettings
        QAction* styles = nullptr;           // Styles1
        QAction* banner = nullptr;           // Banner
        QAction* hints = nullptr;            // mHints
        QAction* sound = nullptr;            // mSOund
        QAction* music = nullptr;            // mMusic
        QAction* lockMarks = nullptr;        // mLockMarks
        QAction* trace = nullptr;            // mTrace
        QAction* howToPlay = nullptr;        // Contents1
        QAction* tipOfTheDay = nullptr;      // mTip
        QAction* emailSupport = nullptr;     // ByEmail1
        QAction* news = nullptr;             // TryOtherGames1
        QAction* webSite = nullptr;          // WebSite2
        QAction* dictionarySite = nullptr;   // mDictionarySite
        QAction* about = nullptr;            // About3
    };

    // files: where the shipped data and the player's own files are (see FileLocations);
    // settings: the player's settings file, which the window and its dialogs share for the
    // run; dialogs answer questions and warnings; random draws every puzzle; sound plays the
    // effects and music. All of them outlive the window.
    MainWindow(const FileLocations& files, Settings& settings, Dialogs& dialogs, Random& random,
               SoundPlayer& sound, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Creates the windows that come after the main window, in their order; main() and the
    // tests call it once, right after the main window exists.
    void createWindows();

    Game& game();
    const QString& programFolder() const { return m_folder; }
    Dialogs& dialogs() { return m_dialogs; }
    BoardView* boardView() const { return m_board; }
    StatusBanner& statusBanner() { return *m_status; }
    OptionsDialog* optionsDialog() const { return m_options; }
    // Effects and music, as handed in.
    SoundPlayer& sound() { return m_sound; }
    // Starts the audio at the player's first action in the game's windows (or the first sound
    // asked for), not with the window: until the game is played it holds no audio output.
    AudioStarter& audioStarter() { return *m_audioStarter; }
    // The style dialog, made when first asked for (after createWindows) with the samples that
    // start-up restored: the first paint does not wait for it.
    StyleDialog* styleDialog();
    StyleDialog* existingStyleDialog() const { return m_style; }
    const MenuItems& menuItems() const { return m_actions; }
    QTimer& idleTimer() { return m_idleTimer; }
    QTimer& clueStepTimer() { return m_clueStepTimer; }

    // Modal dialogs run through this, so tests can answer them; QDialog::exec by default.
    void setModalRunner(std::function<int(QDialog&)> runner) { m_runModal = std::move(runner); }
    int runModal(QDialog& dialog) { return m_runModal(dialog); }
    // The Help menu's commands and dialogs (tips, news, about, word look-up).
    HelpCommands* help() const { return m_help; }
    // The switch for the hover hints that the Hover Hints item turns on and off.
    HintSwitch* hintSwitch() const { return m_hints; }
    // The puzzle code dialog and the daily results window, made when first asked for.
    PuzzleCodeDialog* puzzleCodeDialog();
    DailyResultsWindow* dailyResultsWindow();
    // The player's calendar day: the daily puzzle's date and its records' "today".
    // QDate::currentDate unless replaced (tests live on a date of their own).
    void setToday(std::function<QDate()> today);

    // --- commands: the menu items, their keys and the tests call these ---------------------
    void newGame();
    void randomLevel();
    void previousLevel();
    void nextLevel();
    void pickLevel(); // opens the level picker; its track bar's level is taken however it closes
    void showStatistics(); // the history, modally
    void settings();  // opens the options dialog; its New Game button starts a puzzle
    void styles();    // opens the style dialog for the tiles' and the board's look
    void pauseContinue();
    void undo();
    void clue(); // begins a clue; its steps follow on the clue-step timer
    void solve();
    void exportLevels();     // writes the level table to the file zqf (trace mode only)
    void rebuildWordLists(); // the 3-5 letter lists drawn afresh from the loaded dictionary
    void bannerOk();
    // Puzzle codes: the board's code to the clipboard, and a code from the player played.
    void copyPuzzleCode();
    void playPuzzleCode();
    // Today's daily puzzle, and the daily results with the streaks.
    void dailyPuzzle();
    void showDailyResults();
    // The idle timer's interval ran out: the first ends the grace, later ones cost moves.
    void idleTimerTick();
    // Any move of the player's, applied; what it asked for is carried out once it is over, and
    // a screen reader hears what it did.
    void play(const Move& move);
    bool formShortCut(int key); // true when the key was handled here
    bool isFormShortCut(int key) const;

    Session* session() const { return m_session.get(); }
    // The options the game reads, taken from the options dialog.
    void applyOptions();

    // --- what start-up restores -------------------------------------------------------------
    // Reads the level table and shows its size in the level picker and the statistics.
    void loadLayouts();
    // Shows the level the settings kept, brought within the level table.
    void restoreLevel(int level);
    // The board's colour, on the board panel and in the window around it.
    void setBoardColour(const QColor& colour);
    // The game left in play at the last shut-down, back on the board (or set aside with a
    // message when it cannot be rebuilt); with resume false it is only forgotten.
    // Rebuilding a game costs a dictionary load, which the first paint does not wait for:
    // asked before it, the game comes back just after it.
    void resumeUnfinishedGame(bool resume);
    bool isResumePending() const { return m_resumePending; }
    // The tip of the day of start-up; shown over a game still to be resumed once it is back.
    void tipAtStartUp();
    // At shut-down: the game in play kept for the next run when keep is true and there is one;
    // otherwise any kept game is forgotten.
    // Before closing, the pending records are tried again too; with something still unwritten
    // the player is asked to try again or close anyway (unless the session is ending).
    void keepUnfinishedGame(bool keep);
    // The game in play written now, and the records waiting (the session manager asks).
    void saveBeforeSessionEnd();
    // Log-out, shut-down or a signal: saved and closed without a question.
    void closeForSessionEnd();
    // A second start on this folder asked for this window.
    void bringToFront();

signals:
    // Sounds and music the game asks for; the audio side connects here.
    void effectRequested(const QString& name);
    void musicRequested(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createMenus();
    void createFileMenu();
    void createGameMenu();
    void createOptionsMenu();
    void createHelpMenu();
    void createPuzzleItems(QMenu* game);
    void connectOptionSwitches();
    void createStatusBar();
    void connectSound();
    void createBoard();
    void connectBoard();
    void createMessages();
    void createTimers();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
    void refreshCommands();
    static QString clueCaption(const Commands& commands);
    void layOutWindow();
    void fitWindowToBoard(TileSize tile);
    void keepPlayersSize();
    void restoreWindowSize();
    void storeWindowSize();
    void gameSizeMoved();
    void setBoardFillsArea(bool fills);
    void keepMenuBarOnOneLine();
    void keepOnScreen();
    TileSize tileForScreen(int columns, int rows) const;
    int gameSize() const; // the options dialog's Game Size position
    void carryOut(const Move& move); // applied, its events carried out, nothing said
    void sayMovesLeft(); // the counter's number to a screen reader, by its name
    void announceMove(const Move& move, int cursor, const QString& cursorBefore,
                      const QString& words);
    void writeLevelSetting(int level);
    void storeOptions();
    void warnWriteFailed(const QString& text); // the first failed write of a run only
    void warnSettingsNotWritten(); // warnWriteFailed for the settings file
    void updateLevelCount();
    void loadWordLists();
    void paintBoardArea();
    void wantAudio();
    void startAudioAfterThisPaint();
    void afterFirstPaint();
    void showResumedGame(int msIntoInterval);
    void playTextMove(const std::string& text); // a move in its text form
    CivilDate today() const;
    std::vector<DailyRecord> dailyRecords() const;
    void showDailyRecord(const CivilDate& date, const QString& note);
    void keepDailyResult(const DailyResult& result); // in the daily records, then shown
    QString dailyNote(const RecordKeeper::Outcome& outcome);
    void createAutoSave();
    void gameChanged();
    std::optional<QString> saveGameInPlay();
    void warnRecordPending(const std::string& problem);
    QStringList unwrittenAtClose(bool keepGame);

    friend class MoveEvents; // carries out a move's events on the window's parts

    FileLocations m_files;
    QString m_folder;
    Settings& m_settings;
    Dialogs& m_dialogs;
    std::unique_ptr<Game> m_game;
    std::unique_ptr<MoveEvents> m_events;
    std::unique_ptr<MainSessionHost> m_host;
    std::unique_ptr<Session> m_session;
    SoundPlayer& m_sound;
    AudioStarter* m_audioStarter = nullptr;
    HintSwitch* m_hints = nullptr;
    std::function<int(QDialog&)> m_runModal;

    BoardView* m_board = nullptr;
    QWidget* m_boardArea = nullptr;
    QLabel* m_counter = nullptr;
    PadlockLabel* m_lock = nullptr;
    PadlockLabel* m_lockAll = nullptr;
    PadlockLabel* m_blankPadlock = nullptr;
    StatusBanner* m_status = nullptr;
    MessagePanels* m_messages = nullptr;
    Announcer* m_announcer = nullptr; // what a screen reader speaks
    QMenu* m_levelMenu = nullptr;
    MenuItems m_actions;

    // Children of the main window, created by createWindows().
    OptionsDialog* m_options = nullptr;
    TraceWindow* m_trace = nullptr;
    HelpCommands* m_help = nullptr;
    LevelPicker* m_levelPicker = nullptr;
    StyleDialog* m_style = nullptr;
    StatisticsWindow* m_statistics = nullptr;
    PuzzleCodeDialog* m_codeDialog = nullptr;
    DailyResultsWindow* m_dailyResults = nullptr;

    UnfinishedGame m_unfinished;
    AutoSave* m_autoSave = nullptr;
    RecordKeeper m_records; // statistics lines and daily results, kept until written
    std::function<QDate()> m_today;
    std::optional<DailyResult> m_lastDaily; // the daily game finished in this run, if any

    QTimer m_idleTimer;
    QTimer m_clueStepTimer;
    IdleClock* m_idleClock = nullptr; // drives m_idleTimer
    TileSize m_maxTile;
    TileSize m_buildTile; // the Game Size's tile when the last build began
    bool m_shown = false;
    // The player sized the window (by dragging or maximising it, in an earlier run, or at the
    // first start from the screen): a new board keeps its size and fills it. Until then each
    // board's window fits it at the Game Size's scale.
    bool m_playerSized = false;
    QSize m_sizeAsked;  // the size the window was last given here, told from the player's
    QSize m_chosenSize; // the player's size while m_playerSized
    bool m_startUpDone = false;
    bool m_startUpQueued = false;
    bool m_painted = false;       // the window has been painted once
    bool m_audioWanted = false;   // the audio starts after the next paint
    bool m_resumePending = false; // an unfinished game waits for the first paint
    bool m_tipPending = false;    // and the tip of the day waits for it
    bool m_shutDown = false;
    bool m_askBeforeLosing = true; // false when the session or a signal ends the program
    bool m_writeWarned = false;
    bool m_recordsWarned = false; // records wait unwritten, and the player has been told
    bool m_playing = false; // a move's events are carried out: the counter is told once, after
};

} // namespace quorvel
