#include "Program.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace wq {

QString executableName()
{
    // Asked for by every field made; the program's name does not change.
    static const QString name = [] {
        const QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
        const QString base = QFileInfo(path).completeBaseName();
        return base.isEmpty() ? QStringLiteral("wandquiz") : base;
    }();
    return name;
}

QString classNameFor(const QString &typeName)
{
    return executableName() + u'.' + typeName;
}

} // namespace wq
