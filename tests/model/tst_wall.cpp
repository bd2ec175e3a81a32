// The wall and its fields: construction, clearing, the collection operations,
// copying and packing.

#include "model/cls_Wall.h"
#include "support/TestHost.h"

#include <QtTest>

using namespace wq;

class WallTest : public QObject {
    Q_OBJECT

private:
    static void fill(cls_WallField &f, int n)
    {
        f.QUESTION = QStringLiteral("Frage %1 mit |Umbruch").arg(n);
        f.ANSWER = QStringLiteral("Antwort %1 – „Zitat“").arg(n);
        f.IMAGENAME = QStringLiteral("bild%1.png").arg(n);
        f.IMAGEMODE = n % 3;
        f.SORT = n % 3 + 1;
        f.TALIGN = 3;
        f.DATA->setKey(QStringLiteral("K%1").arg(n));
    }

private Q_SLOTS:
    void newWallIsAnEmptyBoard()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        QCOMPARE(wall.DATABASE->count(), 20);
        QCOMPARE(wall.TOPICS().items(), QStringList({"A", "B", "C", "D"}));
        cls_WallField &first = wall.Item(0, true);
        cls_WallField &last = wall.Item(19, true);
        QVERIFY(&first != &last);
        for (cls_WallField *f : {&first, &last}) {
            QCOMPARE(f->SORT, 1);
            QCOMPARE(f->IMAGEMODE, 0);
            QCOMPARE(f->TALIGN, 0);
            QVERIFY(f->QUESTION.isEmpty() && f->ANSWER.isEmpty() && f->IMAGENAME.isEmpty());
        }
        QVERIFY(wall.DATA->className().endsWith(".cls_Wall"));
        QVERIFY(first.DATA->className().endsWith(".cls_WallField"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, wall.Item(20, true));
    }

