// The answer clock: from opening a 100-point question to the judging panels
// (OK and Falsch) appearing, in the real window with its real timers on the
// offscreen platform. It should take 106 s: 105 ticks of one second and the
// one-second pause at the end. The baseline runs at the same time in a thread
// of its own: a plain precise QTimer of one second, 105 ticks, then a
// one-second sleep.
//
// Without "--one" the program runs several measuring copies of itself side by
// side (each takes 106 s) and reports the medians.

#include "BenchTools.h"
#include "game/frm_WQZ.h"
#include "host/QtServices.h"
#include "widgets/Panel.h"

#include <QApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <cstdio>

namespace {

constexpr int Ticks = 105; // 100 points + 5 seconds
constexpr double ExpectedMs = 106000;
constexpr double AllowedMs = 50;

class PlainClock : public QThread {
public:
    double elapsedMs = 0;

protected:
    void run() override
    {
        QEventLoop loop;
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(1000);
        int ticks = 0;
        QElapsedTimer clock;
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            if (++ticks < Ticks)
                return;
            timer.stop();
            QThread::sleep(1);
            elapsedMs = clock.nsecsElapsed() / 1e6;
            loop.quit();
        });
        clock.start();
        timer.start();
        loop.exec();
    }
};

// Notes the moment both judging panels are visible.
class JudgingWatch : public QObject {
public:
    JudgingWatch(wq::frm_WQZ &window, const QElapsedTimer &clock, QEventLoop &loop)
        : m_window(window), m_clock(clock), m_loop(loop)
    {
        window.OK->installEventFilter(this);
        window.Falsch->installEventFilter(this);
    }
    double elapsedMs = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && elapsedMs < 0 && m_window.OK->isVisible()
            && m_window.Falsch->isVisible()) {
            elapsedMs = m_clock.nsecsElapsed() / 1e6;
            m_loop.quit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    wq::frm_WQZ &m_window;
    const QElapsedTimer &m_clock;
    QEventLoop &m_loop;
};

void wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

int measureOnce()
{
    wq::QtHost host;
    wq::frm_WQZ window(host.host());
    if (!window.Form_Load({}))
        return 1;
    wait(1500); // the build-up animation ends first
    // Field 16 is the first of the 100-point row; it must be a plain question.
    wq::cls_WallField &field = window.wall().Item(16, true);
    field.SORT = wq::KindQuestion;
    field.QUESTION = QStringLiteral("Wie lange dauert die Uhr?");
    field.IMAGENAME = wq::ImageName();

    QEventLoop loop;
    QElapsedTimer clock;
    JudgingWatch watch(window, clock, loop);
    PlainClock plain;
    QTimer::singleShot(200000, &loop, &QEventLoop::quit); // never wait for ever
    clock.start();
    plain.start();
    window.QUESTION(16);
    loop.exec();
    plain.wait();
    window.close();
    if (watch.elapsedMs < 0) {
        std::fprintf(stderr, "bench_clock: the judging panels never appeared\n");
        return 1;
    }
    std::printf("clock %.3f %.3f\n", watch.elapsedMs, plain.elapsedMs);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.contains(QStringLiteral("--one")))
        return measureOnce();

    const int runs = wq::bench::option(args, QStringLiteral("--runs"), QStringLiteral("3")).toInt();
    std::fprintf(stderr, "bench_clock: %d clocks side by side, %.0f s...\n", runs, ExpectedMs / 1000);
    std::vector<std::unique_ptr<QProcess>> copies;
    for (int i = 0; i < runs; ++i) {
        copies.push_back(std::make_unique<QProcess>());
        copies.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        copies.back()->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--one")});
    }
    std::vector<double> figures, baselines;
    for (auto &copy : copies) {
        copy->waitForFinished(240000);
        const QList<QByteArray> words = copy->readAllStandardOutput().trimmed().split(' ');
        if (words.size() == 3 && words[0] == "clock") {
            figures.push_back(words[1].toDouble());
            baselines.push_back(words[2].toDouble());
        }
    }
    if (figures.empty()) {
        std::fprintf(stderr, "bench_clock: no clock run finished\n");
        return 1;
    }
    const double figure = wq::bench::median(figures);
    const double baseline = wq::bench::median(baselines);
    wq::bench::report({{QStringLiteral("answer clock, 100 points, open to OK/Falsch"), figure, baseline,
                        QStringLiteral("ms"), QStringLiteral("plain precise QTimer 105 x 1 s + 1 s sleep"),
                        QStringLiteral("106000 +- 50 ms"),
                        std::abs(figure - ExpectedMs) <= AllowedMs ? QStringLiteral("met") : QStringLiteral("missed"),
                        int(figures.size())}},
                      args);
    return 0;
}
