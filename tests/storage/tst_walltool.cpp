// wandquiz-wall: dump, convert and check, run as the tool runs them.

#include "model/cls_Wall.h"
#include "storage/RecentWalls.h"
#include "storage/WallTool.h"
#include "support/TestHost.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace wq;

namespace {
struct Run {
    int status;
    QString out;
    QString err;
};

Run runTool(const test::TestHost &t, const QStringList &args)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = runWallTool(args, t.host(), out, err);
    out.flush();
    err.flush();
    return run;
}

const QByteArray CleanWall =
    "TH:Tiere\nWie viele Beine hat eine Spinne?\nAcht\n\nRISIKO:Wie heißt ein junges Pferd?\nFohlen\nA:pferd.png\n"
    "JOKER\nGeschenkt!\n\nWelcher Vogel kann rückwärts fliegen?\nDer Kolibri\n\nWie lange schläft ein Koala?\n"
    "AL:Bis zu 22 Stunden|am Tag\n\n@\n"
    "TH:Zahlen\n1\n1\n\n2\n2\n\n3\n3\n\n4\n4\n\n5\n5\n\n@\n"
    "TH:Farben\nrot?\nrot\n\ngrün?\ngrün\n\nblau?\nblau\n\ngelb?\ngelb\n\nweiß?\nweiß\n\n@\n"
    "TH:Orte\nBerlin?\nja\n\nRom?\nja\n\nParis?\nja\n\nWien?\nja\n\nBern?\nja\n\n@\n";
} // namespace

class WallToolTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dumpPrintsTheWallAsJson()
    {
        test::TestHost t;
        const QString path = test::writeFile(t.path("wand \"eins\".frg"), CleanWall);
        const Run run = runTool(t, {"dump", path});
        QCOMPARE(run.status, 0);
        QJsonParseError error;
        const QJsonObject wall = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(wall.keys().size(), 10);
        QCOMPARE(wall["loaded"].toBool(), true);
        QCOMPARE(wall["filename"].toString(), path);
        QCOMPARE(wall["difficulty"].toInt(), 0);
        QCOMPARE(wall["randomize"].toBool(), false);
        QCOMPARE(wall["topics"].toArray().toVariantList(),
                 QVariantList({"Tiere", "Zahlen", "Farben", "Orte"}));
        const QJsonArray fields = wall["fields"].toArray();
        QCOMPARE(fields.size(), 20);
        QCOMPARE(fields[4].toObject()["question"].toString(), QString("Wie heißt ein junges Pferd?"));
        QCOMPARE(fields[4].toObject()["sort"].toInt(), 2);
        QCOMPARE(fields[4].toObject()["imagemode"].toInt(), 0);
        QCOMPARE(fields[8].toObject()["sort"].toInt(), 3);
        QCOMPARE(fields[16].toObject()["answer"].toString(), QString("Bis zu 22 Stunden|am Tag"));
        QCOMPARE(fields[16].toObject()["talign"].toInt(), 3);
        QCOMPARE(fields[0].toObject().keys(),
                 QStringList({"answer", "imagemode", "imagename", "question", "sort", "talign"}));
        // Field order follows the fixed shape too.
        QVERIFY(run.out.indexOf("\"question\"") < run.out.indexOf("\"answer\""));
        QVERIFY(run.out.indexOf("\"loaded\"") < run.out.indexOf("\"fields\""));

        // A wall that does not load: status 1, and what LOAD left.
        const QString broken = test::writeFile(t.path("kaputt.lx-wqz"), "nicht einmal ein Paket %1 \"");
        const Run failed = runTool(t, {"dump", broken});
        QCOMPARE(failed.status, 1);
        const QJsonObject left = QJsonDocument::fromJson(failed.out.toUtf8()).object();
        QCOMPARE(left["loaded"].toBool(), false);
        QCOMPARE(left["topics"].toArray().size(), 4);
        QCOMPARE(left["fields"].toArray().size(), 20);
    }

    void convertWritesAPackage()
    {
        test::TestHost t;
        t.folders.program = t.root() + "program/";
        test::writeFile(t.folders.program + "images/Pferd.PNG", QByteArray("PNGDATA").repeated(100));
        const QString legacy = test::writeFile(t.path("quelle.frg"), CleanWall);
        const QString package = t.root() + "ziel wand.lx-wqz";
        QCOMPARE(runTool(t, {"convert", legacy, package}).status, 0);
        cls_Wall wall(t.host());
        QVERIFY(wall.LOAD(package, QString()));
        QCOMPARE(wall.Item(4, true).IMAGENAME, QString("pferd.png"));

        // Embedding puts the picture file's bytes into the wall.
        QCOMPARE(runTool(t, {"convert", "--embed-pictures", legacy, package}).status, 0);
        QVERIFY(wall.LOAD(package, QString()));
        QCOMPARE(QByteArray::fromBase64(wall.Item(4, true).IMAGENAME.utf8()), QByteArray("PNGDATA").repeated(100));

        // What the wall says about itself comes from an "about" file.
        const QString about = test::writeFile(t.path("quelle.about"), "Titel: Tiere\nZielgruppe: Klasse 3\n"
                                                                       "Schwierigkeit: 2\nBeschreibung: Zeile 1\n"
                                                                       "Unbekannt: x\nBeschreibung: Zeile 2\n");
        QCOMPARE(runTool(t, {"convert", "--about", about, legacy, package}).status, 0);
        QVERIFY(wall.LOAD(package, QString()));
        QCOMPARE(QStringList({wall.TITLE, wall.TARGETGROUP, wall.DESCRIPTION, wall.AUTHOR}),
                 QStringList({"Tiere", "Klasse 3", "Zeile 1\nZeile 2", ""}));
        QCOMPARE(wall.DIFFICULTY, 2);
        QCOMPARE(describeWallFile(package, t.host()), QString("„Tiere“ – für Klasse 3\nZeile 1\nZeile 2"));

        // A missing input, an unreadable wall or an unwritable target fail.
        QCOMPARE(runTool(t, {"convert", t.root() + "fehlt.frg", package}).status, 1);
        const QString bad = test::writeFile(t.path("schlecht.frg"), "TH:nur eins\n@\n");
        QCOMPARE(runTool(t, {"convert", bad, package}).status, 1);
        QCOMPARE(runTool(t, {"convert", legacy, t.root() + "quelle.frg/x.lx-wqz"}).status, 1);
        QCOMPARE(runTool(t, {"convert", legacy}).status, 2);
    }

    void helpNamesTheChoices()
    {
        test::TestHost t;
        const Run run = runTool(t, {"--help"});
        QCOMPARE(run.status, 0);
        for (const char *word : {"Windows-1252", "UTF-8", "CR LF", "255 Zeichen", "Base64", "Doppelpunkt",
                                 "denselben Titel", "Kennwort", "dump", "convert", "check", ".csv", "Bildmodus", "zu beiden",
                                 "Risiko", "Tabulator"})
            QVERIFY2(run.out.contains(QString::fromUtf8(word)), word);
        QCOMPARE(runTool(t, {"tanzen"}).status, 2);
    }
};

QTEST_GUILESS_MAIN(WallToolTest)
#include "tst_walltool.moc"
