#include "RecentWalls.h"

#include "model/cls_Wall.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <optional>

namespace wq {

namespace {
// A kept wall is named "<yyyyMMdd-HHmmsszzz> <title>.lx-wqz", so the list
// needs no file of its own and no wall has to be read to show it.
const QString StampFormat = QStringLiteral("yyyyMMdd-HHmmsszzz");
constexpr int StampLength = 18;
constexpr int LongestTitle = 80;
const QString Extension = QStringLiteral(".lx-wqz");

QString fileTitle(const QString &title)
{
    QString safe;
    for (const QChar c : title.left(LongestTitle))
        safe += (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control) ? QChar(u'-') : c;
    return safe.trimmed();
}

QString fileName(const QDateTime &played, const QString &title)
{
    return played.toString(StampFormat) + u' ' + fileTitle(title) + Extension;
}

std::optional<RecentWall> parse(const QDir &folder, const QString &name)
{
    if (!name.endsWith(Extension) || name.size() < StampLength + 1 + Extension.size()
        || name[StampLength] != u' ')
        return std::nullopt;
    const QDateTime played = QDateTime::fromString(name.left(StampLength), StampFormat);
    if (!played.isValid())
        return std::nullopt;
    return RecentWall{folder.filePath(name), name.mid(StampLength + 1).chopped(Extension.size()), played};
}

bool sameBytes(const QString &a, const QString &b)
{
    QFile first(a);
    QFile second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 Chunk = 1 << 20;
    while (!first.atEnd())
        if (first.read(Chunk) != second.read(Chunk))
            return false;
    return true;
}

bool copyWhole(const QString &from, const QString &to)
{
    QFile source(from);
    QSaveFile target(to);
    if (!source.open(QIODevice::ReadOnly) || !target.open(QIODevice::WriteOnly))
        return false;
    constexpr qint64 Chunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray part = source.read(Chunk);
        if (part.isEmpty() || target.write(part) != part.size())
            return false;
    }
    return target.commit();
}
} // namespace

RecentWalls::RecentWalls(const QString &folder) : m_folder(folder) {}

QList<RecentWall> RecentWalls::list() const
{
    const QDir folder(m_folder);
    QList<RecentWall> walls;
    for (const QString &name : folder.entryList({QStringLiteral("*") + Extension}, QDir::Files, QDir::Name | QDir::Reversed))
        if (const std::optional<RecentWall> wall = parse(folder, name))
            walls.append(*wall);
    return walls;
}

bool RecentWalls::keep(const QString &package, const QString &title, const QDateTime &played)
{
    if (!QDir().mkpath(m_folder))
        return false;
    const QString target = QDir(m_folder).filePath(fileName(played, title));
    bool kept = false;
    for (const RecentWall &wall : list()) {
        if (sameBytes(wall.path, package)) {
            kept = wall.path == target || QFile::rename(wall.path, target);
            break;
        }
    }
    if (!kept && !copyWhole(package, target))
        return false;
    // The newest first: what lies beyond the last kept one goes.
    const QList<RecentWall> now = list();
    for (qsizetype i = Kept; i < now.size(); ++i)
        QFile::remove(now[i].path);
    return true;
}

bool holdsQuestions(cls_Wall &wall)
{
    for (int i = 0; i < cls_Wall::FieldCount; ++i) {
        const cls_WallField &field = wall.Item(i, true);
        if (!field.QUESTION.isEmpty() || !field.ANSWER.isEmpty() || !field.IMAGENAME.isEmpty()
            || field.SORT != KindQuestion)
            return true;
    }
    return false;
}

QString describeWallFile(const QString &path, const Host &host)
{
    const QString kind = QFileInfo(path).suffix().toUpper();
    cls_Wall wall(host);
    if ((kind != u"LX-WQZ" && kind != u"FRG") || !QFileInfo(path).isFile() || !wall.LOAD(path, QString())
        || wall.FILENAME != path)
        return {};
    QString text = QStringLiteral("„%1“").arg(shownTitle(wall));
    if (!wall.TARGETGROUP.trimmed().isEmpty())
        text += QStringLiteral(" – für ") + wall.TARGETGROUP.trimmed();
    if (!wall.DESCRIPTION.trimmed().isEmpty())
        text += u'\n' + wall.DESCRIPTION.trimmed();
    return text;
}

QString shownTitle(cls_Wall &wall)
{
    if (!wall.TITLE.trimmed().isEmpty())
        return wall.TITLE.trimmed();
    return wall.TOPICS().items().mid(0, 4).join(QStringLiteral(", "));
}

} // namespace wq
