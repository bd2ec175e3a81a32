// The wall and its fields: clearing, the collection operations, spawning,
// copying and packing.

#include "model/cls_Wall.h"
#include "support/TestHost.h"

#include <QtTest>

using namespace wq;

namespace {
// Every value of the wall and of its twenty fields set to something other
// than what a new wall holds.
void fill(cls_Wall &wall)
{
    wall.AUTHOR = "Autor: mit Doppelpunkt; S3:";
    wall.DESCRIPTION = "Zeile 1\r\nZeile 2";
    wall.TITLE = "Tiere";
    wall.TARGETGROUP = "Klasse 5";
    wall.DIFFICULTY = -7;
    wall.RANDOMIZE = true;
    wall.FILENAME = "/quelle.frg";
    wall.DATA->setKey(99);
    wall.TOPICS().set(4, "Größen & Maße");
    for (int n = 0; n < 20; ++n) {
        cls_WallField &f = wall.Item(n, true);
        f.QUESTION = QStringLiteral("Frage %1 mit |Umbruch").arg(n);
        f.ANSWER = QStringLiteral("Antwort %1 – „Zitat“").arg(n);
        f.IMAGENAME = QStringLiteral("bild%1.png").arg(n);
        f.IMAGEMODE = n % 2 + 1;
        f.SORT = n % 2 + 2;
        f.TALIGN = 3;
        f.DATA->setKey(QStringLiteral("K%1").arg(n));
    }
}

// What a wall stores and packs, in one list.
QVariantList storedValues(cls_Wall &w)
{
    QVariantList v = {w.DATA->key(), w.AUTHOR, w.DESCRIPTION, w.TITLE,
                      w.TARGETGROUP, w.DIFFICULTY, w.RANDOMIZE, w.TOPICS().items()};
    for (int i = 0; i < w.DATABASE->count(); ++i) {
        const cls_WallField &f = w.Item(i, true);
        v << f.DATA->key() << f.QUESTION << f.ANSWER << f.IMAGENAME.toString() << f.IMAGEMODE << f.SORT;
    }
    return v;
}
} // namespace

class WallTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void clearedWallIsAnEmptyBoardWithItsDescription()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        fill(wall);
        wall.CLEAR();
        QCOMPARE(wall.AUTHOR, QString("Autor: mit Doppelpunkt; S3:"));
        QCOMPARE(wall.TITLE, QString("Tiere"));
        QVERIFY(wall.FILENAME.isEmpty());
        QCOMPARE(wall.DATABASE->count(), 20);
        QCOMPARE(wall.TOPICS().items(), QStringList({"A", "B", "C", "D"}));
        for (int i : {0, 19}) {
            const cls_WallField &f = wall.Item(i, true);
            QCOMPARE(QVariantList({f.SORT, f.IMAGEMODE, f.TALIGN, f.QUESTION, f.ANSWER, f.IMAGENAME.toString(), f.DATA->key()}),
                     QVariantList({1, 0, 0, QString(), QString(), QString(), QVariant()}));
        }
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, wall.Item(20, true));
    }

    void searchImportAndRemove()
    {
        test::TestHost t;
        cls_Wall wall(t.host());
        wall.Item(6, true).DATA->setKey("LÖWE");
        wall.Item(9, true).DATA->setKey(42);
        QCOMPARE(wall.DATABASE->search("  löwe "), 7);
        QCOMPARE(wall.DATABASE->search("tiger"), 0);
        QCOMPARE(wall.DATABASE->search(42), 10);
        QCOMPARE(wall.DATABASE->search("42"), 0); // a number never equals a text
        QCOMPARE(&wall.DATABASE->item("Löwe"), static_cast<DataInterface *>(&wall.Item(6, true)));

        auto extra = std::make_unique<cls_WallField>();
        extra->QUESTION = "Zusatz";
        wall.DATABASE->importEntry(std::move(extra), "neu");
        QCOMPARE(wall.DATABASE->count(), 21);
        QCOMPARE(wall.Item(20, true).QUESTION, QString("Zusatz"));
        QCOMPARE(wall.DATABASE->search("NEU"), 21);

        // Removing moves the last field into the gap; removing the last drops it.
        cls_WallField *last = &wall.Item(20, true);
        cls_WallField *fourth = &wall.Item(3, true);
        wall.DATABASE->remove(3, true);
        QCOMPARE(wall.DATABASE->count(), 20);
        QCOMPARE(&wall.Item(2, true), last);
        QCOMPARE(&wall.Item(3, true), fourth);
        cls_WallField *secondLast = &wall.Item(18, true);
        wall.DATABASE->remove(20, true);
        QCOMPARE(wall.DATABASE->count(), 19);
        QCOMPARE(&wall.Item(18, true), secondLast);
    }

    void spawnAndCopy()
    {
        test::TestHost t;
        cls_Wall source(t.host());
        fill(source);
        // A spawned wall is a new, empty one.
        const auto spawned = source.DATA->spawn();
        auto *copy = dynamic_cast<cls_Wall *>(spawned.get());
        QVERIFY(copy && copy->AUTHOR.isEmpty() && copy->Item(0, true).QUESTION.isEmpty());

        // A copy takes every packed value but neither file name nor alignment: its fields are new.
        copy->Item(4, true).TALIGN = 1;
        copy->DATA->copyFrom(*source.DATA);
        QCOMPARE(storedValues(*copy), storedValues(source));
        QVERIFY(copy->FILENAME.isEmpty());
        QCOMPARE(copy->Item(4, true).TALIGN, 0);

        // A field copying from another keeps its own alignment.
        const auto spawnedField = source.Item(3, true).DATA->spawn();
        auto *field = dynamic_cast<cls_WallField *>(spawnedField.get());
        QVERIFY(field);
        field->TALIGN = 1;
        field->DATA->copyFrom(*source.Item(3, true).DATA);
        QCOMPARE(field->TALIGN, 1);
        QCOMPARE(field->ANSWER, source.Item(3, true).ANSWER);
        // Objects of another class are refused.
        QVERIFY_THROWS_EXCEPTION(HostError, field->DATA->copyFrom(*source.DATA));
    }

    void packAndUnpack()
    {
        test::TestHost t;
        cls_Wall source(t.host());
        fill(source);
        const QString package = source.DATA->pack();

        cls_Wall target(t.host());
        target.DATA->unpack(package);
        QCOMPARE(storedValues(target), storedValues(source));
        // Damaged packages are refused, never half-read into a crash.
        for (int cut : {0, 1, 5, int(package.size() / 2), int(package.size() - 1)})
            QVERIFY_THROWS_EXCEPTION(HostError, target.DATA->unpack(package.left(cut)));
        cls_WallField field;
        QVERIFY_THROWS_EXCEPTION(HostError, field.DATA->unpack(package));
    }
};

QTEST_GUILESS_MAIN(WallTest)
#include "tst_wall.moc"
