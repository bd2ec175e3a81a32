// Wandquiz: the quiz wall for classrooms and parties.

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
    wq::installGermanTranslations();
    wq::QtHost host;
    wq::frm_WQZ window(host.host());
    wq::reportFirstPaint(window.board);
    // Sound is needed 100 ms after the board shows, for its build-up, and
    // is ready some 20 ms after it starts: it starts once the board is
    // painted, so the board does not wait for it (at the latest after 1 s).
    wq::whenFirstPainted(window.board, [&host] { host.startSound(); });
    QTimer::singleShot(1000, &window, [&host] { host.startSound(); });
    if (!window.Form_Load(QCoreApplication::arguments().mid(1)))
        return 0;
    // From here on, ending the session closes the window as a click would, so
    // the autosave is written. (While starting, nothing is lost by ending.)
    wq::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &wq::QuitSignals::received, &window, &QWidget::close);
    return app.exec();
}
