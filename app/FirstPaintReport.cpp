#include "FirstPaintReport.h"

#include <QEvent>
#include <QFile>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <ctime>
#include <unistd.h>

namespace wq {

namespace {
// Milliseconds since the kernel started this process, or -1 when unknown.
double msSinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // The command name in brackets may hold blanks; fields count after it.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    // Field 22 (starttime) is the 20th after the bracket.
    if (fields.size() < 20)
        return -1;
    const double startSeconds = fields[19].toDouble() / double(sysconf(_SC_CLK_TCK));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return (double(now.tv_sec) + now.tv_nsec / 1e9 - startSeconds) * 1000.0;
}

// Calls its function once, after the first paint of the watched widget.
class FirstPaintWatcher : public QObject {
public:
    FirstPaintWatcher(QWidget *widget, std::function<void()> then) : QObject(widget), m_then(std::move(then)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_then) {
            // Queued, so it follows the whole paint and its flush.
            QMetaObject::invokeMethod(
                this,
                [this, then = std::move(m_then)] {
                    then();
                    deleteLater();
                },
                Qt::QueuedConnection);
            m_then = nullptr;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_then;
};
} // namespace

void whenFirstPainted(QWidget *widget, std::function<void()> then)
{
    widget->installEventFilter(new FirstPaintWatcher(widget, std::move(then)));
}

void reportFirstPaint(QWidget *widget)
{
    if (!widget || !qEnvironmentVariableIsSet("WANDQUIZ_REPORT_FIRST_PAINT"))
        return;
    whenFirstPainted(widget, [] {
        std::fprintf(stderr, "first paint after %.0f ms\n", msSinceProcessStart());
        std::fflush(stderr);
    });
}

} // namespace wq
