#include "EditorFiles.h"

#include "host/TextTools.h"
#include "storage/WallPaths.h"

#include <QDir>
#include <QFileInfo>

namespace wq {

namespace {
const QString PackageExtension = QStringLiteral("lx-wqz");

bool inside(const QString &path, const QString &folder)
{
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    const QString canonicalPath = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    return !canonicalFolder.isEmpty() && (canonicalPath + u'/').startsWith(canonicalFolder + u'/');
}

// A name that every file system takes.
QString fileNameFor(const QString &name)
{
    QString safe;
    for (const QChar c : name.trimmed())
        safe += QStringLiteral(R"(/\:*?"<>|)").contains(c) || c.category() == QChar::Other_Control ? QChar(u'-') : c;
    return safe.isEmpty() ? QStringLiteral("Neue Wand") : safe.left(80);
}
} // namespace

QString saveTargetFor(const QString &path, const FolderService &folders)
{
    if (path.isEmpty() || text::extension(path).compare(PackageExtension, Qt::CaseInsensitive) != 0)
        return {};
    const QFileInfo file(path);
    if (inside(path, suppliedWallsFolder(folders)) || inside(path, recentWallsFolder(folders))
        || file.absoluteFilePath() == QFileInfo(autosavePath(folders)).absoluteFilePath())
        return {};
    return file.absoluteFilePath();
}

QString suggestedPackagePath(const QString &path, const QString &name, const FolderService &folders)
{
    const QString base = path.isEmpty() || QFileInfo(path).fileName() == AutosaveFileName
                             ? fileNameFor(name)
                             : QFileInfo(path).completeBaseName();
    return userWallsFolder(folders) + base + u'.' + PackageExtension;
}

QString asPackagePath(const QString &chosen)
{
    if (text::extension(chosen).compare(PackageExtension, Qt::CaseInsensitive) == 0)
        return chosen;
    return chosen + u'.' + PackageExtension;
}

} // namespace wq
