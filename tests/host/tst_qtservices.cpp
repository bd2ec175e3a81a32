// The Qt host services: folders that follow XDG, the file service and the
// number pad. (The instance lock is tried with real processes in
// tests/app/test_instances.sh.)

#include "widgets/NumberPad.h"
#include "host/QtServices.h"
#include "support/TestHost.h"

#include <QPushButton>
#include <QtTest>

using namespace wq;

class QtServicesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void foldersFollowHomeAndXdg()
    {
        QTemporaryDir dir;
        qputenv("HOME", dir.path().toUtf8());
        qunsetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
        QtFolderService folders;
        QCOMPARE(folders.userDataFolder(), dir.path() + "/.local/share/wandquiz/");
        QVERIFY(QFileInfo(folders.userDataFolder()).isDir());
        QVERIFY(folders.documentsFolder().startsWith(dir.path() + "/"));
        QVERIFY(folders.documentsFolder().endsWith("/"));
        qputenv("XDG_DATA_HOME", (dir.path() + "/daten").toUtf8());
        QCOMPARE(folders.userDataFolder(), dir.path() + "/daten/wandquiz/");
        // The program's data lies beside the program, in the build tree too.
        QVERIFY(QFileInfo(folders.programFolder() + "sounds").isDir());
        QCOMPARE(folders.sharedApplicationFolder(), folders.programFolder());
    }

    void filesAndPatterns()
    {
        test::TestHost t;
        QtFileService files;
        test::writeFile(t.path("wände/eins.frg"), "x");
        test::writeFile(t.path("wände/ohne_punkt"), "x");
        test::writeFile(t.path("wände/zwei.LX-WQZ"), "x");
        QCOMPARE(files.filesMatching(t.root() + "wände/*.*").size(), 3); // every file, as "*.*" means there
        QCOMPARE(files.filesMatching(t.root() + "wände/*.frg"), QStringList({t.root() + "wände/eins.frg"}));
        QVERIFY(files.filesMatching(t.root() + "fehlt/*.*").isEmpty());
        QVERIFY(files.exists(t.root() + "wände/eins.frg"));
        QVERIFY(!files.exists(t.root() + "wände"));
        QVERIFY(!files.exists(QString()));
        files.prepareFolder(t.root() + "neu/Wandquiz/");
        QVERIFY(QFileInfo(t.root() + "neu/Wandquiz").isDir());
    }

    void theNumberPad()
    {
        NumberPad pad("Einsatz", " 12", nullptr);
        QCOMPARE(pad.windowTitle(), QString("Einsatz"));
        QCOMPARE(pad.number(), QString("12"));
        auto press = [&](const QString &key) {
            QTest::mouseClick(pad.findChild<QPushButton *>("NumberPadKey_" + key), Qt::LeftButton);
        };
        press("5");
        press("⌫");
        press("0");
        press("±");
        QCOMPARE(pad.number(), QString("-120"));
        press("±");
        QTest::mouseClick(pad.findChild<QPushButton *>("NumberPadClear"), Qt::LeftButton);
        for (int i = 0; i < 12; ++i)
            press("9");
        QCOMPARE(pad.number(), QString("999999999")); // nine digits at most
        QTest::keyClick(&pad, Qt::Key_Backspace);
        QTest::keyClick(&pad, Qt::Key_1);
        QCOMPARE(pad.number(), QString("999999991"));
        QTest::mouseClick(pad.findChild<QPushButton *>("NumberPadOk"), Qt::LeftButton);
        QCOMPARE(pad.result(), int(QDialog::Accepted));
        for (const QPushButton *key : pad.findChildren<QPushButton *>())
            QVERIFY(key->minimumHeight() >= 80); // sized for fingers

        qputenv("WANDQUIZ_NUMBER_PAD", "1");
        QVERIFY(touchScreenPresent());
        qputenv("WANDQUIZ_NUMBER_PAD", "0");
        QVERIFY(!touchScreenPresent());
        qunsetenv("WANDQUIZ_NUMBER_PAD");
    }
};

QTEST_MAIN(QtServicesTest)
#include "tst_qtservices.moc"
