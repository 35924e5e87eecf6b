#include "exitsignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
// The pipe lives for the whole process: a signal may arrive while an object is being replaced.
int s_pipe[2] = {-1, -1};
constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};
struct sigaction s_previous[kSignals.size()];

extern "C" void onExitSignal(int signo) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signo);
    // Only async-signal-safe calls here; a full pipe means a request is already waiting.
    [[maybe_unused]] ssize_t n = ::write(s_pipe[1], &byte, 1);
    errno = savedErrno;
}

bool openPipe() {
    if (s_pipe[0] >= 0)
        return true;
    if (::pipe(s_pipe) != 0)
        return false;
    for (int fd : s_pipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    return true;
}
} // namespace

ExitSignals::ExitSignals(QObject* parent) : QObject(parent) {
    if (!openPipe())
        return;
    m_notifier = new QSocketNotifier(s_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ExitSignals::onReadable);
    struct sigaction sa {};
    sa.sa_handler = onExitSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &sa, &s_previous[i]);
}

ExitSignals::~ExitSignals() {
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &s_previous[i], nullptr);
}

void ExitSignals::onReadable() {
    char buffer[16];
    ssize_t n = 0;
    int last = 0;
    while ((n = ::read(s_pipe[0], buffer, sizeof buffer)) > 0)
        last = buffer[n - 1];
    if (last)
        emit requested(last);
}

#else

ExitSignals::ExitSignals(QObject* parent) : QObject(parent) {}
ExitSignals::~ExitSignals() = default;
void ExitSignals::onReadable() {}

#endif
