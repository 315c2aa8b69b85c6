// Puzzles that travel: a board's code through the clipboard to another game, and the daily
// puzzle with its results window, its streaks and the result to share.
#include "GameTwin.h"
#include "PlayingWindow.h"
#include "dialogs/DailyResultsWindow.h"
#include "dialogs/PuzzleCodeDialog.h"
#include "window/StatusBanner.h"

#include "records/DailyRecords.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>

using namespace quorvel;

namespace {

const QDate kFirstDay(2026, 12, 7);

// A modal runner that presses OK on the puzzle code dialog once it is shown, after typing
// what the test asks for when it asks for anything.
struct CodeEntry {
    std::optional<QString> typed;
    QString offered; // what the dialog held when it opened
    QString problem; // what it said after OK
    int operator()(QDialog& dialog) {
        auto& codes = static_cast<PuzzleCodeDialog&>(dialog);
        offered = codes.codeBox()->text();
        if (typed) {
            codes.codeBox()->clear();
            QTest::keyClicks(codes.codeBox(), *typed);
        }
        codes.findChild<QPushButton*>(QStringLiteral("CodeOk"))->click();
        problem = codes.problem();
        return codes.result();
    }
};

} // namespace

class SharedPuzzlesTest : public QObject, private PlayingWindow {
    Q_OBJECT
private:
    QDate m_today = kFirstDay;

    DailyResultsWindow* results() { return m_window->dailyResultsWindow(); }
    std::string dailyFile() const {
        return (m_folder + QStringLiteral("zq/daily.txt")).toStdString();
    }

    void openDailyWindow() {
        m_today = kFirstDay;
        makePlayingFolder();
        openWindow(77, [this] { return m_today; });
    }

    // Shifts until the moves run out.
    void runOutOfMoves() {
        for (int shifts = 0; game().state().isInPlay() && shifts < 2000; ++shifts)
            clickArrow(1 + shifts % 2, shifts % 3 == 0);
    }

    void playDaily() {
        item("mDaily")->trigger();
        QVERIFY(game().state().isInPlay());
        QCOMPARE(game().state().daily, std::optional<CivilDate>(CivilDate{
                                           m_today.year(), m_today.month(), m_today.day()}));
    }

private slots:
    void cleanup() {
        m_window.reset();
        m_dir.reset();
    }

    // A code copied from one game and pasted into another builds the same board there.
    void aCopiedCodePlaysTheSameBoardElsewhere() {
        Twin sender(11), friendsGame(12);
        QVERIFY(sender.picture() != friendsGame.picture());
        QGuiApplication::clipboard()->clear();
        sender.window->menuItems().copyPuzzleCode->trigger();
        const QString code = QGuiApplication::clipboard()->text();
        QCOMPARE(code.toStdString(), sender.window->game().puzzleCode());
        QVERIFY(code.size() <= 24 && !code.contains(QLatin1Char(' ')));
        QVERIFY(sender.window->statusBanner().label()->text().contains(code));

        CodeEntry entry;
        friendsGame.window->setModalRunner(std::ref(entry));
        friendsGame.window->menuItems().playPuzzleCode->trigger();
        QCOMPARE(entry.offered, code); // the clipboard's code, offered as it is
        QVERIFY(entry.problem.isEmpty());
        QCOMPARE(friendsGame.picture(), sender.picture());
        QCOMPARE(friendsGame.window->game().puzzleCode(), code.toStdString());
    }

    // A typo is caught in the dialog, which stays open to mend it; the game is untouched.
    void aMistypedCodeIsToldAndPlaysNothing() {
        Twin sender(3), friendsGame(4);
        sender.window->copyPuzzleCode();
        QString code = QGuiApplication::clipboard()->text();
        QVERIFY(code.size() > 8);
        const QString before = friendsGame.picture();
        QString typo = code;
        const int at = typo.indexOf(QLatin1Char('-')) + 1;
        typo[at] = typo[at] == QLatin1Char('X') ? QLatin1Char('Y') : QLatin1Char('X');

        CodeEntry entry;
        entry.typed = typo;
        friendsGame.window->setModalRunner(std::ref(entry));
        friendsGame.window->playPuzzleCode();
        QVERIFY(entry.problem.contains(QStringLiteral("mistyped")));
        QCOMPARE(friendsGame.picture(), before);

        // Lower case, blanks and a line break from a chat are no typo.
        entry.typed =
            QStringLiteral("  ") + code.toLower().replace(QLatin1Char('-'), QStringLiteral("- "));
        friendsGame.window->playPuzzleCode();
        QVERIFY2(entry.problem.isEmpty(), qPrintable(entry.problem));
        QCOMPARE(friendsGame.picture(), sender.picture());
    }

