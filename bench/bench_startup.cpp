// Start-up time to the first painted board and peak resident memory after the
// build-up animation, for the game beside bench/minimal_window (a Qt program
// that shows one empty window of the same size), and for the game with a
// heavy wall as its autosave (twenty embedded pictures of 2 MiB, a 56 MB file,
// made here) beside the game with the supplied wall; the three are started
// in turns.
//
// Both programs report their first paint on stderr when
// WANDQUIZ_REPORT_FIRST_PAINT is set; the time counted here runs from just
// before the process is spawned to the arrival of that line. Every start gets
// a fresh HOME, so the game finds no other instance and, unless it is given
// the heavy wall as AUTO.LX-WQZ in its data folder, no autosave (it then reads
// the supplied wall, as on a first start); the fontconfig cache is shared and
// warmed by one uncounted start of each. Runs where a display is set
// (scripts/bench.sh starts a private Xvfb).

#include "BenchTools.h"
#include "BenchWalls.h"
#include "host/QtServices.h"
#include "storage/WallPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QThread>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using wq::bench::Row;

struct Start {
    bool ok = false;
    double firstPaintMs = 0; // spawn to the report line
    double cpuMs = 0;        // processor time of all its threads until then
    double peakMiB = 0;      // VmHWM once the build-up is over
    QHash<QString, double> residentMiB; // by mapped file ("[anon]" for the rest), then
    QString ownReport;       // the line as the program wrote it
};

// The environment with a HOME of its own and the report switched on.
std::vector<QByteArray> environmentFor(const QString &home, const QString &cache)
{
    std::vector<QByteArray> env;
    const auto replaced = [](const QByteArray &entry) {
        for (const char *name : {"HOME=", "XDG_DATA_HOME=", "XDG_CONFIG_HOME=", "XDG_CACHE_HOME=",
                                 "XDG_RUNTIME_DIR=", "WANDQUIZ_REPORT_FIRST_PAINT="})
            if (entry.startsWith(name))
                return true;
        return false;
    };
    for (char **e = environ; *e; ++e)
        if (!replaced(QByteArray(*e)))
            env.emplace_back(*e);
    env.push_back("HOME=" + home.toLocal8Bit());
    // Qt wants a private runtime folder and warns on every start without one.
    const QString runtime = home + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    env.push_back("XDG_RUNTIME_DIR=" + runtime.toLocal8Bit());
    env.push_back("XDG_CACHE_HOME=" + cache.toLocal8Bit());
    env.push_back("WANDQUIZ_REPORT_FIRST_PAINT=1");
    return env;
}

// Processor time of the process's threads so far: unlike the time on the
// clock it does not grow while other programs have the processor.
double cpuMs(pid_t pid)
{
    double total = 0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks.filePath(task) + QStringLiteral("/schedstat"));
        if (stat.open(QIODevice::ReadOnly))
            total += stat.readAll().split(' ').value(0).toDouble() / 1e6;
    }
    return total;
}

