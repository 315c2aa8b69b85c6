// The main window's sounds: what the game's moves play, the two Options switches, the Sound
// Volume slider, start-up with a missing effect and shut-down; the real audio back end once.
#include "support/Application.h"
#include "board/BoardView.h"
#include "support/Dialogs.h"
#include "FakeAudio.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "settings/Settings.h"
#include "dialogs/OptionsDialog.h"
#include "ScriptedDialogs.h"
#include "window/Session.h"
#include "audio/AudioStarter.h"
#include "audio/SoundPlayer.h"

#include "records/IniFile.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace quorvel;

namespace {

// The shipped program folder (levels, dictionaries, sounds) in a throw-away copy.
void copyShipped(const QString& to) {
    const QString shipped = QStringLiteral(QUORVEL_PROGRAM_DIR);
    for (const char* sub : {"zq", "kbs", "sound"}) {
        const QString from = shipped + QLatin1String(sub);
        QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target =
                to + QLatin1String(sub) + '/' + QDir(from).relativeFilePath(source);
            QDir().mkpath(QFileInfo(target).path());
            QFile::copy(source, target);
        }
    }
}

} // namespace

class SoundWindowTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<Random> m_random;
    std::unique_ptr<Settings> m_settings; // made with each window, and outlives it
    std::unique_ptr<SoundPlayer> m_sound; // likewise
    std::unique_ptr<MainWindow> m_window;
    FakeAudio* m_audio = nullptr;

    QAction* item(const char* name) { return m_window->findChild<QAction*>(QLatin1String(name)); }
    Game& game() { return m_window->game(); }

    // fake: the window gets the recording back end before it could start the real one.
    // loader: what the window's audio start makes instead of loading the sound module.
    void openWindow(bool fake = true, AudioStarter::Loader loader = {}) {
        m_window.reset();
        m_dialogs.warned.clear();
        m_random = std::make_unique<Random>(20261207);
        m_settings = std::make_unique<Settings>(m_folder);
        m_sound = std::make_unique<SoundPlayer>(m_folder);
        m_window = std::make_unique<MainWindow>(FileLocations(m_folder.toStdString()), *m_settings,
                                                m_dialogs, *m_random, *m_sound);
        if (loader)
            m_window->audioStarter().setLoader(std::move(loader));
        m_audio = nullptr;
        if (fake) {
            auto audio = std::make_unique<FakeAudio>();
            m_audio = audio.get();
            m_sound->attach(std::move(audio));
        }
        m_window->createWindows();
        m_window->show();
        m_window->session()->startUp();
        QCoreApplication::processEvents();
    }

    // The window with its own audio start, which makes a recording back end instead of loading
    // the sound module and counts how often it is asked to.
    void openWindowLoadingFakeAudio(int& loads) {
        openWindow(false, [this, &loads] {
            ++loads;
            auto audio = std::make_unique<FakeAudio>();
            m_audio = audio.get();
            return std::unique_ptr<AudioBackend>(std::move(audio));
        });
    }

    // The window stays (closed) until the next one opens, so its fake can still be read.
    void closeWindow() { m_window->close(); }

    void writeSetting(const char* key, int value) {
        IniFile ini((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        QVERIFY(ini.writeInteger("Options", key, value));
    }
    int storedSetting(const char* key) {
        IniFile ini((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        return ini.readInteger("Options", key, -1);
    }

    void clickArrow(int column) {
        BoardView* board = m_window->boardView();
        QTest::mouseClick(board, Qt::LeftButton, {}, board->arrowRect(column, true).center());
    }

    // Every free tile gets its own letter by the down arrow and is locked by a click.
    void playToCompletion() {
        BoardView* board = m_window->boardView();
        const Board& b = game().state().board;
        for (int c = 1; c <= b.columns && game().state().isInPlay(); ++c)
            for (int r = 1; r <= b.rows && game().state().isInPlay(); ++r) {
                const Tile& tile = b.tile(b.tileAt(r, c));
                if (!tile.visible || tile.colour != LetterColour::Unlocked)
                    continue;
                for (int turns = 0; tile.caption != tile.solution && turns < MaxRows; ++turns)
                    clickArrow(c);
                QTest::mouseClick(board, Qt::LeftButton, {},
                                  board->tileRect(b.tileAt(r, c)).center());
            }
    }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_folder = m_dir->path() + '/';
        copyShipped(m_folder);
    }
    void cleanup() {
        m_window.reset();
        m_dir.reset();
    }

    void aPuzzleStartsItsTuneShiftsTickAndSolveEndsOnTheGiveUpTune() {
        openWindow();
        QVERIFY(m_dialogs.warned.isEmpty());
        m_audio->calls.clear();
        m_window->newGame();
        QVERIFY(m_audio->calls.contains(QStringLiteral("music zqStart.mp3")));
        QVERIFY(m_sound->isMusicPlaying());
        m_audio->calls.clear();
        clickArrow(1);
        QCOMPARE(m_audio->calls, (QStringList{"stopEffects", "effect 3 nowait"}));
        m_audio->calls.clear();
        m_window->solve();
        // The start tune still plays, so it is stopped before the give-up tune.
        QCOMPARE(m_audio->calls.filter(QStringLiteral("Music")).value(0),
                 QStringLiteral("stopMusic"));
        QCOMPARE(m_audio->calls.last(), QStringLiteral("music zqOver.mp3"));
    }

    void soundEffectsOffSilencesPlayAndIsKeptAcrossRuns() {
        openWindow();
        QVERIFY(item("mSOund")->isChecked());
        item("mSOund")->trigger();
        m_audio->calls.clear();
        m_window->newGame();
        clickArrow(1);
        QVERIFY(m_audio->calls.isEmpty());
        QVERIFY(!m_sound->isMusicPlaying());
        closeWindow();
        QCOMPARE(storedSetting("Sound"), 0);
        QCOMPARE(storedSetting("Music"), 0);

        openWindow();
        QVERIFY(!item("mSOund")->isChecked());
        QVERIFY(!m_sound->isEnabled());
        item("mSOund")->trigger();
        QVERIFY(m_sound->isEnabled());
    }

    void theHiddenMusicSwitchStopsEffectsAndMakesShutDownFade() {
        openWindow();
        QVERIFY(!item("mMusic")->isVisible());
        m_window->newGame();
        m_audio->calls.clear();
        item("mMusic")->trigger();
        QCOMPARE(m_audio->calls, QStringList{"stopEffects"});
        QVERIFY(m_sound->isMusicPlaying()); // the switch never stops the tune
        m_audio->volumes.clear();
        closeWindow();
        // Down from the slider's position 8 in steps of 500, then back to full once silent.
        QCOMPARE(m_audio->volumes.size(), 59);
        QCOMPARE(m_audio->volumes.first(), 32268.0 / 65535);
        QCOMPARE(m_audio->volumes.at(57), 3768.0 / 65535);
        QCOMPARE(m_audio->volumes.last(), 1.0);
        QCOMPARE(m_audio->calls.mid(m_audio->calls.size() - 4),
                 (QStringList{"stopEffects", "stopMusic", "closeMusic", "finishFades"}));
        QCOMPARE(storedSetting("Music"), 1);
        openWindow();
        QVERIFY(item("mMusic")->isChecked());
    }

    void theSoundVolumeSliderSetsTheGamesOwnVolume() {
        openWindow();
        QCOMPARE(m_audio->volume, 32768.0 / 65535); // the volume of the slider's position 8
        auto* slider = m_window->optionsDialog()->findChild<QSlider*>(QStringLiteral("tbSound"));
        QVERIFY(slider);
        slider->setValue(1);
        QCOMPARE(m_audio->volume, 61440.0 / 65535);
        m_audio->volumes.clear();
        closeWindow(); // Music is off: no fade, straight back to the start volume
        QCOMPARE(m_audio->volumes, QList<double>{1.0});
    }

    void aMissingEffectIsReportedOnceAndStartUpGoesOn() {
        QVERIFY(QFile::remove(m_folder + QStringLiteral("sound/zqdrop.wav")));
        openWindow();
        closeWindow();
        writeSetting("DesktopX", 123);
        writeSetting("DesktopY", 45);
        writeSetting("Level", 7);
        openWindow();
        QCOMPARE(m_dialogs.warned.size(), 1);
        QVERIFY(m_dialogs.warned.first().contains(QStringLiteral("sound/zqdrop.wav")));
        QVERIFY(m_window->session()->hasStarted());
        QCOMPARE(game().state().values.level, 7);
        QCOMPARE(m_window->pos(), QPoint(123, 45));
        QVERIFY(!m_sound->isEffectLoaded(1));
        m_audio->calls.clear();
        m_sound->playSoundNamed(QStringLiteral("Drop"));
        m_sound->playSoundNamed(QStringLiteral("OK"));
        QCOMPARE(m_audio->calls, (QStringList{"stopEffects", "stopEffects", "effect 0"}));
    }

    // Until the player acts, the game holds no audio output; the first action starts it, once.
    void theAudioStartsAtThePlayersFirstActionNotWithTheWindow() {
        int loads = 0;
        openWindowLoadingFakeAudio(loads);
        QTest::qWait(MainWindow::AudioAfterQuietActionMs * 2);
        QCOMPARE(loads, 0);
        QVERIFY(!m_sound->hasBackend());
        QTest::keyClick(m_window->boardView(), Qt::Key_Shift);
        QTRY_VERIFY(m_sound->hasBackend());
        QTest::mouseMove(m_window.get(), QPoint(30, 30));
        QTest::qWait(MainWindow::AudioAfterQuietActionMs * 2);
        QCOMPARE(loads, 1);
    }

    // F2 as the player's very first action: the start tune, asked for before the audio is
    // there, plays when it comes, and the board was not held up for it.
    void theStartTuneAskedForBeforeTheAudioIsHeardWhenItComes() {
        int loads = 0;
        openWindowLoadingFakeAudio(loads);
        QTest::keyClick(m_window->boardView(), Qt::Key_F2);
        QVERIFY(game().state().isInPlay());
        QVERIFY(!m_sound->hasBackend());
        QTRY_VERIFY(m_sound->hasBackend());
        QVERIFY2(m_audio->calls.contains(QStringLiteral("music zqStart.mp3")),
                 qPrintable(m_audio->calls.join(", ")));
        QVERIFY(m_sound->isMusicPlaying());
        QCOMPARE(loads, 1);
    }

    // With SDL2_mixer itself (its dummy output): the back end starts when the player first
    // moves the pointer over the window, and a whole game (start, shifts, a win, a give-up)
    // runs without a hang.
    void theRealBackEndStartsWhenThePlayerMovesAndPlayGoesOnSilently() {
        openWindow(false);
        QTest::mouseMove(m_window.get(), QPoint(20, 20));
        QTRY_VERIFY_WITH_TIMEOUT(m_sound->hasBackend(), 10000);
        m_window->newGame();
        clickArrow(1);
        playToCompletion();
        QVERIFY(!game().state().isInPlay());
        m_window->newGame();
        clickArrow(1);
        m_window->solve();
        QVERIFY(!game().state().isInPlay());
        closeWindow();
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    SoundWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_soundwindow.moc"
