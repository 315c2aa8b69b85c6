// A throw-away copy of the staged program folder and a main window over it, for the app's
// benchmark and start-up probe.
#pragma once

#include "audio/AudioBackend.h"
#include "support/Dialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

// Says No to every question and keeps quiet, so no modal box ever stops a measurement.
class SilentDialogs : public Dialogs {
public:
    bool ask(QWidget*, const QString&) override { return false; }
    void warn(QWidget*, const QString&) override {}
    void inform(QWidget*, const QString&) override {}
};

// An audio back end that does nothing: the window then never opens the audio output.
class NoAudio : public AudioBackend {
public:
    void loadEffect(int, const QString&) override {}
    void playEffect(int, bool) override {}
    void stopEffects() override {}
    bool playMusic(const QString&) override { return false; }
    void stopMusic() override {}
    void closeMusic() override {}
    void setVolume(double) override {}
};

// The staged data (zq, kbs, sound) copied into `to`, which ends in '/'.
inline void copyProgramFolder(const QString& from, const QString& to) {
    for (const char* sub : {"zq", "kbs", "sound"}) {
        const QString source = from + QLatin1String(sub);
        QDirIterator it(source, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString target =
                to + QLatin1String(sub) + '/' + QDir(source).relativeFilePath(file);
            QDir().mkpath(QFileInfo(target).path());
            QFile::copy(file, target);
        }
    }
}
