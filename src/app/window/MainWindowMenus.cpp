// The main window's menus, status bar and commands, and how they follow the game's state.
#include "window/MainWindow.h"

#include "game/Game.h"
#include "window/MoveEvents.h"

#include "board/BoardView.h"
#include "support/Announcer.h"
#include "support/Dialogs.h"
#include "support/HintSwitch.h"
#include "dialogs/LevelPicker.h"
#include "window/MessagePanels.h"
#include "dialogs/OptionsDialog.h"
#include "settings/Settings.h"
#include "board/PadlockLabel.h"
#include "audio/SoundPlayer.h"
#include "dialogs/StatisticsWindow.h"
#include "window/StatusBanner.h"
#include "dialogs/StyleDialog.h"
#include "support/Text.h"
#include "dialogs/TraceWindow.h"

#include "base/Files.h"
#include "base/WebAddresses.h"
#include "model/Layouts.h"
#include "words/Dictionary.h"
#include "words/WordLists.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace quorvel {

namespace {

const QString CounterHint = QStringLiteral("Number of moves remaining - end of game at 0.");

} // namespace

QAction* MainWindow::addItem(QMenu* menu, const char* name, const QString& caption,
                             const QKeySequence& shortcut) {
    auto* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        item->setShortcut(shortcut);
    return item;
}

void MainWindow::createMenus() {
    createFileMenu();
    createGameMenu();
    createOptionsMenu();
    createHelpMenu();
}

void MainWindow::createFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    MenuItems& items = m_actions;
    items.statistics = addItem(file, "HonorRoll2", QStringLiteral("&Statistics"));
    connect(items.statistics, &QAction::triggered, this, &MainWindow::showStatistics);
    items.freeWordLists = addItem(file, "FreeWordLists2", QStringLiteral("Get &Free Word Lists"));
    items.newLayouts = addItem(file, "GetNewLayouts", QStringLiteral("Get New &Layouts"));
    items.exportLevels = addItem(file, "mExport", QStringLiteral("&Export"));
    items.rebuildWordLists = addItem(file, "m345", QStringLiteral("&345"));
    file->addSeparator();
    items.exit = addItem(file, "Exit1", QStringLiteral("E&xit"));
    items.exportLevels->setVisible(false);
    items.rebuildWordLists->setVisible(false);
    connect(items.exportLevels, &QAction::triggered, this, &MainWindow::exportLevels);
    connect(items.rebuildWordLists, &QAction::triggered, this, &MainWindow::rebuildWordLists);
    connect(items.exit, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::createGameMenu() {
    QMenu* game = menuBar()->addMenu(QStringLiteral("&Game"));
    game->setObjectName(QStringLiteral("Game2"));
    MenuItems& items = m_actions;
    items.newGame = addItem(game, "Game1", QStringLiteral("&New"), Qt::Key_F2);
    connect(items.newGame, &QAction::triggered, this, &MainWindow::newGame);
    m_levelMenu = game->addMenu(QStringLiteral("&Level (1)"));
    m_levelMenu->setObjectName(QStringLiteral("mLevel"));
    items.randomLevel = addItem(m_levelMenu, "Random1", QStringLiteral("&Random Level"), Qt::Key_F3);
    connect(items.randomLevel, &QAction::triggered, this, &MainWindow::randomLevel);
    items.previousLevel =
        addItem(m_levelMenu, "PreviousLevel1", QStringLiteral("&Previous Level"), Qt::Key_F4);
    connect(items.previousLevel, &QAction::triggered, this, &MainWindow::previousLevel);
    items.nextLevel = addItem(m_levelMenu, "NextLevel1", QStringLiteral("&Next Level"), Qt::Key_F5);
    connect(items.nextLevel, &QAction::triggered, this, &MainWindow::nextLevel);
    items.pickLevel = addItem(m_levelMenu, "PickaLevel1", QStringLiteral("Pick a &Level"), Qt::Key_F6);
    connect(items.pickLevel, &QAction::triggered, this, &MainWindow::pickLevel);
    game->addSeparator();
    items.pauseContinue = addItem(game, "PauseContinue", QStringLiteral("&Pause"), Qt::Key_F9);
    connect(items.pauseContinue, &QAction::triggered, this, &MainWindow::pauseContinue);
    items.undo = addItem(game, "mUndo", QStringLiteral("Un&do "), Qt::Key_F10);
    connect(items.undo, &QAction::triggered, this, &MainWindow::undo);
    items.clue = addItem(game, "mClue", QStringLiteral("Cl&ue"), Qt::Key_F11);
    connect(items.clue, &QAction::triggered, this, &MainWindow::clue);
    items.solve = addItem(game, "mSolve", QStringLiteral("&Solve"), Qt::Key_F12);
    connect(items.solve, &QAction::triggered, this, &MainWindow::solve);
    createPuzzleItems(game);
}

void MainWindow::createOptionsMenu() {
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("Options2"));
    MenuItems& items = m_actions;
    items.settings = addItem(options, "mSettings", QStringLiteral("&Settings"), Qt::Key_F7);
    connect(items.settings, &QAction::triggered, this, &MainWindow::settings);
    items.styles = addItem(options, "Styles1", QStringLiteral("St&yles"), Qt::Key_F8);
    connect(items.styles, &QAction::triggered, this, &MainWindow::styles);
    options->addSeparator();
    items.banner = addItem(options, "Banner", QStringLiteral("&Banner"));
    items.hints = addItem(options, "mHints", QStringLiteral("&Hover Hints"));
    items.sound = addItem(options, "mSOund", QStringLiteral("Sound &Effects"));
    items.music = addItem(options, "mMusic", QStringLiteral("M&usic"));
    items.lockMarks = addItem(options, "mLockMarks", QStringLiteral("Lock &Marks"));
    items.trace = addItem(options, "mTrace", QStringLiteral("&Trace"));
    for (QAction* item :
         {items.banner, items.hints, items.sound, items.music, items.lockMarks, items.trace})
        item->setCheckable(true);
    items.banner->setChecked(true);
    items.lockMarks->setChecked(true);
    connect(items.lockMarks, &QAction::toggled, m_board, &BoardView::setLockMarksShown);
    items.hints->setChecked(true);
    items.sound->setChecked(true);
    items.music->setVisible(false);
    items.trace->setVisible(false);
    connectOptionSwitches();
}

