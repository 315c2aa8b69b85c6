// What the game asks the main window to show, play, record and time.
#include "window/MainWindow.h"

#include "board/BoardView.h"
#include "support/Dialogs.h"
#include "dialogs/FileProblems.h"
#include "dialogs/LevelPicker.h"
#include "window/IdleClock.h"
#include "window/MessagePanels.h"
#include "dialogs/OptionsDialog.h"
#include "settings/Settings.h"
#include "support/Speech.h"
#include "window/StatusBanner.h"
#include "support/Text.h"
#include "dialogs/TraceWindow.h"

#include "base/ProgramFolder.h"

#include "records/Statistics.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace quorvel {

void MainWindow::movesChanged(int shown, Colour background) {
    m_counter->setText(QString::number(shown));
    if (!m_playing)
        sayMovesLeft();
    QPalette palette = m_counter->palette();
    palette.setColor(QPalette::Window, colourFromWindows(background));
    palette.setColor(QPalette::WindowText, Qt::white);
    m_counter->setPalette(palette);
}

void MainWindow::sayMovesLeft() {
    updateSpokenText(m_counter, QStringLiteral("Moves left"), m_counter->text());
}

// Both go to the sound player, where the Sound Effects switch silences effects and music alike.
void MainWindow::playEffect(const std::string& name) {
    emit effectRequested(fromCp1252(name));
}

void MainWindow::playMusic(const std::string& name) {
    emit musicRequested(fromCp1252(name));
}

void MainWindow::showBanner(const std::string& text, int seconds, Colour colour) {
    m_messages->showBanner(fromCp1252(text), seconds, colour);
}

void MainWindow::bannerHidden() {
    m_messages->hideBanner();
}

void MainWindow::flash(const std::string& text) {
    m_messages->flash(fromCp1252(text));
}

void MainWindow::message(const std::string& text) {
    m_dialogs.warn(this, fromCp1252(text));
}

void MainWindow::dictionaryFailed(const DictionaryError& error) {
    m_dialogs.warn(this, dictionaryFailureText(error));
}

// In trace mode the file is read again before every puzzle; the player needs to hear once why
// their levels are not played, not before every game.
void MainWindow::layoutsProblem(const LayoutsProblem& problem) {
    if (m_layoutsWarned)
        return;
    m_layoutsWarned = true;
    m_dialogs.warn(this, layoutsProblemText(problem));
}

void MainWindow::statusCompleted() {
    m_status->setPlain(true);
}

void MainWindow::status(const std::string& text) {
    m_status->setText(fromCp1252(text));
}

void MainWindow::record(const std::string& line) {
    // The game goes on; a line that cannot be written waits in memory, and the player is told.
    const RecordKeeper::Outcome outcome =
        m_records.addStatisticsLine(m_files.toWrite("zq/stats.zq"), line);
    if (outcome.isPending)
        warnRecordPending(outcome.problem);
    else if (!m_records.hasPending())
        m_recordsWarned = false; // all written: a later failure is news again
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

void MainWindow::levelShown(int level) {
    m_levelMenu->setTitle(QStringLiteral("&Level (%1)").arg(level));
    writeLevelSetting(level);
    if (m_levelPicker) {
        // The track bar holds the level within its range; the box shows the level itself.
        m_levelPicker->setPosition(level);
        m_levelPicker->setLevelText(QString::number(level));
    }
}

void MainWindow::writeLevelSetting(int level) {
    if (!m_options)
        return; // only a window with its dialogs made (createWindows) keeps what it shows
    if (!m_settings.writeInteger(Setting::Level, level))
        warnSettingsNotWritten();
}

void MainWindow::gameTimerChanged(bool enabled, int intervalMs) {
    // A fresh interval: every counter change postpones the next tick.
    m_idleClock->run(enabled, intervalMs);
}

void MainWindow::bannerTimerChanged(bool running) {
    if (running)
        m_status->scrollTimer().start();
    else
        m_status->scrollTimer().stop();
}

void MainWindow::advanceTipBanner() {
    m_status->advance();
}

void MainWindow::traceCleared() {
    if (m_trace)
        m_trace->clear();
}

void MainWindow::traceLine(const std::string& text) {
    if (m_trace)
        m_trace->addLine(fromCp1252(text));
}

void MainWindow::buildStarted() {
    // The new board's tiles take the size the Game Size option asks for now.
    m_buildTile = tileSizeFor(gameSize(), m_maxTile);
}

void MainWindow::buildFinished() {
    m_board->forgetHotArrow();
    if (m_game->state().board.tileCount > 0)
        layOutWindow();
}

void MainWindow::stateChanged() {
    refreshCommands();
}

} // namespace quorvel
