// The main window: construction, the board area and the form-level keys.
#include "window/MainWindow.h"

#include "support/DialogFrame.h"

#include "board/BoardBackdrop.h"
#include "board/BoardAccessible.h"
#include "board/BoardView.h"
#include "support/Dialogs.h"
#include "window/HelpCommands.h"
#include "support/HintSwitch.h"
#include "window/IdleClock.h"
#include "dialogs/LevelPicker.h"
#include "window/MainWindowSessionHost.h"
#include "window/MessagePanels.h"
#include "window/MoveEvents.h"
#include "dialogs/OptionsDialog.h"
#include "board/PadlockLabel.h"
#include "audio/AudioStarter.h"
#include "window/Session.h"
#include "support/Announcer.h"
#include "support/Speech.h"
#include "settings/Settings.h"
#include "audio/SoundPlayer.h"
#include "dialogs/StyleDialog.h"
#include "window/StatusBanner.h"
#include "support/StartupTrace.h"
#include "support/Text.h"
#include "dialogs/TraceWindow.h"
#include "dialogs/StatisticsWindow.h"

#include "base/Files.h"
#include "game/Game.h"
#include "model/Layouts.h"
#include "model/OptionMoves.h"
#include "words/WordLists.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvel {

namespace {

int availableHeight(const QWidget* widget) {
    const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().height() : 768;
}

} // namespace

MainWindow::MainWindow(const FileLocations& files, Settings& settings, Dialogs& dialogs,
                       Random& random, SoundPlayer& sound, QWidget* parent)
    : QMainWindow(parent), m_files(files), m_folder(QString::fromStdString(files.programFolder())),
      m_settings(settings), m_dialogs(dialogs), m_sound(sound),
      m_runModal([](QDialog& dialog) { return dialog.exec(); }), m_unfinished(files),
      m_today(&QDate::currentDate) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Quorvel"));
    // Hints show whenever the mouse rests, as the game's help text is meant to: Qt would show
    // them only in the active window, and a desktop without a window manager activates none.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    m_game = std::make_unique<Game>(random, files.programFolder());
    m_events = std::make_unique<MoveEvents>(*this);
    m_host = std::make_unique<MainSessionHost>(*this);
    connectSound();

    // The largest tile comes from the screen once; a new puzzle picks its size from it.
    m_maxTile = maxTileSize(availableHeight(this));
    m_buildTile = tileSizeFor(gameSize(), m_maxTile);

    createBoard();
    connectBoard();
    traceStartupStep("board");
    createMenus();
    createStatusBar();
    createMessages();
    createTimers();
    createAutoSave();
    traceStartupStep("menus and status line");

    loadWordLists();
    traceStartupStep("word lists");
    qApp->installEventFilter(this);
    resize(std::max(400, menuBar()->sizeHint().width()), 300);
    refreshCommands();
}

void MainWindow::connectSound() {
    m_audioStarter = new AudioStarter(m_sound, this);
    connect(m_audioStarter, &AudioStarter::attached, this, [] { traceStartupStep("audio"); });
    m_sound.setBackendWanted([this] {
        traceStartupStep("sound asked for before the audio");
        wantAudio();
    });
    connect(this, &MainWindow::effectRequested, this,
            [this](const QString& name) { m_sound.playSoundNamed(name); });
    connect(this, &MainWindow::musicRequested, this,
            [this](const QString& name) { m_sound.playSoundNamed(name); });
}

// The board panel stands centred in the window, at the board's own size until the player sizes
// the window; then it fills the window (setBoardFillsArea).
void MainWindow::createBoard() {
    m_board = new BoardView(*m_game);
    m_board->setObjectName(QStringLiteral("pGame"));
    m_boardArea = new BoardBackdrop(*m_board, this);
    m_boardArea->setObjectName(QStringLiteral("boardArea"));
    m_boardArea->setAutoFillBackground(true);
    auto* areaLayout = new QVBoxLayout(m_boardArea);
    areaLayout->setContentsMargins(0, 0, 0, 0);
    areaLayout->addWidget(m_board, 0, Qt::AlignHCenter | Qt::AlignTop);
    setCentralWidget(m_boardArea);
    paintBoardArea();
}

// What the player does on the board becomes a move of the game.
void MainWindow::connectBoard() {
    connect(m_board, &BoardView::arrowClicked, this,
            [this](int column, bool down) { play(Move::shift(column, down)); });
    connect(m_board, &BoardView::tileClicked, this, [this](int tile) {
        const Tile& t = m_game->state().board.tile(tile);
        play(Move::click(t.row, t.column));
    });
    connect(m_board, &BoardView::padlockDropped, this, [this](int tile) {
        const Tile& t = m_game->state().board.tile(tile);
        play(Move::drop(t.row, t.column));
    });
    connect(m_board, &BoardView::boardDoubleClicked, this, &MainWindow::newGame);
    connect(m_board, &BoardView::lockAllRequested, this,
            [this] { play(Move::of(Move::Kind::LockAll)); });
    connect(m_board, &BoardView::readAloud, this, [this](const QString& text) { m_announcer->say(text); });
    BoardAccessible::install();
}

