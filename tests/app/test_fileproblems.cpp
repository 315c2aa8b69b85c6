// Files a player edits: a damaged or missing layouts file or dictionary is named, with its fault.
#include "support/Application.h"
#include "CopyTree.h"
#include "FakeAudio.h"
#include "window/MainWindow.h"
#include "ScriptedDialogs.h"
#include "WindowFixture.h"
#include "window/Session.h"
#include "settings/Settings.h"
#include "audio/SoundPlayer.h"

#include "base/Files.h"
#include "game/Game.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>

using namespace quorvel;

class FileProblemsTest : public QObject, private WindowFixture<ScriptedDialogs> {
    Q_OBJECT
private:

    Game& game() { return m_window->game(); }
    QString path(const char* relative) const { return m_folder + QLatin1String(relative); }
    void write(const char* relative, const std::string& bytes) {
        writeWholeFile(path(relative).toStdString(), bytes);
    }
    void newGame() { QTest::keyClick(m_window.get(), Qt::Key_F2); }

    // The shipped program folder, with the shipped dictionaries.
    void makeFolder() {
        QVERIFY(makeEmptyFolder());
        const QString shipped = QStringLiteral(QUORVEL_PROGRAM_DIR);
        for (const char* sub : {"zq", "kbs", "sound"})
            copyTree(shipped + QLatin1String(sub) + '/', m_folder + QLatin1String(sub) + '/');
        QVERIFY(QFile::exists(path("kbs/Common Words.dic")));
    }

    void openWindow() {
        makeWindow(20261207);
        m_sound->attach(std::make_unique<FakeAudio>());
        m_window->createWindows();
        m_window->show();
        m_window->session()->startUp();
        QCoreApplication::processEvents();
    }

    long long shippedChecksum() const {
        const std::string text =
            readWholeFile(QStringLiteral(QUORVEL_PROGRAM_DIR "zq/formats").toStdString());
        return std::stoll(text.substr(5, text.find('\r') - 5));
    }

    // The shipped layouts with one level line changed, so the checksum no longer matches.
    std::string editedLayouts() {
        std::string text = readWholeFile(path("zq/formats").toStdString());
        const std::size_t line = text.find("\r\n0404\r\n");
        if (line == std::string::npos)
            return {};
        text.replace(line + 2, 4, "0405");
        return text;
    }

private slots:
    void init() { makeFolder(); }
    void cleanup() {
        m_window.reset();
        m_settings.reset();
        m_dir.reset();
    }

