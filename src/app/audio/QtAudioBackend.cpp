// Effects from memory through QSoundEffect, music files through QMediaPlayer.
#include "audio/QtAudioBackend.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QSoundEffect>
#include <QUrl>

QtAudioBackend::QtAudioBackend(QObject* parent) : QObject(parent) {}

// The media player brings in the whole GStreamer pipeline (about 11 MB), so it is made for the
// first tune rather than at start-up, where the effects need only a fraction of that.
void QtAudioBackend::createPlayer() {
    m_player = new QMediaPlayer(this);
    m_output = new QAudioOutput(this);
    m_output->setVolume(static_cast<float>(m_volume));
    m_player->setAudioOutput(m_output);
    m_player->setLoops(1);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::EndOfMedia)
                    notifyMusicEnded();
            });
    // A tune that fails while playing (a damaged file, no decoder) is over as far as the game is
    // concerned: it is simply not heard.
    connect(m_player, &QMediaPlayer::errorOccurred, this,
            [this](QMediaPlayer::Error error, const QString&) {
                if (error != QMediaPlayer::NoError)
                    notifyMusicEnded();
            });
}

QtAudioBackend::~QtAudioBackend() {
    // Silence first, so nothing is heard or reported while the objects go away.
    if (m_player) {
        disconnect(m_player, nullptr, this, nullptr);
        m_player->stop();
    }
    for (QSoundEffect* effect : m_effects)
        if (effect)
            effect->stop();
}

void QtAudioBackend::loadEffect(int index, const QString& path) {
    if (index < 0 || index >= MaxEffects)
        return;
    QSoundEffect*& effect = m_effects[static_cast<std::size_t>(index)];
    if (!effect)
        effect = new QSoundEffect(this);
    effect->setVolume(static_cast<float>(m_volume));
    effect->setSource(QUrl::fromLocalFile(path)); // decoded into memory in the background
}

void QtAudioBackend::playEffect(int index, bool dropWhenBusy) {
    if (index < 0 || index >= MaxEffects)
        return;
    QSoundEffect* effect = m_effects[static_cast<std::size_t>(index)];
    if (!effect || effect->status() == QSoundEffect::Error)
        return;
    // Not ready yet (still decoding, or no device): QSoundEffect would queue the request.
    if (dropWhenBusy && effect->status() != QSoundEffect::Ready)
        return;
    effect->play();
}

void QtAudioBackend::stopEffects() {
    for (QSoundEffect* effect : m_effects)
        if (effect && effect->isPlaying())
            effect->stop();
}

bool QtAudioBackend::playMusic(const QString& path) {
    if (!m_player)
        createPlayer();
    m_player->setSource(QUrl::fromLocalFile(path));
    if (m_player->error() != QMediaPlayer::NoError)
        return false;
    m_player->play();
    return m_player->error() == QMediaPlayer::NoError;
}

void QtAudioBackend::stopMusic() {
    if (m_player)
        m_player->stop();
}

void QtAudioBackend::closeMusic() {
    if (m_player)
        m_player->setSource(QUrl());
}

void QtAudioBackend::setVolume(double volume) {
    m_volume = volume;
    if (m_output)
        m_output->setVolume(static_cast<float>(volume));
    for (QSoundEffect* effect : m_effects)
        if (effect)
            effect->setVolume(static_cast<float>(volume));
}
