// LOAD and SAVE of a heavy wall (twenty embedded noise pictures of 2 MiB
// each) and of a legacy wall with a thousand entries in each of its four
// topic blocks. The baselines move the same bytes without the wall: reading
// the file with QFile::readAll, and writing as many bytes with QSaveFile,
// synced to disk before the rename as SAVE does it.
//
// One more row shows what new memory costs on this machine: reading a file
// into memory is mostly that, and so is anything that copies a wall's
// pictures (their text as UTF-16 would take this much).

#include "BenchTools.h"
#include "BenchWalls.h"
#include "host/QtServices.h"
#include "model/cls_Wall.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace {

using wq::bench::HeavyPictures;
using wq::bench::Row;

constexpr int LegacyBlocks = 4;
constexpr int LegacyEntries = 1000;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeWithSaveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()
           && ::fsync(file.handle()) == 0 && file.commit();
}

// Milliseconds to write once into `bytes` of new memory, in pages of 4 KiB
// or, where the kernel grants them, of 2 MiB.
double firstWriteMs(qint64 bytes, bool hugePages)
{
    void *memory = mmap(nullptr, size_t(bytes), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        return 0;
    madvise(memory, size_t(bytes), hugePages ? MADV_HUGEPAGE : MADV_NOHUGEPAGE);
    QElapsedTimer clock;
    clock.start();
    std::memset(memory, 1, size_t(bytes));
    const double ms = clock.nsecsElapsed() / 1e6;
    munmap(memory, size_t(bytes));
    return ms;
}

// Windows-1252 text, as the old editor wrote it: umlauts are single bytes.
QByteArray legacyWallText()
{
    QByteArray text;
    for (int b = 0; b < LegacyBlocks; ++b) {
        text += "TH:Thema " + QByteArray::number(b + 1) + " \xc4rger und Gr\xfc\xdf" "e\r\n";
        for (int e = 0; e < LegacyEntries; ++e) {
            const QByteArray n = QByteArray::number(b * LegacyEntries + e);
            text += "Frage " + n + ": Wie hei\xdft die Hauptstadt von \xd6sterreich?|Zweite Zeile\r\n";
            text += "Antwort " + n + ": Wien, an der Donau\r\n";
            text += (e % 3 == 0 ? "A:bild" + n + ".jpg" : QByteArray()) + "\r\n";
        }
        text += "@\r\n";
    }
    return text;
}

struct Figures {
    Row load;
    Row save;
};

Figures measure(const wq::Host &host, const QString &name, const QString &savedName, const QString &source,
                const QString &saved, int runs, const std::function<bool(wq::cls_Wall &)> &check)
{
    const QByteArray bytes = readAll(source);
    // Everything in the page cache before the first timing.
    wq::cls_Wall warm(host);
    if (!warm.LOAD(source) || !check(warm)) {
        std::fprintf(stderr, "%s: LOAD does not give back the wall\n", qPrintable(name));
        std::exit(1);
    }
    warm.SAVE(saved);
    const QByteArray savedBytes = readAll(saved);

    std::vector<std::unique_ptr<wq::cls_Wall>> walls;
    for (int i = 0; i < runs; ++i)
        walls.push_back(std::make_unique<wq::cls_Wall>(host));
    int next = 0;
    bool loaded = true;
    QByteArray read;
    const wq::bench::Pair load = wq::bench::medianPairMs(
        runs, [&] { loaded = walls[next++]->LOAD(source) && loaded; }, [&] { read = readAll(source); });
    if (!loaded || read != bytes || !check(*walls.back())) {
        std::fprintf(stderr, "%s: a timed LOAD failed\n", qPrintable(name));
        std::exit(1);
    }
    walls.clear(); // the loaded copies are large; SAVE is timed without them

    bool written = true;
    const QString copy = saved + QStringLiteral(".bytes");
    const wq::bench::Pair save = wq::bench::medianPairMs(
        runs, [&] { written = warm.SAVE(saved) && written; },
        [&] { written = writeWithSaveFile(copy, savedBytes) && written; });
    if (!written || readAll(saved) != savedBytes) {
        std::fprintf(stderr, "%s: a timed SAVE failed\n", qPrintable(name));
        std::exit(1);
    }
    const auto size = [](qint64 n) {
        return n >= 1000000 ? QStringLiteral("%1 MB").arg(n / 1e6, 0, 'f', 1)
                            : QStringLiteral("%1 kB").arg(n / 1e3, 0, 'f', 1);
    };
    return {{QStringLiteral("LOAD %1 (%2)").arg(name, size(bytes.size())), load.figure, load.baseline,
             QStringLiteral("ms"), QStringLiteral("QFile::readAll of the same file"), {}, {}, runs},
            {QStringLiteral("SAVE %1 (%2)").arg(savedName, size(savedBytes.size())), save.figure, save.baseline,
             QStringLiteral("ms"),
             QStringLiteral("QSaveFile + fsync, as many bytes"), {}, {}, runs}};
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("home")).toUtf8());
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int runs = wq::bench::option(args, QStringLiteral("--runs"), QStringLiteral("11")).toInt();
    wq::QtHost host;

    std::fprintf(stderr, "bench_files: making %d noise pictures...\n", HeavyPictures);
    const QString heavy = dir.filePath(QStringLiteral("heavy.lx-wqz"));
    const QStringList embedded = wq::bench::writeHeavyWall(host.host(), heavy);
    if (embedded.isEmpty()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(heavy));
        return 1;
    }
    const QString legacy = dir.filePath(QStringLiteral("legacy.frg"));
    {
        QFile file(legacy);
        if (!file.open(QIODevice::WriteOnly) || file.write(legacyWallText()) < 0)
            return 1;
    }

    std::fprintf(stderr, "bench_files: timing...\n");
    const Figures h = measure(host.host(), QStringLiteral("heavy wall, 20 x 2 MiB pictures"),
                              QStringLiteral("heavy wall"), heavy,
                              dir.filePath(QStringLiteral("heavy-saved.lx-wqz")), runs, [&](wq::cls_Wall &wall) {
                                  for (int i = 0; i < HeavyPictures; ++i)
                                      if (wall.Item(i, true).IMAGENAME != embedded[i])
                                          return false;
                                  return true;
                              });
    const Figures l = measure(host.host(), QStringLiteral("legacy .frg, 4 x 1000 entries"),
                              QStringLiteral("of that wall as package"), legacy,
                              dir.filePath(QStringLiteral("legacy-saved.lx-wqz")), runs, [](wq::cls_Wall &wall) {
                                  return wall.Item(19, true).ANSWER == u"Antwort 3004: Wien, an der Donau"
                                         && wall.TOPICS().at(1).startsWith(u"Thema 1 Ärger");
                              });
    Row heavyLoad = h.load;
    heavyLoad.aim = QStringLiteral("<= 2 x baseline");
    heavyLoad.verdict = wq::bench::verdictAtMost(heavyLoad.value, 2 * heavyLoad.baseline);

    // As much new memory as the heavy wall's texts take as UTF-16.
    qint64 textBytes = 0;
    for (const QString &picture : embedded)
        textBytes += picture.size() * qint64(sizeof(QChar));
    std::vector<double> small, huge;
    for (int i = 0; i < runs; ++i) {
        small.push_back(firstWriteMs(textBytes, false));
        huge.push_back(firstWriteMs(textBytes, true));
    }
    const Row memory{QStringLiteral("machine: first write to %1 MB new memory").arg(textBytes / 1e6, 0, 'f', 0),
                     wq::bench::median(small), wq::bench::median(huge), QStringLiteral("ms"),
                     QStringLiteral("the same in 2 MiB pages (madvise)"), {}, {}, runs};
    wq::bench::report({heavyLoad, h.save, l.load, l.save, memory}, args);
    return 0;
}
