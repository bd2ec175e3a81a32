#pragma once
// Small helpers for the benchmarks: medians of repeated timings, and one table
// that several benchmark programs fill together (scripts/bench.sh).

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <vector>

namespace wq::bench {

// The median of a non-empty list of figures.
inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The median, in milliseconds, of `runs` timings of `work`.
inline double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    return median(times);
}

// Two pieces of work timed in turns, so a change of machine load hits both
// alike; the medians in milliseconds, on the clock and in processor time of
// the whole process (which does not grow while other programs run).
struct Pair {
    double figure;
    double baseline;
    double figureCpu;
    double baselineCpu;
};
Pair medianPairMs(int runs, const std::function<void()> &work, const std::function<void()> &baselineWork);

struct Row {
    QString what;
    double value;
    double baseline;       // 0: none
    QString unit;
    QString baselineName;
    QString aim;           // empty: no aim
    QString verdict;       // "met", "missed", or empty without an aim
    int runs = 0;          // how many runs each median is taken from
};

// "met" or "missed" for an aim that is an upper limit.
inline QString verdictAtMost(double value, double limit)
{
    return value <= limit ? QStringLiteral("met") : QStringLiteral("missed");
}

void printTable(const std::vector<Row> &rows);

// Rows as tab-separated lines appended to a file, so several programs can
// feed one table; readRows gives them back in order.
void appendRows(const std::vector<Row> &rows, const QString &path);
std::vector<Row> readRows(const QString &path);

// With "--rows FILE" among the arguments the rows are appended to FILE,
// otherwise printed as a table.
void report(const std::vector<Row> &rows, const QStringList &arguments);
// The value after `option` in the arguments, or `fallback`.
QString option(const QStringList &arguments, const QString &name, const QString &fallback = {});

} // namespace wq::bench