    void clearKeepsDescriptionAndEmptiesFileName()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        wall.AUTHOR = "Frau Lehmann";
        wall.TITLE = "Tiere";
        wall.FILENAME = "/tmp/x.frg";
        wall.TOPICS().set(1, "Vögel");
        fill(wall.Item(5, true), 5);
        wall.CLEAR();
        QCOMPARE(wall.AUTHOR, QString("Frau Lehmann"));
        QCOMPARE(wall.TITLE, QString("Tiere"));
        QVERIFY(wall.FILENAME.isEmpty());
        QCOMPARE(wall.TOPICS().at(1), QString("A"));
        QVERIFY(wall.Item(5, true).QUESTION.isEmpty());
    }

    void removeMovesTheLastFieldIntoTheGap()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        cls_WallField *former20 = &wall.Item(19, true);
        cls_WallField *former4 = &wall.Item(3, true);
        wall.DATABASE->remove(3, true);
        QCOMPARE(wall.DATABASE->count(), 19);
        QCOMPARE(&wall.Item(2, true), former20);
        QVERIFY(&wall.Item(3, true) == former4);
        // Removing the last position simply drops it.
        cls_WallField *nowLast = &wall.Item(18, true);
        wall.DATABASE->remove(19, true);
        QCOMPARE(wall.DATABASE->count(), 18);
        QVERIFY(&wall.Item(17, true) != nowLast);
    }

    void searchAndImport()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        wall.Item(6, true).DATA->setKey("LÖWE");
        wall.Item(9, true).DATA->setKey(42);
        QCOMPARE(wall.DATABASE->search("  löwe "), 7);
        QCOMPARE(wall.DATABASE->search("tiger"), 0);
        QCOMPARE(wall.DATABASE->search(42), 10);
        QCOMPARE(wall.DATABASE->search("42"), 0); // a number never equals a text
        // Looking up by key, then by position when no key matches.
        QCOMPARE(&wall.DATABASE->item("Löwe"), static_cast<DataInterface *>(&wall.Item(6, true)));

        auto extra = std::make_unique<cls_WallField>();
        extra->QUESTION = "Zusatz";
        wall.DATABASE->importEntry(std::move(extra), "neu");
        QCOMPARE(wall.DATABASE->count(), 21);
        QCOMPARE(wall.Item(20, true).QUESTION, QString("Zusatz"));
        QCOMPARE(wall.DATABASE->search("NEU"), 21);
    }

    void copyLeavesAlignmentAlone()
    {
        test::TestHost t;
        cls_Wall source(t.host());
        source.AUTHOR = "A";
        source.DESCRIPTION = "D";
        source.TITLE = "T";
        source.TARGETGROUP = "Klasse 5";
        source.DIFFICULTY = 3;
        source.RANDOMIZE = true;
        source.FILENAME = "/quelle.frg";
        source.TOPICS().set(2, "Zwei");
        for (int i = 0; i < 20; ++i)
            fill(source.Item(i, true), i);

        cls_Wall copy(t.host());
        copy.Item(4, true).TALIGN = 1;
        copy.DATA->copyFrom(*source.DATA);
        QCOMPARE(copy.TARGETGROUP, QString("Klasse 5"));
        QCOMPARE(copy.DIFFICULTY, 3);
        QVERIFY(copy.RANDOMIZE);
        QVERIFY(copy.FILENAME.isEmpty());
        QCOMPARE(copy.TOPICS().at(2), QString("Zwei"));
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(copy.Item(i, true).QUESTION, source.Item(i, true).QUESTION);
            QCOMPARE(copy.Item(i, true).SORT, source.Item(i, true).SORT);
            QCOMPARE(copy.Item(i, true).DATA->key(), source.Item(i, true).DATA->key());
            QCOMPARE(copy.Item(i, true).TALIGN, 0); // new fields, alignment not copied
        }
        // A field copying from another keeps its own alignment.
        cls_WallField field;
        field.TALIGN = 1;
        field.DATA->copyFrom(*source.Item(3, true).DATA);
        QCOMPARE(field.TALIGN, 1);
        QCOMPARE(field.ANSWER, source.Item(3, true).ANSWER);
        // Objects of another class are refused.
        QVERIFY_THROWS_EXCEPTION(HostError, field.DATA->copyFrom(*source.DATA));
    }

    void packAndUnpackRoundTrip()
    {
        test::TestHost t;
        cls_Wall source(t.host());
        source.AUTHOR = "Autor: mit Doppelpunkt; S3:";
        source.DIFFICULTY = -7;
        source.TOPICS().set(4, "Größen & Maße");
        for (int i = 0; i < 20; ++i)
            fill(source.Item(i, true), i);
        const QString package = source.DATA->pack();

        cls_Wall target(t.host());
        target.DATA->unpack(package);
        QCOMPARE(target.AUTHOR, source.AUTHOR);
        QCOMPARE(target.DIFFICULTY, -7);
        QCOMPARE(target.TOPICS().items(), source.TOPICS().items());
        QCOMPARE(target.DATABASE->count(), 20);
        for (int i = 0; i < 20; ++i) {
            const cls_WallField &a = source.Item(i, true);
            const cls_WallField &b = target.Item(i, true);
            QCOMPARE(b.QUESTION, a.QUESTION);
            QCOMPARE(b.ANSWER, a.ANSWER);
            QCOMPARE(b.IMAGENAME, a.IMAGENAME);
            QCOMPARE(b.IMAGEMODE, a.IMAGEMODE);
            QCOMPARE(b.SORT, a.SORT);
            QCOMPARE(b.DATA->key().toString(), a.DATA->key().toString());
        }
        // Damaged packages are refused, never half-read into a crash.
        for (int cut : {0, 1, 5, int(package.size() / 2), int(package.size() - 1)})
            QVERIFY_THROWS_EXCEPTION(HostError, target.DATA->unpack(package.left(cut)));
        cls_WallField field;
        QVERIFY_THROWS_EXCEPTION(HostError, field.DATA->unpack(package));
    }

    void spawnMakesFreshObjects()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        wall.AUTHOR = "x";
        auto spawned = wall.DATA->spawn();
        auto *newWall = dynamic_cast<cls_Wall *>(spawned.get());
        QVERIFY(newWall);
        QVERIFY(newWall->AUTHOR.isEmpty());
        auto field = wall.Item(0, true).DATA->spawn();
        QVERIFY(dynamic_cast<cls_WallField *>(field.get()));
    }
};

QTEST_GUILESS_MAIN(WallTest)
#include "tst_wall.moc"
