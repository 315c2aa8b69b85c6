// Puzzles from elsewhere: the unfinished game of the last run, puzzle codes and the daily puzzle.
#include "window/MainWindow.h"

#include "game/Game.h"
#include "window/MoveEvents.h"

#include "board/BoardView.h"
#include "dialogs/DailyResultsWindow.h"
#include "window/HelpCommands.h"
#include "dialogs/PuzzleCodeDialog.h"
#include "support/DialogFrame.h"
#include "support/Dialogs.h"
#include "support/Text.h"
#include "window/IdleClock.h"
#include "window/MessagePanels.h"
#include "window/StatusBanner.h"

#include "base/Files.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>

#include <algorithm>

namespace quorvel {

namespace {

constexpr const char* kDailyFile = "zq/daily.txt";

QString playerText(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const DailyRecord* recordOf(const std::vector<DailyRecord>& records, const CivilDate& date) {
    const auto found = std::find_if(records.begin(), records.end(),
                                    [&](const DailyRecord& r) { return r.date == date; });
    return found == records.end() ? nullptr : &*found;
}

} // namespace

// At the end of the Game menu, after the commands of the game in play.
void MainWindow::createPuzzleItems(QMenu* game) {
    MenuItems& items = m_actions;
    game->addSeparator();
    items.copyPuzzleCode = addItem(game, "mCopyCode", QStringLiteral("&Copy Puzzle Code"));
    connect(items.copyPuzzleCode, &QAction::triggered, this, &MainWindow::copyPuzzleCode);
    items.playPuzzleCode = addItem(game, "mPlayCode", QStringLiteral("Play Puzzle C&ode..."));
    connect(items.playPuzzleCode, &QAction::triggered, this, &MainWindow::playPuzzleCode);
    game->addSeparator();
    items.dailyPuzzle = addItem(game, "mDaily", QStringLiteral("Da&ily Puzzle"));
    connect(items.dailyPuzzle, &QAction::triggered, this, &MainWindow::dailyPuzzle);
    items.dailyResults = addItem(game, "mDailyResults", QStringLiteral("Daily &Results"));
    connect(items.dailyResults, &QAction::triggered, this, &MainWindow::showDailyResults);
}

void MainWindow::setToday(std::function<QDate()> today) {
    m_today = std::move(today);
    m_game->setToday([this] { return this->today(); });
}

CivilDate MainWindow::today() const {
    const QDate date = m_today();
    return CivilDate{date.year(), date.month(), date.day()};
}

// A move the window builds from its text form: the core owns how a code or a date is written.
void MainWindow::playTextMove(const std::string& text) {
    const MoveParse parsed = parseMove(text);
    if (parsed.move)
        play(*parsed.move);
}

// --- puzzle codes -----------------------------------------------------------------------

void MainWindow::copyPuzzleCode() {
    const std::string code = m_game->puzzleCode();
    if (code.empty())
        return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(code));
    m_status->setText(QStringLiteral("Puzzle code %1 copied: send it to a friend to play this "
                                     "very board.")
                          .arg(QString::fromStdString(code)));
}

PuzzleCodeDialog* MainWindow::puzzleCodeDialog() {
    if (!m_codeDialog) {
        m_codeDialog = new PuzzleCodeDialog(
            [this](const QString& code) {
                return playerText(m_game->readPuzzleCode(code.toStdString()).message);
            },
            this);
        frameAsDialog(m_codeDialog);
    }
    return m_codeDialog;
}

// The clipboard's text is offered when it looks like a code; the dialog checks the code before
// it closes, so the player can mend a typo there.
void MainWindow::playPuzzleCode() {
    PuzzleCodeDialog* dialog = puzzleCodeDialog();
    const QString clipboard = QGuiApplication::clipboard()->text();
    dialog->start(PuzzleCodeDialog::looksLikeCode(clipboard) ? clipboard : QString());
    if (m_runModal(*dialog) == QDialog::Accepted)
        playTextMove("code " + dialog->code().toStdString());
}

// --- the daily puzzle -------------------------------------------------------------------

std::vector<DailyRecord> MainWindow::dailyRecords() const {
    return readDailyRecords(m_files.toRead(kDailyFile));
}

void MainWindow::dailyPuzzle() {
    if (m_dailyResults)
        m_dailyResults->hide(); // the results of the game before would stand over the new one
    const CivilDate date = today();
    if (recordOf(dailyRecords(), date))
        m_dialogs.inform(this, QStringLiteral("You have played today's puzzle; this game will "
                                              "not change your record."));
    playTextMove("daily " + isoDate(date));
}

// The first result of a day is its record. The results follow once the move that ended the
// game is over, so the board shows its end behind them.
void MainWindow::keepDailyResult(const DailyResult& result) {
    m_lastDaily = result;
    const RecordKeeper::Outcome outcome =
        m_records.addDailyResult(m_files.toWrite(kDailyFile), result);
    const QString note = dailyNote(outcome);
    QTimer::singleShot(0, this, [this, date = result.date, note] { showDailyRecord(date, note); });
}

// Only a day already played is "not changed"; a result that could not be written says so.
QString MainWindow::dailyNote(const RecordKeeper::Outcome& outcome) {
    if (outcome.isPending)
        return QStringLiteral("This result could not be written yet; it is kept and written as "
                              "soon as it can be.\n%1")
            .arg(fromFileSystem(outcome.problem));
    if (outcome.daily == DailyAdded::FileTooLarge)
        return QStringLiteral("Your daily results file %1 has grown too large to add to: this "
                              "result was not recorded.")
            .arg(fromFileSystem(m_files.toRead(kDailyFile)));
    if (outcome.daily == DailyAdded::DayPlayed)
        return QStringLiteral("The first game of the day is the one that counts: this game did "
                              "not change your record.");
    return {};
}

DailyResultsWindow* MainWindow::dailyResultsWindow() {
    if (!m_dailyResults) {
        m_dailyResults = new DailyResultsWindow(this);
        frameAsDialog(m_dailyResults);
    }
    return m_dailyResults;
}

// Today's record when there is one, else the latest day played.
void MainWindow::showDailyResults() {
    const std::vector<DailyRecord> records = dailyRecords();
    const CivilDate date = today();
    if (recordOf(records, date) || records.empty()) {
        showDailyRecord(date, QString());
        return;
    }
    const auto latest = std::max_element(records.begin(), records.end(),
                                         [](const DailyRecord& a, const DailyRecord& b) {
                                             return dayNumberOf(a.date) < dayNumberOf(b.date);
                                         });
    showDailyRecord(latest->date, QString());
}

// The summary's rows of words come from the game of this run when it is the day's record;
// a record alone knows no words, and its summary has no rows.
void MainWindow::showDailyRecord(const CivilDate& date, const QString& note) {
    const std::vector<DailyRecord> records = dailyRecords();
    DailyResultsView view;
    view.streaks = dailyStreaks(records, today());
    view.note = note;
    if (const DailyRecord* record = recordOf(records, date)) {
        view.record = *record;
        DailyResult shared;
        shared.date = record->date;
        shared.result = record->result;
        shared.movesLeft = record->movesLeft;
        shared.cluesUsed = record->cluesUsed;
        if (m_lastDaily && m_lastDaily->date == record->date &&
            m_lastDaily->result == record->result && m_lastDaily->movesLeft == record->movesLeft &&
            m_lastDaily->cluesUsed == record->cluesUsed)
            shared = *m_lastDaily;
        view.summary = playerText(dailySummary(shared));
    }
    DailyResultsWindow* window = dailyResultsWindow();
    window->setView(view);
    window->show();
    window->raise();
    window->activateWindow();
}

// --- the unfinished game ----------------------------------------------------------------

void MainWindow::resumeUnfinishedGame(bool resume) {
    if (!resume) {
        m_unfinished.forget(); // the player chose to start afresh every time
        return;
    }
    if (!m_painted) {
        m_resumePending = m_unfinished.exists();
        return;
    }
    const UnfinishedGame::Outcome outcome = m_unfinished.resumeInto(*m_game);
    if (outcome.kind == UnfinishedGame::Outcome::Kind::SetAside) {
        const QString aside = outcome.setAsideAt.empty()
                                  ? QStringLiteral("It could not be kept and was removed.")
                                  : QStringLiteral("It was set aside as %1.")
                                        .arg(QString::fromStdString(outcome.setAsideAt));
        m_dialogs.warn(this, QStringLiteral("Your unfinished game could not be resumed.\n\n%1"
                                            "\n\n%2 You can start a new game as usual.")
                                 .arg(playerText(outcome.problem), aside));
    } else if (outcome.kind == UnfinishedGame::Outcome::Kind::Resumed) {
        showResumedGame(outcome.msIntoInterval);
    }
    refreshCommands();
}

void MainWindow::tipAtStartUp() {
    if (m_resumePending)
        m_tipPending = true;
    else if (m_help)
        m_help->tipAtStartUp();
}

// The rebuild told the window nothing on the way: the board, the counter, the timer and a
// clue under way are brought up to the state it reached.
void MainWindow::showResumedGame(int msIntoInterval) {
    const GameState& state = m_game->state();
    m_buildTile = tileSizeFor(gameSize(), m_maxTile);
    m_board->forgetHotArrow();
    layOutWindow();
    m_events->showCounter(state.values.movesLeft, state.counterColour);
    if (state.timer.enabled && !state.timer.paused && state.timer.intervalMs > 0)
        m_idleClock->runRemainder(
            state.timer.intervalMs,
            std::clamp(state.timer.intervalMs - msIntoInterval, 1, state.timer.intervalMs));
    else
        m_idleClock->run(false, state.timer.intervalMs);
    if (state.clueRunning)
        m_clueStepTimer.start();
    if (state.banner.visible)
        m_messages->showBanner(fromCp1252(state.banner.text), state.banner.seconds,
                               state.banner.colour);
    m_status->setText(QStringLiteral("Welcome back: your unfinished game is on the board."));
}

} // namespace quorvel
