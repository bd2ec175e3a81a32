// wandquiz-wall check: what it finds in walls written by hand.

#include "storage/WallTool.h"
#include "support/TestHost.h"

#include <QtTest>

using namespace wq;

namespace {
struct Check {
    int status;
    QStringList lines;
};

Check check(test::TestHost &t, const QByteArray &wall, const QString &name = "wand.frg")
{
    const QString path = test::writeFile(t.path(name), wall);
    QString out, err;
    QTextStream o(&out), e(&err);
    Check result;
    result.status = runWallTool({"check", "--images", t.root() + "bilder", path}, t.host(), o, e);
    o.flush();
    result.lines = out.split('\n', Qt::SkipEmptyParts);
    return result;
}

bool has(const Check &c, const QString &start, const QString &part)
{
    for (const QString &line : c.lines)
        if (line.startsWith(start) && line.contains(part))
            return true;
    return false;
}

QByteArray block(const QByteArray &title, int entries = 5)
{
    QByteArray b = "TH:" + title + "\n";
    for (int i = 1; i <= entries; ++i)
        b += "Frage " + QByteArray::number(i) + "?\nAntwort\n\n";
    return b + "@\n";
}
} // namespace

class LegacyCheckTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanWallPasses()
    {
        test::TestHost t;
        test::writeFile(t.root() + "bilder/Hund.PNG", "x");
        const Check c = check(t, "/ Kommentar\n" + block("A") + block("B") + block("C") +
                                     "TH:D\nRISIKO:AL:Frage?\nAntwort\nB:hund.png  \nJOKER\n\n\n"
                                     "Frage\nAL:Antwort\nA:hund.png\nFrage\nAntwort\n\nFrage\nAntwort\n\n@\n");
        QCOMPARE(c.status, 0);
        QVERIFY(c.lines.last().startsWith("In Ordnung"));
    }

    void warningsNameTheirLines()
    {
        test::TestHost t;
        const QByteArray wall =
            "TH:Tiere\n"                                   // 1
            "Risko:Wie alt wird ein Hund?\nEtwa 13 Jahre\n\n" // 2-4: typo in the marker
            "JOKER: Glück\n\n\n"                            // 5-7: text after JOKER
            "Al :Links?\nja\nfehlt.png\n"                   // 8-10: blank in the marker, missing picture
            "Frage vier\nAntwort\nWas ist das für ein Tier?\n" // 11-13: picture line looks like a question
            "Frage fünf\nAntwort\n\n"                       // 14-16
            "Frage sechs\nAntwort\n\n"                      // 17-19: ignored
            "TH:Tiere\n"                                    // 20: repeated title, block 1 has no "@"
            "Frage\nAntwort\n\n@\n" +
            block("C", 3) + block("D") + block("E");
        const Check c = check(t, wall);
        QCOMPARE(c.status, 1);
        QVERIFY(has(c, "Zeile 2: Warnung", "'RISIKO:'"));
        QVERIFY(has(c, "Zeile 5: Warnung", "Joker"));
        QVERIFY(has(c, "Zeile 8: Warnung", "Leerzeichen"));
        QVERIFY(has(c, "Zeile 10: Warnung", "fehlt.png"));
        QVERIFY(has(c, "Zeile 13: Warnung", "sieht wie eine Frage aus"));
        QVERIFY(has(c, "Zeile 17: Warnung", "6. Eintrag"));
        QVERIFY(has(c, "Zeile 20: Warnung", "wird dort als Frage"));
        QVERIFY(has(c, "Zeile 20: Warnung", "mehrfach"));
        QVERIFY(has(c, "Zeile", "'E'"));          // a fifth topic is not shown
        QVERIFY(has(c, "Zeile", "80, 100"));      // topic C has only three entries
        QVERIFY(c.lines.last().startsWith("Ergebnis: 0 Fehler"));
    }

    void errorsKeepTheWallFromLoading()
    {
        test::TestHost t;
        Check c = check(t, block("A") + block("B") + "TH:C\nFrage\nAntwort");
        QCOMPARE(c.status, 2);
        QVERIFY(has(c, "Fehler", "Spalte 4"));
        QVERIFY(has(c, "Zeile 36: Fehler", "abgeschnitten"));
        c = check(t, "th:klein\nFrage\n", "klein.frg");
        QCOMPARE(c.status, 2);
        QVERIFY(has(c, "Zeile 1: Warnung", "Großbuchstaben"));
        QVERIFY(has(c, "Fehler", "Keine Themen-Kopfzeile"));
        c = check(t, block("A") + block("B") + block("C") + block("D"), "wand.txt");
        QCOMPARE(c.status, 2);
        QVERIFY(has(c, "Fehler", ".frg"));
    }
};

QTEST_GUILESS_MAIN(LegacyCheckTest)
#include "tst_legacycheck.moc"
