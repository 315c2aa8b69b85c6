// The debounced save of the game in play, and its last chance when the program exits.
#include "window/AutoSave.h"

#include <cstdlib>

namespace {

// The program may end without leaving the event loop (the X server goes away and Qt calls
// exit()); the one live AutoSave then writes what it holds from an exit handler.
AutoSave* s_live = nullptr;

void saveAtExit() {
    if (s_live)
        s_live->saveNow();
}

} // namespace

AutoSave::AutoSave(Save save, QObject* parent) : QObject(parent), m_save(std::move(save)) {
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(QuietMs);
    m_longest.setSingleShot(true);
    m_longest.setInterval(LongestWaitMs);
    connect(&m_quiet, &QTimer::timeout, this, &AutoSave::save);
    connect(&m_longest, &QTimer::timeout, this, &AutoSave::save);
    static const bool registered = std::atexit(saveAtExit) == 0;
    static_cast<void>(registered);
    s_live = this;
}

AutoSave::~AutoSave() {
    if (s_live == this)
        s_live = nullptr;
}

void AutoSave::gameChanged() {
    m_unsaved = true;
    m_quiet.start();
    if (!m_longest.isActive())
        m_longest.start();
}

std::optional<QString> AutoSave::saveNow() {
    if (!m_unsaved)
        return std::nullopt;
    m_quiet.stop();
    m_longest.stop();
    std::optional<QString> problem = m_save();
    m_unsaved = problem.has_value(); // a failed save is tried again at the next chance
    return problem;
}

void AutoSave::save() {
    const std::optional<QString> problem = saveNow();
    if (problem && !m_failing)
        emit saveFailed(*problem);
    m_failing = problem.has_value();
}
