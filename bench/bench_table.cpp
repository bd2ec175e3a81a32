// Prints the rows the benchmark programs appended to a file as one table.

#include "BenchTools.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::vector<wq::bench::Row> rows;
    for (const QString &path : QCoreApplication::arguments().mid(1))
        for (const wq::bench::Row &row : wq::bench::readRows(path))
            rows.push_back(row);
    wq::bench::printTable(rows);
    return rows.empty() ? 1 : 0;
}
