// Sound effects and music: what each request plays, cuts off and stops, with a fake back end;
// and the real back end once, silent and without a hang where there is no sound device.
#include "FakeAudio.h"
#include "audio/CutRamp.h"
#include "audio/SdlAudioBackend.h"
#include "audio/SoundPlayer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kOk = 0, kShift = 3;

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The shortest file that passes for a WAV: the clip's content is the back end's business.
QByteArray waveHeader() {
    return QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16);
}

} // namespace

class SoundTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SoundPlayer> m_player;
    FakeAudio* m_audio = nullptr;

    QString folder() const { return m_dir->path() + '/'; }

    // A sound folder with all eight effects and the three tunes, a player with the fake attached.
    void makePlayer() {
        QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("sound")));
        for (const auto& effect : SoundPlayer::effects())
            writeFile(folder() + QLatin1String(effect.file), waveHeader());
        for (const char* tune : {"zqStart.mp3", "zqWon.mp3", "zqOver.mp3"})
            writeFile(folder() + "sound/" + tune, "ID3");
        m_player = std::make_unique<SoundPlayer>(folder());
        auto audio = std::make_unique<FakeAudio>();
        m_audio = audio.get();
        m_player->attach(std::move(audio));
        QVERIFY(m_player->loadEffects().isEmpty());
        m_audio->calls.clear();
    }

    QStringList takeCalls() {
        QStringList calls = m_audio->calls;
        m_audio->calls.clear();
        return calls;
    }