void MainWindow::createMessages() {
    m_messages = new MessagePanels(this);
    m_announcer = new Announcer(this);
    connect(m_messages, &MessagePanels::okClicked, this, &MainWindow::bannerOk);
    connect(m_messages, &MessagePanels::bannerTimeUp, this,
            [this] { carryOut(Move::of(Move::Kind::BannerTimeUp)); });
}

void MainWindow::createTimers() {
    m_idleTimer.setObjectName(QStringLiteral("gTimer"));
    // A coarse timer may fire half a second off in ten, and its time left is as far off: the
    // time into an interval kept with an unfinished game would be too.
    m_idleTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_idleTimer, &QTimer::timeout, this, &MainWindow::idleTimerTick);
    m_idleClock = new IdleClock(m_idleTimer, this);
    m_clueStepTimer.setInterval(ClueStepMs);
    connect(&m_clueStepTimer, &QTimer::timeout, this, [this] {
        play(Move::of(Move::Kind::ClueStep));
        if (!m_game->state().clueRunning)
            m_clueStepTimer.stop();
    });
}

Game& MainWindow::game() {
    return *m_game;
}

MainWindow::~MainWindow() {
    // Hidden while the game still exists: hiding moves the focus off the board, and the board
    // asks the game where its cursor frame was.
    hide();
    qApp->removeEventFilter(this);
    m_sound.setBackendWanted(nullptr);
    removeEventFilter(m_idleClock); // dialogs closing as the window goes need not hold the clock
    m_idleTimer.stop();
    m_clueStepTimer.stop();
}

void MainWindow::createWindows() {
    // The order the game has always created its windows in: the options dialog restores its
    // controls and the letter colours first.
    m_options = new OptionsDialog(m_files, m_settings, this);
    traceStartupStep("options dialog");
    m_trace = new TraceWindow(this);
    m_statistics = new StatisticsWindow([this] { return m_files.toRead("zq/stats.zq"); }, this);
    m_levelPicker = new LevelPicker(this);
    m_hints = new HintSwitch(this);
    m_help = new HelpCommands(*this);
    traceStartupStep("trace, statistics, picker, tips");
    m_session = std::make_unique<Session>(*m_host, m_settings, *m_options, *m_hints);
    if (!isVisible()) {
        restoreWindowSize(); // sized before it is placed, so that it is centred at its size
        m_session->restoreWindowPosition(); // framed where it belongs from its first showing
    }
    connect(m_options, &OptionsDialog::templateTileSizeChanged, this, &MainWindow::gameSizeMoved);

    connect(m_options, &OptionsDialog::optionsChanged, this, &MainWindow::applyOptions);
    connect(m_options, &OptionsDialog::traceModeChanged, this, &MainWindow::applyOptions);
    m_host->setLetterColours(m_options->letterColours());

    m_levelPicker->setPreviewSource(
        [this](int level) { return layoutPreview(m_game->levelTable().at(level)); });
    connect(m_levelPicker, &LevelPicker::positionChanged, this,
            [this](int level) { carryOut(Move::pickerLevel(level)); });
    applyOptions();
    // Before any is shown; the dialogs made on first use are framed when they are made.
    for (QDialog* dialog : findChildren<QDialog*>())
        frameAsDialog(dialog);
}

StyleDialog* MainWindow::styleDialog() {
    if (!m_style && m_options) {
        m_style = new StyleDialog(*m_host, m_dialogs, m_settings, this);
        frameAsDialog(m_style);
        for (QDialog* inner : m_style->findChildren<QDialog*>()) // the background's picker
            frameAsDialog(inner);
        m_host->restoreStyleSamples(*m_style);
    }
    return m_style;
}

// Before the options dialog exists, the size an absent setting gives.
int MainWindow::gameSize() const {
    if (m_options)
        return m_options->gameSize();
    return static_cast<int>(settingEntry(Setting::GameSize).fallback);
}

// The options in force are the game's: a change reaches it as moves, which a kept game replays.
void MainWindow::applyOptions() {
    if (m_options)
        for (const Move& move : optionMoves(m_game->options(), m_options->gameOptions()))
            carryOut(move);
    m_board->refresh(); // the definitions switch changes the tiles' hints
}

