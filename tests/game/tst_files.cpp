// Opening walls: the open dialog, the autosave it writes, a wall on the command line.

#include "host/QtFileDialogService.h"
#include "storage/RecentWalls.h"
#include "storage/WallPaths.h"
#include "support/GameFixture.h"

#include <QMenu>
#include <QtTest>

using namespace wq;
using test::Game;
using test::GameFixture;

namespace {
const QByteArray LegacyWall = "TH:Vögel\nWelcher Vogel ruft seinen Namen?\nDer Kuckuck\n\n@\n"
                              "TH:Bäume\nb\nb\n\n@\nTH:Seen\nc\nc\n\n@\nTH:Berge\nd\nd\n\n@\n";

// Opens the wall the dialog answers with ("" cancels it).
void openWall(Game &g, const QString &answer)
{
    g.t.fileDialog.answers = {answer};
    g.w().mnu_FileLoad->trigger();
}
} // namespace

class FilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theDialogIsSetUpAndCancelChangesNothing()
    {
        Game g;
        const QString own = userWallsFolder(g.t.folders);
        test::writeFile(own + "meine.frg", LegacyWall);
        g.setScores({"60"});
        openWall(g, QString());
        QCOMPARE(g.t.fileDialog.calls.size(), 1);
        const auto &call = g.t.fileDialog.calls[0];
        QCOMPARE(QStringList({call.startPath, call.title, call.filter, QString::number(call.flags)}),
                 QStringList({own + "*.lx-wqz;*.frg", "Fragendatei öffnen", "Fragendatei|*.lx-wqz;*.frg", "0"}));
        const DialogSettings expected = {
            {"FOLDERS.USER.URL", own}, {"FOLDERS.USER.NAME", "Selbstgemacht"},
            {"FOLDERS.STANDARD.NAME", "Mitgeliefert"}, {"FOLDERS.STANDARD.URL", suppliedWallsFolder(g.t.folders)},
            {"QUICKLINKS.DESKTOP", false}, {"QUICKLINKS.USER", false}, {"QUICKLINKS.COMPUTER", false},
            {"QUICKLINKS.NETWORK", false}, {"QUICKLINKS.USB", false}, {"QUICKLINKS.DEFAULT", false}};
        QCOMPARE(call.settings, expected);
        QVERIFY(g.t.messages.shown.isEmpty()); // own walls exist: no hint
        // Cancelled: nothing changes.
        QVERIFY(g.w().LastWallPath.isEmpty() && g.score(1) == "60" && !g.w().AufbauTimer.isActive());
        QVERIFY(!QFile::exists(autosavePath(g.t.folders)) && g.t.notification.calls.isEmpty());
    }

    void aLegacyWallIsOpenedAndKeptForTheNextStart()
    {
        Game g;
        // A path with blanks and umlauts, an empty own folder.
        const QString opened = test::writeFile(g.t.root() + "Meine Wände/Vögel & Bäume.FRG", LegacyWall);
        g.setScores({"60"});
        openWall(g, opened);
        QCOMPARE(g.t.messages.shown.size(), 1);
        QCOMPARE(g.t.messages.shown[0].text,
                 QString("Auf diesem Rechner sind keine geienen Fragen-Wände für den Wandquiz gespeichert. Nutzen Sie "
                         "den LX Werkbank Editor, um eigene Frage-Wände zu erstellen und von einem Rechner zum anderen "
                         "zu kopieren. Es werden nun die mitgelieferten Frage-Wände angezeigt."));
        QCOMPARE(g.t.messages.shown[0].title, QString("Hinweis"));
        QCOMPARE(g.t.messages.shown[0].icon, MessageIcon::Information);
        QCOMPARE(g.t.fileDialog.calls[0].startPath, suppliedWallsFolder(g.t.folders) + "*.lx-wqz;*.frg");
        QCOMPARE(QStringList({g.w().LastWallPath, g.w().windowTitle(), g.w().Thema[0]->text(), g.score(1)}),
                 QStringList({opened, "LX Werkbank // Wandquiz " + opened, "Vögel", "0"}));
        QVERIFY(g.w().AufbauTimer.isActive());
        QCOMPARE(g.t.notification.calls.size(), 1);
        QCOMPARE(g.t.notification.calls[0].mid(0, 3), QList<QVariant>({2, true, true}));
        const QString autosave = autosavePath(g.t.folders);
        QCOMPARE(test::fileBytes(autosave).left(7), QByteArray("WQZPACK"));

        // The next start shows the same wall, read from the autosave.
        GameFixture next;
        next.restart(g.t.folders);
        QCOMPARE(next.w().wall().FILENAME, autosave);
        QCOMPARE(next.w().Thema[1]->text(), QString("Bäume"));
        next.open(0);
        QCOMPARE(next.w().lab_Frage->text(), QString("Welcher Vogel ruft seinen Namen?"));
    }

    void aBrokenFileLeavesWhatLoadLeft()
    {
        Game g;
        g.w().O_Spieler[3]->trigger();
        g.w().SiegerFenster->show();
        openWall(g, test::writeFile(g.t.root() + "kaputt.lx-wqz", "WQZPACK\x1A und Schluss"));
        // No message but the hint, a cleared board, saved anyway; groups and winner stay.
        QVERIFY(g.t.messages.shown.size() == 1 && g.w().Thema[0]->text() == "A");
        QVERIFY(QFile::exists(autosavePath(g.t.folders)) && g.w().SiegerFenster->isVisible());
        QCOMPARE(g.w().GroupCount, 2);
    }

    void noWallIsLost()
    {
        Game g;
        // A wall opened once, whose file is gone: it lives only in the autosave.
        const QString gone = test::writeFile(g.t.root() + "Vögel & Bäume.frg", LegacyWall);
        openWall(g, gone);
        QFile::remove(gone);
        // Three topics and no fourth: the wall read is not whole, and replaces it.
        openWall(g, test::writeFile(g.t.root() + "drei.frg", "TH:A\n@\nTH:B\n@\nTH:C\n@\n"));
        QCOMPARE(g.w().Thema[0]->text(), QString("A"));
        Q_EMIT g.w().mnu_Recent->aboutToShow();
        const QList<QAction *> kept = g.w().mnu_Recent->actions();
        QCOMPARE(kept.size(), 1); // the empty wall read from the broken file is not kept
        QVERIFY2(kept[0]->text().startsWith("Vögel, Bäume, Seen, Berge – "), qPrintable(kept[0]->text()));
        kept[0]->trigger();
        QCOMPARE(g.w().Thema[1]->text(), QString("Bäume"));
        g.finishBuildUp();
        g.open(0);
        QCOMPARE(g.w().lab_Frage->text(), QString("Welcher Vogel ruft seinen Namen?"));

        // Ten are kept, newest first; the same wall again only moves up.
        RecentWalls recent(g.t.root() + "zuletzt/");
        const QDateTime start(QDate(2026, 12, 1), QTime(9, 0));
        const QString file = g.t.root() + "w.lx-wqz";
        for (int i = 0; i < 12; ++i)
            QVERIFY(recent.keep(test::writeFile(file, QByteArray::number(i)), QString("Wand %1").arg(i), start.addSecs(i)));
        QVERIFY(recent.keep(test::writeFile(file, "5"), "Wand 5", start.addSecs(60)));
        QStringList titles;
        for (const RecentWall &wall : recent.list())
            titles.append(wall.title);
        QCOMPARE(titles, QStringList({"Wand 5", "Wand 11", "Wand 10", "Wand 9", "Wand 8", "Wand 7", "Wand 6", "Wand 4",
                                      "Wand 3", "Wand 2"}));
    }

    void aFailingServiceShowsTheErrorMessage()
    {
        for (bool listing : {true, false}) {
            Game g;
            (listing ? g.t.files.failListing : g.t.files.failPrepare) = true;
            openWall(g, QString());
            const auto &shown = g.t.messages.shown.last();
            QCOMPARE(QStringList({shown.text, shown.title}),
                     QStringList({"Es ist ein Fehler aufgetreten! Operation NICHT ausgeführt.", "Fehler:"}));
            QVERIFY(shown.buttons == MessageButtons::Ok && g.t.fileDialog.calls.isEmpty());
        }
    }

    void aWallOnTheCommandLineIsOpenedAtStart()
    {
        GameFixture g;
        test::writeSuppliedWall(g.t);
        const QString wall = test::writeFile(g.t.root() + "Doppelklick Wand.frg", LegacyWall);
        QVERIFY(g.start({"/NEW", wall}));
        QCOMPARE(QStringList({g.w().Thema[0]->text(), g.w().LastWallPath}), QStringList({"Vögel", wall}));
        QVERIFY(QFile::exists(autosavePath(g.t.folders)));
        // Names that are not wall files are left alone: the wall is the autosave's.
        GameFixture h;
        h.t.folders = g.t.folders;
        QVERIFY(h.start({h.t.root() + "fehlt.frg", "--x"}));
        QVERIFY(h.w().Thema[0]->text() == "Vögel" && h.w().LastWallPath.isEmpty());
    }

    void theDialogsSideBarNamesTheFolders()
    {
        test::TestHost t;
        const QString own = t.root() + "Dokumente/Wandquiz/";
        QDir().mkpath(own);
        QDir().mkpath(t.root() + "share/Data/");
        QtFileDialogService dialog(t.root() + "links/");
        DialogSettings settings = {{"FOLDERS.USER.URL", own}, {"FOLDERS.USER.NAME", "Selbstgemacht"},
                                   {"FOLDERS.STANDARD.NAME", "Mitgeliefert"},
                                   {"FOLDERS.STANDARD.URL", t.root() + "share/Data/"}, {"QUICKLINKS.COMPUTER", false}};
        QList<QUrl> bar = dialog.sidebar(settings);
        QCOMPARE(bar.size(), 2);
        QCOMPARE(QStringList({QFileInfo(bar[0].toLocalFile()).fileName(), QFileInfo(bar[1].toLocalFile()).fileName()}),
                 QStringList({"Selbstgemacht", "Mitgeliefert"}));
        QCOMPARE(QFileInfo(bar[0].toLocalFile()).canonicalFilePath(), QFileInfo(own).canonicalFilePath());
        settings.last().second = true; // the computer too
        bar = dialog.sidebar(settings);
        QVERIFY(bar.size() == 3 && bar[2].toLocalFile() == "/");
        QCOMPARE(QtFileDialogService::nameFilter("Fragendatei|*.lx-wqz;*.frg"),
                 QString("Fragendatei (*.lx-wqz *.frg *.LX-WQZ *.FRG)"));
    }
};

QTEST_MAIN(FilesTest)
#include "tst_files.moc"
