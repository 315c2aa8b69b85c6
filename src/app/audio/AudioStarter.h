// Starts the game's audio when it is first needed, off the user-interface thread.
#pragma once

#include "audio/AudioBackend.h"

#include <QObject>

#include <functional>
#include <memory>

class QThread;
class SoundPlayer;

// Loading the sound module and opening the output take about as long as showing the window,
// and the player must never wait for them: they run on a thread of their own, and the back end
// is attached to the player on this object's thread once it is ready.
class AudioStarter : public QObject {
    Q_OBJECT
public:
    using Loader = std::function<std::unique_ptr<AudioBackend>()>;

    explicit AudioStarter(SoundPlayer& sound, QObject* parent = nullptr);
    ~AudioStarter() override; // waits for a start still running, and drops what it made

    // The sound module's back end by default; tests hand in their own.
    void setLoader(Loader loader) { m_loader = std::move(loader); }

    // Starts once; later calls, and any call once the player has a back end, do nothing.
    void start();
    bool hasStarted() const { return m_thread != nullptr; }

signals:
    void attached(); // the back end (or none, when the module is missing) reached the player

private:
    SoundPlayer& m_sound;
    Loader m_loader;
    QThread* m_thread = nullptr;
};