// Sound Effects is the one switch for effects and music; the hidden Music item only decides
// whether shut-down fades the output, and choosing it cuts a playing effect short.
void MainWindow::connectOptionSwitches() {
    const MenuItems& items = m_actions;
    connect(items.sound, &QAction::toggled, this, [this](bool on) { m_sound.setEnabled(on); });
    connect(items.music, &QAction::triggered, this, [this] { m_sound.stopEffects(); });
    connect(items.banner, &QAction::triggered, this, [this](bool checked) {
        m_status->setOn(checked);
        m_status->toggle();
    });
    connect(items.trace, &QAction::triggered, this, [this](bool checked) {
        if (m_options)
            m_options->setTraceMode(checked);
    });
    connect(items.hints, &QAction::triggered, this, [this](bool checked) {
        if (m_hints)
            m_hints->setEnabled(checked);
    });
}

void MainWindow::createHelpMenu() {
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    MenuItems& items = m_actions;
    items.howToPlay = addItem(help, "Contents1", QStringLiteral("How to &Play"), Qt::Key_F1);
    items.tipOfTheDay = addItem(help, "mTip", QStringLiteral("&Tip of the Day"));
    items.emailSupport = addItem(help, "ByEmail1", QStringLiteral("&E-mail Support"));
    items.news = addItem(help, "TryOtherGames1", QStringLiteral("&News and New Games"));
    items.webSite = addItem(help, "WebSite2", QStringLiteral("&Web Site"));
    items.dictionarySite = addItem(
        help, "mDictionarySite",
        QLatin1Char('&') +
            QString::fromUtf8(web::DictionarySiteName.data(), web::DictionarySiteName.size()));
    help->addSeparator();
    items.about = addItem(help, "About3", QStringLiteral("&About"));
}

