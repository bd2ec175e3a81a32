// Wall files: package round trips, hostile packages, the legacy text format
// in every line-end form, and safe writing.

#include "host/PackageFile.h"
#include "model/cls_Wall.h"
#include "storage/WallPaths.h"
#include "support/TestHost.h"

#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace wq;

namespace {

// A legacy wall of four topics in Windows-1252, lines joined by `eol`.
QByteArray legacyWall(const QByteArray &eol)
{
    const QList<QByteArray> lines = {
        "/ Eine Wand zum Testen",
        "TH:Tiere",
        "RISIKO:Wie schwer ist ein Elefant?",
        "Etwa 6 Tonnen",
        "B:elefant.png   ",
        "AL:Welche Tiere | sind S\xE4ugetiere?",
        "Wal und Fledermaus",
        "A:",
        "JOKER",
        "Gl\xFC" "ck gehabt",
        "",
        "@",
        "TH:Gr\xF6\xDF" "e \x80",
        "- Kommentar im Block",
        "Was kostet das? \x84" "Preis\x93",
        "AL:Zehn \x80 \x96 ungef\xE4hr",
        "   ",
        "Frage zwei",
        "Antwort zwei",
        "bild zwei.jpg",
        "",
        "Frage drei",
        "Antwort drei",
        "",
        "Frage vier",
        "Antwort vier",
        "",
        "Frage f\xFCnf",
        "Antwort f\xFCnf",
        "",
        "Frage sechs wird ignoriert",
        "x",
        "",
        "@",
        "TH:Drei",
        "risiko:AL:Links und riskant",
        "a",
        "",
        "AL:RISIKO: keine Risikofrage",
        "b",
        "",
        "@",
        "TH:Vier",
        "Nur eine",
        "Antwort",
        "",
        "@",
    };
    QByteArray bytes;
    for (const QByteArray &line : lines)
        bytes += line + eol;
    return bytes;
}

QString writeLegacy(test::TestHost &t, const QString &name, const QByteArray &bytes)
{
    return test::writeFile(t.path(name), bytes);
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A package with the given values, written through the package file itself.
template <typename Fill> QString writePackage(const QString &path, Fill fill)
{
    PackageFile file;
    file.open(path, PackageFile::Write, QString());
    fill(file);
    file.close();
    return path;
}

void writeWallHead(PackageFile &f, const QStringList &topics, qint32 fields)
{
    f.writeString("1.0");
    f.writeValue(QVariant());
    for (const char *text : {"Autor", "Beschreibung", "Titel", "Zielgruppe"})
        f.writeString(text);
    f.writeInt32(2);
    f.writeBool(false);
    f.writeString("1.0");
    f.writeValue(QVariant());
    f.writeInt32(qint32(topics.size()));
    for (const QString &topic : topics)
        f.writeString(topic);
    f.writeInt32(fields);
}

void writeField(PackageFile &f, const QString &question)
{
    f.writeString("1.0");
    f.writeValue(QVariant());
    f.writeString(question);
    f.writeString("A");
    f.writeString("");
    f.writeInt32(1);
    f.writeInt32(1);
}

} // namespace

class WallFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void packageRoundTrip()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        wall.AUTHOR = "Frau Özdemir";
        wall.DESCRIPTION = QString("Zeile 1\r\nZeile 2 – \"Zitat\"");
        wall.TITLE = "Quiz";
        wall.TARGETGROUP = "Klasse 7";
        wall.DIFFICULTY = 4;
        wall.RANDOMIZE = true;
        wall.DATA->setKey(12345);
        for (int c = 1; c <= 4; ++c)
            wall.TOPICS().set(c, QString("Thema %1 äöü€").arg(c));
        for (int i = 0; i < 20; ++i) {
            cls_WallField &f = wall.Item(i, true);
            f.QUESTION = QString("Frage %1 ").arg(i) + QString(i * 40, QChar(u'ß'));
            f.ANSWER = QString("Antwort %1").arg(i);
            f.IMAGENAME = i == 7 ? QString(3000, QChar(u'Q')) : QString("bild%1.png").arg(i);
            f.IMAGEMODE = i % 3;
            f.SORT = i % 4 + 1;
            f.TALIGN = 1;
            f.DATA->setKey(QString("feld%1").arg(i));
        }
        const QString path = t.path("wände/meine wand.lx-wqz");
        QVERIFY(wall.SAVE(path, QString()));
        QCOMPARE(wall.FILENAME, QString()); // SAVE changes nothing

