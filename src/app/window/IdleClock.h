// The game's idle timer, held while one of the game's modal windows is open.
#pragma once

#include <QObject>

class QTimer;
class QWidget;

// Every modal window of the game blocks the main window, and Qt tells the main window when
// that starts and ends; watching those two events holds the clock for every dialog and
// message box there is or will be, with no code in any of them. A held clock keeps the rest
// of its interval: the next tick comes that long after the window closes, and the interval
// after it is the full one again. What the game asks of the timer meanwhile is kept for then.
class IdleClock : public QObject {
    Q_OBJECT
public:
    // Drives timer and watches window, whose modal blocking holds the clock.
    IdleClock(QTimer& timer, QWidget* window);

    // The game's request: run with a fresh interval of intervalMs, or stop.
    void run(bool enabled, int intervalMs);
    // Runs out the rest of an interval begun earlier (a resumed game's), then full intervals.
    void runRemainder(int intervalMs, int remainingMs);
    // How far the current interval has run; 0 while the timer is stopped.
    int msIntoInterval() const;
    bool isHeld() const { return m_held; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void hold();
    void resume();
    void intervalEnded();

    QTimer& m_timer;
    bool m_held = false;
    bool m_runsAfterHold = false;
    int m_remainingMs = 0;
    int m_fullIntervalMs = 0;
    bool m_onRemainder = false; // the timer runs out the rest of a held interval
};
