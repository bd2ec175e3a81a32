// The end of a session and what a crash leaves: the quit signals leave a
// handler of the caller's and an ignored signal as they were, a dialog left
// open does not stop the close, and the next start clears the temporary files
// of saves that were cut short. (That SIGTERM, SIGHUP and SIGINT close the
// real game with its autosave written is tests/safety/test_kill_during_save.sh.)

#include "host/PackageFile.h"
#include "QuitSignals.h"
#include "storage/WallPaths.h"
#include "support/GameFixture.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>

using namespace wq;

namespace {
volatile sig_atomic_t ownHandlerCalls = 0;
void ownHandler(int) { ownHandlerCalls = ownHandlerCalls + 1; }

const QStringList Leftovers = {"AUTO.LX-WQZ.aBc123", "AUTO.LX-WQZ.ZZZZZZ"};
// Named alike, but no temporary file of the autosave's.
const QStringList Keep = {"AUTO.LX-WQZ", "AUTO.LX-WQZ.abc", "AUTO.LX-WQZ.abcdefg", "AUTO.LX-WQZ.ab-c12",
                          "auto.lx-wqz.abcdef", "MEINE.LX-WQZ.abcdef", "xAUTO.LX-WQZ.abcdef"};

void writeLeftovers(const QString &folder)
{
    for (const QString &name : Leftovers + Keep)
        test::writeFile(folder + name, "x");
}

QStringList filesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    names.removeAll("instance.lock");
    names.sort();
    return names;
}
} // namespace

class ShutdownTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void handlersAreGivenBackAndIgnoredSignalsStayIgnored()
    {
        std::signal(SIGHUP, ownHandler);
        std::signal(SIGINT, SIG_IGN); // as under nohup or in a script's background job
        {
            QuitSignals quit;
            QSignalSpy spy(&quit, &QuitSignals::received);
            std::raise(SIGINT);
            std::raise(SIGHUP);
            QTRY_COMPARE(spy.count(), 1);
            QTest::qWait(50);
            QCOMPARE(spy.count(), 1);
            QCOMPARE(spy[0][0].toInt(), SIGHUP);
            QCOMPARE(int(ownHandlerCalls), 0);
        }
        std::raise(SIGHUP);
        QCOMPARE(int(ownHandlerCalls), 1);
        QVERIFY(std::signal(SIGINT, SIG_DFL) == SIG_IGN);
        std::signal(SIGHUP, SIG_DFL);
        QuitSignals again; // the next one may be made
    }

    void aDialogLeftOpenDoesNotStopTheClose()
    {
        test::GameFixture g;
        test::writeSuppliedWall(g.t);
        QVERIFY(g.start());
        QuitSignals quit;
        connect(&quit, &QuitSignals::received, g.window.get(), &QWidget::close);
        bool endedWhileOpen = false;
        int ticks = 0;
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        // The help runs its own event loop; the signal must get through it.
        QTimer watcher;
        connect(&watcher, &QTimer::timeout, [&] {
            QWidget *help = QApplication::activeModalWidget();
            if (!help || (!g.window->hasEnded() && ++ticks < 500))
                return;
            endedWhileOpen = g.window->hasEnded();
            watcher.stop();
            help->close(); // the real host's endProcess would leave every loop
        });
        watcher.start(10);
        g.window->H_Hilfe->trigger();
        QVERIFY(endedWhileOpen);
        QVERIFY(QFile::exists(autosavePath(g.t.folders)));
    }

    void theStartClearsLeftoversOnlyWhenNoOtherInstanceRuns()
    {
        QStringList kept = Keep;
        kept.sort();
        {
            test::GameFixture g;
            test::writeSuppliedWall(g.t);
            writeLeftovers(g.t.folders.userData);
            QVERIFY(g.start());
            QCOMPARE(filesIn(g.t.folders.userData), kept);
        }
        {
            // A second instance (/NEW): the first one may be saving right now.
            test::GameFixture g;
            test::writeSuppliedWall(g.t);
            writeLeftovers(g.t.folders.userData);
            g.t.app.otherInstanceRunning = true;
            QVERIFY(g.start({"/NEW"}));
            QStringList all = Leftovers + Keep;
            all.sort();
            QCOMPARE(filesIn(g.t.folders.userData), all);
        }
    }
};

QTEST_MAIN(ShutdownTest)
#include "tst_shutdown.moc"