        cls_Wall read(t.host());
        QVERIFY(read.LOAD(path, QString()));
        QCOMPARE(read.FILENAME, path);
        QCOMPARE(read.AUTHOR, wall.AUTHOR);
        QCOMPARE(read.DESCRIPTION, wall.DESCRIPTION);
        QCOMPARE(read.TARGETGROUP, wall.TARGETGROUP);
        QCOMPARE(read.DIFFICULTY, 4);
        QCOMPARE(read.RANDOMIZE, true);
        QCOMPARE(read.DATA->key(), QVariant(12345));
        QCOMPARE(read.TOPICS().items(), wall.TOPICS().items());
        for (int i = 0; i < 20; ++i) {
            const cls_WallField &a = wall.Item(i, true);
            const cls_WallField &b = read.Item(i, true);
            QCOMPARE(b.QUESTION, a.QUESTION);
            QCOMPARE(b.ANSWER, a.ANSWER);
            QCOMPARE(b.IMAGENAME, a.IMAGENAME);
            QCOMPARE(b.IMAGEMODE, a.IMAGEMODE);
            QCOMPARE(b.SORT, a.SORT);
            QCOMPARE(b.DATA->key(), a.DATA->key());
            QCOMPARE(b.TALIGN, 0); // alignment is not stored
        }
        // With a password the package opens only with that password.
        QVERIFY(wall.SAVE(path, "geheim"));
        QVERIFY(!read.LOAD(path, QString()));
        QVERIFY(!read.LOAD(path, "falsch"));
        QVERIFY(read.LOAD(path, "geheim"));
        QCOMPARE(read.AUTHOR, wall.AUTHOR);
    }

    void recordVersionsAndTopics()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        // Another record version: a cleared wall, and still true.
        const QString other = writePackage(t.path("v2.lx-wqz"), [](PackageFile &f) { f.writeString("2.0"); });
        wall.AUTHOR = "bleibt";
        QVERIFY(wall.LOAD(other, QString()));
        QCOMPARE(wall.AUTHOR, QString("bleibt"));
        QCOMPARE(wall.TOPICS().items(), QStringList({"A", "B", "C", "D"}));

        // Two topic titles read become four; a field of another version stays empty.
        const QString two = writePackage(t.path("zwei.lx-wqz"), [](PackageFile &f) {
            writeWallHead(f, {"Tiere", "Pflanzen\r\n"}, 20);
            for (int i = 0; i < 20; ++i) {
                if (i == 3)
                    f.writeString("2.0");
                else
                    writeField(f, QString("F%1").arg(i));
            }
        });
        QVERIFY(wall.LOAD(two, QString()));
        QCOMPARE(wall.TOPICS().items(), QStringList({"Tiere", "Pflanzen", "C", "D"}));
        QCOMPARE(wall.Item(2, true).QUESTION, QString("F2"));
        QVERIFY(wall.Item(3, true).QUESTION.isEmpty());
        QCOMPARE(wall.Item(4, true).QUESTION, QString("F4"));

        // A board needs twenty fields.
        const QString few = writePackage(t.path("wenig.lx-wqz"), [](PackageFile &f) {
            writeWallHead(f, {"a", "b", "c", "d"}, 5);
            for (int i = 0; i < 5; ++i)
                writeField(f, "x");
        });
        QVERIFY(!wall.LOAD(few, QString()));
        QCOMPARE(wall.DATABASE->count(), 20);
    }

    void hostilePackagesFailQuicklyAndCheaply()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        for (int i = 0; i < 20; ++i)
            wall.Item(i, true).QUESTION = QString("Frage %1").arg(i);
        const QString good = t.path("gut.lx-wqz");
        QVERIFY(wall.SAVE(good, QString()));
        QFile file(good);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();

        const long peakBefore = peakKilobytes();
        QElapsedTimer clock;
        clock.start();
        const QString bad = t.path("kaputt.lx-wqz");
        // Every truncation and every flipped byte is refused.
        for (int cut = 0; cut < bytes.size(); ++cut) {
            test::writeFile(bad, bytes.left(cut));
            QVERIFY2(!wall.LOAD(bad, QString()), qPrintable(QString("cut at %1").arg(cut)));
        }
        for (int i = 0; i < bytes.size(); ++i) {
            QByteArray flipped = bytes;
            flipped[i] = char(flipped[i] ^ 0x5A);
            test::writeFile(bad, flipped);
            QVERIFY2(!wall.LOAD(bad, QString()), qPrintable(QString("flipped byte %1").arg(i)));
        }
        // Counts far beyond the file, behind a valid checksum.
        const QString billions = writePackage(bad, [](PackageFile &f) { writeWallHead(f, {"a"}, 2'000'000'000); });
        QVERIFY(!wall.LOAD(billions, QString()));
        const QString topics = writePackage(bad, [](PackageFile &f) {
            f.writeString("1.0");
            f.writeValue(QVariant());
            for (int i = 0; i < 4; ++i)
                f.writeString("");
            f.writeInt32(0);
            f.writeBool(false);
            f.writeString("1.0");
            f.writeValue(QVariant());
            f.writeInt32(2'147'483'647);
        });
        QVERIFY(!wall.LOAD(topics, QString()));
        // A value of the wrong type.
        const QString typed = writePackage(bad, [](PackageFile &f) {
            f.writeString("1.0");
            f.writeValue(QVariant());
            f.writeInt32(7); // AUTHOR must be a text
        });
        QVERIFY(!wall.LOAD(typed, QString()));
        // Random bytes, an empty file, and a file of just the magic.
        test::writeFile(bad, QByteArray());
        QVERIFY(!wall.LOAD(bad, QString()));
        test::writeFile(bad, QByteArray("WQZPACK\x1A"));
        QVERIFY(!wall.LOAD(bad, QString()));
        QByteArray noise(100000, Qt::Uninitialized);
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        test::writeFile(bad, noise);
        QVERIFY(!wall.LOAD(bad, QString()));

        // A failed read leaves a board of twenty fields to play on.
        QCOMPARE(wall.DATABASE->count(), 20);
        QCOMPARE(wall.TOPICS().count(), 4);
        qInfo() << "hostile packages took" << clock.elapsed() << "ms; peak grew by"
                << (peakKilobytes() - peakBefore) << "kB";
        QVERIFY(peakKilobytes() - peakBefore < 64 * 1024);
    }

    void deflatedTextsAreChecked()
    {
        test::TestHost t;
        // A long repetitive text is stored deflated and read back whole.
        const QString text = QString("Wiederholung ").repeated(5000);
        const QString path = writePackage(t.path("lang.lx-wqz"), [&](PackageFile &f) { f.writeString(text); });
        QVERIFY(QFileInfo(path).size() < text.size() / 10);
        PackageFile in;
        in.open(path, PackageFile::Read, QString());
        QCOMPARE(in.readString(), text);
        QVERIFY_THROWS_EXCEPTION(HostError, in.readString());
        in.close();
    }

    void legacyWallInEveryLineEndForm_data()
    {
        QTest::addColumn<QByteArray>("eol");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("CR") << QByteArray("\r");
        QTest::newRow("LF") << QByteArray("\n");
    }

    void legacyWallInEveryLineEndForm()
    {
        QFETCH(QByteArray, eol);
        test::TestHost t;
        cls_Wall wall(t.host());
        wall.AUTHOR = "bleibt";
        const QString path = writeLegacy(t, "Wand.FRG", legacyWall(eol));
        QVERIFY(wall.LOAD(path, QString()));
        QCOMPARE(wall.FILENAME, path);
        QCOMPARE(wall.AUTHOR, QString("bleibt")); // a legacy read keeps the description
        QCOMPARE(wall.TOPICS().items(), QStringList({"Tiere", "Größe €", "Drei", "Vier"}));

        const cls_WallField &risk = wall.Item(0, true);
        QCOMPARE(risk.SORT, 2);
        QCOMPARE(risk.QUESTION, QString("Wie schwer ist ein Elefant?"));
        QCOMPARE(risk.IMAGENAME, QString("elefant.png"));
        QCOMPARE(risk.IMAGEMODE, 2);
        const cls_WallField &left = wall.Item(4, true);
        QCOMPARE(left.SORT, 1);
        QCOMPARE(left.TALIGN, 1);
        QCOMPARE(left.QUESTION, QString("Welche Tiere | sind Säugetiere?"));
        QCOMPARE(left.IMAGENAME, QString());
        QCOMPARE(left.IMAGEMODE, 0);
        const cls_WallField &joker = wall.Item(8, true);
        QCOMPARE(joker.SORT, 3);
        QVERIFY(joker.QUESTION.isEmpty());
        QCOMPARE(joker.ANSWER, QString("Glück gehabt"));
        for (int i : {12, 16}) {
            QCOMPARE(wall.Item(i, true).SORT, 1);
            QVERIFY(wall.Item(i, true).QUESTION.isEmpty());
            QCOMPARE(wall.Item(i, true).IMAGEMODE, 1);
        }

        // Windows-1252 beyond Latin-1, the answer marker, a line of blanks.
        const cls_WallField &price = wall.Item(1, true);
        QCOMPARE(price.QUESTION, QString("Was kostet das? „Preis“"));
        QCOMPARE(price.ANSWER, QString("Zehn € – ungefähr"));
        QCOMPARE(price.TALIGN, 3);
        QCOMPARE(price.IMAGENAME, QString());
        QCOMPARE(price.IMAGEMODE, 1);
        QCOMPARE(wall.Item(5, true).IMAGENAME, QString("bild zwei.jpg"));
        QCOMPARE(wall.Item(17, true).QUESTION, QString("Frage fünf")); // the sixth entry is not shown

        // Markers in order: risk then alignment; the other way round is text.
        QCOMPARE(wall.Item(2, true).SORT, 2);
        QCOMPARE(wall.Item(2, true).TALIGN, 1);
        QCOMPARE(wall.Item(2, true).QUESTION, QString("Links und riskant"));
        QCOMPARE(wall.Item(6, true).SORT, 1);
        QCOMPARE(wall.Item(6, true).QUESTION, QString("RISIKO: keine Risikofrage"));
        QCOMPARE(wall.Item(3, true).QUESTION, QString("Nur eine"));
    }

    void legacyBlocksAndHeaders()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        // Headers in the order D, B, A, C fill the columns in that order.
        const QString order = writeLegacy(t, "order.frg",
            "TH:D\nd1\nx\n\n@\nTH:B\nb1\nx\n\n@\nTH:A\na1\nx\n\n@\nTH:C\nc1\nx\n\n@\n");
        QVERIFY(wall.LOAD(order, QString()));
        QCOMPARE(wall.TOPICS().items(), QStringList({"D", "B", "A", "C"}));
        QCOMPARE(wall.Item(0, true).QUESTION, QString("d1"));
        QCOMPARE(wall.Item(2, true).QUESTION, QString("a1"));

        // A block without "@" runs on and takes the next header as an entry.
        const QString open = writeLegacy(t, "open.frg",
            "TH:A\na1\nx\n\nTH:B\nb1\nx\n\n@\nTH:C\nc\n\n\n@\nTH:D\nd\n\n\n@\n");
        QVERIFY(wall.LOAD(open, QString()));
        QCOMPARE(wall.Item(4, true).QUESTION, QString("TH:B"));
        QCOMPARE(wall.Item(4, true).ANSWER, QString("b1"));
        QCOMPARE(wall.Item(1, true).QUESTION, QString("b1"));

        // Repeated titles: each column takes the next block with that title.
        const QString twice = writeLegacy(t, "twice.frg",
            "TH:Mathe\nm1\nx\n\n@\nTH:MATHE\nm2\nx\n\n@\nTH:C\nc\n\n\n@\nTH:D\nd\n\n\n@\n");
        QVERIFY(wall.LOAD(twice, QString()));
        QCOMPARE(wall.Item(0, true).QUESTION, QString("m1"));
        QCOMPARE(wall.Item(1, true).QUESTION, QString("m2"));

        // Fewer than four headers, an entry cut off, limits exceeded: false.
        QVERIFY(!wall.LOAD(writeLegacy(t, "drei.frg", "TH:A\n@\nTH:B\n@\nTH:C\n@\n"), QString()));
        QVERIFY(!wall.LOAD(writeLegacy(t, "cut.frg", "TH:A\n@\nTH:B\n@\nTH:C\n@\nTH:D\nFrage\nAntwort"), QString()));
        QByteArray manyHeaders;
        for (int i = 0; i < 101; ++i)
            manyHeaders += "TH:" + QByteArray::number(i) + "\n@\n";
        QVERIFY(!wall.LOAD(writeLegacy(t, "headers.frg", manyHeaders), QString()));
        QByteArray entries = "TH:B\n@\nTH:C\n@\nTH:D\n@\nTH:A\n";
        for (int i = 0; i < 1001; ++i)
            entries += "q\na\n\n";
        QVERIFY(wall.LOAD(writeLegacy(t, "1001.frg", entries + "@\n"), QString()));
        QVERIFY(!wall.LOAD(writeLegacy(t, "1002.frg", entries + "q\na\n\n@\n"), QString()));
        // A wall written by a current editor in UTF-8 keeps its umlauts.
        QVERIFY(wall.LOAD(writeLegacy(t, "utf8.frg", "TH:Größe\nÄrger?\nJa\n\n@\nTH:B\n@\nTH:C\n@\nTH:D\n@\n"),
                          QString()));
        QCOMPARE(wall.TOPICS().at(1), QString("Größe"));
        QCOMPARE(wall.Item(0, true).QUESTION, QString("Ärger?"));
    }

    void extensionsAndMissingFiles()
    {
        test::TestHost t;
        t.folders.shared = t.root() + "shared/";
        cls_Wall wall(t.host());
        // Another extension: refused, the wall already cleared.
        wall.Item(0, true).QUESTION = "alt";
        const QString txt = writeLegacy(t, "wand.txt", legacyWall("\n"));
        QVERIFY(!wall.LOAD(txt, QString()));
        QCOMPARE(wall.FILENAME, txt);
        QVERIFY(wall.Item(0, true).QUESTION.isEmpty());

        // A missing file with no supplied wall: false, wall untouched.
        wall.Item(0, true).QUESTION = "bleibt";
        QVERIFY(!wall.LOAD(t.root() + "fehlt.lx-wqz", QString()));
        QCOMPARE(wall.Item(0, true).QUESTION, QString("bleibt"));

        // With a supplied wall, a missing file reads that instead.
        const QString supplied = suppliedAutosavePath(t.folders);
        QDir().mkpath(QFileInfo(supplied).path());
        cls_Wall source(t.host());
        source.Item(0, true).QUESTION = "mitgeliefert";
        QVERIFY(source.SAVE(supplied, QString()));
        QVERIFY(wall.LOAD(t.root() + "fehlt.lx-wqz", QString()));
        QCOMPARE(wall.FILENAME, supplied);
        QCOMPARE(wall.Item(0, true).QUESTION, QString("mitgeliefert"));
    }

    void savingNeverHarmsTheOldFile()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        wall.Item(0, true).QUESTION = "alte Wand";
        const QString path = t.path("AUTO.LX-WQZ");
        QVERIFY(wall.SAVE(path, QString()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray old = file.readAll();
        file.close();

        // A full disk: the write stops at a file-size limit.
        QByteArray noise(200000, Qt::Uninitialized);
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 2654435761u) >> 13);
        for (int i = 0; i < 20; ++i)
            wall.Item(i, true).IMAGENAME = QString::fromLatin1(noise.toBase64()) + QString::number(i);
        auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 64 * 1024;
        setrlimit(RLIMIT_FSIZE, &small);
        const bool saved_ok = wall.SAVE(path, QString());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QVERIFY(!saved_ok);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        file.close();
        QCOMPARE(QDir(t.root()).entryList(QDir::Files | QDir::Hidden), QStringList({"AUTO.LX-WQZ"}));

        // A folder that cannot be written to.
        if (geteuid() == 0) {
            QVERIFY(!wall.SAVE("/proc/wandquiz-test.lx-wqz", QString()));
        } else {
            const QString folder = t.root() + "schreibgeschützt";
            QDir().mkpath(folder);
            QFile::copy(path, folder + "/AUTO.LX-WQZ");
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            QVERIFY(!wall.SAVE(folder + "/AUTO.LX-WQZ", QString()));
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QVERIFY(!wall.SAVE(path + "/unter/einer/datei.lx-wqz", QString()));
        cls_Wall read(t.host());
        QVERIFY(read.LOAD(path, QString()));
        QCOMPARE(read.Item(0, true).QUESTION, QString("alte Wand"));
    }
};

QTEST_GUILESS_MAIN(WallFilesTest)
#include "tst_wallfiles.moc"
