// An audio back end that records what the game asked of it, for tests.
#pragma once

#include "audio/AudioBackend.h"

#include <QList>
#include <QStringList>

class FakeAudio : public AudioBackend {
public:
    void loadEffect(int index, const QString& path) override {
        calls << QStringLiteral("load %1 %2").arg(index).arg(path.section('/', -1));
    }
    void playEffect(int index, bool dropWhenBusy) override {
        calls << QStringLiteral("effect %1%2").arg(index).arg(dropWhenBusy ? " nowait" : "");
    }
    void stopEffects() override { calls << QStringLiteral("stopEffects"); }
    bool playMusic(const QString& path) override {
        calls << QStringLiteral("music %1").arg(path.section('/', -1));
        return musicStarts;
    }
    void stopMusic() override { calls << QStringLiteral("stopMusic"); }
    void closeMusic() override { calls << QStringLiteral("closeMusic"); }
    void finishFades() override { calls << QStringLiteral("finishFades"); }
    void setVolume(double value) override {
        volume = value;
        volumes << value;
    }

    // The player reports the end of the tune.
    void endMusic() { notifyMusicEnded(); }

    QStringList calls;
    bool musicStarts = true;
    double volume = -1;
    QList<double> volumes; // every volume set, in order
};
