// Starting and ending the run: the single instance, the autosave, the menu.

#include "widgets/Panel.h"
#include "storage/WallPaths.h"
#include "support/GameFixture.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

using namespace wq;
using test::GameFixture;

namespace {
QStringList captions(QMenu *menu)
{
    QStringList list;
    for (QAction *action : menu->actions())
        list.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return list;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstStartShowsTheSuppliedWall()
    {
        GameFixture g;
        test::writeSuppliedWall(g.t);
        QVERIFY(g.start({"--irgendwas", "zwei"}));
        frm_WQZ &w = *g.window;
        QVERIFY(w.isVisible());
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QCOMPARE(w.Thema[0]->text(), QString("Thema 1"));
        QCOMPARE(w.wall().FILENAME, suppliedAutosavePath(g.t.folders));
        QCOMPARE(g.t.app.registration,
                 QStringList({g.t.app.registration[0], "Wandquiz", "BWandquiz", WANDQUIZ_VERSION}));
        QCOMPARE(g.t.app.commandLineGiven, QString("--irgendwas zwei"));
        QCOMPARE(w.GroupCount, 2);
        QCOMPARE(w.CurrentGroup, 1);
        QVERIFY(w.AufbauTimer.isActive());
        QVERIFY(w.mnu_OptionsColorSel[1]->isChecked());
        QVERIFY(!w.mnu_OptionsColorSel[0]->isChecked() && !w.mnu_OptionsColorSel[2]->isChecked());
        QCOMPARE(w.windowTitle(), QString("LX Werkbank // Wandquiz "));
    }

    void theMenuReadsAsDesigned()
    {
        GameFixture g;
        frm_WQZ &w = *g.window;
        QCOMPARE(w.windowTitle(), QString("LX Werkbank // Wandquiz"));
        QCOMPARE(w.mnu_FileTitle->title(), QString("&Programm"));
        QCOMPARE(captions(w.mnu_FileTitle),
                 QStringList({"Datei (Wand) &öffnen", "Zuletzt gespielt", "Neue Wand …", "Wand bearbeiten …", "-",
                              "&Neu beginnen", "-", "&Beenden"}));
        QCOMPARE(w.S_Neu->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(w.S_Ende->shortcut(), QKeySequence("Ctrl+Q"));
        QCOMPARE(w.O_MenuTitel->title(), QString("&Optionen"));
        QCOMPARE(captions(w.O_MenuTitel),
                 QStringList({"&Farbschema", "&Anzahl der Spielergruppen", "-", "Neue Frage- nächste Gruppe"}));
        QCOMPARE(captions(w.mnu_OptionsColor), QStringList({"&Das kleine Wandquiz", "Blaue See", "Schwarzweiß"}));
        QCOMPARE(captions(w.O_Anzahl), QStringList({"1", "2", "3", "4"}));
        QVERIFY(w.O_Spieler[1]->isChecked() && !w.O_Spieler[0]->isChecked());
        QVERIFY(w.O_Neufrag->isChecked());
        QCOMPARE(w.H_MenuTitel->title(), QString("&Hilfe"));
        QCOMPARE(captions(w.H_MenuTitel), QStringList({"&Kurzanleitung", "-", "&Info"}));
        QCOMPARE(w.H_Hilfe->shortcut(), QKeySequence(Qt::Key_F1));
        for (const char *name : {"mnu_FileLoad", "S_Neu", "S_Ende", "O_Neufrag", "H_Hilfe", "H_Über", "O_Spieler_3",
                                 "mnu_OptionsColorSel_2", "mnu_FileSep2", "S_SEP1", "O_SEP2", "H_SEP1"})
            QVERIFY2(w.findChild<QAction *>(name), name);
    }

    void aSecondInstanceEndsAtOnce()
    {
        // The switch is "/NEW" as an argument of its own, in capitals; a path
        // through a stick called NEWSTICK is no switch.
        for (const QStringList &commandLine : {QStringList(), QStringList{"/new"}, QStringList{"datei.frg", "/New"},
                                               QStringList{"/media/NEWSTICK/wand.frg"}}) {
            GameFixture g;
            test::writeSuppliedWall(g.t);
            g.t.app.otherInstanceRunning = true;
            QVERIFY(!g.start(commandLine));
            QCOMPARE(g.t.messages.shown.size(), 1);
            QCOMPARE(g.t.messages.shown[0].text, QString("Wandquiz läuft bereits oder wird noch geladen."));
            QCOMPARE(g.t.messages.shown[0].title, QString());
            QCOMPARE(g.t.app.endings, 1);
            QVERIFY(g.t.app.cursorRestores > 0);
            QVERIFY(!g.window->isVisible());
            QVERIFY(g.t.app.registration.isEmpty());
            QVERIFY(g.window->wall().FILENAME.isEmpty()); // the autosave was not read
            g.window->close();
            QVERIFY(!QFile::exists(autosavePath(g.t.folders))); // nor written
        }
        GameFixture g;
        g.t.app.otherInstanceRunning = true;
        QVERIFY(g.start({"eins", "/NEW", "zwei"}));
        QVERIFY(g.window->isVisible());
    }

    void aDamagedAutosaveStillStarts()
    {
        GameFixture g;
        test::writeSuppliedWall(g.t);
        test::writeFile(autosavePath(g.t.folders), QByteArray("WQZPACK\x1A kaputt"));
        QVERIFY(g.start());
        QCOMPARE(g.window->Thema[0]->text(), QString("A"));
        QCOMPARE(g.window->wall().FILENAME, autosavePath(g.t.folders));
        g.finishBuildUp();
        QVERIFY(!g.window->Feld[0]->isHidden());
    }

    void closingSavesAndQuittingDoesNot()
    {
        GameFixture g;
        test::writeSuppliedWall(g.t);
        QVERIFY(g.start());
        const QString autosave = autosavePath(g.t.folders);
        QVERIFY(!QFile::exists(autosave));
        g.window->close();
        QVERIFY(QFile::exists(autosave));
        QCOMPARE(g.t.app.shutDowns, 1);
        QCOMPARE(g.t.general.shutDowns, 1);
        QCOMPARE(g.t.app.endings, 1);

        // "&Beenden": No changes nothing; Yes ends without saving.
        GameFixture h;
        h.t.folders.userData = g.t.folders.userData;
        QVERIFY(h.start());
        QCOMPARE(h.window->Thema[0]->text(), QString("Thema 1"));
        const QByteArray before = fileBytes(autosave);
        h.window->wall().TOPICS().set(1, "geändert");
        h.t.messages.answers = {MessageResult::No, MessageResult::Yes};
        h.window->S_Ende->trigger();
        QCOMPARE(h.t.app.endings, 0);
        QCOMPARE(h.t.messages.shown.last().text, QString("Wollen Sie wirklich beenden?"));
        QCOMPARE(h.t.messages.shown.last().title, QString("Ende?"));
        QCOMPARE(h.t.messages.shown.last().buttons, MessageButtons::YesNo);
        QCOMPARE(h.t.messages.shown.last().icon, MessageIcon::Stop);
        h.window->S_Ende->trigger();
        QCOMPARE(h.t.app.endings, 1);
        QVERIFY(h.window->hasEnded());
        h.window->close(); // the run has ended: closing now saves nothing
        QCOMPARE(fileBytes(autosave), before);
    }

    void newGameAsksFirst()
    {
        GameFixture g;
        test::writeSuppliedWall(g.t);
        QVERIFY(g.start());
        g.finishBuildUp();
        g.window->SiegerFenster->show();
        g.window->Punkte[0]->setText("80");
        g.t.messages.answers = {MessageResult::No};
        g.window->S_Neu->trigger();
        QVERIFY(g.window->SiegerFenster->isHidden());
        QCOMPARE(g.t.messages.shown.last().text, QString("Wollen Sie wirklich ganz neu anfangen?"));
        QCOMPARE(g.t.messages.shown.last().title, QString("Neu?"));
        QCOMPARE(g.score(1), QString("80"));
        QVERIFY(!g.window->AufbauTimer.isActive());

        g.t.messages.answers = {MessageResult::Yes};
        g.window->S_Neu->trigger();
        QCOMPARE(g.score(1), QString("0"));
        QVERIFY(g.window->AufbauTimer.isActive());
        QVERIFY(g.window->Feld[0]->isHidden());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