// The built-in word lists are read once, when the window is made; a list that cannot be read
// is reported and leaves it and the lists after it empty, and the game goes on.
void MainWindow::loadWordLists() {
    try {
        m_game->wordLists().load(m_files);
    } catch (const FileError& error) {
        m_dialogs.warn(this, fromFileSystem(error.what()));
    }
}

void MainWindow::loadLayouts() {
    m_events->handle(m_game->loadLayouts());
    updateLevelCount();
}

void MainWindow::restoreLevel(int level) {
    carryOut(Move::restoreLevel(level));
    refreshCommands();
}

void MainWindow::setBoardColour(const QColor& colour) {
    m_board->setBoardColour(colour);
    paintBoardArea();
}

void MainWindow::updateLevelCount() {
    if (m_levelPicker)
        m_levelPicker->setLevelCount(m_game->state().values.levelCount);
    if (m_statistics)
        m_statistics->setLevelCount(m_game->state().values.levelCount);
}

// Around the centred board panel the window shows the board's colour.
void MainWindow::paintBoardArea() {
    QPalette palette = m_boardArea->palette();
    palette.setColor(QPalette::Window, m_board->boardColour());
    m_boardArea->setPalette(palette);
}

// The player's actions, from the board, the menus and the timers, all reach the game here;
// the events each returns bring the window up to date after it.
// A screen reader hears what a move did once: a word found (shown by the board alone; the word
// that completes the puzzle is told by the notice "Puzzle completed" instead), then the counter
// where the move left it.
void MainWindow::play(const Move& move) {
    if (m_playing) { // made while another move's events are carried out (from a message box)
        carryOut(move);
        return;
    }
    const std::set<int> found = foundWordStarts(m_game->state().board);
    const int cursor = m_board->cursorTile();
    const QString cursorBefore = m_board->tileDescription(cursor);
    struct Playing { // over when the events are, also when one throws
        bool& flag;
        ~Playing() { flag = false; }
    };
    const Outcome outcome = m_game->apply(move);
    m_playing = true;
    const Playing playing{m_playing};
    m_events->handle(outcome.events);
    if (outcome.result != MoveResult::NoEffect)
        gameChanged();
    const QString words = newWordsText(found, m_game->state().board);
    if (!words.isEmpty() && m_game->state().isInPlay())
        m_messages->announce(words);
    sayMovesLeft();
    announceMove(move, cursor, cursorBefore, words);
}

// A screen reader hears what a player's move did, in one message: the cursor's tile when the
// move changed it, the words found, and the moves left ("31 moves left"). The timers' steps
// say nothing: their news, if any, comes as a banner.
void MainWindow::announceMove(const Move& move, int cursor, const QString& cursorBefore,
                              const QString& words) {
    if (move.kind == Move::Kind::Tick || move.kind == Move::Kind::ClueStep ||
        move.kind == Move::Kind::Pause)
        return; // a pause is told by pauseContinue, which knows whether it changed anything
    if (!m_game->state().isInPlay())
        return; // the game ended: its notice and banner, said as they showed, tell it all
    const QString cursorNow = m_board->tileDescription(cursor);
    if (cursorNow != cursorBefore && cursor == m_board->cursorTile()) {
        // "Row 1, column 2: C, locked" is said as "C, locked": the place is where the cursor is.
        m_announcer->say(cursorNow.section(QStringLiteral(": "), 1));
    }
    m_announcer->say(words);
    m_announcer->say(QStringLiteral("%1 moves left").arg(m_counter->text()));
}

void MainWindow::carryOut(const Move& move) {
    const Outcome outcome = m_game->apply(move);
    m_events->handle(outcome.events);
    if (outcome.result != MoveResult::NoEffect)
        gameChanged();
}

void MainWindow::idleTimerTick() {
    play(Move::of(Move::Kind::Tick));
}

// --- form-level keys --------------------------------------------------------------------

// The keys the window takes before any of its widgets: Enter, Return and Space confirm a
// banner while one shows, F12 solves while a game is in play, F2 and F7 always.
bool MainWindow::isFormShortCut(int key) const {
    const bool confirm = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    // Only a banner on screen is confirmed: one that waits for the notice to end is not seen yet.
    return (confirm && m_game->state().banner.visible && m_messages->isBannerVisible()) ||
           (key == Qt::Key_F12 && m_game->state().commands.solve) || key == Qt::Key_F2 ||
           key == Qt::Key_F7;
}

