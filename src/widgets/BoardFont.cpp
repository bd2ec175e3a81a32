#include "BoardFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace wq {

namespace {
const QString Family = QStringLiteral("Tahoma");
}

void ensureBoardFont()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    if (QFontDatabase::families().contains(Family, Qt::CaseInsensitive))
        return;
    for (const char *file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

QFont boardFont(double points, bool bold)
{
    QFont font(Family);
    font.setPointSizeF(std::max(points, 1.0));
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace wq
