// wandquiz-wall: dump, convert and check, run as the tool runs them.

#include "host/FileBytes.h"
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
    QString out, err;
    bool has(const QString &start, const QString &part) const
    {
        const QStringList lines = out.split('\n');
        return std::ranges::any_of(lines, [&](const QString &l) { return l.startsWith(start) && l.contains(part); });
    }
};

Run runTool(const test::TestHost &t, const QStringList &args)
{
    Run run;
    QTextStream out(&run.out), err(&run.err);
    run.status = runWallTool(args, t.host(), out, err); // a stream on a string writes through
    return run;
}

Run check(test::TestHost &t, const QByteArray &wall, const QString &name = "wand.frg")
{
    return runTool(t, {"check", "--images", t.root() + "bilder", test::writeFile(t.path(name), wall)});
}

QByteArray block(const QByteArray &title, int entries = 5)
{
    QByteArray b = "TH:" + title + "\n";
    for (int i = 1; i <= entries; ++i)
        b += "Frage " + QByteArray::number(i) + "?\nAntwort\n\n";
    return b + "@\n";
}

const QByteArray CleanWall =
    "TH:Tiere\nWie viele Beine hat eine Spinne?\nAcht\n\nRISIKO:Wie heißt ein junges Pferd?\nFohlen\nA:pferd.png\n"
    "JOKER\nGeschenkt!\n\nWelcher Vogel kann rückwärts fliegen?\nDer Kolibri\n\nWie lange schläft ein Koala?\n"
    "AL:Bis zu 22 Stunden|am Tag\n\n@\n" + block("Zahlen") + block("Farben") + block("Orte");
const QByteArray Png = QByteArray("PNGDATA").repeated(100);
} // namespace

class WallToolTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The JSON has a fixed shape, in this order, for scripts that read it.
    void dumpPrintsTheWallAsJson()
    {
        test::TestHost t;
        const QString path = test::writeFile(t.path("wand \"eins\".frg"), CleanWall);
        const Run run = runTool(t, {"dump", path});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.startsWith("{\n  \"loaded\": true,\n  \"filename\": \"" + t.root() + "wand \\\"eins\\\".frg\",\n"
                                    "  \"author\": \"\",\n  \"description\": \"\",\n  \"title\": \"\",\n"
                                    "  \"targetgroup\": \"\",\n  \"difficulty\": 0,\n  \"randomize\": false,\n"
                                    "  \"topics\": [\"Tiere\", \"Zahlen\", \"Farben\", \"Orte\"],\n  \"fields\": [\n"),
                 qPrintable(run.out.left(400)));
        for (const char *field :
             {"\n    {\"question\": \"Wie heißt ein junges Pferd?\", \"answer\": \"Fohlen\", \"imagename\": \"pferd.png\", "
              "\"imagemode\": 0, \"sort\": 2, \"talign\": 0},\n",
              "\n    {\"question\": \"\", \"answer\": \"Geschenkt!\", \"imagename\": \"\", \"imagemode\": 1, \"sort\": 3, "
              "\"talign\": 0},\n",
              "\n    {\"question\": \"Wie lange schläft ein Koala?\", \"answer\": \"Bis zu 22 Stunden|am Tag\", "
              "\"imagename\": \"\", \"imagemode\": 1, \"sort\": 1, \"talign\": 3},\n"})
            QVERIFY2(run.out.contains(QString::fromUtf8(field)), field);
        QCOMPARE(QJsonDocument::fromJson(run.out.toUtf8())["fields"].toArray().size(), 20); // valid JSON

        // A wall that does not load: status 1, and what LOAD left.
        const Run failed = runTool(t, {"dump", test::writeFile(t.path("kaputt.lx-wqz"), "kein Paket %1 \"")});
        QCOMPARE(failed.status, 1);
        const QJsonObject left = QJsonDocument::fromJson(failed.out.toUtf8()).object();
        QVERIFY(!left["loaded"].toBool() && left["topics"].toArray().size() == 4 && left["fields"].toArray().size() == 20);
    }

    void convertsBetweenTheFormats()
    {
        test::TestHost t;
        t.folders.program = t.root() + "program/";
        test::writeFile(t.folders.program + "images/Pferd.PNG", Png);
        const QString legacy = test::writeFile(t.path("quelle.frg"), CleanWall);
        const QString package = t.root() + "ziel wand.lx-wqz", table = t.root() + "tabelle.CSV";
        cls_Wall wall(t.host());
        // To a table and back, the picture file's bytes embedded on the way.
        QCOMPARE(runTool(t, {"convert", legacy, table}).status, 0);
        const QByteArray csv = readFileBytes(table, 1 << 20);
        QVERIFY(csv.startsWith("\xEF\xBB\xBFThema;Punkte;Art;Frage;Antwort;Bild;Bildmodus\r\n"));
        QVERIFY(csv.contains("\r\nTiere;40;Risiko;Wie hei\xC3\x9F" "t ein junges Pferd?;Fohlen;pferd.png;zur Antwort\r\n"));
        QCOMPARE(runTool(t, {"convert", "--embed-pictures", table, package}).status, 0);
        QVERIFY(wall.LOAD(package, QString()));
        QCOMPARE(QByteArray::fromBase64(wall.Item(4, true).IMAGENAME.utf8()), Png);

        // What the wall says about itself comes from an "about" file.
        const QString about = test::writeFile(t.path("quelle.about"), "Titel: Tiere\nZielgruppe: Klasse 3\nSchwierigkeit: 2\n"
                                                                       "Beschreibung: Zeile 1\nUnbekannt: x\nBeschreibung: Zeile 2\n");
        QCOMPARE(runTool(t, {"convert", "--about", about, legacy, package}).status, 0);
        QVERIFY(wall.LOAD(package, QString()));
        QCOMPARE(QVariantList({wall.TITLE, wall.TARGETGROUP, wall.DESCRIPTION, wall.AUTHOR, wall.DIFFICULTY}),
                 QVariantList({"Tiere", "Klasse 3", "Zeile 1\nZeile 2", "", 2}));
        QCOMPARE(describeWallFile(package, t.host()), QString("„Tiere“ – für Klasse 3\nZeile 1\nZeile 2"));

        // A refused table: status 1, the reason on stderr, nothing written.
        const QString bad = test::writeFile(t.path("kaputt.csv"), "Thema;Punkte;Frage\n");
        const Run refused = runTool(t, {"convert", bad, t.root() + "neu.lx-wqz"});
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.err, bad + ": Zeile 1, Spalte „Antwort“: Die Spalte fehlt in der Kopfzeile.\n");
        QVERIFY(!QFile::exists(t.root() + "neu.lx-wqz"));
        // A missing input, an unreadable wall, an unwritable or unknown target fail; a missing argument is misuse.
        QCOMPARE(runTool(t, {"convert", t.root() + "fehlt.frg", package}).status, 1);
        QCOMPARE(runTool(t, {"convert", test::writeFile(t.path("schlecht.frg"), "TH:nur eins\n@\n"), package}).status, 1);
        QCOMPARE(runTool(t, {"convert", legacy, t.root() + "quelle.frg/x.lx-wqz"}).status, 1);
        QCOMPARE(runTool(t, {"convert", legacy, t.root() + "wand.txt"}).status, 1);
        QCOMPARE(runTool(t, {"convert", legacy}).status, 2);
        QCOMPARE(runTool(t, {"tanzen"}).status, 2);
    }

    void checkWarnsAndRefusesNamingTheLines()
    {
        test::TestHost t;
        const QByteArray wall =
            "TH:Tiere\n"                                       // 1
            "Risko:Wie alt wird ein Hund?\nEtwa 13 Jahre\n\n"  // 2-4: typo in the marker
            "JOKER: Glück\n\n\n"                               // 5-7: text after JOKER
            "Al :Links?\nja\nfehlt.png\n"                      // 8-10: blank in the marker, missing picture
            "Frage vier\nAntwort\nWas ist das für ein Tier?\n" // 11-13: picture line looks like a question
            "Frage fünf\nAntwort\n\n"                          // 14-16
            "Frage sechs\nAntwort\n\n"                         // 17-19: ignored
            "TH:Tiere\n"                                       // 20: repeated title, block 1 has no "@"
            "Frage\nAntwort\n\n@\n" +
            block("C", 3) + block("D") + block("E");
        Run c = check(t, wall);
        QCOMPARE(c.status, 1);
        const QStringList expected[] = {
            {"Zeile 2: Warnung", "'RISIKO:'"}, {"Zeile 5: Warnung", "Joker"}, {"Zeile 8: Warnung", "Leerzeichen"},
            {"Zeile 10: Warnung", "fehlt.png"}, {"Zeile 13: Warnung", "sieht wie eine Frage aus"},
            {"Zeile 17: Warnung", "6. Eintrag"}, {"Zeile 20: Warnung", "wird dort als Frage"},
            {"Zeile 20: Warnung", "mehrfach"}, {"Zeile", "'E'"}, // a fifth topic is not shown
            {"Zeile", "80, 100"},                                 // topic C has only three entries
            {"Ergebnis: 0 Fehler", ""}};
        for (const QStringList &e : expected)
            QVERIFY2(c.has(e[0], e[1]), qPrintable(e.join(" … ") + "\n" + c.out));

        // A clean wall passes; a cut-off one, one without headers and one not named .frg are refused.
        test::writeFile(t.root() + "bilder/Hund.PNG", "x");
        c = check(t, "/ Kommentar\n" + block("A") + block("B") + block("C") + "TH:D\nRISIKO:AL:Frage?\nAntwort\nB:hund.png  \n"
                         "JOKER\n\n\nFrage\nAL:Antwort\nA:hund.png\nFrage\nAntwort\n\nFrage\nAntwort\n\n@\n");
        QVERIFY(c.status == 0 && c.has("In Ordnung", ""));
        c = check(t, block("A") + block("B") + "TH:C\nFrage\nAntwort");
        QVERIFY(c.status == 2 && c.has("Fehler", "Spalte 4") && c.has("Zeile 36: Fehler", "abgeschnitten"));
        c = check(t, "th:klein\nFrage\n", "klein.frg");
        QVERIFY(c.status == 2 && c.has("Zeile 1: Warnung", "Großbuchstaben") && c.has("Fehler", "Keine Themen-Kopfzeile"));
        c = check(t, block("A") + block("B") + block("C") + block("D"), "wand.txt");
        QVERIFY(c.status == 2 && c.has("Fehler", ".frg"));
    }
};

QTEST_GUILESS_MAIN(WallToolTest)
#include "tst_walltool.moc"
