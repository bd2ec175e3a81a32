#pragma once
// Logging out, shutting down or Ctrl+C in a terminal send SIGTERM, SIGHUP or
// SIGINT. By default they end the process at once, before the main window
// could write the autosave. While a QuitSignals object lives, they arrive as
// its `received` signal instead, so the window can close the normal way.
//
// The handlers only write the signal's number to a pipe (nothing else is
// safe inside a handler); a socket notifier reads it in the event loop.
// Signals the process was told to ignore (nohup) stay ignored.

#include <QObject>
#include <iterator>
#include <signal.h>

class QSocketNotifier;

namespace wq {

class QuitSignals final : public QObject {
    Q_OBJECT
public:
    // Only one may exist at a time. Throws HostError when the pipe cannot be made.
    explicit QuitSignals(QObject *parent = nullptr);
    // Puts back the handlers that were there before.
    ~QuitSignals() override;

    static constexpr int Handled[] = {SIGTERM, SIGHUP, SIGINT};

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPipe();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier *m_notifier = nullptr;
    struct sigaction m_previous[std::size(Handled)] = {};
};

} // namespace wq
