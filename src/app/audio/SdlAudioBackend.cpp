// Effects and music through SDL2_mixer; the audio thread's reports reach the game's thread.
#include "SdlAudioBackend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <QFile>
#include <QMetaObject>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kRate = 44100;
constexpr int kBufferFrames = 1024; // about 23 ms: short enough for effects, safe on slow machines
constexpr int kFinishWaitMs = SdlAudioBackend::MusicFadeMs + 250;

// The one back end that receives the music-finished hook, which carries no user data.
std::atomic<SdlAudioBackend*> hookReceiver{nullptr};

// While it lives, the process's stderr goes to /dev/null: with no sound card, ALSA's library
// reports it in a dozen lines of its own, and the game says it once, in one line, instead.
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (m_saved >= 0 && null >= 0)
            dup2(null, STDERR_FILENO);
        if (null >= 0)
            ::close(null);
    }
    ~QuietStderr() {
        std::fflush(stderr);
        if (m_saved >= 0) {
            dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int m_saved = -1;
};

int mixerVolume(double volume) {
    return static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * MIX_MAX_VOLUME));
}

} // namespace

SdlAudioBackend::SdlAudioBackend(QObject* parent) : QObject(parent) {
    for (auto& ramp : m_ramps)
        ramp = std::make_unique<CutRamp>(kRate * CutFadeMs / 1000);
    m_open = openOutput();
    if (!m_open)
        std::fprintf(stderr, "Quorvel: no sound output (%s); the game plays on silently.\n",
                     SDL_GetError());
}

bool SdlAudioBackend::openOutput() {
    // Audio only: SDL must not take over Ctrl+C or other signals from the application.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Quorvel");
    const QuietStderr quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    Mix_Init(MIX_INIT_MP3);
    // No format changes allowed: SDL converts to the device, so the cut ramp always sees
    // signed 16-bit samples.
    if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, 2, kBufferFrames, nullptr, 0) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(MixerChannels);
    hookReceiver.store(this);
    Mix_HookMusicFinished(&SdlAudioBackend::musicFinishedOnAudioThread);
    return true;
}