void MainWindow::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("pStatus"));
    bar->setSizeGripEnabled(false);

    m_counter = new QLabel(QStringLiteral("0"), bar);
    m_counter->setObjectName(QStringLiteral("Counter"));
    m_counter->setToolTip(CounterHint);
    m_counter->setAccessibleName(QStringLiteral("Moves left"));
    m_counter->setAlignment(Qt::AlignCenter);
    m_counter->setMinimumWidth(32);
    m_counter->setAutoFillBackground(true);
    QFont bold = m_counter->font();
    bold.setBold(true);
    m_counter->setFont(bold);
    m_events->showCounter(0, m_game->state().counterColour);
    bar->addWidget(m_counter);

    m_status = new StatusBanner(bar);
    bar->addWidget(m_status->label(), 1);
    m_status->label()->setAccessibleName(QStringLiteral("Status line"));

    m_lock = new PadlockLabel(bar);
    m_lock->setObjectName(QStringLiteral("Lock"));
    m_lock->setDragSource(true);
    m_lock->setToolTip(QStringLiteral("Drag over any row to lock the word"));
    m_lock->setAccessibleName(QStringLiteral("Word padlock (W on the board)"));
    m_lockAll = new PadlockLabel(bar);
    m_lockAll->setObjectName(QStringLiteral("LockAll"));
    m_lockAll->setToolTip(QStringLiteral("Click to lock or unlock all words"));
    m_lockAll->setAccessibleName(QStringLiteral("Lock or unlock all words (A on the board)"));
    m_blankPadlock = new PadlockLabel(bar);
    m_blankPadlock->setObjectName(QStringLiteral("Label3"));
    m_blankPadlock->setGlyphShown(false);
    m_blankPadlock->setDragSource(true);
    bar->addPermanentWidget(m_lock);
    bar->addPermanentWidget(m_lockAll);
    bar->addPermanentWidget(m_blankPadlock);
    connect(m_lockAll, &PadlockLabel::clicked, this,
            [this] { play(Move::of(Move::Kind::LockAll)); });
}

// The Clue item says how many clues are left once a puzzle counts them.
QString MainWindow::clueCaption(const Commands& commands) {
    switch (commands.clueCount) {
    case ClueCount::NoGameYet:
        return QStringLiteral("Cl&ue");
    case ClueCount::Hidden:
        break;
    case ClueCount::Shown:
        return commands.cluesLeft == 0 ? QStringLiteral("Cl&ue (No more)")
                                       : QStringLiteral("Cl&ue (%1)").arg(commands.cluesLeft);
    }
    return QStringLiteral("Cl&ue");
}

// The game's command states, carried onto the menu, the status bar and the board.
void MainWindow::refreshCommands() {
    const Commands& commands = m_game->state().commands;
    m_actions.newGame->setEnabled(commands.newGame);
    m_actions.settings->setEnabled(commands.settings);
    m_actions.solve->setEnabled(commands.solve);
    // A board was built: its code names it, also once its game is over.
    m_actions.copyPuzzleCode->setEnabled(m_game->state().board.tileCount > 0);
    m_actions.clue->setEnabled(commands.clue);
    m_actions.clue->setText(clueCaption(commands));
    m_actions.undo->setEnabled(commands.undo);
    m_actions.pauseContinue->setEnabled(commands.pause);
    m_actions.pauseContinue->setText(m_game->state().timer.paused ? QStringLiteral("&Continue")
                                                           : QStringLiteral("&Pause"));
    m_lock->setEnabled(commands.padlock);
    m_lockAll->setEnabled(commands.lockAll);
    m_lockAll->setLocked(!commands.lockAllShowsLocked);
    m_board->setEnabled(commands.boardPanel);
    if (m_levelPicker) {
        if (m_game->state().values.levelCount > 0) // until the layouts are read it offers 200
            m_levelPicker->setLevelCount(m_game->state().values.levelCount);
        if (m_levelPicker->position() != m_game->state().pickerLevel)
            m_levelPicker->setPosition(m_game->state().pickerLevel);
    }
    if (m_options) {
        // Start-up enables New Game in the options; afterwards each build passes on its state.
        if (commands.newWords)
            m_options->setNewGameEnabled(true);
        m_options->setUserLevelEnabled(commands.userLevel);
    }
    m_board->refresh();
}

