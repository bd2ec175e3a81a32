// Wandquiz: the quiz wall for classrooms and parties.

#include "Session.h"
#include "storage/RecentWalls.h"
#include "game/frm_WQZ.h"
#include "FirstPaintReport.h"
#include "host/QtServices.h"
#include "QuitSignals.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wandquiz"));
    // The menus stay in the window, on every desktop: a global menu bar would
    // take them off the projected board, and asking the session bus whether
    // there is one costs the start some 16 ms.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    wq::installGermanTranslations();
    wq::QtHost host;
    host.setFileDescriber([&host](const QString &path) { return wq::describeWallFile(path, host.host()); });
    wq::Session session(host.host());
    session.onGameMade = [&host](wq::frm_WQZ &game) {
        wq::reportFirstPaint(game.board);
        // Sound is needed 100 ms after the board shows, for its build-up,
        // and is ready some 20 ms after it starts: it starts once the board
        // is painted, so the board does not wait for it (at the latest after 1 s).
        wq::whenFirstPainted(game.board, [&host] { host.startSound(); });
        QTimer::singleShot(1000, &game, [&host] { host.startSound(); });
    };
    // "--edit [FILE]" opens the wall editor alone; the game's rule of one
    // instance does not stop it.
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.value(0) == u"--edit")
        session.openEditor(arguments.value(1));
    else if (!session.startGame(arguments))
        return 0;
    // From here on, ending the session closes the windows as a click would,
    // so the autosave is written and no edited wall is lost. (While starting,
    // nothing is lost by ending.)
    wq::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &wq::QuitSignals::received, &app, [] { QApplication::closeAllWindows(); });
    return app.exec();
}