    void onlyCodeLikeClipboardTextIsOffered_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("offered");
        QTest::newRow("code") << QStringLiteral("1A2B-3C4D-5E6F-7G8H") << true;
        QTest::newRow("code with blanks around") << QStringLiteral("  1A2B-3C4D \n") << true;
        QTest::newRow("sentence") << QStringLiteral("see you at eight") << false;
        QTest::newRow("address") << QStringLiteral("https://example.org/x") << false;
        QTest::newRow("too short") << QStringLiteral("AB") << false;
        QTest::newRow("a whole letter") << QString(500, QLatin1Char('A')) << false;
    }

    void onlyCodeLikeClipboardTextIsOffered() {
        QFETCH(QString, clipboard);
        QFETCH(bool, offered);
        QCOMPARE(PuzzleCodeDialog::looksLikeCode(clipboard), offered);
    }

    // A win one day, a loss the next: the streak is 1, then 0, and the best stays 1. The
    // results window opens by itself at the end of each daily game.
    void dailyResultsAfterAWinAndALossOnTwoDays() {
        openDailyWindow();
        playDaily();
        solveWithTheMouse();
        QVERIFY(!game().state().isInPlay());
        QTRY_VERIFY(results()->isVisible());
        QCOMPARE(results()->value(QStringLiteral("Result")), QStringLiteral("Solved"));
        QCOMPARE(results()->value(QStringLiteral("Current streak")), QStringLiteral("1 day"));
        QCOMPARE(results()->value(QStringLiteral("Best streak")), QStringLiteral("1 day"));
        // What the window shows is the day's record, as the file keeps it.
        const std::vector<DailyRecord> kept = readDailyRecords(dailyFile());
        QCOMPARE(kept.size(), std::size_t{1});
        QCOMPARE(kept[0].result, 'W');
        QCOMPARE(results()->value(QStringLiteral("Moves left")),
                 QString::number(kept[0].movesLeft));
        QVERIFY(kept[0].movesLeft > 0);
        // The daily game stays out of the level statistics.
        QVERIFY(!QFile::exists(m_folder + QStringLiteral("zq/stats.zq")));

        // Copy Result shares no letter of the board.
        results()->findChild<QPushButton*>(QStringLiteral("CopyResult"))->click();
        const QString summary = QGuiApplication::clipboard()->text();
        QVERIFY(summary.contains(QStringLiteral("2026-12-07")));
        for (const std::string& word : game().state().board.wordList)
            QVERIFY2(!summary.contains(QString::fromStdString(word)), word.c_str());
        results()->close();

        m_today = kFirstDay.addDays(1);
        playDaily();
        runOutOfMoves();
        QVERIFY(!game().state().isInPlay());
        QTRY_VERIFY(results()->isVisible());
        QCOMPARE(results()->value(QStringLiteral("Result")),
                 QStringLiteral("Not solved: out of moves"));
        QCOMPARE(results()->value(QStringLiteral("Current streak")), QStringLiteral("0 days"));
        QCOMPARE(results()->value(QStringLiteral("Best streak")), QStringLiteral("1 day"));
    }

    // The day's puzzle can be played again, but the first game of the day is its record.
    void playingTheDayAgainIsSaidAndChangesNoRecord() {
        openDailyWindow();
        playDaily();
        runOutOfMoves();
        QTRY_VERIFY(results()->isVisible());
        results()->close();
        QVERIFY(m_dialogs->informed.isEmpty());

        playDaily();
        QCOMPARE(m_dialogs->informed.size(), 1);
        QVERIFY(m_dialogs->informed[0].contains(QStringLiteral("will not change your record")));
        solveWithTheMouse();
        QTRY_VERIFY(results()->isVisible());
        QCOMPARE(results()->value(QStringLiteral("Result")),
                 QStringLiteral("Not solved: out of moves"));
        QVERIFY(results()->note().contains(QStringLiteral("did not change your record")));
        QCOMPARE(readDailyRecords(dailyFile()).size(), std::size_t{1});
    }

    // Before any daily game the window says so, and has nothing to copy.
    void dailyResultsBeforeAnyDailyGame() {
        openDailyWindow();
        item("mDailyResults")->trigger();
        QVERIFY(results()->isVisible());
        QCOMPARE(results()->value(QStringLiteral("Result")), QStringLiteral("-"));
        QCOMPARE(results()->value(QStringLiteral("Current streak")), QStringLiteral("0 days"));
        QVERIFY(!results()->findChild<QPushButton*>(QStringLiteral("CopyResult"))->isEnabled());
    }
};

QTEST_MAIN(SharedPuzzlesTest)
#include "test_shared.moc"
