// The folder's owner found through a local socket, and asked to raise its window.
#include "support/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr char kRaise = 'R';
constexpr char kRaised = 'K';
constexpr int kAnswerWaitMs = 3000;

// "\0quorvel-<user>-<hash of the folder>": the same folder, however it is spelt, gives one name.
sockaddr_un addressFor(const QString& folder, socklen_t& length) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const QByteArray key = QCryptographicHash::hash(
        (canonical.isEmpty() ? QDir::cleanPath(folder) : canonical).toUtf8(),
        QCryptographicHash::Sha256).toHex().left(32);
    const QByteArray name = "quorvel-" + QByteArray::number(::getuid()) + '-' + key;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.constData(), static_cast<std::size_t>(name.size()));
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return address;
}

// Asks the owner to raise its window; true once it says it did.
bool askOwnerToRaise(const sockaddr_un& address, socklen_t length) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    char reply = 0;
    pollfd wait{fd, POLLIN, 0};
    const bool raised = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
                        ::send(fd, &kRaise, 1, MSG_NOSIGNAL) == 1 && ::poll(&wait, 1, kAnswerWaitMs) == 1 &&
                        ::read(fd, &reply, 1) == 1 && reply == kRaised;
    ::close(fd);
    return raised;
}

} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent) : QObject(parent) {
    socklen_t length = 0;
    const sockaddr_un address = addressFor(folder, length);
    m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (m_listener < 0)
        return; // no sockets at all: this copy carries on alone, as before
    if (::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), length) == 0 &&
        ::listen(m_listener, 4) == 0) {
        m_notifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &SingleInstance::answer);
        return;
    }
    const bool taken = errno == EADDRINUSE;
    ::close(m_listener);
    m_listener = -1;
    if (taken)
        m_claim = askOwnerToRaise(address, length) ? Claim::OtherRaised : Claim::OtherUnreachable;
}

SingleInstance::~SingleInstance() {
    delete m_notifier;
    if (m_listener >= 0)
        ::close(m_listener);
}

void SingleInstance::answer() {
    const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    char request = 0;
    pollfd wait{fd, POLLIN, 0};
    if (::poll(&wait, 1, kAnswerWaitMs) == 1 && ::read(fd, &request, 1) == 1 &&
        request == kRaise) {
        emit raiseRequested();
        if (::send(fd, &kRaised, 1, MSG_NOSIGNAL) != 1) { // no SIGPIPE when it has gone
            // the asker gave up waiting; the window is raised all the same
        }
    }
    ::close(fd);
}
