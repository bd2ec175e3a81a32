#include "BenchTools.h"

#include <QFile>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace wq::bench {

namespace {
double processCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}
} // namespace

Pair medianPairMs(int runs, const std::function<void()> &work, const std::function<void()> &baselineWork)
{
    std::vector<double> figures, baselines, figuresCpu, baselinesCpu;
    const auto time = [](const std::function<void()> &job, std::vector<double> &wall, std::vector<double> &cpu) {
        const double cpuStart = processCpuMs();
        QElapsedTimer clock;
        clock.start();
        job();
        wall.push_back(clock.nsecsElapsed() / 1e6);
        cpu.push_back(processCpuMs() - cpuStart);
    };
    for (int i = 0; i < runs; ++i) {
        time(work, figures, figuresCpu);
        time(baselineWork, baselines, baselinesCpu);
    }
    return {median(figures), median(baselines), median(figuresCpu), median(baselinesCpu)};
}

namespace {
QString number(double value)
{
    const double size = std::abs(value);
    return QString::number(value, 'f', size >= 10000 ? 0 : size >= 100 ? 1 : size >= 1 ? 2 : 3);
}
} // namespace

void printTable(const std::vector<Row> &rows)
{
    const char *format = "%-48s %13s %13s %7s %4s  %-50s %-18s %s\n";
    std::printf(format, "measure", "figure", "baseline", "ratio", "runs", "baseline is", "aim", "aim met?");
    for (const Row &row : rows) {
        const QString figure = number(row.value) + u' ' + row.unit;
        const bool hasBase = row.baseline > 0;
        const QString base = hasBase ? number(row.baseline) + u' ' + row.unit : QStringLiteral("-");
        const QString ratio = hasBase ? QString::number(row.value / row.baseline, 'f', 2) : QStringLiteral("-");
        const QString runs = row.runs > 0 ? QString::number(row.runs) : QStringLiteral("-");
        const QString aim = row.aim.isEmpty() ? QStringLiteral("-") : row.aim;
        const QString verdict = row.verdict.isEmpty() ? QStringLiteral("-") : row.verdict;
        std::printf(format, qPrintable(row.what), qPrintable(figure), qPrintable(base), qPrintable(ratio),
                    qPrintable(runs), qPrintable(row.baselineName), qPrintable(aim), qPrintable(verdict));
    }
    std::fflush(stdout);
}

void appendRows(const std::vector<Row> &rows, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::Text)) {
        std::fprintf(stderr, "cannot append to %s\n", qPrintable(path));
        return;
    }
    for (const Row &row : rows) {
        const QStringList fields{row.what, QString::number(row.value, 'g', 12), QString::number(row.baseline, 'g', 12),
                                 row.unit, row.baselineName, row.aim, row.verdict, QString::number(row.runs)};
        file.write(fields.join(u'\t').toUtf8() + '\n');
    }
}

std::vector<Row> readRows(const QString &path)
{
    std::vector<Row> rows;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine());
        if (line.endsWith(u'\n'))
            line.chop(1);
        const QStringList f = line.split(u'\t');
        if (f.size() != 8)
            continue;
        rows.push_back({f[0], f[1].toDouble(), f[2].toDouble(), f[3], f[4], f[5], f[6], f[7].toInt()});
    }
    return rows;
}

QString option(const QStringList &arguments, const QString &name, const QString &fallback)
{
    const qsizetype at = arguments.indexOf(name);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : fallback;
}

void report(const std::vector<Row> &rows, const QStringList &arguments)
{
    const QString path = option(arguments, QStringLiteral("--rows"));
    if (path.isEmpty())
        printTable(rows);
    else
        appendRows(rows, path);
}

} // namespace wq::bench
