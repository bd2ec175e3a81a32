// Starting and ending the run: the single instance, the autosave, a new game, quitting.

#include "storage/WallPaths.h"
#include "support/GameFixture.h"

#include <QtTest>

using namespace wq;
using test::GameFixture;

class StartupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStartShowsTheSuppliedWall()
    {
        GameFixture g;
        test::writeSuppliedWall(g.t);
        QCOMPARE(g.w().windowTitle(), QString("LX Werkbank // Wandquiz"));
        QVERIFY(g.start({"--irgendwas", "zwei"}));
        QCOMPARE(g.w().windowTitle(), QString("LX Werkbank // Wandquiz "));
        QVERIFY(g.w().isVisible() && (g.w().windowState() & Qt::WindowMaximized));
        QCOMPARE(QStringList({g.w().Thema[0]->text(), g.w().wall().FILENAME, g.t.app.commandLineGiven}),
                 QStringList({"Thema 1", suppliedAutosavePath(g.t.folders), "--irgendwas zwei"}));
        QCOMPARE(g.t.app.registration.mid(1), QStringList({"Wandquiz", "BWandquiz", WANDQUIZ_VERSION}));
        QVERIFY(g.w().GroupCount == 2 && g.w().CurrentGroup == 1 && g.w().AufbauTimer.isActive());
        // "Blaue See", two groups, a new question for the next group.
        QVERIFY(g.w().mnu_OptionsColorSel[1]->isChecked());
        QVERIFY(!g.w().mnu_OptionsColorSel[0]->isChecked() && !g.w().mnu_OptionsColorSel[2]->isChecked());
        QVERIFY(g.w().O_Spieler[1]->isChecked() && !g.w().O_Spieler[0]->isChecked() && g.w().O_Neufrag->isChecked());
    }

    void aSecondInstanceEndsAtOnce()
    {
        // Only "/NEW" on its own, in capitals, is the switch; NEWSTICK in a path is not.
        for (const QStringList &commandLine : {QStringList(), QStringList{"/new"}, QStringList{"datei.frg", "/New"},
                                               QStringList{"/media/NEWSTICK/wand.frg"}}) {
            GameFixture g;
            test::writeSuppliedWall(g.t);
            g.t.app.otherInstanceRunning = true;
            QVERIFY(!g.start(commandLine));
            QCOMPARE(g.t.messages.shown.size(), 1);
            QCOMPARE(g.t.messages.shown[0].text, QString("Wandquiz läuft bereits oder wird noch geladen."));
            QVERIFY(g.t.messages.shown[0].title.isEmpty() && g.t.app.endings == 1 && g.t.app.cursorRestores > 0);
            QVERIFY(!g.w().isVisible() && g.t.app.registration.isEmpty());
            QVERIFY(g.w().wall().FILENAME.isEmpty()); // the autosave was not read
            g.w().close();
            QVERIFY(!QFile::exists(autosavePath(g.t.folders))); // nor written
        }
        GameFixture g;
        g.t.app.otherInstanceRunning = true;
        QVERIFY(g.start({"eins", "/NEW", "zwei"}) && g.w().isVisible());
    }

    void closingSavesAndQuittingDoesNot()
    {
        GameFixture g;
        test::writeSuppliedWall(g.t);
        QVERIFY(g.start());
        const QString autosave = autosavePath(g.t.folders);
        QVERIFY(!QFile::exists(autosave));
        g.w().close();
        QVERIFY(QFile::exists(autosave));
        QCOMPARE(QList<int>({g.t.app.shutDowns, g.t.general.shutDowns, g.t.app.endings}), QList<int>({1, 1, 1}));

        // "&Beenden": No changes nothing; Yes ends without saving.
        GameFixture h;
        h.t.folders.userData = g.t.folders.userData;
        QVERIFY(h.start());
        QCOMPARE(h.w().Thema[0]->text(), QString("Thema 1"));
        const QByteArray before = test::fileBytes(autosave);
        h.w().wall().TOPICS().set(1, "geändert");
        h.t.messages.answers = {MessageResult::No, MessageResult::Yes};
        h.w().S_Ende->trigger();
        QCOMPARE(h.t.app.endings, 0);
        const auto &asked = h.t.messages.shown.last();
        QCOMPARE(QStringList({asked.text, asked.title}), QStringList({"Wollen Sie wirklich beenden?", "Ende?"}));
        QVERIFY(asked.buttons == MessageButtons::YesNo && asked.icon == MessageIcon::Stop);
        h.w().S_Ende->trigger();
        QVERIFY(h.t.app.endings == 1 && h.w().hasEnded());
        h.w().close(); // the run has ended: closing now saves nothing
        QCOMPARE(test::fileBytes(autosave), before);
    }

    void newGameAsksFirst()
    {
        test::Game g;
        g.w().SiegerFenster->show();
        g.setScores({"80"});
        g.t.messages.answers = {MessageResult::No};
        g.w().S_Neu->trigger();
        const auto &asked = g.t.messages.shown.last();
        QCOMPARE(QStringList({asked.text, asked.title}), QStringList({"Wollen Sie wirklich ganz neu anfangen?", "Neu?"}));
        QVERIFY(g.w().SiegerFenster->isHidden() && g.score(1) == "80" && !g.w().AufbauTimer.isActive());

        g.t.messages.answers = {MessageResult::Yes};
        g.w().S_Neu->trigger();
        QCOMPARE(g.score(1), QString("0"));
        QVERIFY(g.w().AufbauTimer.isActive() && g.w().Feld[0]->isHidden());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
