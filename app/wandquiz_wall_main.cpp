// wandquiz-wall: reads, converts and checks walls written by hand.

#include "host/QtServices.h"
#include "storage/WallTool.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    wq::QtFolderService folders;
    wq::QtFileService files;
    wq::Host host;
    host.folders = &folders;
    host.files = &files;
    QTextStream out(stdout);
    QTextStream err(stderr);
    return wq::runWallTool(QCoreApplication::arguments().mid(1), host, out, err);
}