double peakResidentMiB(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

QHash<QString, double> residentByMapping(pid_t pid)
{
    QHash<QString, double> resident;
    QFile smaps(QStringLiteral("/proc/%1/smaps").arg(pid));
    if (!smaps.open(QIODevice::ReadOnly))
        return resident;
    QString mapping;
    for (const QByteArray &line : smaps.readAll().split('\n')) {
        if (line.startsWith("Rss:")) {
            resident[mapping] += line.mid(4).trimmed().split(' ').value(0).toDouble() / 1024.0;
        } else if (!line.isEmpty() && !std::isupper(uchar(line[0]))) {
            // A mapping's first line: addresses, rights, offset, device, inode, path.
            const QList<QByteArray> fields = line.simplified().split(' ');
            mapping = fields.size() >= 6 && fields[5].startsWith('/') ? QString::fromLocal8Bit(fields[5])
                                                                      : QStringLiteral("[anon]");
        }
    }
    return resident;
}

// Resident memory in shared libraries that `game` maps and `minimal` does not.
double extraLibraryMiB(const QHash<QString, double> &game, const QHash<QString, double> &minimal)
{
    double total = 0;
    for (auto it = game.begin(); it != game.end(); ++it)
        if (it.key().contains(u".so") && !minimal.contains(it.key()))
            total += it.value();
    return total;
}

// Ends the process; its wait status, or -1 when it had to be killed hard.
int endProcess(pid_t pid)
{
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid)
        return status;
    kill(pid, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        QThread::msleep(20);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

// Reads stderr until `deadline`; true once the report line came. Other lines
// pass through so a broken start is visible.
bool pump(int fd, pid_t pid, QByteArray &pending, const QElapsedTimer &clock, qint64 deadlineMs, Start &start)
{
    while (clock.elapsed() < deadlineMs) {
        pollfd p{fd, POLLIN, 0};
        const int ready = poll(&p, 1, int(std::max<qint64>(1, deadlineMs - clock.elapsed())));
        if (ready <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        const double now = clock.nsecsElapsed() / 1e6;
        pending.append(buffer, got);
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            if (line.startsWith("first paint after") && start.ownReport.isEmpty()) {
                start.firstPaintMs = now;
                start.cpuMs = cpuMs(pid);
                start.ownReport = QString::fromLocal8Bit(line);
                return true;
            }
            std::fprintf(stderr, "  | %s\n", line.constData());
        }
    }
    return false;
}

// One start with a fresh HOME; with `autosave`, that wall is the autosave in
// the HOME's data folder.
Start startOnce(const QString &program, const QString &cache, int settleMs, const QString &autosave = {})
{
    Start start;
    QTemporaryDir home;
    if (!autosave.isEmpty()) {
        const QString data = home.filePath(QStringLiteral(".local/share/wandquiz"));
        const QString target = data + u'/' + wq::AutosaveFileName;
        // A hard link puts the file there without writing 56 MB anew for every
        // start. The game replaces its autosave with a new file (it never
        // writes into it), so the shared file stays as it is.
        if (!QDir().mkpath(data)
            || (::link(QFile::encodeName(autosave).constData(), QFile::encodeName(target).constData()) != 0
                && !QFile::copy(autosave, target))) {
            std::fprintf(stderr, "cannot put %s into %s\n", qPrintable(autosave), qPrintable(data));
            return start;
        }
    }
    const std::vector<QByteArray> env = environmentFor(home.path(), cache);
    std::vector<char *> envp;
    for (const QByteArray &e : env)
        envp.push_back(const_cast<char *>(e.constData()));
    envp.push_back(nullptr);
    const QByteArray path = program.toLocal8Bit();
    char *argv[] = {const_cast<char *>(path.constData()), nullptr};

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return start;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    pid_t pid = 0;
    QElapsedTimer clock;
    clock.start();
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (failed) {
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(failed));
        close(fds[0]);
        return start;
    }
    QByteArray pending;
    if (pump(fds[0], pid, pending, clock, 30000, start)) {
        // The build-up runs five ticks of 100 ms from before the first paint;
        // the wait is three times that, and VmHWM only ever grows.
        pump(fds[0], pid, pending, clock, clock.elapsed() + settleMs, start);
        start.peakMiB = peakResidentMiB(pid);
        start.residentMiB = residentByMapping(pid);
        start.ok = start.peakMiB > 0;
        endProcess(pid);
    } else {
        const int status = endProcess(pid);
        std::fprintf(stderr, "%s reported no first paint (%s %d); this start is not counted\n", argv[0],
                     WIFEXITED(status) ? "exit status" : "signal", WIFEXITED(status) ? WEXITSTATUS(status)
                                                                                    : WTERMSIG(status));
    }
    close(fds[0]);
    return start;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int runs = wq::bench::option(args, QStringLiteral("--runs"), QStringLiteral("11")).toInt();
    const int settleMs = 1500;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "bench_startup needs a display (scripts/bench.sh starts one)\n");
        return 1;
    }
    const QString bin = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/");
    const QString game = QDir::cleanPath(bin + QStringLiteral("wandquiz"));
    const QString minimal = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/minimal_window"));
    QTemporaryDir cache;

    // The heavy wall, made once; the QtHost that writes it gets a data folder
    // of its own (the started programs are given theirs).
    QTemporaryDir made;
    qputenv("XDG_DATA_HOME", made.filePath(QStringLiteral("data")).toUtf8());
    const QString heavy = made.filePath(QStringLiteral("heavy.lx-wqz"));
    {
        std::fprintf(stderr, "bench_startup: making the heavy wall...\n");
        wq::QtHost host;
        if (wq::bench::writeHeavyWall(host.host(), heavy).isEmpty()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(heavy));
            return 1;
        }
    }
    const double heavyMB = QFileInfo(heavy).size() / 1e6;

    startOnce(game, cache.path(), 0);
    startOnce(minimal, cache.path(), 0);
    startOnce(game, cache.path(), 0, heavy);
    std::vector<double> gamePaint, minimalPaint, gameCpu, minimalCpu, gameMemory, minimalMemory;
    std::vector<double> heavyPaint, heavyCpu, heavyMemory;
    std::vector<double> extraLibraries, gameAnon, minimalAnon;
    for (int i = 0; i < runs; ++i) {
        const Start g = startOnce(game, cache.path(), settleMs);
        const Start m = startOnce(minimal, cache.path(), settleMs);
        const Start h = startOnce(game, cache.path(), settleMs, heavy);
        if (!g.ok || !m.ok || !h.ok)
            continue;
        gamePaint.push_back(g.firstPaintMs);
        gameCpu.push_back(g.cpuMs);
        gameMemory.push_back(g.peakMiB);
        minimalPaint.push_back(m.firstPaintMs);
        minimalCpu.push_back(m.cpuMs);
        minimalMemory.push_back(m.peakMiB);
        heavyPaint.push_back(h.firstPaintMs);
        heavyCpu.push_back(h.cpuMs);
        heavyMemory.push_back(h.peakMiB);
        extraLibraries.push_back(extraLibraryMiB(g.residentMiB, m.residentMiB));
        gameAnon.push_back(g.residentMiB.value(QStringLiteral("[anon]")));
        minimalAnon.push_back(m.residentMiB.value(QStringLiteral("[anon]")));
        std::fprintf(stderr,
                     "start %2d: game %6.1f ms (cpu %6.1f ms) %5.1f MiB (%s) | minimal %6.1f ms (cpu %6.1f ms) "
                     "%5.1f MiB (%s) | heavy autosave %6.1f ms (cpu %6.1f ms) %5.1f MiB\n",
                     i + 1, g.firstPaintMs, g.cpuMs, g.peakMiB, qPrintable(g.ownReport), m.firstPaintMs, m.cpuMs,
                     m.peakMiB, qPrintable(m.ownReport), h.firstPaintMs, h.cpuMs, h.peakMiB);
    }
    if (gamePaint.empty()) {
        std::fprintf(stderr, "no start succeeded\n");
        return 1;
    }
    using wq::bench::median;
    // Where the difference in memory lies, for the reader of the table.
    std::fprintf(stderr,
                 "memory (medians): the game keeps %.1f MiB resident in shared libraries the minimal program does "
                 "not load (Qt Multimedia and what it needs); memory of no file: game %.1f MiB, minimal %.1f MiB\n",
                 median(extraLibraries), median(gameAnon), median(minimalAnon));
    const double paint = median(gamePaint), paintBase = median(minimalPaint);
    const double memory = median(gameMemory), memoryBase = median(minimalMemory);
    const double heavyPaintMs = median(heavyPaint);
    const int counted = int(gamePaint.size());
    const QString baseName = QStringLiteral("bench/minimal_window, same window size");
    const QString plainWall = QStringLiteral("the game with the supplied wall");
    wq::bench::report({{QStringLiteral("start-up to first painted board"), paint, paintBase, QStringLiteral("ms"),
                        baseName, QStringLiteral("<= 1.3 x baseline"),
                        wq::bench::verdictAtMost(paint, 1.3 * paintBase), counted},
                       {QStringLiteral("  processor time until then, all threads"), median(gameCpu),
                        median(minimalCpu), QStringLiteral("ms"), baseName, {}, {}, counted},
                       {QStringLiteral("peak resident memory after build-up (VmHWM)"), memory, memoryBase,
                        QStringLiteral("MiB"), baseName, QStringLiteral("<= 1.3 x baseline"),
                        wq::bench::verdictAtMost(memory, 1.3 * memoryBase), counted},
                       {QStringLiteral("start-up with a %1 MB wall as autosave").arg(heavyMB, 0, 'f', 1),
                        heavyPaintMs, paint, QStringLiteral("ms"), plainWall, QStringLiteral("<= 1.5 x baseline"),
                        wq::bench::verdictAtMost(heavyPaintMs, 1.5 * paint), counted},
                       {QStringLiteral("  processor time until then, all threads"), median(heavyCpu), median(gameCpu),
                        QStringLiteral("ms"), plainWall, {}, {}, counted},
                       {QStringLiteral("  peak resident memory after build-up"), median(heavyMemory), memory,
                        QStringLiteral("MiB"), plainWall, {}, {}, counted}},
                      args);
    return 0;
}
