// The statistics window over prepared statistics files: bars, totals, filters, hover, File menu.
#include "support/Dialogs.h"
#include "dialogs/HistogramView.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "audio/SoundPlayer.h"
#include "settings/Settings.h"
#include "window/Session.h"
#include "dialogs/StatisticsWindow.h"

#include "model/Random.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace quorvel;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);

class SilentDialogs : public Dialogs {
public:
    bool ask(QWidget*, const QString&) override { return false; }
    void warn(QWidget*, const QString&) override {}
    void inform(QWidget*, const QString&) override {}
};

// date, code, level, handicap, moves left, letters, definitions, lock rule, timed
QByteArray line(const char* code, int level, int handicap = 0, int moves = 10,
                const char* options = "n,n,n") {
    return QByteArray("2026-12-07,") + code + ',' + QByteArray::number(level) + ',' +
           QByteArray::number(handicap) + ',' + QByteArray::number(moves) + ",16," + options +
           "\r\n";
}

} // namespace

class StatisticsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<StatisticsWindow> m_window;

    QString statsPath() const { return m_dir.path() + QStringLiteral("/stats.zq"); }
    void writeStats(const QByteArray& text) {
        QFile out(statsPath());
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(text);
    }
    template <typename T> T* control(const char* name) {
        auto* found = m_window->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString text(const char* name) { return control<QLabel>(name)->text(); }
    QImage picture() { return m_window->histogram()->grab().toImage(); }
    void open(const QString& path) {
        m_window = std::make_unique<StatisticsWindow>([path] { return path.toStdString(); });
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

private slots:
    void init() { QFile::remove(statsPath()); }
    void cleanup() { m_window.reset(); }

    void twoWinsAndALossPaintHalfAndFullBars() {
        writeStats(line("W", 5) + line("F", 5) + line("W", 5));
        open(statsPath());
        const QImage image = picture();
        QCOMPARE(image.size(), QSize(604, 101));
        // Level 5: the green bar at x = 8 fills rows 1..100, the red one at x = 9 rows 51..100.
        QCOMPARE(image.pixelColor(8, 100), kGreen);
        QCOMPARE(image.pixelColor(8, 1), kGreen);
        QCOMPARE(image.pixelColor(8, 0), kWhite);
        QCOMPARE(image.pixelColor(9, 100), kRed);
        QCOMPARE(image.pixelColor(9, 51), kRed);
        QCOMPARE(image.pixelColor(9, 50), kWhite);
        QCOMPARE(image.pixelColor(7, 100), kWhite);
        QCOMPARE(image.pixelColor(10, 100), kWhite);
        QCOMPARE(text("nPlayed"), QStringLiteral("3"));
        QCOMPARE(text("nCompleted"), QStringLiteral("2"));
        QCOMPARE(text("nLost"), QStringLiteral("1"));
        QCOMPARE(text("Success"), QStringLiteral("   66%"));
        QCOMPARE(text("zzTop"), QStringLiteral("2 -"));
    }

    void filterClickRepaintsWithNewTotals() {
        writeStats(line("W", 5) + line("F", 5) + line("W", 5, -1, 40, "D,n,T,") +
                   line("F", 7, -1, 0, "D,V,n"));
        open(statsPath());
        QCOMPARE(text("nPlayed"), QStringLiteral("4"));
        QTest::mouseClick(control<QRadioButton>("byEasy"), Qt::LeftButton);
        QCOMPARE(text("nPlayed"), QStringLiteral("2"));
        QCOMPARE(text("Success"), QStringLiteral("   50%"));
        QImage image = picture();
        QCOMPARE(image.pixelColor(8, 1), kGreen); // one win at level 5 is the scale now
        QCOMPARE(image.pixelColor(9, 100), kWhite);
        QCOMPARE(image.pixelColor(13, 1), kRed); // level 7's loss

        QTest::mouseClick(control<QCheckBox>("byTimedGames"), Qt::LeftButton);
        QCOMPARE(text("nPlayed"), QStringLiteral("1"));
        QCOMPARE(picture().pixelColor(13, 100), kWhite);

        // The Score view has its own axis and wide bars; the win with 40 moves left is bucket 40.
        QTest::mouseClick(control<QRadioButton>("ByScore"), Qt::LeftButton);
        QCOMPARE(text("x100"), QStringLiteral("100"));
        QCOMPARE(text("x10"), QStringLiteral("10"));
        image = picture();
        QCOMPARE(image.pixelColor(39 * 6, 1), kGreen);
        QCOMPARE(image.pixelColor(39 * 6 + 1, 1), kGreen);
        QCOMPARE(image.pixelColor(39 * 6 + 2, 1), kWhite);
    }

    void showingAgainSelectsLevelsAndKeepsTheOtherFilters() {
        writeStats(line("W", 5, 0, 10, "n,n,T,") + line("F", 6));
        open(statsPath());
        QTest::mouseClick(control<QCheckBox>("byTimedGames"), Qt::LeftButton);
        QTest::mouseClick(control<QRadioButton>("ByLetters"), Qt::LeftButton);
        QTest::mouseClick(control<QRadioButton>("byNeutral"), Qt::LeftButton);
        m_window->hide();
        writeStats(line("W", 5, 0, 10, "n,n,T,") + line("F", 6) + line("W", 8, 0, 10, "n,n,T,"));
        m_window->show();
        QVERIFY(control<QRadioButton>("ByLevels")->isChecked());
        QVERIFY(control<QCheckBox>("byTimedGames")->isChecked());
        QVERIFY(control<QRadioButton>("byNeutral")->isChecked());
        QCOMPARE(text("x10"), QStringLiteral("30"));
        QCOMPARE(text("nPlayed"), QStringLiteral("2")); // read again: the new timed win counts
    }

    void hoverReportsTheBucketUnderTheMouse() {
        writeStats(line("W", 200) + line("F", 200) + line("F", 200));
        open(statsPath());
        HistogramView* box = m_window->histogram();
        auto moveTo = [box](QPointF at) {
            QMouseEvent move(QEvent::MouseMove, at, box->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(box, &move);
        };
        auto* details = control<QLabel>("Details");
        moveTo(QPointF(399, 60));
        QVERIFY(details->isVisible());
        QCOMPARE(details->text(), QStringLiteral("Level=200 wins = 1 losses = 2"));
        QCOMPARE(details->x(), 8 + 399);
        QVERIFY(details->geometry().bottom() <= 8 + 100);
        // Past the middle the details move left so they stay inside the window.
        moveTo(QPointF(451, 2));
        QCOMPARE(details->text(), QStringLiteral("Level=226 wins = 0 losses = 0"));
        QCOMPARE(details->x(), 8 + 301);
        QVERIFY(details->geometry().top() >= 8);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(box, &leave);
        QVERIFY(!details->isVisible());
    }

    void missingOrUnreadableFileShowsAnEmptyHistory() {
        open(statsPath());
        QCOMPARE(text("zzTop"), QStringLiteral("0 -"));
        QCOMPARE(text("nPlayed"), QStringLiteral("0"));
        QCOMPARE(text("Success"), QStringLiteral("0%"));
        QCOMPARE(picture().pixelColor(8, 100), kWhite);
        open(m_dir.path()); // a folder where the file should be
        QCOMPARE(text("nPlayed"), QStringLiteral("0"));
        QCOMPARE(text("x100"), QStringLiteral("300"));
    }

    // The client area is fixed, so a caption that does not fit would be cut off.
    void everyCaptionFitsInsideTheWindow() {
        writeStats(line("W", 5));
        open(statsPath());
        m_window->setLevelCount(200);
        for (int i = 0; i < 5; ++i) // the new caption relays the groups out, level by level
            QCoreApplication::processEvents();
        const QRect client = m_window->rect();
        for (QWidget* w : m_window->findChildren<QWidget*>()) {
            if (!w->isVisible() || !(qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)))
                continue;
            const QRect at(w->mapTo(m_window.get(), QPoint(0, 0)), w->size());
            QVERIFY2(client.contains(at), qPrintable(w->objectName()));
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
        }
    }

    // File > Statistics opens the one window, modally, over the program folder's history, and
    // its Levels button names the levels loaded.
    void fileMenuOpensTheWindowOverTheProgramFolder() {
        QTemporaryDir folder;
        const QString root = folder.path() + QLatin1Char('/');
        const QString shipped = QStringLiteral(QUORVEL_PROGRAM_DIR "zq/");
        QDir().mkpath(root + QStringLiteral("zq"));
        QDir().mkpath(root + QStringLiteral("kbs"));
        QDirIterator files(shipped, QDir::Files);
        while (files.hasNext()) {
            const QString source = files.next();
            QFile::copy(source, root + QStringLiteral("zq/") + QFileInfo(source).fileName());
        }
        QFile stats(root + QStringLiteral("zq/stats.zq"));
        QVERIFY(stats.open(QIODevice::WriteOnly));
        stats.write(line("W", 2) + line("F", 3));
        stats.close();

        SilentDialogs dialogs;
        Random random(13);
        Settings settings(root);
        SoundPlayer sound(root);
        MainWindow main(FileLocations(root.toStdString()), settings, dialogs, random, sound);
        main.createWindows();
        main.show();
        main.session()->startUp();
        QCoreApplication::processEvents();
        QDialog* shown = nullptr;
        QString played;
        main.setModalRunner([&](QDialog& dialog) {
            shown = &dialog;
            dialog.show();
            played = dialog.findChild<QLabel*>(QStringLiteral("nPlayed"))->text();
            dialog.hide();
            return int(QDialog::Accepted);
        });
        main.menuItems().statistics->trigger();
        QVERIFY(shown);
        QCOMPARE(shown, static_cast<QDialog*>(main.findChild<quorvel::StatisticsWindow*>()));
        QCOMPARE(shown->objectName(), QStringLiteral("TfrmStats"));
        QCOMPARE(shown->windowTitle(), QStringLiteral("Statistics"));
        QVERIFY(shown->isModal());
        QCOMPARE(played, QStringLiteral("2"));
        const int levels = main.game().state().values.levelCount;
        QVERIFY(levels > 1);
        QCOMPARE(shown->findChild<QRadioButton*>(QStringLiteral("ByLevels"))->text(),
                 QStringLiteral("Levels 1-%1").arg(levels));
    }
};

QTEST_MAIN(StatisticsTest)
#include "test_statistics.moc"
