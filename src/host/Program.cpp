#include "Program.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace wq {

QString executableName()
{
    const QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    const QString name = QFileInfo(path).completeBaseName();
    return name.isEmpty() ? QStringLiteral("wandquiz") : name;
}

QString classNameFor(const QString &typeName)
{
    return executableName() + u'.' + typeName;
}

} // namespace wq
