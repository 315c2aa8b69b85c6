// What the game's sounds need from an audio system: SDL2_mixer in the game, a fake in tests.
#pragma once

#include <QString>

#include <functional>

// Every call comes from the user-interface thread and returns at once; sound plays on in the
// audio system's own machinery. A back end without a working device stays silent.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    // Reads effect number `index` from a WAV file into memory, once; it is played from there.
    virtual void loadEffect(int index, const QString& path) = 0;
    // Starts effect `index`. dropWhenBusy: an effect that cannot start at once is skipped,
    // never queued, so a burst of quick requests cannot pile up behind a busy device.
    virtual void playEffect(int index, bool dropWhenBusy) = 0;
    virtual void stopEffects() = 0;

    // Opens a music file and starts it playing once; false when it cannot be opened or played.
    virtual bool playMusic(const QString& path) = 0;
    virtual void stopMusic() = 0;
    virtual void closeMusic() = 0; // forgets the file, so it no longer holds the player

    // The game's own output volume, 0 (silent) to 1 (full); the system mixer is never touched.
    virtual void setVolume(double volume) = 0;

    // Shut-down: returns once the fades already started have reached silence (briefly bounded),
    // so closing the output cannot cut a sound off with a click.
    virtual void finishFades() {}

    // Called when the music has played to its end, or stopped early because it failed.
    void setMusicEndedHandler(std::function<void()> handler) { m_musicEnded = std::move(handler); }

protected:
    void notifyMusicEnded() {
        if (m_musicEnded)
            m_musicEnded();
    }

private:
    std::function<void()> m_musicEnded;
};