    void damagedLayoutsFileIsNamedWithItsFault_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("levels");
        QTest::addColumn<QString>("notice");
        const QString builtIn =
            QStringLiteral("The levels file cannot be used, so the four built-in levels are "
                           "played instead.\n\n");
        QTest::newRow("missing") << "missing" << 4
                                 << builtIn + QStringLiteral("The file \"%1\" does not exist.");
        QTest::newRow("a folder") << "folder" << 4
                                  << builtIn +
                                         QStringLiteral(
                                             "The file \"%1\" cannot be read: Is a directory.");
        QTest::newRow("empty") << "empty" << 4
                               << builtIn + QStringLiteral("The file \"%1\" is empty.");
        QTest::newRow("no header")
            << "header" << 4
            << builtIn +
                   QStringLiteral("The file \"%1\" is damaged at line 1, which must hold five "
                                  "characters and then the checksum.");
        QTest::newRow("no level") << "no level" << 4
                                  << builtIn + QStringLiteral(
                                                   "The file \"%1\" holds no level after line 1.");
        QTest::newRow("a level edited")
            << "edited" << 1
            << QStringLiteral(
                   "The levels file does not match its checksum, so only level 1 can be "
                   "played.\n\nIn the file \"%1\", line 1 gives the checksum %2, but the "
                   "lines add up to %3.");
        QTest::newRow("as shipped") << "none" << 0 << QString();
    }

    // Each used to fall back without a word; now the player learns which file and why.
    void damagedLayoutsFileIsNamedWithItsFault() {
        QFETCH(QString, damage);
        QFETCH(int, levels);
        QFETCH(QString, notice);
        if (damage == QLatin1String("missing"))
            QVERIFY(QFile::remove(path("zq/formats")));
        else if (damage == QLatin1String("folder"))
            QVERIFY(QFile::remove(path("zq/formats")) && QDir().mkpath(path("zq/formats")));
        else if (damage == QLatin1String("empty"))
            write("zq/formats", "");
        else if (damage == QLatin1String("header"))
            write("zq/formats", "0\r\n0404\r\n");
        else if (damage == QLatin1String("no level"))
            write("zq/formats", "QZLV 0\r\n# no level yet\r\n");
        else if (damage == QLatin1String("edited"))
            write("zq/formats", editedLayouts());
        openWindow();
        if (notice.isEmpty()) {
            QCOMPARE(m_dialogs->warned, QStringList());
            QVERIFY(game().levelTable().levelCount > 100);
            return;
        }
        notice = notice.arg(path("zq/formats"));
        if (damage == QLatin1String("edited")) // one digit up: the lines add up to one more
            notice = notice.arg(shippedChecksum()).arg(shippedChecksum() + 1);
        QCOMPARE(m_dialogs->warned, QStringList{notice});
        QCOMPARE(game().levelTable().levelCount, levels);
        newGame(); // the fallback still plays
        QVERIFY(game().state().isInPlay());
    }

    // Trace mode reads the file before every puzzle; the player hears of it once a run.
    void layoutsNoticeComesOncePerRun() {
        QFile marker(path("trace.zq"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        QVERIFY(QFile::remove(path("zq/formats")));
        openWindow();
        m_window->menuItems().trace->trigger();
        newGame();
        newGame();
        QVERIFY(game().state().isInPlay());
        QCOMPARE(m_dialogs->warned.filter(QStringLiteral("level=")).size(), 2); // trace is on
        QCOMPARE(m_dialogs->warned.filter(QStringLiteral("levels file")).size(), 1);
    }

    void damagedDictionaryKeepsItsMessageAndNamesTheFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("detail");
        QTest::newRow("cut short")
            << QByteArray("TPF0\x05junk")
            << QStringLiteral("Unable to load the Knowledge Base\n\nThe file "
                              "\"%1\" is cut short: it ends unexpectedly "
                              "after 9 bytes.");
        QTest::newRow("not a dictionary")
            << QByteArray("CAT,a pet\r\n")
            << QStringLiteral("Unable to load the Knowledge Base\n\nThe file \"%1\" is not a "
                              "dictionary.");
        QTest::newRow("damaged") << QByteArray("TPF0\x0A"
                                               "Dictionary\x05Words\x04Junk\x06x\x00\x00",
                                               30)
                                 << QStringLiteral("Unable to load the Knowledge Base\n\nThe file "
                                                   "\"%1\" is damaged at byte offset 21.");
        QTest::newRow("missing") << QByteArray()
                                 << QStringLiteral(
                                        "Unable to create stream\n\nThe file \"%1\" does "
                                        "not exist.");
    }

    void damagedDictionaryKeepsItsMessageAndNamesTheFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, detail);
        openWindow(); // the dictionary is listed while it is whole
        if (bytes.isEmpty())
            QVERIFY(QFile::remove(path("kbs/Common Words.dic")));
        else
            write("kbs/Common Words.dic", bytes.toStdString());
        newGame();
        QCOMPARE(m_dialogs->warned, QStringList{detail.arg(path("kbs/Common Words.dic"))});
        QVERIFY(!game().state().isInPlay());
    }
    // A path is shown as the file system spells it, while game texts stay Windows-1252: a
    // program folder named zo\u00EB used to be shown as zo\u00C3\u00AB in every file warning.
    void pathsInWarningsKeepThePlayersLetters() {
        m_folder = m_dir->path() + QStringLiteral("/zo\u00EB/");
        const QString shipped = QStringLiteral(QUORVEL_PROGRAM_DIR);
        for (const char* sub : {"zq", "kbs", "sound"})
            copyTree(shipped + QLatin1String(sub) + '/', m_folder + QLatin1String(sub) + '/');
        QVERIFY(QFile::remove(path("zq/W3")) && QDir().mkpath(path("zq/W3"))); // unreadable
        QVERIFY(QFile::remove(path("zq/formats")));
        openWindow();
        QCOMPARE(m_dialogs->warned.size(), 2);
        const QString lists = m_dialogs->warned.filter(QStringLiteral("W3")).value(0);
        QVERIFY2(lists.contains(path("zq/W3")), qPrintable(lists));
        const QString levels = m_dialogs->warned.filter(QStringLiteral("formats")).value(0);
        QVERIFY2(levels.contains(path("zq/formats")), qPrintable(levels));
        QVERIFY(!m_dialogs->warned.join(QString()).contains(QStringLiteral("\u00C3")));
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    FileProblemsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_fileproblems.moc"
