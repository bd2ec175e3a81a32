// Wandquiz: the quiz wall for classrooms and parties.

#include "game/frm_WQZ.h"
#include "host/CommandLine.h"
#include "host/QtServices.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wandquiz"));
    wq::installGermanTranslations();
    wq::QtHost host;
    wq::frm_WQZ window(host.host());
    if (!window.Form_Load(wq::commandLineOf(QCoreApplication::arguments())))
        return 0;
    return app.exec();
}
