// The audio back end of the game: SDL2_mixer, effects on mixer channels and MP3 music.
#pragma once

#include "AudioBackend.h"
#include "CutRamp.h"

#include <QObject>

#include <array>
#include <atomic>
#include <memory>

struct Mix_Chunk;
struct _Mix_Music;

// Opens the audio output once (audio only, no SDL window or event handling of ours). Each
// effect is decoded into memory once and played on a free mixer channel, so an effect always
// plays whole unless the game cuts it, and a cut fades out over a few milliseconds. The tune
// is streamed from its file; stopping it fades it out, and a tune asked for during the fade
// starts when the fade ends. Without an audio device it says so in one line on stderr and
// stays silent: every call returns at once and no tune starts.
class SdlAudioBackend : public QObject, public AudioBackend {
public:
    static constexpr int MaxEffects = 8;
    static constexpr int MixerChannels = 16;
    static constexpr int MusicFadeMs = 500;
    static constexpr int CutFadeMs = 4;

    explicit SdlAudioBackend(QObject* parent = nullptr);
    ~SdlAudioBackend() override;

    bool isOpen() const { return m_open; }

    void loadEffect(int index, const QString& path) override;
    void playEffect(int index, bool dropWhenBusy) override;
    void stopEffects() override;
    bool playMusic(const QString& path) override;
    void stopMusic() override;
    void closeMusic() override;
    void setVolume(double volume) override;
    void finishFades() override;

private:
    using Music = _Mix_Music;
    static void musicFinishedOnAudioThread();
    static void applyCut(int channel, void* stream, int bytes, void* ramp);

    bool openOutput();
    int startChannel(Mix_Chunk* chunk);
    void haltSilencedChannels();
    bool startMusic(Music* music);
    void musicFinished(int generation);
    void freeMusic(Music*& music);
    bool isMusicFading() const;

    bool m_open = false;
    int m_outputChannels = 2;
    std::array<Mix_Chunk*, MaxEffects> m_effects{};
    std::array<std::unique_ptr<CutRamp>, MixerChannels> m_ramps;
    Music* m_current = nullptr; // playing, fading, or finished and not yet freed
    Music* m_pending = nullptr; // asked for while the current tune fades out
    std::atomic<int> m_generation{0}; // counts tunes started, so a late end is recognised
};
