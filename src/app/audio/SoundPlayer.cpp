// Which request plays what: the effects switch, cutting effects off, and the music's state.
#include "audio/SoundPlayer.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

// A clip is usable when it is a RIFF file of WAVE data; anything else would only fail later.
bool isWaveFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.mid(8, 4) == "WAVE";
}

} // namespace

const std::array<SoundPlayer::Effect, SoundPlayer::EffectCount>& SoundPlayer::effects() {
    static const std::array<Effect, EffectCount> table{{
        {"OK", "sound/zqok.wav"},
        {"Drop", "sound/zqdrop.wav"},
        {"Clue", "sound/zqclue.wav"},
        {"Shift", "sound/zqshift.wav"},
        {"Timer", "sound/zqtimer.wav"},
        {"TimerPop", "sound/zqtimerpop.wav"},
        {"TimerStart", "sound/zqtimerstart.wav"},
        {"Wrong", "sound/zqwrong.wav"},
    }};
    return table;
}

SoundPlayer::SoundPlayer(QString programFolder) : m_folder(std::move(programFolder)) {}

void SoundPlayer::attach(std::unique_ptr<AudioBackend> backend) {
    m_backend = std::move(backend);
    if (!m_backend)
        return;
    m_backend->setMusicEndedHandler([this] { musicEnded(); });
    m_backend->setVolume(backendVolume());
    if (m_checked)
        loadIntoBackend();
    playWaiting();
}

void SoundPlayer::wait(const QString& name) {
    if (name == QLatin1String("None"))
        m_waiting.reset(); // the tune it would stop never started
    else
        m_waiting = name;
    m_waitingSince.start();
    if (m_wanted)
        m_wanted();
}

void SoundPlayer::playWaiting() {
    if (!m_waiting)
        return;
    const QString name = *std::exchange(m_waiting, std::nullopt);
    const qint64 limit = effectIndex(name) >= 0 ? EffectWaitMs : MusicWaitMs;
    if (m_waitingSince.elapsed() <= limit)
        playSoundNamed(name);
}

void SoundPlayer::setEnabled(bool enabled) {
    m_enabled = enabled;
    if (!enabled)
        m_waiting.reset();
}

QStringList SoundPlayer::loadEffects() {
    QStringList unusable;
    for (int index = 0; index < EffectCount; ++index) {
        const QString file = QLatin1String(effects()[static_cast<std::size_t>(index)].file);
        const bool good = isWaveFile(m_folder + file);
        m_loaded[static_cast<std::size_t>(index)] = good;
        if (!good)
            unusable << file;
    }
    m_checked = true;
    if (m_backend)
        loadIntoBackend();
    return unusable;
}

void SoundPlayer::loadIntoBackend() {
    for (int index = 0; index < EffectCount; ++index)
        if (m_loaded[static_cast<std::size_t>(index)])
            m_backend->loadEffect(
                index, m_folder + QLatin1String(effects()[static_cast<std::size_t>(index)].file));
}

int SoundPlayer::effectIndex(const QString& name) {
    const auto& table = effects();
    const auto found = std::find_if(table.begin(), table.end(), [&](const Effect& effect) {
        return name == QLatin1String(effect.name);
    });
    return found == table.end() ? -1 : static_cast<int>(found - table.begin());
}

void SoundPlayer::playSoundNamed(const QString& name) {
    if (!m_enabled)
        return;
    if (!m_backend) {
        wait(name);
        return;
    }
    stopEffects(); // a new sound always cuts off the effect before it
    const int effect = effectIndex(name);
    if (effect >= 0) {
        // Shifts come in bursts: one that cannot start at once is dropped, never queued.
        if (m_backend && m_loaded[static_cast<std::size_t>(effect)])
            m_backend->playEffect(effect, name == QLatin1String("Shift"));
        return;
    }
    playMusicFile(name);
}

void SoundPlayer::playMusicFile(const QString& name) {
    if (name == QLatin1String("None")) {
        if (m_musicPlaying && m_backend)
            m_backend->closeMusic();
        m_musicPlaying = false;
    }
    if (m_musicPlaying && m_backend)
        m_backend->stopMusic();
    m_musicPlaying = false;
    // The end of the music being closed must not count as the end of the next one.
    m_notifyMusicEnd = false;
    if (!m_backend)
        return;
    m_backend->closeMusic();
    const QString path = m_folder + QStringLiteral("sound/") + name;
    if (!QFileInfo(path).isFile())
        return; // optional: a missing tune is simply not heard
    if (m_backend->playMusic(path)) {
        m_musicPlaying = true;
        m_notifyMusicEnd = true;
    }
}

void SoundPlayer::musicEnded() {
    if (!m_notifyMusicEnd)
        return;
    m_notifyMusicEnd = false;
    m_musicPlaying = false; // the tune plays once; nothing restarts it
}

void SoundPlayer::stopEffects() {
    if (!m_backend && m_waiting && effectIndex(*m_waiting) >= 0)
        m_waiting.reset();
    if (m_backend)
        m_backend->stopEffects();
}

void SoundPlayer::closeMusic() {
    m_waiting.reset(); // shut-down: nothing may start after it
    if (m_musicPlaying && m_backend) {
        m_notifyMusicEnd = false;
        m_backend->stopMusic();
        m_backend->closeMusic();
    }
    m_musicPlaying = false;
    if (m_backend)
        m_backend->finishFades();
}

// The back end takes the output volume as a fraction of full.
double SoundPlayer::backendVolume() const {
    return static_cast<double>(m_volume) / FullVolume;
}

void SoundPlayer::setVolume(int volume) {
    m_volume = std::clamp(volume, 0, FullVolume);
    if (m_backend)
        m_backend->setVolume(backendVolume());
}

QString SoundPlayer::missingEffectsWarning(const QStringList& files) {
    const QString list = files.join(QStringLiteral("\n"));
    return files.size() == 1
               ? QStringLiteral("The sound effect file %1 is missing or damaged; the game goes "
                                "on without that sound.")
                     .arg(list)
               : QStringLiteral("These sound effect files are missing or damaged; the game goes "
                                "on without their sounds:\n%1")
                     .arg(list);
}