SdlAudioBackend::~SdlAudioBackend() {
    if (!m_open)
        return;
    stopMusic();
    finishFades();
    Mix_HookMusicFinished(nullptr);
    SdlAudioBackend* self = this;
    hookReceiver.compare_exchange_strong(self, nullptr);
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    freeMusic(m_pending);
    freeMusic(m_current);
    for (Mix_Chunk*& chunk : m_effects) {
        Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioBackend::loadEffect(int index, const QString& path) {
    if (!m_open || index < 0 || index >= MaxEffects)
        return;
    Mix_Chunk*& chunk = m_effects[static_cast<std::size_t>(index)];
    Mix_FreeChunk(chunk);
    chunk = Mix_LoadWAV(QFile::encodeName(path).constData()); // decoded to the output's format
}

void SdlAudioBackend::applyCut(int, void* stream, int bytes, void* ramp) {
    const int samples = bytes / static_cast<int>(sizeof(std::int16_t));
    auto* cut = static_cast<CutRamp*>(ramp);
    cut->apply(static_cast<std::int16_t*>(stream), samples / 2, 2);
}

int SdlAudioBackend::startChannel(Mix_Chunk* chunk) {
    // A channel that plays nothing has no effect registered (SDL_mixer drops a channel's
    // effects when it finishes), so its ramp can be reset before the mixer could apply it.
    for (int channel = 0; channel < MixerChannels; ++channel) {
        if (Mix_Playing(channel))
            continue;
        CutRamp* ramp = m_ramps[static_cast<std::size_t>(channel)].get();
        ramp->restart();
        if (Mix_PlayChannel(channel, chunk, 0) != channel)
            return -1;
        Mix_RegisterEffect(channel, &SdlAudioBackend::applyCut, nullptr, ramp);
        return channel;
    }
    return -1;
}

void SdlAudioBackend::playEffect(int index, bool dropWhenBusy) {
    if (!m_open || index < 0 || index >= MaxEffects)
        return;
    Mix_Chunk* chunk = m_effects[static_cast<std::size_t>(index)];
    if (!chunk)
        return;
    if (startChannel(chunk) >= 0 || dropWhenBusy)
        return;
    // Every channel busy: those already faded out make room for an effect that must play.
    haltSilencedChannels();
    startChannel(chunk);
}

void SdlAudioBackend::haltSilencedChannels() {
    for (int channel = 0; channel < MixerChannels; ++channel)
        if (m_ramps[static_cast<std::size_t>(channel)]->isSilent() && Mix_Playing(channel))
            Mix_HaltChannel(channel);
}

void SdlAudioBackend::stopEffects() {
    if (!m_open)
        return;
    haltSilencedChannels();
    for (int channel = 0; channel < MixerChannels; ++channel)
        if (Mix_Playing(channel))
            m_ramps[static_cast<std::size_t>(channel)]->cut();
}

void SdlAudioBackend::musicFinishedOnAudioThread() {
    SdlAudioBackend* backend = hookReceiver.load();
    if (!backend)
        return;
    const int generation = backend->m_generation.load();
    QMetaObject::invokeMethod(
        backend, [backend, generation] { backend->musicFinished(generation); },
        Qt::QueuedConnection);
}

bool SdlAudioBackend::isMusicFading() const {
    return Mix_PlayingMusic() && Mix_FadingMusic() == MIX_FADING_OUT;
}

bool SdlAudioBackend::playMusic(const QString& path) {
    if (!m_open)
        return false;
    Music* music = Mix_LoadMUS(QFile::encodeName(path).constData());
    if (!music)
        return false;
    if (Mix_PlayingMusic()) {
        // The tune before fades out first. Starting now would make SDL_mixer wait for the
        // fade inside this call; the new tune follows the fade instead.
        stopMusic();
        freeMusic(m_pending);
        m_pending = music;
        return true;
    }
    return startMusic(music);
}

bool SdlAudioBackend::startMusic(Music* music) {
    if (music != m_current)
        freeMusic(m_current); // it has finished: nothing plays while a new tune may start
    m_current = music;
    // Nothing plays now, so no end can be reported between these two lines.
    ++m_generation;
    const bool started = Mix_PlayMusic(music, 1) == 0;
    if (!started)
        freeMusic(m_current);
    return started;
}

void SdlAudioBackend::musicFinished(int generation) {
    if (generation != m_generation.load() || Mix_PlayingMusic())
        return; // the end of a tune that was replaced since
    freeMusic(m_current);
    if (m_pending) {
        Music* next = m_pending;
        m_pending = nullptr;
        if (startMusic(next))
            return;
    }
    notifyMusicEnded();
}

void SdlAudioBackend::stopMusic() {
    if (m_open && Mix_PlayingMusic() && Mix_FadingMusic() != MIX_FADING_OUT)
        Mix_FadeOutMusic(MusicFadeMs);
}

void SdlAudioBackend::closeMusic() {
    if (!m_open)
        return;
    freeMusic(m_pending);
    // A playing tune fades out and is freed when it has finished; freeing it now would wait.
    if (Mix_PlayingMusic())
        stopMusic();
    else
        freeMusic(m_current);
}

void SdlAudioBackend::freeMusic(Music*& music) {
    if (!music)
        return;
    Mix_FreeMusic(music);
    music = nullptr;
}

void SdlAudioBackend::setVolume(double volume) {
    if (!m_open)
        return;
    Mix_Volume(-1, mixerVolume(volume));
    Mix_VolumeMusic(mixerVolume(volume));
}

void SdlAudioBackend::finishFades() {
    if (!m_open)
        return;
    stopEffects();
    freeMusic(m_pending);
    for (int waited = 0; waited < kFinishWaitMs; waited += 10) {
        bool fading = isMusicFading();
        for (int channel = 0; channel < MixerChannels && !fading; ++channel)
            fading = Mix_Playing(channel) && !m_ramps[static_cast<std::size_t>(channel)]->isSilent();
        if (!fading)
            return;
        SDL_Delay(10);
    }
}
