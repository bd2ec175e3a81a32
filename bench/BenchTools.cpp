#include "BenchTools.h"

#include <cstdio>

namespace wq::bench {

void printTable(const std::vector<Row> &rows)
{
    std::printf("%-44s %12s %12s %8s  %-34s %s\n", "measure", "figure", "baseline", "ratio", "baseline is", "aim");
    for (const Row &row : rows) {
        const QString figure = QString::number(row.value, 'f', 2) + u' ' + row.unit;
        const QString base = row.baseline > 0 ? QString::number(row.baseline, 'f', 2) + u' ' + row.unit : QStringLiteral("-");
        const QString ratio = row.baseline > 0 ? QString::number(row.value / row.baseline, 'f', 2) : QStringLiteral("-");
        std::printf("%-44s %12s %12s %8s  %-34s %s\n", qPrintable(row.what), qPrintable(figure), qPrintable(base),
                    qPrintable(ratio), qPrintable(row.baselineName), qPrintable(row.aim));
    }
    std::fflush(stdout);
}

} // namespace wq::bench
