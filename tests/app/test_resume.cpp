// Closing the window mid-game and starting again: the game comes back as it was, a kept game
// that cannot be rebuilt is set aside with one message, and the option turns it all off.
#include "PlayingWindow.h"
#include "dialogs/OptionsDialog.h"
#include "support/Speech.h"

#include "base/Files.h"
#include "words/Dictionary.h"

#include <QCheckBox>
#include <QLabel>

#include <chrono>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

using namespace quorvel;

namespace {

// What the player sees of a game: every tile's letter and state, the counter, the Clue item
// with the clues left, and whether Undo is on offer.
struct Seen {
    Board board;
    QString counter;
    QString clue;
    bool undo = false;
    int level = 0;
    bool operator==(const Seen&) const = default;
};

// The number of a process that has ended (and been waited for).
pid_t deadProcess() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

} // namespace

class ResumeTest : public QObject, private PlayingWindow {
    Q_OBJECT
private:
    QString savedFile() const { return file("zq/saved.txt"); }

    void closeWindow() {
        m_window->close();
        QCoreApplication::processEvents();
    }

    Seen seen() {
        return {game().state().board,
                m_window->findChild<QLabel*>(QStringLiteral("Counter"))->text(),
                item("mClue")->text(), item("mUndo")->isEnabled(), game().state().values.level};
    }

    // The first row's words found, unless the moves run out first.
    void findFirstWord() {
        for (int c = 1; c <= game().state().board.columns && game().state().isInPlay(); ++c)
            lockWhereItBelongs(1, c);
    }

    // A game that has seen every kind of move: shifts, a lock, a found word, a clue.
    void playSomeOfAGame() {
        m_window->newGame();
        QVERIFY(game().state().isInPlay());
        findFirstWord();
        clickArrow(1, false);
        clickArrow(2, true);
        const Board& b = game().state().board;
        for (int t = 1; t <= b.tileCount; ++t)
            if (b.tile(t).visible && b.tile(t).colour == LetterColour::Unlocked) {
                clickTile(t); // one letter locked where it stands
                break;
            }
        m_window->clue();
        QTRY_VERIFY_WITH_TIMEOUT(!game().state().clueRunning, 10000);
        QVERIFY2(game().state().isInPlay(), "the game ended before it could be kept");
    }

private slots:
    void init() { makePlayingFolder(); }
    void cleanup() {
        m_window.reset();
        m_dir.reset();
    }

    void closingMidGameAndStartingAgainBringsTheGameBack() {
        openWindow(101);
        playSomeOfAGame();
        const Seen before = seen();
        QVERIFY(foundWordStarts(before.board).size() >= 1);
        closeWindow();
        QVERIFY(QFile::exists(savedFile()));
        // Closing is no giving up: nothing reaches the statistics.
        QVERIFY(!QFile::exists(file("zq/stats.zq")));

        openWindow(202); // another seed: the board comes from the kept game, not the draw
        QVERIFY(game().state().isInPlay());
        QVERIFY(seen() == before);
        QVERIFY(m_dialogs->warned.isEmpty());
        // Kept until a newer copy replaces it or the game ends: a crash now still finds it.
        QVERIFY(QFile::exists(savedFile()));
        QVERIFY(!QFile::exists(file("zq/saved.txt.bad")));
        QVERIFY(item("mCopyCode")->isEnabled());

        // It goes on as a game: a move costs, and giving up records it as the rules do.
        const int moves = game().state().values.movesLeft;
        clickArrow(1, true);
        QVERIFY(game().state().values.movesLeft < moves);
        m_window->solve();
        QVERIFY(QFile::exists(file("zq/stats.zq")));
        QTRY_VERIFY(!QFile::exists(savedFile())); // the game ended: nothing left to resume
    }

    // The kept game is the one in play at the second closing, not the first.
    void aGameFinishedAfterResumingIsNotKeptAgain() {
        openWindow(7);
        playSomeOfAGame();
        closeWindow();
        openWindow(8);
        QVERIFY(game().state().isInPlay());
        m_window->solve();
        closeWindow();
        QVERIFY(!QFile::exists(savedFile()));
        openWindow(9);
        QVERIFY(!game().state().isInPlay());
    }