private slots:
    void initTestCase() {
        // The real back end's tests need an output that is always there: SDL's dummy driver.
        if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
            qputenv("SDL_AUDIODRIVER", "dummy");
    }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        makePlayer();
    }

    void everyEffectNamePlaysItsOwnClipAndEachCutsTheOneBefore() {
        const auto& table = SoundPlayer::effects();
        for (int index = 0; index < SoundPlayer::EffectCount; ++index) {
            m_player->playSoundNamed(QLatin1String(table[static_cast<std::size_t>(index)].name));
            const QString play = QStringLiteral("effect %1").arg(index) +
                                 (index == kShift ? QStringLiteral(" nowait") : QString());
            QCOMPARE(takeCalls(), (QStringList{"stopEffects", play}));
        }
        QVERIFY(!m_player->isMusicPlaying());
    }

    void twoQuickShiftsTheSecondCutsTheFirst() {
        m_player->playSoundNamed(QStringLiteral("Shift"));
        m_player->playSoundNamed(QStringLiteral("Shift"));
        QCOMPARE(takeCalls(),
                 (QStringList{"stopEffects", "effect 3 nowait", "stopEffects", "effect 3 nowait"}));
    }

    void effectNamesAreComparedExactly() {
        // Near misses are music file names that do not exist: nothing plays, and no effect.
        for (const char* name : {"ok", "shift", "OK ", " Drop", "TIMERPOP", ""}) {
            m_player->playSoundNamed(QLatin1String(name));
            const QStringList calls = takeCalls();
            QVERIFY2(calls.filter(QStringLiteral("effect")).isEmpty(), name);
            QVERIFY2(calls.filter(QStringLiteral("music")).isEmpty(), name);
        }
        QVERIFY(!m_player->isMusicPlaying());
    }

    void switchedOffNothingPlaysAndTheMusicStateStays() {
        m_player->playSoundNamed(QStringLiteral("zqStart.mp3"));
        QVERIFY(m_player->isMusicPlaying());
        takeCalls();
        m_player->setEnabled(false);
        for (const char* name : {"Shift", "OK", "zqWon.mp3", "None"})
            m_player->playSoundNamed(QLatin1String(name));
        QVERIFY(takeCalls().isEmpty());
        QVERIFY(m_player->isMusicPlaying());
        m_player->setEnabled(true);
        m_player->playSoundNamed(QStringLiteral("OK"));
        QCOMPARE(takeCalls(), (QStringList{"stopEffects", "effect 0"}));
    }

    void theWinningTuneStopsTheStartTune() {
        m_player->playSoundNamed(QStringLiteral("zqStart.mp3"));
        QCOMPARE(takeCalls(), (QStringList{"stopEffects", "closeMusic", "music zqStart.mp3"}));
        m_player->playSoundNamed(QStringLiteral("zqWon.mp3"));
        QCOMPARE(takeCalls(),
                 (QStringList{"stopEffects", "stopMusic", "closeMusic", "music zqWon.mp3"}));
        QVERIFY(m_player->isMusicPlaying());
    }

    void effectsSoundOverTheMusicWithoutStoppingIt() {
        m_player->playSoundNamed(QStringLiteral("zqStart.mp3"));
        takeCalls();
        m_player->playSoundNamed(QStringLiteral("Drop"));
        QCOMPARE(takeCalls(), (QStringList{"stopEffects", "effect 1"}));
        QVERIFY(m_player->isMusicPlaying());
    }

    void aMissingTuneStillStopsTheOneBefore() {
        m_player->playSoundNamed(QStringLiteral("zqStart.mp3"));
        takeCalls();
        m_player->playSoundNamed(QStringLiteral("zqNoSuchTune.mp3"));
        QCOMPARE(takeCalls(), (QStringList{"stopEffects", "stopMusic", "closeMusic"}));
        QVERIFY(!m_player->isMusicPlaying());
    }

    void noneClosesTheMusicAndStartsNothing() {
        m_player->playSoundNamed(QStringLiteral("zqOver.mp3"));
        takeCalls();
        m_player->playSoundNamed(QStringLiteral("None"));
        const QStringList calls = takeCalls();
        QCOMPARE(calls.first(), QStringLiteral("stopEffects"));
        QVERIFY(calls.contains(QStringLiteral("closeMusic")));
        QVERIFY(calls.filter(QStringLiteral("music ")).isEmpty());
        QVERIFY(!m_player->isMusicPlaying());
    }

    void afterTheTuneEndsTheNextRequestStopsNothing() {
        m_player->playSoundNamed(QStringLiteral("zqStart.mp3"));
        m_audio->endMusic();
        QVERIFY(!m_player->isMusicPlaying());
        takeCalls();
        m_player->playSoundNamed(QStringLiteral("zqWon.mp3"));
        const QStringList calls = takeCalls();
        QVERIFY(!calls.contains(QStringLiteral("stopMusic")));
        QCOMPARE(calls.last(), QStringLiteral("music zqWon.mp3"));
        QVERIFY(m_player->isMusicPlaying());
    }

    void anEndReportedAfterTheMusicWasReplacedIsNotTheNewTunesEnd() {
        // A tune that failed to start leaves no end to wait for: a late report changes nothing.
        m_audio->musicStarts = false;
        m_player->playSoundNamed(QStringLiteral("zqStart.mp3"));
        QVERIFY(!m_player->isMusicPlaying());
        m_audio->musicStarts = true;
        m_player->playSoundNamed(QStringLiteral("zqWon.mp3"));
        m_audio->endMusic();
        QVERIFY(!m_player->isMusicPlaying());
        m_audio->endMusic(); // a second report of the same end is harmless
        QVERIFY(!m_player->isMusicPlaying());
    }

    // Shut-down also waits for every fade to end, so closing the output cannot click.
    void shutDownClosesOnlyMusicThatPlaysAndWaitsForTheFades() {
        m_player->closeMusic();
        QCOMPARE(takeCalls(), QStringList{"finishFades"});
        m_player->playSoundNamed(QStringLiteral("zqWon.mp3"));
        takeCalls();
        m_player->closeMusic();
        QCOMPARE(takeCalls(), (QStringList{"stopMusic", "closeMusic", "finishFades"}));
        QVERIFY(!m_player->isMusicPlaying());
        m_audio->endMusic(); // the stopped tune's end arrives late
        QVERIFY(!m_player->isMusicPlaying());
    }

    // The audio starts when the player first acts: what was asked for before it came plays
    // when it comes, the latest request only, and each request tells the window it is wanted.
    void theLatestRequestBeforeTheBackEndPlaysWhenItComes() {
        SoundPlayer player(folder());
        int wanted = 0;
        player.setBackendWanted([&] { ++wanted; });
        QVERIFY(player.loadEffects().isEmpty());
        player.playSoundNamed(QStringLiteral("Shift"));
        player.playSoundNamed(QStringLiteral("zqStart.mp3"));
        QCOMPARE(wanted, 2);
        QVERIFY(!player.isMusicPlaying());
        auto audio = std::make_unique<FakeAudio>();
        FakeAudio* fake = audio.get();
        player.attach(std::move(audio));
        QVERIFY(player.isMusicPlaying());
        QCOMPARE(fake->calls.filter(QStringLiteral("music")), QStringList{"music zqStart.mp3"});
        QVERIFY(fake->calls.filter(QStringLiteral("effect")).isEmpty());
        fake->calls.clear();
        player.playSoundNamed(QStringLiteral("OK")); // from now on, at once
        QCOMPARE(fake->calls, (QStringList{"stopEffects", "effect 0"}));
        QCOMPARE(wanted, 2);
    }

    // A request that can no longer be heard in step, or that something later undid, never plays.
    void staleOrCancelledRequestsDoNotPlayWhenTheBackEndComes() {
        const auto attachedCalls = [this](const std::function<void(SoundPlayer&)>& before) {
            SoundPlayer player(folder());
            player.loadEffects();
            before(player);
            auto audio = std::make_unique<FakeAudio>();
            FakeAudio* fake = audio.get();
            player.attach(std::move(audio));
            return fake->calls.filter(QRegularExpression(QStringLiteral("^(effect|music)")));
        };
        QCOMPARE(attachedCalls([](SoundPlayer& p) {
                     p.playSoundNamed(QStringLiteral("OK"));
                     QTest::qWait(SoundPlayer::EffectWaitMs + 50);
                 }),
                 QStringList{});
        QCOMPARE(attachedCalls([](SoundPlayer& p) {
                     p.playSoundNamed(QStringLiteral("zqWon.mp3"));
                     p.playSoundNamed(QStringLiteral("None"));
                 }),
                 QStringList{});
        QCOMPARE(attachedCalls([](SoundPlayer& p) {
                     p.playSoundNamed(QStringLiteral("zqStart.mp3"));
                     p.closeMusic(); // shut-down before the audio came
                 }),
                 QStringList{});
        QCOMPARE(attachedCalls([](SoundPlayer& p) {
                     p.playSoundNamed(QStringLiteral("Drop"));
                     p.setEnabled(false);
                     p.setEnabled(true);
                 }),
                 QStringList{});
        QCOMPARE(attachedCalls([](SoundPlayer& p) { p.playSoundNamed(QStringLiteral("Drop")); }),
                 QStringList{"effect 1"});
    }

    void missingAndDamagedEffectsStayEmptyAndTheRestLoad() {
        QVERIFY(QFile::remove(folder() + "sound/zqshift.wav"));
        writeFile(folder() + "sound/zqok.wav", "this is not a wave file");
        SoundPlayer player(folder());
        auto audio = std::make_unique<FakeAudio>();
        FakeAudio* fake = audio.get();
        player.attach(std::move(audio));
        QCOMPARE(player.loadEffects(), (QStringList{"sound/zqok.wav", "sound/zqshift.wav"}));
        QCOMPARE(fake->calls.size(), SoundPlayer::EffectCount - 2);
        QVERIFY(!fake->calls.filter(QStringLiteral("load 1 zqdrop.wav")).isEmpty());
        QVERIFY(!player.isEffectLoaded(kOk) && !player.isEffectLoaded(kShift));
        fake->calls.clear();
        player.playSoundNamed(QStringLiteral("Shift"));
        player.playSoundNamed(QStringLiteral("TimerPop"));
        QCOMPARE(fake->calls, (QStringList{"stopEffects", "stopEffects", "effect 5"}));

        const QString warning =
            SoundPlayer::missingEffectsWarning({QStringLiteral("sound/zqshift.wav")});
        QVERIFY(warning.contains(QStringLiteral("sound/zqshift.wav")));
    }

    void aBackEndThatArrivesLaterGetsTheCheckedClipsAndTheVolume() {
        SoundPlayer player(folder());
        player.setVolume(4096);
        QVERIFY(player.loadEffects().isEmpty());
        player.playSoundNamed(QStringLiteral("OK")); // no back end yet: no crash, it waits
        player.playSoundNamed(QStringLiteral("zqStart.mp3"));
        QVERIFY(!player.isMusicPlaying());
        auto audio = std::make_unique<FakeAudio>();
        FakeAudio* fake = audio.get();
        player.attach(std::move(audio));
        // The clips first, then the tune that waited for the back end, at the volume set.
        QCOMPARE(fake->calls.filter(QStringLiteral("load")).size(), SoundPlayer::EffectCount);
        QCOMPARE(fake->calls.first(), QStringLiteral("load 0 zqok.wav"));
        QCOMPARE(fake->calls.last(), QStringLiteral("music zqStart.mp3"));
        QCOMPARE(fake->volume, 4096.0 / 65535.0);
    }

    void volumeStaysWithinTheOutputsRange() {
        m_player->setVolume(70000);
        QCOMPARE(m_player->volume(), SoundPlayer::FullVolume);
        QCOMPARE(m_audio->volume, 1.0);
        m_player->setVolume(-500);
        QCOMPARE(m_player->volume(), 0);
        QCOMPARE(m_audio->volume, 0.0);
    }

    // A cut effect falls to zero in a straight line over the ramp, never jumping, and stays
    // silent afterwards; an effect that is not cut passes unchanged.
    void aCutFadesOutOverItsRampWithoutAJump() {
        CutRamp ramp(8);
        std::vector<std::int16_t> stereo(2 * 12, 16000);
        ramp.apply(stereo.data(), 12, 2);
        QVERIFY(std::all_of(stereo.begin(), stereo.end(), [](int s) { return s == 16000; }));
        ramp.cut();
        ramp.apply(stereo.data(), 5, 2); // the ramp spans two mixing buffers
        QVERIFY(!ramp.isSilent());
        ramp.apply(stereo.data() + 10, 7, 2);
        QVERIFY(ramp.isSilent());
        for (int frame = 0; frame < 12; ++frame) {
            const int expected = frame < 8 ? 16000 * (7 - frame) / 8 : 0;
            QVERIFY2(std::abs(stereo[2 * frame] - expected) <= 1, qPrintable(QString::number(frame)));
            QCOMPARE(stereo[2 * frame + 1], stereo[2 * frame]);
        }
        ramp.restart();
        std::vector<std::int16_t> next(4, -300);
        ramp.apply(next.data(), 2, 2);
        QCOMPARE(next, std::vector<std::int16_t>(4, -300));
    }

    // The shipped clips and tunes through SDL2_mixer (its dummy output in the suite): every call
    // returns at once, and a tune reaches its end in real time so the music state follows it.
    void theRealBackEndPlaysTheShippedSoundsWithoutHanging() {
        SoundPlayer player(QStringLiteral(QUORVEL_PROGRAM_DIR));
        auto backend = std::make_unique<SdlAudioBackend>();
        QVERIFY(backend->isOpen());
        player.attach(std::move(backend));
        QVERIFY(player.loadEffects().isEmpty());
        for (const auto& effect : SoundPlayer::effects())
            player.playSoundNamed(QLatin1String(effect.name));
        player.playSoundNamed(QStringLiteral("zqStart.mp3"));
        QTRY_VERIFY_WITH_TIMEOUT(!player.isMusicPlaying(), 15000);
        player.playSoundNamed(QStringLiteral("zqWon.mp3"));
        player.closeMusic();
        QVERIFY(!player.isMusicPlaying());
    }

    // The tune before fades out; the one asked for meanwhile follows the fade, and the end of
    // the faded tune is not taken for the end of the new one.
    void aTuneAskedForDuringAFadeFollowsItAndKeepsItsOwnEnd() {
        SoundPlayer player(QStringLiteral(QUORVEL_PROGRAM_DIR));
        player.attach(std::make_unique<SdlAudioBackend>());
        player.playSoundNamed(QStringLiteral("zqStart.mp3"));
        QTest::qWait(100);
        player.playSoundNamed(QStringLiteral("zqOver.mp3"));
        QVERIFY(player.isMusicPlaying());
        QTest::qWait(SdlAudioBackend::MusicFadeMs + 300); // the fade is over, zqOver plays
        QVERIFY(player.isMusicPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(!player.isMusicPlaying(), 15000);
    }

    // No usable output at all: one line on stderr, then silence; nothing waits for a device.
    void withoutASoundDeviceEverythingIsSilentAndReturnsAtOnce() {
        const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        auto backend = std::make_unique<SdlAudioBackend>();
        qputenv("SDL_AUDIODRIVER", driver);
        QVERIFY(!backend->isOpen());
        SoundPlayer player(QStringLiteral(QUORVEL_PROGRAM_DIR));
        player.attach(std::move(backend));
        QVERIFY(player.loadEffects().isEmpty());
        QElapsedTimer clock;
        clock.start();
        for (const auto& effect : SoundPlayer::effects())
            player.playSoundNamed(QLatin1String(effect.name));
        player.playSoundNamed(QStringLiteral("zqStart.mp3"));
        QVERIFY(!player.isMusicPlaying()); // a tune that cannot play never counts as playing
        player.closeMusic();
        QVERIFY(clock.elapsed() < 1000);
    }
};

QTEST_MAIN(SoundTest)

#include "test_sound.moc"
