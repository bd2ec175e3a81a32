// Wall files: packages whole and damaged, the legacy text format, missing files, safe writing.

#include "host/FileBytes.h"
#include "host/PackageFile.h"
#include "host/TextTools.h"
#include "model/cls_Wall.h"
#include "storage/WallPaths.h"
#include "support/TestHost.h"

#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using namespace wq;

namespace {

// A legacy wall of four topics in Windows-1252, lines joined by `eol`.
QByteArray legacyWall(const QByteArray &eol)
{
    const QList<QByteArray> lines = {
        "/ Eine Wand zum Testen", "TH:Tiere",
        "RISIKO:Wie schwer ist ein Elefant?", "Etwa 6 Tonnen", "B:elefant.png   ",
        "AL:Welche Tiere | sind S\xE4ugetiere?", "Wal und Fledermaus", "A:",
        "JOKER", "Gl\xFC" "ck gehabt", "", "@",
        "TH:Gr\xF6\xDF" "e \x80", "- Kommentar im Block",
        "Was kostet das? \x84" "Preis\x93", "AL:Zehn \x80 \x96 ungef\xE4hr", "   ",
        "Frage zwei", "Antwort zwei", "bild zwei.jpg", "",
        "Frage drei", "Antwort drei", "", "Frage vier", "Antwort vier", "",
        "Frage f\xFCnf", "Antwort f\xFCnf", "", "Frage sechs wird ignoriert", "x", "", "@",
        "TH:Drei", "risiko:AL:Links und riskant", "a", "", "AL:RISIKO: keine Risikofrage", "b", "", "@",
        "TH:Vier", "Nur eine", "Antwort", "", "@",
    };
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + eol;
    return bytes;
}

template <typename Fill> QByteArray package(Fill fill)
{
    PackageFile file;
    file.createBytes(QString());
    fill(file);
    return file.closeBytes();
}

// The wall record as the wall writes it, up to the count of topic titles.
void writeWallHead(PackageFile &f, qint32 topics)
{
    f.writeString("1.0");
    f.writeValue(QVariant());
    for (int i = 0; i < 4; ++i)
        f.writeString("");
    f.writeInt32(0);
    f.writeBool(false);
    f.writeString("1.0");
    f.writeValue(QVariant());
    f.writeInt32(topics);
}

QVariantList stored(cls_Wall &w)
{
    QVariantList v = {w.DATA->key(), w.AUTHOR, w.DESCRIPTION, w.TITLE, w.TARGETGROUP, w.DIFFICULTY, w.RANDOMIZE,
                      w.TOPICS().items()};
    for (int i = 0; i < w.DATABASE->count(); ++i) {
        const cls_WallField &f = w.Item(i, true);
        v << f.DATA->key() << f.QUESTION << f.ANSWER << f.IMAGENAME.toString() << f.IMAGEMODE << f.SORT;
    }
    return v;
}
} // namespace

class WallFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void packageRoundTrip()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        std::tie(wall.AUTHOR, wall.DESCRIPTION, wall.TITLE, wall.TARGETGROUP, wall.DIFFICULTY, wall.RANDOMIZE) =
            std::tuple("Frau Özdemir", "Zeile 1\r\nZeile 2 – \"Zitat\"", "Quiz", "Klasse 7", 4, true);
        wall.DATA->setKey(12345);
        for (int c = 1; c <= 4; ++c)
            wall.TOPICS().set(c, QString("Thema %1 äöü€").arg(c));
        for (int i = 0; i < 20; ++i) {
            cls_WallField &f = wall.Item(i, true);
            std::tie(f.QUESTION, f.ANSWER, f.IMAGEMODE, f.SORT, f.TALIGN) = std::tuple(
                QString("Frage %1 ").arg(i) + QString(i * 40, QChar(u'ß')), QString("Antwort %1").arg(i), i % 3, i % 3 + 1, 1);
            f.IMAGENAME = i == 7 ? QString(3000, QChar(u'Q')) : QString("bild%1.png").arg(i);
            f.DATA->setKey(QString("feld%1").arg(i));
        }
        const QString path = t.path("wände/meine wand.lx-wqz");
        QVERIFY(wall.SAVE(path, QString()));
        QCOMPARE(wall.FILENAME, QString()); // SAVE changes nothing
        QVERIFY(QFileInfo(path).size() < 6000); // the long texts (18 kB) are stored deflated
        cls_Wall read(t.host());
        QVERIFY(read.LOAD(path, QString()) && read.FILENAME == path);
        QCOMPARE(stored(read), stored(wall));
        QCOMPARE(read.Item(0, true).TALIGN, 0); // alignment is not stored
        // With a password the package opens only with that password.
        QVERIFY(wall.SAVE(path, "geheim"));
        QVERIFY(!read.LOAD(path, QString()) && !read.LOAD(path, "falsch") && read.LOAD(path, "geheim"));
        QCOMPARE(stored(read), stored(wall));

        // Two topic titles read become four, without their line breaks.
        wall.TOPICS().clear();
        wall.TOPICS().append("Tiere");
        wall.TOPICS().append("Pflanzen\r\n");
        QVERIFY(wall.SAVE(path, QString()) && read.LOAD(path, QString()));
        QCOMPARE(read.TOPICS().items(), QStringList({"Tiere", "Pflanzen", "C", "D"}));
        // A board needs twenty fields.
        wall.DATABASE->remove(20, true);
        QVERIFY(wall.SAVE(path, QString()) && !read.LOAD(path, QString()) && read.DATABASE->count() == 20);
        // Another record version: a cleared wall, its description kept, and still true.
        QVERIFY(read.loadPackage(package([](PackageFile &f) { f.writeString("2.0"); })));
        QCOMPARE(QVariantList({read.AUTHOR, read.TOPICS().items()}),
                 QVariantList({"Frau Özdemir", QStringList({"A", "B", "C", "D"})}));
    }

    void damagedPackagesAreRefusedCheaply()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        for (int i = 0; i < 20; ++i)
            wall.Item(i, true).QUESTION = QString("Frage %1").arg(i);
        const QByteArray bytes = wall.savePackage();
        QVERIFY(wall.loadPackage(bytes));

        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long peakBefore = usage.ru_maxrss;
        // Every truncation and every flipped byte is refused.
        for (int cut = 0; cut < bytes.size(); ++cut)
            QVERIFY2(!wall.loadPackage(bytes.left(cut)), qPrintable(QString("cut at %1").arg(cut)));
        for (int i = 0; i < bytes.size(); ++i) {
            QByteArray flipped = bytes;
            flipped[i] = char(flipped[i] ^ 0x5A);
            QVERIFY2(!wall.loadPackage(flipped), qPrintable(QString("flipped byte %1").arg(i)));
        }
        // Behind a valid checksum: counts far beyond the file, a number for the author's text.
        QVERIFY(!wall.loadPackage(package([](PackageFile &f) { writeWallHead(f, 0); f.writeInt32(2'000'000'000); })));
        QVERIFY(!wall.loadPackage(package([](PackageFile &f) { writeWallHead(f, 2'147'483'647); })));
        // A million fields claimed, and five megabytes behind them that are no fields.
        QByteArray noise(4'000'000, Qt::Uninitialized);
        for (qsizetype i = 0; i < noise.size(); ++i)
            noise[i] = char(quint32(i) * 2654435761u >> 24);
        QVERIFY(!wall.loadPackage(package([&](PackageFile &f) {
            writeWallHead(f, 0);
            f.writeInt32(1'000'000);
            f.writeString(QString::fromLatin1(noise.toBase64()));
        })));
        QVERIFY(!wall.loadPackage(package([](PackageFile &f) { f.writeString("1.0"); f.writeValue({}); f.writeInt32(7); })));
        // A failed read leaves a board of twenty fields to play on.
        QVERIFY(wall.DATABASE->count() == 20 && wall.TOPICS().count() == 4);
        getrusage(RUSAGE_SELF, &usage);
        QVERIFY(usage.ru_maxrss - peakBefore < 64 * 1024);
    }

    void legacyWallInEveryForm_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("CR LF") << legacyWall("\r\n");
        QTest::newRow("CR") << legacyWall("\r");
        QTest::newRow("LF") << legacyWall("\n");
        QTest::newRow("UTF-8") << text::decodeWindows1252(legacyWall("\r\n")).toUtf8();
        // The mark right before the first header: that header must still count.
        QTest::newRow("byte-order mark, then Windows-1252") << "\xEF\xBB\xBF" + legacyWall("\r\n").sliced(24);
    }

    void legacyWallInEveryForm()
    {
        QFETCH(QByteArray, bytes);
        test::TestHost t;
        cls_Wall wall(t.host());
        wall.AUTHOR = "bleibt";
        const QString path = test::writeFile(t.path("Wand.FRG"), bytes);
        QVERIFY(wall.LOAD(path, QString()) && wall.FILENAME == path && wall.AUTHOR == "bleibt"); // description kept
        QCOMPARE(wall.TOPICS().items(), QStringList({"Tiere", "Größe €", "Drei", "Vier"}));

        // Board index, kind, alignment, picture mode, question, answer, picture.
        const QVariantList expected[] = {
            {0, 2, 0, 2, "Wie schwer ist ein Elefant?", "Etwa 6 Tonnen", "elefant.png"},
            {4, 1, 1, 0, "Welche Tiere | sind Säugetiere?", "Wal und Fledermaus", ""},
            {8, 3, 0, 1, "", "Glück gehabt", ""},
            {16, 1, 0, 1, "", "", ""}, // a missing entry
            {1, 1, 3, 1, "Was kostet das? „Preis“", "Zehn € – ungefähr", ""}, // picture line of blanks
            {5, 1, 0, 1, "Frage zwei", "Antwort zwei", "bild zwei.jpg"},
            {17, 1, 0, 1, "Frage fünf", "Antwort fünf", ""}, // the sixth entry is not shown
            {2, 2, 1, 1, "Links und riskant", "a", ""},       // markers in order: risk, then alignment
            {6, 1, 1, 1, "RISIKO: keine Risikofrage", "b", ""}, // the other way round is text
            {3, 1, 0, 1, "Nur eine", "Antwort", ""},
        };
        for (const QVariantList &e : expected) {
            const cls_WallField &f = wall.Item(e[0].toInt(), true);
            QCOMPARE(QVariantList({e[0], f.SORT, f.TALIGN, f.IMAGEMODE, f.QUESTION, f.ANSWER, f.IMAGENAME.toString()}), e);
        }
    }

    void legacyBlocksAndLimits()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        const auto load = [&](const QByteArray &bytes) { return wall.loadLegacy(bytes); };
        // A block without "@" runs on and takes the next header as an entry.
        QVERIFY(load("TH:A\na1\nx\n\nTH:B\nb1\nx\n\n@\nTH:C\n@\nTH:D\n@\n"));
        QCOMPARE(QStringList({wall.Item(4, true).QUESTION, wall.Item(1, true).QUESTION}), QStringList({"TH:B", "b1"}));
        // Repeated titles: each column takes the next block with that title.
        QVERIFY(load("TH:Mathe\nm1\nx\n\n@\nTH:MATHE\nm2\nx\n\n@\nTH:C\n@\nTH:D\n@\n"));
        QCOMPARE(QStringList({wall.Item(0, true).QUESTION, wall.Item(1, true).QUESTION}), QStringList({"m1", "m2"}));
        // At most 100 headers, and 1001 entries in a block.
        const QByteArray headers = QByteArray("TH:x\n@\n").repeated(100);
        QVERIFY(load(headers) && !load(headers + "TH:x\n@\n"));
        const QByteArray entries = "TH:B\n@\nTH:C\n@\nTH:D\n@\nTH:A\n" + QByteArray("q\na\n\n").repeated(1001);
        QVERIFY(load(entries + "@\n") && !load(entries + "q\na\n\n@\n"));
    }

    void extensionsAndMissingFiles()
    {
        test::TestHost t;
        t.folders.shared = t.root() + "shared/";
        cls_Wall wall(t.host());
        // Another extension: refused, the wall already cleared to an empty board that keeps its description.
        wall.AUTHOR = "bleibt";
        cls_WallField &old = wall.Item(0, true);
        std::tie(old.QUESTION, old.ANSWER, old.IMAGENAME, old.SORT, old.IMAGEMODE, old.TALIGN) =
            std::tuple("alt", "alt", QString("alt"), KindJoker, PictureWithBoth, 3);
        wall.TOPICS().set(4, "Vier");
        wall.DATABASE->importEntry(std::make_unique<cls_WallField>());
        const QString txt = test::writeFile(t.path("wand.txt"), legacyWall("\n"));
        QVERIFY(!wall.LOAD(txt, QString()) && wall.FILENAME == txt && wall.AUTHOR == "bleibt");
        QCOMPARE(wall.TOPICS().items(), QStringList({"A", "B", "C", "D"}));
        QCOMPARE(wall.DATABASE->count(), 20);
        const cls_WallField &f = wall.Item(0, true);
        QCOMPARE(QVariantList({f.SORT, f.IMAGEMODE, f.TALIGN, f.QUESTION, f.ANSWER, f.IMAGENAME.toString()}),
                 QVariantList({1, 0, 0, QString(), QString(), QString()}));

        // A missing file with no supplied wall: false, the wall untouched.
        wall.Item(0, true).QUESTION = "mitgeliefert";
        QVERIFY(!wall.LOAD(t.root() + "fehlt.lx-wqz", QString()));
        QCOMPARE(wall.Item(0, true).QUESTION, QString("mitgeliefert"));

        // With a supplied wall, a missing file reads that instead.
        const QString supplied = suppliedAutosavePath(t.folders);
        QDir().mkpath(QFileInfo(supplied).path());
        QVERIFY(wall.SAVE(supplied, QString()));
        wall.Item(0, true).QUESTION = "anders";
        QVERIFY(wall.LOAD(t.root() + "fehlt.lx-wqz", QString()) && wall.FILENAME == supplied);
        QCOMPARE(wall.Item(0, true).QUESTION, QString("mitgeliefert"));
    }

    void aFailedSaveKeepsTheOldFile()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        wall.Item(0, true).QUESTION = "alte Wand";
        const QString path = t.path("AUTO.LX-WQZ");
        QVERIFY(wall.SAVE(path, QString()));
        const QByteArray old = readFileBytes(path, PackageFile::MaxFileSize);

        // A full disk: the write of a picture that does not shrink stops at a file-size limit.
        QByteArray noise;
        for (quint32 state = 1; noise.size() < 100000;)
            noise += char((state = state * 1664525u + 1013904223u) >> 24);
        wall.Item(0, true).IMAGENAME = QString::fromLatin1(noise.toBase64());
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit small{64 * 1024, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        const bool savedOk = wall.SAVE(path, QString());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QVERIFY(!savedOk);
        QCOMPARE(readFileBytes(path, PackageFile::MaxFileSize), old);
        QCOMPARE(QDir(t.root()).entryList(QDir::Files | QDir::Hidden), QStringList({"AUTO.LX-WQZ"}));
    }
};

QTEST_GUILESS_MAIN(WallFilesTest)
#include "tst_wallfiles.moc"
