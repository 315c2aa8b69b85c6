// What the player actually hears: the game runs on SDL's disk audio driver, which writes every
// mixed sample to a file, and the file is checked against the shipped clips and tunes.
#include "support/Application.h"
#include "board/BoardView.h"
#include "CopyTree.h"
#include "window/MainWindow.h"

#include "game/Game.h"
#include "dialogs/OptionsDialog.h"
#include "ScriptedDialogs.h"
#include "window/Session.h"
#include "settings/Settings.h"
#include "audio/SoundPlayer.h"

#include "records/IniFile.h"

#include <QAction>
#include <QElapsedTimer>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

using namespace quorvel;

namespace {

constexpr int kRate = 44100;         // the output the game opens: 16-bit stereo at 44.1 kHz
constexpr int kSplitFrames = 2205;   // 50 ms of exact silence ends a sound
constexpr int kShifts = 30;
// The clip lasts 70 ms: each shift ends long before the next, even when a busy machine lets
// the audio thread fall behind for a moment.
constexpr int kShiftSpacingMs = 300;
constexpr int kTuneBitRate = 96000;  // the tunes are constant bit rate MP3s

// One stretch of sound in the capture: frames [begin, end) of the left channel, and its energy.
struct Sound {
    qint64 begin = 0, end = 0;
    double energy = 0;
    double seconds() const { return static_cast<double>(end - begin) / kRate; }
    double rms() const { return std::sqrt(energy / static_cast<double>(end - begin)); }
};

std::vector<std::int16_t> readLeftChannel(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<std::int16_t> left(static_cast<std::size_t>(bytes.size() / 4));
    for (std::size_t frame = 0; frame < left.size(); ++frame)
        std::memcpy(&left[frame], bytes.constData() + frame * 4, sizeof(std::int16_t));
    return left;
}

// Sounds are separated by stretches of exact zeros: the mixer adds nothing when nothing plays.
std::vector<Sound> splitIntoSounds(const std::vector<std::int16_t>& samples) {
    std::vector<Sound> sounds;
    qint64 lastLoud = -kSplitFrames - 1;
    for (qint64 i = 0; i < static_cast<qint64>(samples.size()); ++i) {
        const double value = samples[static_cast<std::size_t>(i)];
        if (value == 0)
            continue;
        if (i - lastLoud > kSplitFrames)
            sounds.push_back({i, i + 1, 0});
        sounds.back().end = i + 1;
        sounds.back().energy += value * value;
        lastLoud = i;
    }
    return sounds;
}

// A shipped effect, 16-bit mono PCM: its length and mean square, whatever its sample rate.
struct Clip {
    double seconds = 0;
    double meanSquare = 0;
};

Clip readClip(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    Clip clip;
    int rate = 0;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        quint32 size = 0;
        std::memcpy(&size, bytes.constData() + at + 4, 4);
        if (id == "fmt ")
            std::memcpy(&rate, bytes.constData() + at + 12, 4);
        if (id == "data" && rate > 0) {
            const qsizetype count = std::min<qsizetype>(size, bytes.size() - at - 8) / 2;
            double energy = 0;
            for (qsizetype i = 0; i < count; ++i) {
                std::int16_t sample = 0;
                std::memcpy(&sample, bytes.constData() + at + 8 + 2 * i, 2);
                energy += static_cast<double>(sample) * sample;
            }
            clip.seconds = static_cast<double>(count) / rate;
            clip.meanSquare = count > 0 ? energy / static_cast<double>(count) : 0;
        }
        at += 8 + size + (size & 1);
    }
    return clip;
}

} // namespace

class MixedOutputTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString m_folder;
    QString m_capture;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<Random> m_random;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<SoundPlayer> m_sound;
    std::unique_ptr<MainWindow> m_window;
    QElapsedTimer m_clock;
    qint64 m_silencedMs = 0; // how long the Sound Effects switch was off

    QSlider* volumeSlider() {
        return m_window->optionsDialog()->findChild<QSlider*>(QStringLiteral("tbSound"));
    }

    // A column with at least two free letters, so that every click on its arrow shifts.
    int shiftableColumn() {
        const Board& board = m_window->game().state().board;
        for (int c = 1; c <= board.columns; ++c) {
            int free = 0;
            for (int r = 1; r <= board.rows; ++r) {
                const Tile& tile = board.tile(board.tileAt(r, c));
                free += tile.visible && tile.colour == LetterColour::Unlocked;
            }
            if (free >= 2)
                return c;
        }
        return 0;
    }

    void shift(int column) {
        BoardView* board = m_window->boardView();
        QTest::mouseClick(board, Qt::LeftButton, {}, board->arrowRect(column, true).center());
        QTest::qWait(kShiftSpacingMs);
    }

    // The whole session the checks read: a new puzzle and its tune, 30 shifts, a puzzle and
    // shifts with the Sound Effects switch off, one shift at the slider's position 8 and one at
    // position 1, then a new puzzle whose tune is playing when the game exits. Closing the
    // window closes the capture file.
    void playSession() {
        m_window->newGame();
        QVERIFY(m_sound->isMusicPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(!m_sound->isMusicPlaying(), 15000);
        QTest::qWait(kShiftSpacingMs);
        const int column = shiftableColumn();
        QVERIFY(column > 0);
        for (int i = 0; i < kShifts; ++i)
            shift(column);
        QVERIFY(m_window->game().state().isInPlay());

        QAction* sound = m_window->menuItems().sound;
        m_clock.restart();
        sound->trigger();
        m_window->newGame();
        for (int i = 0; i < 3; ++i)
            shift(shiftableColumn());
        QTest::qWait(500);
        sound->trigger();
        m_silencedMs = m_clock.elapsed();
        QVERIFY(m_sound->isEnabled());

        QCOMPARE(volumeSlider()->value(), 8);
        shift(shiftableColumn());
        volumeSlider()->setValue(1);
        shift(shiftableColumn());
        m_window->newGame();
        QTest::qWait(800);
        QVERIFY(m_sound->isMusicPlaying());
        m_window->close();
        m_window.reset();
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_folder = m_dir.path() + QStringLiteral("/game/");
        m_capture = m_dir.path() + QStringLiteral("/mixed.raw");
        copyTree(QStringLiteral(QUORVEL_PROGRAM_DIR), m_folder);
        // A level with enough letters that 30 shifts cannot use up the moves.
        IniFile ini((m_folder + QStringLiteral("RQN_ZQ.INI")).toStdString());
        QVERIFY(ini.writeInteger("Options", "Level", 25));
        QVERIFY(ini.writeInteger("Options", "TOTD", 0));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(m_capture));

        m_random = std::make_unique<Random>(20261207);
        m_settings = std::make_unique<Settings>(m_folder);
        m_sound = std::make_unique<SoundPlayer>(m_folder);
        m_window = std::make_unique<MainWindow>(quorvel::FileLocations(m_folder.toStdString()),
                                                *m_settings, m_dialogs, *m_random, *m_sound);
        m_window->createWindows();
        m_window->show();
        m_window->session()->startUp();
        QTest::mouseMove(m_window.get(), QPoint(20, 20)); // the player arrives: the audio starts
        QTRY_VERIFY_WITH_TIMEOUT(m_sound->hasBackend(), 10000);
        playSession();
    }

    void everyShiftIsHeardWholeAndTheSwitchSilencesEverything() {
        const std::vector<Sound> sounds = splitIntoSounds(readLeftChannel(m_capture));
        // The tune's sounds, then the 30 shifts and the two at the two slider positions: the
        // puzzle and shifts played with the switch off add nothing.
        QVERIFY2(sounds.size() >= kShifts + 4, qPrintable(QString::number(sounds.size())));
        const auto shifts = sounds.end() - (kShifts + 3);
        const Clip clip = readClip(m_folder + QStringLiteral("sound/zqshift.wav"));
        const double gain = 64.0 / 128; // the mixer's volume at the slider's position 8
        for (auto it = shifts; it != shifts + kShifts; ++it) {
            const QString which = QStringLiteral("shift %1: %2 s, energy %3")
                                      .arg(it - shifts + 1)
                                      .arg(it->seconds())
                                      .arg(it->energy);
            // The clip's last milliseconds are quieter than the output's smallest step.
            QVERIFY2(std::abs(it->seconds() - clip.seconds) < 0.004, qPrintable(which));
            const double expected = clip.meanSquare * clip.seconds * kRate * gain * gain;
            QVERIFY2(std::abs(it->energy / expected - 1) < 0.05, qPrintable(which));
        }
        const double silence = static_cast<double>(shifts[kShifts].begin -
                                                   shifts[kShifts - 1].end) / kRate;
        QVERIFY2(silence * 1000 > static_cast<double>(m_silencedMs),
                 qPrintable(QString::number(silence)));
    }

    void theTuneIsHeardToItsEnd() {
        const std::vector<Sound> sounds = splitIntoSounds(readLeftChannel(m_capture));
        QVERIFY(sounds.size() > kShifts + 3);
        const Sound tune{sounds.front().begin, sounds[sounds.size() - kShifts - 4].end, 0};
        const double expected =
            static_cast<double>(QFileInfo(m_folder + QStringLiteral("sound/zqStart.mp3")).size()) *
            8 / kTuneBitRate;
        // The tune ends on its last chord dying away, then at most 0.2 s of silence.
        QVERIFY2(tune.seconds() > expected - 0.3 && tune.seconds() < expected + 0.1,
                 qPrintable(QStringLiteral("%1 s of %2 s").arg(tune.seconds()).arg(expected)));
    }

    void theVolumeSliderScalesTheOutputByItsRatio() {
        const std::vector<Sound> sounds = splitIntoSounds(readLeftChannel(m_capture));
        QVERIFY(sounds.size() >= 3);
        const Sound& atEight = sounds[sounds.size() - 3];
        const Sound& atOne = sounds[sounds.size() - 2];
        // (16 - 1) / (16 - 8): the volumes 61440 and 32768 of the two positions.
        const double ratio = atOne.rms() / atEight.rms();
        QVERIFY2(std::abs(ratio - 15.0 / 8) < 0.02, qPrintable(QString::number(ratio)));
    }

    // Exit while a tune plays: it fades out over about half a second, never stopping mid-wave.
    // SDL_mixer lowers the level once per mixing buffer (about 23 ms), so the last buffer before
    // silence is at a twentieth of the level (-26 dB), far below the full-level stop of a cut.
    void exitFadesTheTuneOutWithoutAClick() {
        const std::vector<std::int16_t> samples = readLeftChannel(m_capture);
        const std::vector<Sound> sounds = splitIntoSounds(samples);
        QVERIFY(!sounds.empty());
        const Sound& last = sounds.back();
        const auto loudest = [&](qint64 from, qint64 to) {
            int top = 0;
            for (qint64 i = std::max(from, last.begin); i < to; ++i)
                top = std::max(top, std::abs(int(samples[static_cast<std::size_t>(i)])));
            return top;
        };
        const int playing = loudest(last.end - kRate, last.end - kRate / 2);
        const int fading = loudest(last.end - kRate / 4, last.end - kRate / 8);
        const int ending = loudest(last.end - kRate / 100, last.end);
        const QString levels = QStringLiteral("%1 %2 %3").arg(playing).arg(fading).arg(ending);
        QVERIFY2(playing > 2000 && fading < playing && ending * 15 < playing, qPrintable(levels));
    }
};

int main(int argc, char** argv) {
    Application app(argc, argv);
    MixedOutputTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_mixedoutput.moc"
