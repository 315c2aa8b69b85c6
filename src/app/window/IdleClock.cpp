// Holding and resuming the game's idle timer around the game's modal windows.
#include "window/IdleClock.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>

IdleClock::IdleClock(QTimer& timer, QWidget* window) : QObject(window), m_timer(timer) {
    // Connected after the game's tick, so it sees whether the tick asked for a fresh interval.
    connect(&m_timer, &QTimer::timeout, this, &IdleClock::intervalEnded);
    window->installEventFilter(this);
}

void IdleClock::run(bool enabled, int intervalMs) {
    m_fullIntervalMs = intervalMs;
    m_onRemainder = false;
    if (m_held) {
        // Started afresh when the modal window closes.
        m_runsAfterHold = enabled;
        m_remainingMs = intervalMs;
    } else if (enabled) {
        m_timer.start(intervalMs);
    } else {
        m_timer.stop();
    }
}

void IdleClock::runRemainder(int intervalMs, int remainingMs) {
    run(true, intervalMs);
    if (remainingMs >= intervalMs)
        return;
    if (m_held) {
        m_remainingMs = remainingMs;
        m_onRemainder = true;
        return;
    }
    m_timer.start(remainingMs);
    m_onRemainder = true;
}

int IdleClock::msIntoInterval() const {
    if (m_held)
        return m_runsAfterHold ? std::max(0, m_fullIntervalMs - m_remainingMs) : 0;
    if (!m_timer.isActive())
        return 0;
    const int full = m_onRemainder ? m_fullIntervalMs : m_timer.interval();
    return std::clamp(full - std::max(0, m_timer.remainingTime()), 0, full);
}

bool IdleClock::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowBlocked)
        hold();
    else if (event->type() == QEvent::WindowUnblocked)
        resume();
    return QObject::eventFilter(watched, event);
}

void IdleClock::hold() {
    if (m_held)
        return; // a second modal window over the first: still held
    m_held = true;
    m_runsAfterHold = m_timer.isActive();
    if (!m_runsAfterHold)
        return;
    m_remainingMs = std::max(0, m_timer.remainingTime());
    if (!m_onRemainder)
        m_fullIntervalMs = m_timer.interval();
    m_timer.stop();
}

void IdleClock::resume() {
    if (!m_held)
        return;
    m_held = false;
    if (!m_runsAfterHold)
        return;
    m_timer.start(m_remainingMs);
    m_onRemainder = m_remainingMs != m_fullIntervalMs;
}

void IdleClock::intervalEnded() {
    if (!m_onRemainder)
        return; // the tick asked for a fresh interval itself, or the interval was a full one
    m_onRemainder = false;
    if (m_timer.isActive())
        m_timer.start(m_fullIntervalMs);
    else
        m_timer.setInterval(m_fullIntervalMs);
}
