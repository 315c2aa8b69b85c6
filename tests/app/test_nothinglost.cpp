// Nothing the player earned is lost: the game is saved as it goes and survives kill -9 and
// SIGTERM, one copy owns a folder, and records that cannot be written wait and are told.
#include "PlayingWindow.h"

#include "support/SignalQuit.h"
#include "window/StatusBanner.h"
#include "window/SessionEnd.h"

#include <QApplication>
#include <QProcess>

#include <cstdio>

using namespace quorvel;

namespace {

// What the player sees of a game: every tile's letter, and the moves left.
QString seenOf(const Game& game) {
    QString seen;
    const Board& board = game.state().board;
    for (int t = 1; t <= board.tileCount; ++t)
        seen += QChar(board.tile(t).caption);
    return seen + QLatin1Char('|') + QString::number(game.state().values.movesLeft);
}

// The game as main() runs it, in a process of its own: a new game, three moves, what is seen
// on stdout, then the event loop until a signal or a kill ends it.
class Player : private PlayingWindow {
public:
    int run(const QString& folder) {
        m_folder = folder;
        makeWindow(77);
        m_sound->attach(std::make_unique<FakeAudio>());
        m_window->createWindows();
        m_window->show();
        m_window->session()->startUp();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            return 3;
        QTest::qWait(100);
        m_window->newGame();
        for (int column = 1; column <= 3; ++column)
            clickArrow(column, true);
        SignalQuit signalQuit;
        keepGameAtEveryEnd(*qApp, *m_window, signalQuit);
        std::printf("moved %s\n", qPrintable(seenOf(game())));
        std::fflush(stdout);
        return QApplication::exec();
    }
};

} // namespace

class NothingLostTest : public QObject, private PlayingWindow {
    Q_OBJECT
private:
    QString m_seen; // what the player process saw after its moves

    // Starts a player process on the folder and waits for its three moves.
    bool startPlayer(QProcess& player) {
        player.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--play-then-wait"), m_folder});
        QByteArray out;
        while (!out.contains('\n') && player.waitForReadyRead(30000))
            out += player.readAllStandardOutput();
        if (!out.startsWith("moved "))
            return false;
        m_seen = QString::fromLatin1(out.mid(6).trimmed());
        return true;
    }

    void expectTheMovesOnTheNextStart() {
        openWindow(78);
        QVERIFY(game().state().isInPlay());
        QCOMPARE(seenOf(game()), m_seen);
    }

    void makeStatisticsUnwritable() { QVERIFY(QDir().mkpath(file("zq/stats.zq"))); }
    void giveStatisticsRoomAgain() { QVERIFY(QDir(file("zq/stats.zq")).removeRecursively()); }
    void playAndGiveUp() {
        m_window->newGame();
        clickArrow(1, true);
        m_window->solve(); // a game played on and given up: one line
    }

private slots:
    void init() { makePlayingFolder(); }
    void cleanup() {
        m_window.reset();
        m_dir.reset();
    }

    void killedOneSecondAfterThreeMovesTheNextStartHasThem() {
        QProcess player;
        QVERIFY(startPlayer(player));
        QTest::qWait(1000);
        player.kill(); // SIGKILL: no close, no handler
        QVERIFY(player.waitForFinished(10000));
        expectTheMovesOnTheNextStart();
    }

    void sigtermRightAfterTheMovesKeepsThem() {
        QProcess player;
        QVERIFY(startPlayer(player));
        player.terminate(); // SIGTERM, before the save that follows moves was due
        QVERIFY(player.waitForFinished(20000));
        QCOMPARE(player.exitStatus(), QProcess::NormalExit);
        QCOMPARE(player.exitCode(), 0);
        expectTheMovesOnTheNextStart();
    }

    // The game itself, copied into the test's folder so that it keeps its files there: the
    // second start brings the first one's window forward and ends; the first plays on.
    void twoStartsOnOneFolderMakeOneWindow() {
        const QString game = m_folder + QStringLiteral("quorvel");
        QVERIFY(QFile::copy(QStringLiteral(QUORVEL_PROGRAM_DIR "quorvel"), game));
        QVERIFY(QFile::setPermissions(game, QFile::permissions(game) | QFile::ExeOwner));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QUORVEL_STARTUP_TRACE"), QStringLiteral("1"));
        QProcess first;
        first.setProcessEnvironment(environment);
        first.setReadChannel(QProcess::StandardError); // where the start-up trace goes
        first.start(game, {});
        QByteArray trace;
        while (!trace.contains("shown") && first.waitForReadyRead(30000))
            trace += first.readAllStandardError();
        QVERIFY2(trace.contains("shown"), trace.constData());

        QProcess second;
        second.start(game, {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(second.readAllStandardError().contains("brought to the front"));
        QCOMPARE(first.state(), QProcess::Running);
        first.terminate();
        QVERIFY(first.waitForFinished(20000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit); // a clean quit, not a kill
    }

    // A full disk at a game's end: the player is told which file and why (in a message, then on
    // the status line), the line waits, and it is written as soon as there is room, before the
    // next line. A later failure is a message again.
    void aRecordThatCannotBeWrittenIsToldAndWrittenWhenThereIsRoom() {
        openWindow(11);
        makeStatisticsUnwritable();
        playAndGiveUp();
        QCOMPARE(m_dialogs->warned.size(), 1);
        QVERIFY(m_dialogs->warned[0].contains(QStringLiteral("zq/stats.zq")));
        playAndGiveUp();
        QCOMPARE(m_dialogs->warned.size(), 1);
        QVERIFY(m_window->statusBanner().text().contains(QStringLiteral("zq/stats.zq")));
        giveStatisticsRoomAgain();
        playAndGiveUp();
        QCOMPARE(m_dialogs->warned.size(), 1);
        QFile stats(file("zq/stats.zq"));
        QVERIFY(stats.open(QIODevice::ReadOnly));
        QCOMPARE(stats.readAll().count('\n'), 3);
        stats.close();
        QVERIFY(QFile::remove(file("zq/stats.zq")));
        makeStatisticsUnwritable();
        playAndGiveUp();
        QCOMPARE(m_dialogs->warned.size(), 2);
    }

    // Closing with a line unwritten asks; "try again" after room was made writes it.
    void closingWithARecordUnwrittenAsksRetryOrCloseAnyway() {
        openWindow(12);
        makeStatisticsUnwritable();
        playAndGiveUp();
        m_window->close();
        QCOMPARE(m_dialogs->asked.size(), 1); // the scripted player closes anyway
        QVERIFY(m_dialogs->asked[0].contains(QStringLiteral("zq/stats.zq")));
        QVERIFY(!QFileInfo(file("zq/stats.zq")).isFile());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--play-then-wait")
        return Player().run(QString::fromLocal8Bit(argv[2]));
    NothingLostTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_nothinglost.moc"