bool MainWindow::formShortCut(int key) {
    if (!isFormShortCut(key))
        return false;
    if (key == Qt::Key_F2) {
        newGame();
    } else if (key == Qt::Key_F7) {
        // Consumed even while Settings is disabled.
        if (m_game->state().commands.settings)
            settings();
    } else if (key == Qt::Key_F12) {
        solve();
    } else {
        bannerOk();
    }
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    // The board panel's colour fills the window around the puzzle, and before the first game the
    // puzzle takes almost no room: a double-click there is on the board as much as between tiles.
    if (watched == m_boardArea && type == QEvent::MouseButtonDblClick) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = m_board->mapFrom(m_boardArea, mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && m_board->doubleClickStartsGame(at))
            newGame();
        return true;
    }
    if (type == QEvent::Paint && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        if (!m_painted) {
            traceStartupStep("first paint");
            // What start-up left for after the first paint runs once the window is on screen.
            QTimer::singleShot(0, this, &MainWindow::afterFirstPaint);
        }
        m_painted = true;
        if (m_audioWanted && !m_audioStarter->hasStarted())
            startAudioAfterThisPaint();
    }
    // The pointer moving over a window of the game, a click, a key: the player is here, and the
    // audio starts so that it is ready by the time a sound is due. (Not the pointer's entering:
    // a window that opens under a resting pointer is entered without the player doing a thing.)
    if (!m_audioWanted &&
        (type == QEvent::MouseMove || type == QEvent::MouseButtonPress ||
         type == QEvent::KeyPress || type == QEvent::Wheel))
        wantAudio();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    // Only keys meant for this window: not those of a dialog shown over it.
    if (!widget || widget->window() != this || QApplication::activeModalWidget())
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = key->key();
    if (!isFormShortCut(code))
        return QMainWindow::eventFilter(watched, event);
    if (type == QEvent::ShortcutOverride) {
        // Claiming the key here keeps the menu's shortcut from running before this handler.
        event->accept();
        return true;
    }
    formShortCut(code);
    return true;
}

bool MainWindow::event(QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::Show && !m_shown && m_session) {
        m_shown = true;
        m_session->windowShown();
    }
    // The start-up sequence runs at the first activation only (the session keeps it so). A
    // desktop without a window manager may never activate the window, so the first show
    // starts it too. Queued, so that the window is on screen before any question it asks.
    if ((type == QEvent::WindowActivate || type == QEvent::Show) && m_session &&
        !m_session->hasStarted() && !m_startUpQueued) {
        m_startUpQueued = true;
        QTimer::singleShot(0, this, [this] {
            traceStartupStep("start-up sequence begins");
            m_session->startUp();
            m_startUpDone = true;
            refreshCommands();
            traceStartupStep("start-up sequence");
        });
    }
    return QMainWindow::event(event);
}

// Loading the audio takes about as long as showing the window, and on a busy machine it would
// slow whatever the player's action drew: it starts once the window has painted that, or
// shortly after an action that paints nothing.
void MainWindow::wantAudio() {
    if (m_audioWanted)
        return;
    m_audioWanted = true;
    QTimer::singleShot(AudioAfterQuietActionMs, m_audioStarter, &AudioStarter::start);
}

// A zero timer set during the paint runs once the whole window is painted and flushed, before
// anything else the paint asked for later; the second one runs after all of it.
void MainWindow::startAudioAfterThisPaint() {
    QTimer::singleShot(0, m_audioStarter,
                       [this] { QTimer::singleShot(0, m_audioStarter, &AudioStarter::start); });
}

// What start-up left for after the first paint, in its order: the unfinished game, then the
// tip shown over it.
void MainWindow::afterFirstPaint() {
    if (m_resumePending) {
        m_resumePending = false;
        resumeUnfinishedGame(true);
        traceStartupStep("unfinished game resumed");
    }
    if (m_tipPending && m_help) {
        m_tipPending = false;
        m_help->tipAtStartUp();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_shutDown && m_session) {
        m_shutDown = true;
        m_clueStepTimer.stop();
        storeWindowSize();
        m_session->shutDown();
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::sayMovesLeft() {
    updateSpokenText(m_counter, QStringLiteral("Moves left"), m_counter->text());
}

// A file that cannot be written is reported once a run: the game goes on without it, and the
// same warning after every game would only be in the way.
void MainWindow::warnWriteFailed(const QString& text) {
    if (m_writeWarned)
        return;
    m_writeWarned = true;
    m_dialogs.warn(this, text);
}

void MainWindow::warnSettingsNotWritten() {
    warnWriteFailed(QStringLiteral("Cannot write the settings file %1\n\n%2")
                        .arg(m_settings.path(), m_settings.lastError()));
}

void MainWindow::writeLevelSetting(int level) {
    if (!m_options)
        return; // only a window with its dialogs made (createWindows) keeps what it shows
    if (!m_settings.writeInteger(Setting::Level, level))
        warnSettingsNotWritten();
}

} // namespace quorvel
