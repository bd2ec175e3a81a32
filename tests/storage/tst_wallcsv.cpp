// Walls as spreadsheet tables: as Excel, LibreOffice and hand editing leave them, refusals, writing.

#include "model/cls_Wall.h"
#include "storage/WallCsv.h"
#include "support/TestHost.h"

#include <QtTest>
#include <tuple>

using namespace wq;

namespace {
QStringList fieldOf(const cls_WallField &f)
{
    return {f.QUESTION, f.ANSWER, f.IMAGENAME, QString::number(f.IMAGEMODE), QString::number(f.SORT)};
}
using Want = QPair<int, QStringList>; // board index, field

// Five rows per topic from `pattern` ("{t}" topic, "{p}" points); `shuffled`: all 100s first, then all 80s...
QByteArray rows(const QByteArray &pattern, const QList<QByteArray> &topics, const QByteArray &eol = "\n",
                bool shuffled = false)
{
    const qsizetype n = topics.size();
    QByteArray out;
    for (qsizetype i = 0; i < n * 5; ++i) {
        const QByteArray topic = shuffled ? topics[i % n] : topics[i / 5];
        const int points = shuffled ? 100 - int(i / n) * 20 : 20 + int(i % 5) * 20;
        out += QByteArray(pattern).replace("{t}", topic).replace("{p}", QByteArray::number(points)) + eol;
    }
    return out;
}

// As Excel writes it in Germany: ";", Windows-1252, CR LF.
const QByteArray ExcelFile =
    "Thema;Punkte;Art;Frage;Antwort;Bild;Bildmodus\r\n"
    + rows("{t};{p};Frage;{t} {p}?;Antwort {p};;", {"Tiere", "Gr\xF6\xDF" "e", "Geld"}, "\r\n")
    + "Zitate \x84Klassiker\x93;20;Frage;Was kostet es?;10 \x80;;\r\n"
      "Zitate \x84Klassiker\x93;40;RISIKO;\"Er sagte \"\"Ja\"\"; dann ging er\";\xC4hnlich;bild \xFC.png;\r\n"
      ";;;;;;\r\n"
      "Zitate \x84Klassiker\x93; 60 ; joker ;;;;\r\n"
      "Zitate \x84Klassiker\x93;80;;\x96 Frage \x85;Antwort;b.png; Zu Beiden \r\n"
      "Zitate \x84Klassiker\x93;100;Frage;F;A;c.png;zur Antwort\r\n";
const QByteArray Picture = QByteArray("iVBORw0KGgoAAAANSUhEUgAA").repeated(12);
} // namespace

Q_DECLARE_METATYPE(QList<Want>)

class WallCsvTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsWhatSpreadsheetsWrite_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("topics");
        QTest::addColumn<QList<Want>>("fields");
        QTest::newRow("Excel") << ExcelFile << QStringList{"Tiere", "Größe", "Geld", "Zitate „Klassiker“"}
                               << QList<Want>{{3, {"Was kostet es?", "10 €", "", "1", "1"}},
                                              {7, {"Er sagte \"Ja\"; dann ging er", "Ähnlich", "bild ü.png", "1", "2"}},
                                              {11, {"", "", "", "1", "3"}},
                                              {15, {"– Frage …", "Antwort", "b.png", "2", "1"}},
                                              {19, {"F", "A", "c.png", "0", "1"}}};
        // LibreOffice: ",", UTF-8 with byte-order mark, quotes only where needed.
        QTest::newRow("LibreOffice")
            << "\xEF\xBB\xBFThema,Punkte,Art,Frage,Antwort,Bild,Bildmodus\n"
                   + rows("{t},{p},Frage,{t} {p}?,Antwort {p},,", {"Tiere", "Orte"})
                   + "Spr\xC3\xBC" "che,20,Frage,\"Zwei\nZeilen\",\"Er sagte \"\"ja, gern\"\"\",,\n"
                     "Spr\xC3\xBC" "che,40,Joker,,,,\n"
                     "Spr\xC3\xBC" "che,60,Risiko,\"\"\"Zitat\"\" vorn\",\"a,b\n\nc\",,\n"
                     "Spr\xC3\xBC" "che,80,Frage,F,A," + Picture + ",zur Antwort\n"
                     "Spr\xC3\xBC" "che,100,Frage,F,A,,\n"
                   + rows("{t},{p},,{t} {p}?,Antwort {p},,", {"Zahlen"})
            << QStringList{"Tiere", "Orte", "Sprüche", "Zahlen"}
            << QList<Want>{{2, {"Zwei|Zeilen", "Er sagte \"ja, gern\"", "", "1", "1"}},
                           {6, {"", "", "", "1", "3"}},
                           {10, {"\"Zitat\" vorn", "a,b||c", "", "1", "2"}},
                           {14, {"F", "A", QString::fromLatin1(Picture), "0", "1"}}};
        // By hand: tabs, CR, columns reordered or left out, rows in no order; first topic met is column 1.
        QTest::newRow("tabs, shuffled")
            << "Antwort\t PUNKTE \tthema\tFrage\r"
               "Gr\xC3\xBCn\t100\tFarben\t\"Tab\tin der Frage \"\r"
               "Rot\t20\tFarben\tErste?\rBlau\t60\tFarben\tDritte?\rGelb\t40\tFarben\tZweite?\r\r"
               "Lila\t80\tFarben\tVierte?\r"
                   + rows("Antwort {p}\t{p}\t{t}\t{t} {p}?", {"Tiere", "Orte", "Zahlen"}, "\r", true)
            << QStringList{"Farben", "Tiere", "Orte", "Zahlen"}
            << QList<Want>{{16, {"Tab\tin der Frage ", "Grün", "", "1", "1"}},
                           {0, {"Erste?", "Rot", "", "1", "1"}},
                           {10, {"Orte 60?", "Antwort 60", "", "1", "1"}},
                           {19, {"Zahlen 100?", "Antwort 100", "", "1", "1"}}};
    }

    void readsWhatSpreadsheetsWrite()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, topics);
        QFETCH(QList<Want>, fields);
        test::TestHost t;
        cls_Wall wall(t.host());
        std::tie(wall.TITLE, wall.FILENAME) = std::tuple("Bleibt", "wand.csv");
        const CsvResult result = readWallCsv(file, wall);
        QVERIFY2(result.ok, qPrintable(result.message));
        QCOMPARE(wall.TOPICS().items(), topics);
        for (const Want &want : fields)
            QCOMPARE(fieldOf(wall.Item(want.first, true)), want.second);
        QVERIFY(wall.TITLE == "Bleibt" && wall.FILENAME == "wand.csv");
    }

    void refusesNamingRowAndColumn_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QVariantList>("refusal"); // row, column, message
        const QByteArray header = "Thema;Punkte;Art;Frage;Antwort;Bild;Bildmodus\n";
        const QByteArray full = header + rows("{t};{p};;F;A", {"A", "B", "C", "D"});
        const QByteArray base = full.first(full.lastIndexOf("D;100")); // rows 2 to 20, all but D 100
        QTest::newRow("fifth topic, by letter case") << base + "d;100;;F;A\n" << QVariantList{21, "Thema",
            "Zeile 21, Spalte „Thema“: „d“ wäre ein fünftes Thema; eine Wand hat nur vier: "
            "„A“, „B“, „C“, „D“."};
        QTest::newRow("no topic") << base + " ;100;;F;A\n"
                                  << QVariantList{21, "Thema", "Zeile 21, Spalte „Thema“: Das Thema fehlt."};
        QTest::newRow("points") << base + "D; 50 ;;F;A\n" << QVariantList{21, "Punkte",
            "Zeile 21, Spalte „Punkte“: „50“ ist kein Punktwert; erlaubt sind 20, 40, 60, 80 und 100."};
        // Refused at once: the open quote after it is never reached.
        QTest::newRow("twice") << base + "D;80;;F;A\n\"offen" << QVariantList{21, "Punkte",
            "Zeile 21, Spalte „Punkte“: „D“ mit 80 Punkten steht schon in Zeile 20."};
        QTest::newRow("twice, after a cell of three lines") << base + "D;100;;\"Eins\nZwei\r\nDrei\";A\nD;100;;F;A\n"
            << QVariantList{24, "Punkte", "Zeile 24, Spalte „Punkte“: „D“ mit 100 Punkten steht schon in Zeile 21."};
        QTest::newRow("kind") << base + "D;100;Quiz;F;A\n" << QVariantList{21, "Art",
            "Zeile 21, Spalte „Art“: „Quiz“ ist keine Art; erlaubt sind Frage, Risiko und Joker."};
        QTest::newRow("mode") << base + "D;100;;F;A;x.png;zur Pause\n" << QVariantList{21, "Bildmodus",
            "Zeile 21, Spalte „Bildmodus“: „zur Pause“ ist kein Bildmodus; erlaubt sind „zur Frage“, "
            "„zur Antwort“ und „zu beiden“."};
        QTest::newRow("open quote") << base + "D;100;;\"Offen;A\n" << QVariantList{21, "Frage",
            "Zeile 21, Spalte „Frage“: Ein Anführungszeichen wird bis zum Ende der Datei nicht geschlossen."};
        QTest::newRow("separator unquoted") << base + "D;100;;Eins; zwei;A;b.png;zur Frage;x\n" << QVariantList{21, "",
            "Zeile 21: In Zelle 8 steht etwas, aber die Kopfzeile hat nur 7 Spalten. Steht ein Trennzeichen "
            "ohne Anführungszeichen in einem Text?"};
        QTest::newRow("header") << QByteArray("Thema;Art;Frage;Antwort\nA;;F;A\n") << QVariantList{1, "Punkte",
            "Zeile 1, Spalte „Punkte“: Die Spalte fehlt in der Kopfzeile."};
        QTest::newRow("field missing") << base << QVariantList{0, "Punkte", "Zu „D“ fehlt die Zeile mit 100 Punkten."};
        QTest::newRow("three topics") << header + rows("{t};{p};;F;A", {"A", "B", "C"}) << QVariantList{0, "Thema",
            "Eine Wand hat vier Themen, die Datei nur 3: „A“, „B“, „C“."};
        QTest::newRow("too large") << QByteArray((64 << 20) + 1, '\n') << QVariantList{0, "",
            "Die Datei ist zu groß für eine Wand (mehr als 64 MB)."};
    }

    void refusesNamingRowAndColumn()
    {
        QFETCH(QByteArray, file);
        QFETCH(QVariantList, refusal);
        test::TestHost t;
        cls_Wall wall(t.host());
        const CsvResult result = readWallCsv(file, wall);
        QVERIFY(!result.ok);
        QCOMPARE(QVariantList({result.row, result.column, result.message}), refusal);
    }

    void writesTheTableSpreadsheetsRead()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        const QStringList titles = {" Tiere ", "Tiere", "", "Sätze; \"zitiert\""};
        for (int c = 0; c < 4; ++c)
            wall.TOPICS().set(c + 1, titles[c]);
        for (int i = 0; i < 20; ++i)
            wall.Item(i, true).ANSWER = QString("Antwort %1").arg(i);
        const auto set = [&](int i, const QString &q, const QString &a, const QString &p, qint32 mode, qint32 kind) {
            cls_WallField &f = wall.Item(i, true);
            std::tie(f.QUESTION, f.ANSWER, f.IMAGENAME, f.IMAGEMODE, f.SORT) = std::tie(q, a, p, mode, kind);
        };
        set(0, "Zwei|Zeilen", "  Rand  ", "bild.png", PictureWithAnswer, KindRisk);
        set(4, "Er sagte \"ja; gern\"|", "a\tb,c", QString::fromLatin1(Picture), PictureWithBoth, KindJoker);
        set(19, "=1+1", "Antwort 19", "", PictureWithBoth, KindQuestion); // no picture: its mode is not written

        const QByteArray csv = writeWallCsv(wall);
        QVERIFY(csv.startsWith("\xEF\xBB\xBFThema;Punkte;Art;Frage;Antwort;Bild;Bildmodus\r\n"
                               "Tiere;20;Risiko;\"Zwei\nZeilen\";\"  Rand  \";bild.png;zur Antwort\r\n"
                               "Tiere;40;Joker;\"Er sagte \"\"ja; gern\"\"\n\";a\tb,c;" + Picture + ";zu beiden\r\n"
                               "Tiere;60;Frage;;Antwort 8;;\r\n"));
        QVERIFY(csv.endsWith("\r\n\"S\xC3\xA4tze; \"\"zitiert\"\"\";100;Frage;=1+1;Antwort 19;;\r\n"));
        // Topic titles trimmed, made unique, a blank one named by its column.
        QVERIFY(csv.contains("\r\nTiere (2);20;Frage;;Antwort 1;;\r\n"));
        QVERIFY(csv.contains("\r\nThema 3;100;Frage;;Antwort 18;;\r\n"));
    }
};

QTEST_GUILESS_MAIN(WallCsvTest)
#include "tst_wallcsv.moc"