    // The time into the game timer's interval is kept: the resumed clock runs out the rest of
    // the interval, not a fresh one.
    void aTimedGameResumesWithTheRestOfItsInterval() {
        openWindow(31);
        m_window->optionsDialog()->findChild<QCheckBox*>(QStringLiteral("Timed"))->setChecked(true);
        m_window->newGame();
        m_window->idleTimerTick(); // the grace ends
        const int interval = game().state().values.pop * 1000;
        m_window->idleTimer().start(interval);
        QTest::qWait(1200);
        const int moves = game().state().values.movesLeft;
        closeWindow();
        openWindow(32);
        QCOMPARE(game().state().values.movesLeft, moves);
        QCOMPARE(game().state().values.timerPhase, TimerPhase::Penalties);
        QTimer& clock = m_window->idleTimer();
        QVERIFY(clock.isActive());
        QVERIFY2(clock.interval() <= interval - 1000 && clock.interval() > 0,
                 qPrintable(QString::number(clock.interval())));
    }

    // The kept game waits for the first paint; a window closed before it (never shown at all,
    // here) must not take the kept game with it.
    void aWindowClosedBeforeItsFirstPaintLeavesTheKeptGame() {
        openWindow(51);
        playSomeOfAGame();
        closeWindow();
        makeWindow(52);
        m_window->createWindows();
        m_window->session()->startUp();
        QVERIFY(m_window->isResumePending());
        closeWindow();
        QVERIFY(QFile::exists(savedFile()));
        openWindow(53);
        QVERIFY(game().state().isInPlay());
    }

