// Nothing the player earned is lost: records kept until written, the game saved as it goes and
// whenever the program is made to end, and closing asks before anything unwritten is dropped.
#include "window/MainWindow.h"

#include "dialogs/OptionsDialog.h"
#include "support/Dialogs.h"
#include "support/Text.h"
#include "window/AutoSave.h"
#include "window/IdleClock.h"
#include "window/StatusBanner.h"

#include "base/Files.h"
#include "game/Game.h"

#include <QStringList>

#include <cstdio>

namespace quorvel {

namespace {

const QString kRecordsNotWritten =
    QStringLiteral("Your game records could not all be written:\n%1");

} // namespace

void MainWindow::createAutoSave() {
    m_autoSave = new AutoSave([this] { return saveGameInPlay(); }, this);
    connect(m_autoSave, &AutoSave::saveFailed, this, [this](const QString& problem) {
        m_dialogs.warn(this, QStringLiteral("Your game in play could not be saved; it will be "
                                            "tried again after your next move.\n\n%1")
                                 .arg(problem));
    });
}

// After every move that changed the game: the saved copy follows within two seconds.
void MainWindow::gameChanged() {
    if (m_autoSave)
        m_autoSave->gameChanged();
}

// The game in play replaces the saved copy; a game over takes it away. Nothing is touched while
// a kept game still waits to come back, or when the player keeps no games.
std::optional<QString> MainWindow::saveGameInPlay() {
    if (m_resumePending || !m_options || !m_options->resumesGames())
        return std::nullopt;
    try {
        if (m_game->state().isInPlay())
            m_unfinished.keep(*m_game, m_idleClock->msIntoInterval());
        else
            m_unfinished.forget();
    } catch (const FileError& error) {
        return fromFileSystem(error.what());
    }
    return std::nullopt;
}

// A record that waits is told as it happens: which file, and why. The first of a spell of
// failures in a message; the next ones on the status line, where they do not stop the play.
void MainWindow::warnRecordPending(const std::string& problem) {
    const QString reason = fromFileSystem(problem); // names the file
    if (m_recordsWarned) {
        m_status->setText(QStringLiteral("This game's record is kept until it can be written: %1")
                              .arg(reason));
        return;
    }
    m_recordsWarned = true;
    m_dialogs.warn(this, QStringLiteral("The record of this game could not be written yet. It "
                                        "is kept and written as soon as it can be (at the next "
                                        "game's end or when you close the game).\n\n%1")
                             .arg(reason));
}

// What closing would leave unwritten after one more try of each, in the player's words.
QStringList MainWindow::unwrittenAtClose(bool keepGame) {
    QStringList unwritten;
    if (!m_resumePending) {
        try {
            if (keepGame && m_game->state().isInPlay())
                m_unfinished.keep(*m_game, m_idleClock->msIntoInterval());
            else
                m_unfinished.forget();
        } catch (const FileError& error) {
            unwritten << QStringLiteral("Your unfinished game could not be kept for the next "
                                        "start.\n%1")
                             .arg(fromFileSystem(error.what()));
        }
    }
    if (const std::optional<std::string> problem = m_records.retry())
        unwritten << kRecordsNotWritten.arg(fromFileSystem(*problem));
    return unwritten;
}

void MainWindow::keepUnfinishedGame(bool keep) {
    for (;;) {
        const QStringList unwritten = unwrittenAtClose(keep);
        if (unwritten.isEmpty())
            return;
        const QString text = unwritten.join(QStringLiteral("\n\n"));
        if (!m_askBeforeLosing) { // nobody may be there to answer a window: said on stderr
            std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
            return;
        }
        if (!m_dialogs.ask(this, text + QStringLiteral("\n\nTry again? Choose No to close "
                                                       "anyway; what is listed above is lost.")))
            return;
    }
}

// The desktop session ends or a signal came: the game is saved and closed with no question
// nobody may be there to answer.
void MainWindow::closeForSessionEnd() {
    m_askBeforeLosing = false;
    saveBeforeSessionEnd();
    close();
}

// Asked by the session manager before it may end the program: everything is written now.
void MainWindow::saveBeforeSessionEnd() {
    if (m_autoSave)
        m_autoSave->saveNow();
    m_records.retry();
}

void MainWindow::bringToFront() {
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

} // namespace quorvel
