// The audio back end of the game: Qt Multimedia (GStreamer) for effects and music.
#pragma once

#include "audio/AudioBackend.h"

#include <QObject>

#include <array>

class QAudioOutput;
class QMediaPlayer;
class QSoundEffect;

// One QSoundEffect per effect, decoded into memory once; one media player for the music, made
// when the first tune is asked for. With no sound device everything stays silent: the effects
// find no output, and a tune that cannot play fails and counts as ended.
class QtAudioBackend : public QObject, public AudioBackend {
    Q_OBJECT
public:
    static constexpr int MaxEffects = 8;

    explicit QtAudioBackend(QObject* parent = nullptr);
    ~QtAudioBackend() override;

    void loadEffect(int index, const QString& path) override;
    void playEffect(int index, bool dropWhenBusy) override;
    void stopEffects() override;
    bool playMusic(const QString& path) override;
    void stopMusic() override;
    void closeMusic() override;
    void setVolume(double volume) override;

private:
    void createPlayer();

    std::array<QSoundEffect*, MaxEffects> m_effects{};
    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_output = nullptr;
    double m_volume = 1.0;
};
