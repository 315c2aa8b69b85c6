// The main window over a copy of the shipped program folder, played with the mouse, as the
// tests of resuming, puzzle codes and the daily puzzle use it.
#pragma once

#include "CopyTree.h"
#include "FakeAudio.h"
#include "ScriptedDialogs.h"
#include "WindowFixture.h"
#include "board/BoardView.h"
#include "game/Game.h"
#include "window/Session.h"

#include "records/DayNumber.h"

#include <QAction>
#include <QFile>
#include <QtTest>

#include <functional>

class PlayingWindow : protected WindowFixture<ScriptedDialogs> {
protected:
    quorvel::Game& game() { return m_window->game(); }
    BoardView* board() { return m_window->boardView(); }
    QAction* item(const char* name) { return m_window->findChild<QAction*>(QLatin1String(name)); }
    QString file(const char* name) const { return m_folder + QLatin1String(name); }

    // The shipped data in a folder of the test's own, with no tip of the day over the board.
    void makePlayingFolder() {
        QVERIFY(makeEmptyFolder());
        const QString shipped = QStringLiteral(QUORVEL_PROGRAM_DIR);
        for (const char* sub : {"zq", "kbs", "sound"})
            copyTree(shipped + QLatin1String(sub) + '/', m_folder + QLatin1String(sub) + '/');
        // Installed, and news and updates offered, on the real today: nothing falls due while
        // the test runs, on whatever day it runs.
        const QDate now = QDate::currentDate();
        const int today = quorvel::dayNumber(now.year(), now.month(), now.day());
        QFile ini(file("RQN_ZQ.INI"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[Options]\r\nTOTD=0\r\nInstallDate=%1\r\nlnd=%1\r\nlnu=%1\r\n")
                      .arg(today)
                      .toLatin1());
    }

    // A new window over the folder, started up as main() starts it; a kept game comes back
    // once the window has been painted.
    void openWindow(std::uint32_t seed, std::function<QDate()> today = {}) {
        makeWindow(seed);
        m_sound->attach(std::make_unique<FakeAudio>());
        if (today)
            m_window->setToday(std::move(today));
        m_window->createWindows();
        m_window->show();
        m_window->session()->startUp();
        QTRY_VERIFY(!m_window->isResumePending());
    }

    void clickArrow(int column, bool above) {
        QTest::mouseClick(board(), Qt::LeftButton, {}, board()->arrowRect(column, above).center());
    }
    void clickTile(int tile) {
        QTest::mouseClick(board(), Qt::LeftButton, {}, board()->tileRect(tile).center());
    }

    // The arrow above the column brings the cell its own letter, and a click locks it there.
    void lockWhereItBelongs(int row, int column) {
        const quorvel::Board& b = game().state().board;
        const int t = b.tileAt(row, column);
        const quorvel::Tile& tile = b.tile(t);
        if (!tile.visible || tile.solution == quorvel::GapChar ||
            tile.colour != quorvel::LetterColour::Unlocked)
            return;
        for (int turns = 0; tile.caption != tile.solution && turns < quorvel::MaxRows; ++turns)
            clickArrow(column, true);
        clickTile(t);
    }

    // Every free letter, column by column, top to bottom: the puzzle is won.
    void solveWithTheMouse() {
        const quorvel::Board& b = game().state().board;
        for (int c = 1; c <= b.columns && game().state().isInPlay(); ++c)
            for (int r = 1; r <= b.rows && game().state().isInPlay(); ++r)
                lockWhereItBelongs(r, c);
    }
};
