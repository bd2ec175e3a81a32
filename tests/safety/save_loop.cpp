// Heavy walls for the crash tests (test_kill_during_save.sh, test_full_disk.sh).
//
//   save_loop write FILE GEN     saves generation GEN once; exit 1 if SAVE fails
//   save_loop verify FILE GEN... prints the generation when FILE loads whole
//                                and is exactly one of GEN..., else exit 1
//   save_loop loop FILE GEN...   verifies ("found N"), clears leftovers as the
//                                game's start does ("ready"), then saves N+1,
//                                N+2, ... for ever ("saved N MS" after each)
//
// Even and odd generations are two walls of several MB, each field with a
// picture of its own; the generation stands in the first and the last field,
// so a file mixed of two saves is caught even before its checksum is.

#include "host/PackageFile.h"
#include "host/Pictures.h"
#include "model/cls_Wall.h"
#include "support/TestHost.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QImageWriter>
#include <QRegularExpression>
#include <cstdio>

using namespace wq;

namespace {
constexpr int PictureSide = 200; // about 160 KB of text per field: 3.2 MB a wall

// A picture of noise: as large in the file as in memory.
QString noisePicture(int variant, int field)
{
    QImage image(PictureSide, PictureSide, QImage::Format_RGB888);
    quint32 state = quint32(variant * 7919 + field * 104729 + 1);
    for (int y = 0; y < image.height(); ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < image.width() * 3; ++x) {
            state = state * 1664525u + 1013904223u;
            line[x] = uchar(state >> 24);
        }
    }
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    // A bitmap is quick to make; its noise does not shrink in the file.
    QImageWriter writer(&bytes, "BMP");
    writer.write(image);
    return pictures::toText(bytes.data());
}

const QString &picture(int variant, int field)
{
    static QHash<int, QString> made;
    const int key = variant * 100 + field;
    if (!made.contains(key))
        made.insert(key, noisePicture(variant, field));
    return made[key];
}

void fill(cls_Wall &wall, qint64 generation)
{
    const int variant = int(generation % 2);
    const QString name = variant ? QStringLiteral("B") : QStringLiteral("A");
    wall.TITLE = QStringLiteral("Wand %1").arg(name);
    wall.AUTHOR = QStringLiteral("Prüfung");
    for (int c = 1; c <= 4; ++c)
        wall.TOPICS().set(c, QStringLiteral("Thema %1%2").arg(name).arg(c));
    for (int i = 0; i < cls_Wall::FieldCount; ++i) {
        cls_WallField &field = wall.Item(i, true);
        field.QUESTION = QStringLiteral("Frage %1 der Wand %2").arg(i).arg(name);
        field.ANSWER = QStringLiteral("Antwort %1 der Wand %2").arg(i).arg(name);
        field.IMAGENAME = picture(variant, i);
        field.IMAGEMODE = (i + variant) % 3;
        field.SORT = i % 7 == 3 ? KindRisk : i % 9 == 8 ? KindJoker : KindQuestion;
    }
    wall.Item(0, true).QUESTION = QStringLiteral("Generation %1").arg(generation);
    wall.Item(cls_Wall::FieldCount - 1, true).ANSWER += QStringLiteral(" (Generation %1)").arg(generation);
}

// The generation FILE holds when it loads whole and is exactly one of
// `generations`; -1 (and why, printed) when not.
qint64 verify(const QString &file, const QStringList &generations, const Host &host)
{
    cls_Wall wall(host);
    if (!wall.LOAD(file, QString()) || wall.FILENAME != file) {
        std::printf("not loaded whole\n");
        return -1;
    }
    const auto match = QRegularExpression(QStringLiteral("^Generation (\\d+)$")).match(wall.Item(0, true).QUESTION);
    if (!match.hasMatch()) {
        std::printf("no generation in the first field\n");
        return -1;
    }
    const qint64 found = match.captured(1).toLongLong();
    if (!generations.contains(QString::number(found))) {
        std::printf("generation %lld, expected one of %s\n", found, qPrintable(generations.join(u' ')));
        return -1;
    }
    cls_Wall expected(host);
    fill(expected, found);
    if (wall.savePackage() != expected.savePackage()) { // everything a package holds, compared at once
        std::printf("generation %lld differs from the wall saved as it\n", found);
        return -1;
    }
    return found;
}

int loop(const QString &file, const QStringList &generations, const Host &host)
{
    const qint64 found = verify(file, generations, host);
    if (found < 0)
        return 3;
    std::printf("found %lld\n", found);
    PackageFile::removeLeftovers(file);
    cls_Wall wall(host);
    // Both sets of pictures are made before the first save is timed.
    fill(wall, found);
    qint64 generation = found + 1;
    fill(wall, generation);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;; ++generation) {
        QElapsedTimer clock;
        clock.start();
        fill(wall, generation);
        if (!wall.SAVE(file, QString())) {
            std::printf("failed %lld\n", generation);
            return 1;
        }
        std::printf("saved %lld %lld\n", generation, clock.elapsed());
        std::fflush(stdout);
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    // No supplied walls: a missing file must not be replaced by another one.
    test::FixedFolderService folders;
    folders.program = folders.shared = folders.userData = folders.documents = QStringLiteral("/nonexistent/");
    QtFileService files;
    Host host;
    host.folders = &folders;
    host.files = &files;

    if (args.size() >= 4 && args[1] == u"loop")
        return loop(args[2], args.mid(3), host);
    if (args.size() == 4 && args[1] == u"write") {
        cls_Wall wall(host);
        fill(wall, args[3].toLongLong());
        return wall.SAVE(args[2], QString()) ? 0 : 1;
    }
    if (args.size() >= 4 && args[1] == u"verify") {
        const qint64 found = verify(args[2], args.mid(3), host);
        if (found >= 0)
            std::printf("%lld\n", found);
        return found >= 0 ? 0 : 1;
    }
    std::fprintf(stderr, "usage: save_loop write FILE GEN | loop FILE GEN... | verify FILE GEN...\n");
    return 2;
}