    void aDamagedKeptGameIsSetAsideWithOneMessage_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("nonsense") << QByteArray("this is no saved game\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01quorvel\x00", 12);
    }

    void aDamagedKeptGameIsSetAsideWithOneMessage() {
        QFETCH(QByteArray, bytes);
        QFile saved(savedFile());
        QVERIFY(saved.open(QIODevice::WriteOnly));
        saved.write(bytes);
        saved.close();
        openWindow(5);
        QCOMPARE(m_dialogs->warned.size(), 1);
        QVERIFY(m_dialogs->warned[0].contains(QStringLiteral("damaged")));
        QVERIFY(!QFile::exists(savedFile()));
        QFile aside(file("zq/saved.txt.bad"));
        QVERIFY(aside.open(QIODevice::ReadOnly));
        QCOMPARE(aside.readAll(), bytes); // kept whole, to be looked at
        // Start-up went on: no game, the level shown, and New plays.
        QVERIFY(!game().state().isInPlay());
        m_window->newGame();
        QVERIFY(game().state().isInPlay());
    }

    // A good file one flipped byte away from its check, and a good file whose dictionary has
    // changed since: two different reasons for the player.
    void aFlippedByteAndChangedWordsAreToldApart() {
        openWindow(44);
        playSomeOfAGame();
        closeWindow();
        QFile saved(savedFile());
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray good = saved.readAll();
        saved.close();
        QVERIFY(good.size() > 16);

        QByteArray flipped = good;
        flipped[flipped.size() / 2] = flipped[flipped.size() / 2] ^ 0x04;
        QVERIFY(saved.open(QIODevice::WriteOnly));
        saved.write(flipped);
        saved.close();
        openWindow(45);
        QCOMPARE(m_dialogs->warned.size(), 1);
        QVERIFY(m_dialogs->warned[0].contains(QStringLiteral("damaged")));
        QVERIFY(!game().state().isInPlay());
        closeWindow();

        QVERIFY(saved.open(QIODevice::WriteOnly));
        saved.write(good);
        saved.close();
        Dictionary other;
        DictionaryItem& item = other.items().add();
        item.word = "OTHER";
        item.definition = "a word list that is not the one the game was made from";
        other.saveToFile((m_folder + QStringLiteral("kbs/Common Words.dic")).toStdString());
        openWindow(46);
        QCOMPARE(m_dialogs->warned.size(), 1);
        QVERIFY(m_dialogs->warned[0].contains(QStringLiteral("word lists or levels")));
        QVERIFY(!m_dialogs->warned[0].contains(QStringLiteral("damaged")));
        QVERIFY(!game().state().isInPlay());
        QVERIFY(!QFile::exists(savedFile()));
    }

    // A file far larger than any kept game is not read at all.
    void anOversizedKeptGameIsSetAsideUnread() {
        QFile saved(savedFile());
        QVERIFY(saved.open(QIODevice::WriteOnly));
        QVERIFY(saved.resize(64 << 20)); // sparse: costs no disk
        saved.close();
        openWindow(6);
        QCOMPARE(m_dialogs->warned.size(), 1);
        QVERIFY(!QFile::exists(savedFile()));
        QVERIFY(!game().state().isInPlay());
    }

    void withResumingOffNothingIsKept() {
        openWindow(12);
        auto* resume =
            m_window->optionsDialog()->findChild<QCheckBox*>(QStringLiteral("ResumeGames"));
        QVERIFY(resume && resume->isChecked());
        playSomeOfAGame();
        closeWindow();
        QVERIFY(QFile::exists(savedFile()));
        openWindow(13);
        QVERIFY(game().state().isInPlay());
        m_window->optionsDialog()
            ->findChild<QCheckBox*>(QStringLiteral("ResumeGames"))
            ->setChecked(false);
        closeWindow(); // the game in play is not kept, and the old file goes
        QVERIFY(!QFile::exists(savedFile()));
        openWindow(14);
        QVERIFY(!game().state().isInPlay());
        QVERIFY(!m_window->optionsDialog()
                     ->findChild<QCheckBox*>(QStringLiteral("ResumeGames"))
                     ->isChecked()); // the choice itself is kept
        QVERIFY(m_dialogs->warned.isEmpty());
    }

    // A kept game from a run with resuming on is not played by a run that has it off (the
    // file was left by a crash, say), and is not kept for later either.
    void startingWithResumingOffForgetsAKeptGame() {
        openWindow(21);
        playSomeOfAGame();
        closeWindow();
        QVERIFY(Settings(m_folder).writeBool(Setting::ResumeGames, false));
        openWindow(22);
        QVERIFY(!game().state().isInPlay());
        QVERIFY(!QFile::exists(savedFile()));
    }

    // A kill between the write of a new copy and its rename: the next start takes the complete
    // copy in (it is newer than the file), and removes one cut short.
    void aCompleteCopyLeftByAKillAtTheRenameIsResumed() {
        openWindow(61);
        playSomeOfAGame();
        closeWindow();
        const QString older = savedFile() + QStringLiteral(".older");
        QVERIFY(QFile::copy(savedFile(), older));
        openWindow(62);
        const int movesBefore = game().state().values.movesLeft;
        clickArrow(2, false);
        QVERIFY(game().state().values.movesLeft < movesBefore);
        const Board newer = game().state().board;
        closeWindow();
        QFile newest(savedFile());
        QVERIFY(newest.open(QIODevice::ReadOnly));
        const QByteArray bytes = newest.readAll();
        newest.close();
        // The writer, a process that is gone.
        const QString gone = QString::number(deadProcess());
        const QString copy = savedFile() + QStringLiteral(".tmp-") + gone + QStringLiteral("-17");
        const QString cut = savedFile() + QStringLiteral(".tmp-") + gone + QStringLiteral("-18");
        QVERIFY(QFile::rename(savedFile(), copy));
        QVERIFY(QFile::rename(older, savedFile()));
        QFile part(cut);
        QVERIFY(part.open(QIODevice::WriteOnly));
        part.write(bytes.left(bytes.size() / 2));
        part.close();
        std::filesystem::last_write_time(copy.toStdString(),
                                         std::filesystem::file_time_type::clock::now() +
                                             std::chrono::seconds(5));

        openWindow(63);
        QVERIFY(game().state().board == newer);
        QVERIFY(m_dialogs->warned.isEmpty());
        QVERIFY(!QFile::exists(copy));
        QVERIFY(!QFile::exists(cut));
    }

    // A folder that will not let the finished game's file go (read-only, the player's files
    // kept elsewhere): the game is not offered again at the next start.
    void aFinishedGameInAReadOnlyFolderIsNotOfferedAgain() {
        openWindow(71);
        playSomeOfAGame();
        closeWindow();
        const QString player = m_folder + QStringLiteral("player/");
        QVERIFY(QDir().mkpath(player));
        const FileLocations files(m_folder.toStdString(), player.toStdString());
        // As a user the folder is read-only to (root may write anywhere), the game ends and
        // its file is to be forgotten.
        QVERIFY(QFile::setPermissions(file("zq"), QFile::Permissions(0x5555))); // r-x for all
        QVERIFY(QFile::setPermissions(player, QFile::Permissions(0x7777)));
        QVERIFY(QFile::setPermissions(m_folder, QFile::Permissions(0x7755)));
        const bool asRoot = ::geteuid() == 0;
        QVERIFY(!asRoot || ::seteuid(65534) == 0);
        UnfinishedGame(files).forget();
        QVERIFY(!asRoot || ::seteuid(0) == 0);
        QVERIFY(QFile::setPermissions(file("zq"), QFile::Permissions(0x7755)));
        QVERIFY(QFile::exists(savedFile())); // it could not go
        QVERIFY(!UnfinishedGame(files).exists());
        makeWindow(72);
        QCOMPARE(int(UnfinishedGame(files).resumeInto(game()).kind),
                 int(UnfinishedGame::Outcome::Kind::NothingKept));
        QVERIFY(!game().state().isInPlay());
    }
};

QTEST_MAIN(ResumeTest)
#include "test_resume.moc"
