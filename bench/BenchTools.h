#pragma once
// Small helpers for the benchmarks: medians of repeated timings and a table.

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <vector>

namespace wq::bench {

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
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Row {
    QString what;
    double value;
    double baseline;
    QString unit;
    QString baselineName;
    QString aim;
};

void printTable(const std::vector<Row> &rows);

} // namespace wq::bench
