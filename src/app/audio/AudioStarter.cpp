// The audio start on a worker thread, handed back through a queued call.
#include "audio/AudioStarter.h"

#include "audio/AudioLoader.h"
#include "audio/SoundPlayer.h"
#include "support/StartupTrace.h"

#include <QMetaObject>
#include <QThread>

AudioStarter::AudioStarter(SoundPlayer& sound, QObject* parent)
    : QObject(parent), m_sound(sound), m_loader(loadAudioBackend) {}

AudioStarter::~AudioStarter() {
    if (!m_thread)
        return;
    // A back end that is made but not yet attached goes with the queued call this drops.
    m_thread->wait();
    delete m_thread;
}

void AudioStarter::start() {
    if (m_thread || m_sound.hasBackend())
        return;
    quorvel::traceStartupStep("audio starts");
    QThread* home = thread();
    m_thread = QThread::create([this, home, loader = m_loader] {
        // Shared, because the queued call is copied; only the call ever takes the back end.
        auto made = std::make_shared<std::unique_ptr<AudioBackend>>(loader());
        // A back end that is also a QObject (SDL's reports the end of a tune through queued
        // calls) must live on the thread that uses it, not on this one, which ends now.
        if (auto* object = dynamic_cast<QObject*>(made->get()))
            object->moveToThread(home);
        QMetaObject::invokeMethod(
            this,
            [this, made] {
                m_sound.attach(std::move(*made));
                emit attached();
            },
            Qt::QueuedConnection);
    });
    m_thread->start();
}