// --- commands ---------------------------------------------------------------------------

void MainWindow::newGame() {
    play(Move::of(Move::Kind::NewPuzzle));
}

void MainWindow::randomLevel() {
    play(Move::of(Move::Kind::RandomLevel));
}

void MainWindow::previousLevel() {
    play(Move::of(Move::Kind::PreviousLevel));
}

void MainWindow::nextLevel() {
    play(Move::of(Move::Kind::NextLevel));
}

void MainWindow::pickLevel() {
    const int level = m_game->state().values.level;
    carryOut(Move::pickerLevel(level));
    m_levelPicker->setPosition(m_game->state().pickerLevel);
    m_levelPicker->setLevelText(QString::number(level));
    const int result = m_runModal(*m_levelPicker);
    // The track bar's level is taken whichever button closed the picker.
    play(Move::pickLevel(m_levelPicker->position(), result == LevelPicker::NewGameResult));
}

void MainWindow::showStatistics() {
    if (m_statistics)
        m_runModal(*m_statistics);
}

void MainWindow::settings() {
    if (!m_options || !m_game->state().commands.settings)
        return;
    const int result = m_runModal(*m_options);
    applyOptions();
    storeOptions();
    if (result == OptionsDialog::NewGameResult)
        newGame();
}

// The options are stored as soon as the dialog closes, under the keys shut-down uses, so a crash
// or a power cut later in the run loses none of them.
void MainWindow::storeOptions() {
    const bool saved = m_options->saveControls() &&
                       m_settings.writeInteger(Setting::GameSize, m_options->gameSize());
    if (!saved)
        warnSettingsNotWritten();
}

void MainWindow::styles() {
    if (StyleDialog* dialog = styleDialog())
        m_runModal(*dialog);
}

void MainWindow::pauseContinue() {
    const bool paused = m_game->state().timer.paused;
    play(Move::of(Move::Kind::Pause));
    if (m_game->state().timer.paused != paused)
        m_announcer->say(paused ? QStringLiteral("Continued") : QStringLiteral("Paused"));
}

void MainWindow::undo() {
    play(Move::of(Move::Kind::Undo));
}

void MainWindow::clue() {
    if (m_clueStepTimer.isActive())
        return; // a clue is stepping
    play(Move::of(Move::Kind::Clue));
    if (m_game->state().clueRunning)
        m_clueStepTimer.start();
}

// A clue still stepping is left to its timer: its next step sees the game over and ends the
// clue, so the next game's Clue works again.
void MainWindow::solve() {
    play(Move::of(Move::Kind::Solve));
}

void MainWindow::bannerOk() {
    play(Move::of(Move::Kind::BannerOk));
}

void MainWindow::exportLevels() {
    const std::string path = m_files.toWrite("zqf");
    try {
        writeWholeFile(path, exportLevelTable(m_game->levelTable()));
    } catch (const FileError& error) {
        m_dialogs.warn(this, fromFileSystem(error.what()));
    }
}

void MainWindow::rebuildWordLists() {
    // Before the first game no dictionary is loaded: rebuilding then would wipe the three
    // lists and their files, so the command refuses instead.
    if (m_game->dictionary().items().count() == 0) {
        m_dialogs.warn(this, QStringLiteral("No dictionary is loaded yet. Start a game first, "
                                            "then rebuild the word lists from its dictionary."));
        return;
    }
    // The lists in memory take effect even when a file cannot be written.
    m_game->wordLists().rebuild(m_game->dictionary());
    try {
        m_game->wordLists().save(m_files);
    } catch (const FileError& error) {
        m_dialogs.warn(this, fromFileSystem(error.what()));
    }
}

} // namespace quorvel
