// The self-pipe that carries SIGTERM and SIGHUP into the event loop.
#include "support/SignalQuit.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace {

int s_pipe[2] = {-1, -1};

extern "C" void onQuitSignal(int signal) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (::write(s_pipe[1], &byte, 1) < 0) {
        // a full pipe already holds a quit; nothing else may be done in a handler
    }
    errno = saved;
}

} // namespace

SignalQuit::SignalQuit(QObject* parent) : QObject(parent) {
    if (::pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalQuit::readSignal);
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

SignalQuit::~SignalQuit() {
    std::signal(SIGTERM, SIG_DFL);
    std::signal(SIGHUP, SIG_DFL);
    delete m_notifier;
    m_notifier = nullptr;
    for (int& fd : s_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void SignalQuit::readSignal() {
    unsigned char byte = 0;
    while (::read(s_pipe[0], &byte, 1) == 1)
        emit quitRequested(byte);
}
