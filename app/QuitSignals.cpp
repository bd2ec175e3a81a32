#include "QuitSignals.h"

#include "host/HostServices.h"

#include <QSocketNotifier>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace wq {

namespace {
// The pipe's write end, for the handler; -1 while no QuitSignals lives.
volatile sig_atomic_t writeEnd = -1;

void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    // Non-blocking: should the pipe ever be full, a close is pending anyway.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &number, 1);
    errno = savedErrno;
}
} // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    if (writeEnd != -1)
        throw HostError("quit signals: already watched");
    if (::pipe2(m_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw HostError("quit signals: no pipe");
    writeEnd = m_pipe[1];
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readPipe);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // calls the signal interrupts simply go on
    for (std::size_t i = 0; i < std::size(Handled); ++i) {
        sigaction(Handled[i], nullptr, &m_previous[i]);
        if (m_previous[i].sa_handler != SIG_IGN)
            sigaction(Handled[i], &action, nullptr);
    }
}

QuitSignals::~QuitSignals()
{
    for (std::size_t i = 0; i < std::size(Handled); ++i)
        sigaction(Handled[i], &m_previous[i], nullptr);
    writeEnd = -1;
    delete m_notifier; // before its descriptor is closed
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void QuitSignals::readPipe()
{
    unsigned char numbers[16];
    ssize_t count;
    while ((count = ::read(m_pipe[0], numbers, sizeof numbers)) > 0)
        for (ssize_t i = 0; i < count; ++i)
            Q_EMIT received(numbers[i]);
}

} // namespace wq
