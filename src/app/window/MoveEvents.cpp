// What a move asked for, carried out on the main window once the move is over.
#include "window/MoveEvents.h"

#include "board/BoardView.h"
#include "dialogs/FileProblems.h"
#include "dialogs/LevelPicker.h"
#include "dialogs/TraceWindow.h"
#include "support/Announcer.h"
#include "support/Dialogs.h"
#include "support/Text.h"
#include "window/IdleClock.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "window/MessagePanels.h"
#include "window/StatusBanner.h"

#include "records/RecordKeeper.h"

#include <QLabel>
#include <QMenu>

namespace quorvel {

void MoveEvents::movesChanged(int shown, Colour background) {
    QLabel* counter = m_window.m_counter;
    counter->setText(QString::number(shown));
    if (!m_window.m_playing)
        m_window.sayMovesLeft();
    QPalette palette = counter->palette();
    palette.setColor(QPalette::Window, colourFromWindows(background));
    palette.setColor(QPalette::WindowText, Qt::white);
    counter->setPalette(palette);
}

// Both go to the sound player, where the Sound Effects switch silences effects and music alike.
void MoveEvents::playEffect(const std::string& name) {
    emit m_window.effectRequested(fromCp1252(name));
}

void MoveEvents::playMusic(const std::string& name) {
    emit m_window.musicRequested(fromCp1252(name));
}

void MoveEvents::showBanner(const std::string& text, int seconds, Colour colour) {
    m_window.m_messages->showBanner(fromCp1252(text), seconds, colour);
    m_window.m_announcer->say(fromCp1252(text));
}

void MoveEvents::bannerHidden() {
    m_window.m_messages->hideBanner();
}

void MoveEvents::flash(const std::string& text) {
    m_window.m_messages->flash(fromCp1252(text));
    m_window.m_announcer->say(fromCp1252(text));
}

void MoveEvents::message(const std::string& text) {
    m_window.m_dialogs.warn(&m_window, fromCp1252(text));
}

void MoveEvents::dictionaryFailed(const DictionaryError& error) {
    m_window.m_dialogs.warn(&m_window, dictionaryFailureText(error));
}

// In trace mode the file is read again before every puzzle; the player needs to hear once why
// their levels are not played, not before every game.
void MoveEvents::layoutsProblem(const LayoutsProblem& problem) {
    if (m_layoutsWarned)
        return;
    m_layoutsWarned = true;
    m_window.m_dialogs.warn(&m_window, layoutsProblemText(problem));
}

void MoveEvents::statusCompleted() {
    m_window.m_status->setPlain(true);
}

void MoveEvents::status(const std::string& text) {
    m_window.m_status->setText(fromCp1252(text));
    m_window.m_announcer->say(fromCp1252(text)); // a new puzzle's opening status, a level's number
}

void MoveEvents::record(const std::string& line) {
    // The game goes on; a line that cannot be written waits in memory, and the player is told.
    const RecordKeeper::Outcome outcome =
        m_window.m_records.addStatisticsLine(m_window.m_files.toWrite("zq/stats.zq"), line);
    if (outcome.isPending)
        m_window.warnRecordPending(outcome.problem);
    else if (!m_window.m_records.hasPending())
        m_window.m_recordsWarned = false; // all written: a later failure is news again
}

void MoveEvents::dailyFinished(const DailyResult& result) {
    m_window.keepDailyResult(result);
}

void MoveEvents::levelShown(int level) {
    m_window.m_levelMenu->setTitle(QStringLiteral("&Level (%1)").arg(level));
    m_window.writeLevelSetting(level);
    if (LevelPicker* picker = m_window.m_levelPicker) {
        // The track bar holds the level within its range; the box shows the level itself.
        picker->setPosition(level);
        picker->setLevelText(QString::number(level));
    }
}

void MoveEvents::gameTimerChanged(bool enabled, int intervalMs) {
    // A fresh interval: every counter change postpones the next tick.
    m_window.m_idleClock->run(enabled, intervalMs);
}

void MoveEvents::bannerTimerChanged(bool running) {
    if (running)
        m_window.m_status->scrollTimer().start();
    else
        m_window.m_status->scrollTimer().stop();
}

void MoveEvents::advanceTipBanner() {
    m_window.m_status->advance();
}

void MoveEvents::traceCleared() {
    if (m_window.m_trace)
        m_window.m_trace->clear();
}

void MoveEvents::traceLine(const std::string& text) {
    if (m_window.m_trace)
        m_window.m_trace->addLine(fromCp1252(text));
}

void MoveEvents::buildStarted() {
    // The new board's tiles take the size the Game Size option asks for now.
    m_window.m_buildTile = tileSizeFor(m_window.gameSize(), m_window.m_maxTile);
}

void MoveEvents::buildFinished() {
    m_window.m_board->forgetHotArrow();
    if (m_window.m_game->state().board.tileCount > 0)
        m_window.layOutWindow();
}

void MoveEvents::stateChanged() {
    m_window.refreshCommands();
}

} // namespace quorvel
