// The game's sound effects and music, requested by name, played through an audio back end.
#pragma once

#include "audio/AudioBackend.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

// One entry point, playSoundNamed, takes every request: the eight effect names (compared
// exactly), "None" to stop the music, or else the name of a music file in the sound folder.
// The back end may arrive after the effects were checked (the window starts it when the player
// first acts, or when a sound is first asked for); the check results wait for it, and so does
// the latest request made before it came, which plays when it comes if it is still fresh.
class SoundPlayer {
public:
    struct Effect {
        const char* name;
        const char* file; // relative to the program folder
    };
    static constexpr int EffectCount = 8;
    // In loading order.
    static const std::array<Effect, EffectCount>& effects();
    static constexpr int FullVolume = 65535;
    // How long a request made before the back end came may wait for it: an effect answers a
    // click and is no use later; a tune announces a puzzle and may start a little late.
    static constexpr qint64 EffectWaitMs = 150;
    static constexpr qint64 MusicWaitMs = 1000;

    explicit SoundPlayer(QString programFolder);

    // Takes the audio back end; the effects already checked are loaded into it now.
    void attach(std::unique_ptr<AudioBackend> backend);
    bool hasBackend() const { return m_backend != nullptr; }
    // Called at every request made while there is no back end, so the window can start its
    // audio; null by default.
    void setBackendWanted(std::function<void()> wanted) { m_wanted = std::move(wanted); }

    // Checks the eight effect files in order and hands the good ones to the back end. Returns
    // the relative names of those that are missing or are not WAV files: their clips stay empty
    // and are never played, and the others load as usual.
    QStringList loadEffects();
    bool isEffectLoaded(int index) const { return m_loaded.at(static_cast<std::size_t>(index)); }

    // The Sound Effects switch: off, every request does nothing at all.
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    void playSoundNamed(const QString& name);
    // From a music file's successful start until it ends or is stopped.
    bool isMusicPlaying() const { return m_musicPlaying; }

    void stopEffects();
    // Shut-down: stops and closes the music if it plays, and returns when every fade is over.
    void closeMusic();

    // The game's own output volume, 0..65535.
    int volume() const { return m_volume; }
    void setVolume(int volume);

    // The warning for the effect files loadEffects() could not use.
    static QString missingEffectsWarning(const QStringList& files);

private:
    static int effectIndex(const QString& name); // -1 for a name that is no effect
    double backendVolume() const;
    void playMusicFile(const QString& name);
    void musicEnded();
    void loadIntoBackend();
    void wait(const QString& name);
    void playWaiting();

    QString m_folder;
    std::unique_ptr<AudioBackend> m_backend;
    std::array<bool, EffectCount> m_loaded{};
    bool m_checked = false; // loadEffects() has run
    bool m_enabled = true;
    bool m_musicPlaying = false;
    bool m_notifyMusicEnd = false;
    int m_volume = FullVolume;
    std::function<void()> m_wanted;
    std::optional<QString> m_waiting; // the latest request made before the back end came
    QElapsedTimer m_waitingSince;
};
