// The editor's picture import with a 12-megapixel photo-like JPEG (4000x3000,
// generated here): its time beside decoding the same file whole with
// QImageReader, the memory each adds at its peak (measured in a fresh child
// process, so nothing freed before hides in the heap), and the size of a
// wall of twenty such photos imported, beside the twenty photo files.

#include "BenchTools.h"
#include "BenchWalls.h"
#include "editor/PictureImport.h"
#include "host/Pictures.h"
#include "host/QtServices.h"
#include "model/cls_Wall.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using wq::bench::Row;

constexpr int Photos = 20;

qint64 statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    return 0;
}

// In the child: what one import or one whole decode adds to resident memory
// at its peak, in MiB, printed on stdout.
int peakChild(const QString &what, const QString &path)
{
    const qint64 before = statusKb("VmRSS:");
    const bool ok = what == u"import" ? wq::importPictureFile(path).ok() : !QImageReader(path).read().isNull();
    std::printf("%.2f\n", (statusKb("VmHWM:") - before) / 1024.0);
    return ok ? 0 : 1;
}

// The peak of `what` in a fresh child process: the median of `runs` children.
double peakMiB(const QString &what, const QString &path, int runs)
{
    std::vector<double> peaks;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak"), what, path});
        if (!child.waitForFinished(60000) || child.exitCode() != 0) {
            std::fprintf(stderr, "bench_pictures: the %s child failed\n", qPrintable(what));
            std::exit(1);
        }
        peaks.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    return wq::bench::median(peaks);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args[1] == u"--peak")
        return peakChild(args[2], args[3]);
    const int runs = wq::bench::option(args, QStringLiteral("--runs"), QStringLiteral("11")).toInt();
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
    wq::QtHost host;

    std::fprintf(stderr, "bench_pictures: making %d photos of 12 megapixels...\n", Photos);
    QStringList files;
    qint64 filesBytes = 0;
    for (int i = 0; i < Photos; ++i) {
        files.append(dir.filePath(QStringLiteral("foto%1.jpg").arg(i + 1)));
        if (!wq::bench::writePhoto(files.last(), quint32(i + 1))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(files.last()));
            return 1;
        }
        filesBytes += QFileInfo(files.last()).size();
    }

    std::fprintf(stderr, "bench_pictures: timing...\n");
    const QString first = files.first();
    bool imported = true;
    bool decoded = true;
    const wq::bench::Pair time = wq::bench::medianPairMs(
        runs, [&] { imported = wq::importPictureFile(first).ok() && imported; },
        [&] { decoded = !QImageReader(first).read().isNull() && decoded; });
    if (!imported || !decoded) {
        std::fprintf(stderr, "bench_pictures: a timed import or decode failed\n");
        return 1;
    }
    const double importPeak = peakMiB(QStringLiteral("import"), first, runs);
    const double decodePeak = peakMiB(QStringLiteral("decode"), first, runs);

    std::fprintf(stderr, "bench_pictures: importing %d photos into a wall...\n", Photos);
    const QString wallPath = dir.filePath(QStringLiteral("fotos.lx-wqz"));
    {
        wq::cls_Wall wall(host.host());
        for (int i = 0; i < Photos; ++i) {
            const wq::ImportedPicture picture = wq::importPictureFile(files[i]);
            if (!picture.ok() || picture.size != QSize(1920, 1440)) {
                std::fprintf(stderr, "bench_pictures: %s: %s\n", qPrintable(files[i]), qPrintable(picture.message));
                return 1;
            }
            wq::cls_WallField &field = wall.Item(i, true);
            field.QUESTION = QStringLiteral("Was zeigt Foto %1?").arg(i + 1);
            field.IMAGENAME = picture.text;
            field.IMAGEMODE = wq::PictureWithQuestion;
        }
        if (!wall.SAVE(wallPath)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(wallPath));
            return 1;
        }
    }
    wq::cls_Wall loaded(host.host());
    if (!loaded.LOAD(wallPath) || wq::pictures::fromText(loaded.Item(Photos - 1, true).IMAGENAME).isNull()) {
        std::fprintf(stderr, "bench_pictures: the saved wall does not give its pictures back\n");
        return 1;
    }
    const double wallMB = QFileInfo(wallPath).size() / 1e6;

    const QString name = QStringLiteral("12 MP JPEG (%1 MB)").arg(QFileInfo(first).size() / 1e6, 0, 'f', 1);
    wq::bench::report(
        {{QStringLiteral("import %1 to 1920x1440").arg(name), time.figure, time.baseline, QStringLiteral("ms"),
          QStringLiteral("QImageReader::read of the file, whole"), {}, {}, runs},
         {QStringLiteral("peak memory added by that import"), importPeak, decodePeak, QStringLiteral("MiB"),
          QStringLiteral("by the whole read (fresh process each)"), {}, {}, runs},
         {QStringLiteral("wall of %1 imported 12 MP photos (SAVE)").arg(Photos), wallMB, filesBytes / 1e6,
          QStringLiteral("MB"), QStringLiteral("the %1 photo files together").arg(Photos), {}, {}, 0}},
        args);
    return 0;
}
