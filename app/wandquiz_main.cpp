// Wandquiz: the quiz wall for classrooms and parties.

#include "game/frm_WQZ.h"
#include "host/QtServices.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wandquiz"));
    wq::installGermanTranslations();
    wq::QtHost host;
    wq::frm_WQZ window(host.host());
    if (!window.Form_Load(QCoreApplication::arguments().mid(1)))
        return 0;
    return app.exec();
}
