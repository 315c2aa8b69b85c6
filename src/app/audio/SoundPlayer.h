// The game's sound effects and music, requested by name, played through an audio back end.
#pragma once

#include "audio/AudioBackend.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>

// One entry point, playSoundNamed, takes every request: the eight effect names (compared
// exactly), "None" to stop the music, or else the name of a music file in the sound folder.
// The back end may arrive after the effects were checked (it is started once the window is on
// screen); until then every request is silent, and the check results wait for it.
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

    explicit SoundPlayer(QString programFolder);

    // Takes the audio back end; the effects already checked are loaded into it now.
    void attach(std::unique_ptr<AudioBackend> backend);
    bool hasBackend() const { return m_backend != nullptr; }

    // Checks the eight effect files in order and hands the good ones to the back end. Returns
    // the relative names of those that are missing or are not WAV files: their clips stay empty
    // and are never played, and the others load as usual.
    QStringList loadEffects();
    bool isEffectLoaded(int index) const { return m_loaded.at(static_cast<std::size_t>(index)); }

    // The Sound Effects switch: off, every request does nothing at all.
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

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

    QString m_folder;
    std::unique_ptr<AudioBackend> m_backend;
    std::array<bool, EffectCount> m_loaded{};
    bool m_checked = false; // loadEffects() has run
    bool m_enabled = true;
    bool m_musicPlaying = false;
    bool m_notifyMusicEnd = false;
    int m_volume = FullVolume;
};
