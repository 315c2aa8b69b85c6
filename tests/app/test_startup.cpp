// The game's window comes up titled "Quorvel" and survives an exception in an event handler.
#include "audio/SoundPlayer.h"
#include "support/Application.h"
#include "support/Dialogs.h"
#include "window/MainWindow.h"
#include "settings/Settings.h"

#include "model/Random.h"

#include <QTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowIsTitledQuorvel() {
        MessageBoxDialogs dialogs;
        quorvel::Random random(1);
        // The player's files in a folder of the test's own: the build's program folder stays
        // as shipped.
        QTemporaryDir player;
        const quorvel::FileLocations files(Application::programFolder().toStdString(),
                                           player.path().toStdString() + '/');
        Settings settings(files);
        SoundPlayer sound(QString::fromStdString(files.programFolder()));
        quorvel::MainWindow window(files, settings, dialogs, random, sound);
        window.show();
        QCOMPARE(window.windowTitle(), QStringLiteral("Quorvel"));
    }

    void exceptionInAnEventIsReportedAndTheProgramGoesOn() {
        auto* app = static_cast<Application*>(QCoreApplication::instance());
        QStringList reported;
        app->setErrorReporter([&](const QString& message) { reported << message; });
        QTimer::singleShot(0, [] { throw std::runtime_error("Cannot open file x"); });
        QTRY_COMPARE(reported.size(), 1);
        QCOMPARE(reported.first(), QStringLiteral("Cannot open file x"));
        bool ranLater = false;
        QTimer::singleShot(0, [&] { ranLater = true; });
        QTRY_VERIFY(ranLater);
    }

    void programFolderIsTheExecutablesFolder() {
        const QString folder = Application::programFolder();
        QVERIFY(folder.endsWith('/'));
        QVERIFY(!folder.endsWith(QStringLiteral("//")));
        QCOMPARE(folder, QStringLiteral(QUORVEL_PROGRAM_DIR));
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    StartupTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_startup.moc"
