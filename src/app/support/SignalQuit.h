// SIGTERM and SIGHUP (log-out, shut-down, a closed terminal) turned into a clean quit.
#pragma once

#include <QObject>

class QSocketNotifier;

// The signal handler only writes a byte to a pipe; the event loop reads it and emits
// quitRequested, where the game may do what a handler must not (write files, close windows).
// One instance per program.
class SignalQuit : public QObject {
    Q_OBJECT
public:
    explicit SignalQuit(QObject* parent = nullptr);
    ~SignalQuit() override;

signals:
    void quitRequested(int signal);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};
