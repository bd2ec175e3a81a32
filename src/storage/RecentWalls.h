#pragma once
// The walls played lately. Before the autosave is replaced by another wall,
// the wall it held is kept as a package in the user data folder, so a wall
// that lived only there is never lost; the ten newest are kept. Also how
// walls are named and described where they are listed.

#include <QDateTime>
#include <QList>
#include <QString>

namespace wq {

class cls_Wall;
struct Host;

struct RecentWall {
    QString path;
    QString title;
    QDateTime played;
};

class RecentWalls {
public:
    static constexpr int Kept = 10;

    // `folder` ends with "/"; it is made when the first wall is kept.
    explicit RecentWalls(const QString &folder);

    // Keeps a copy of the package file `package` under `title`. A wall kept
    // already with the same bytes is not kept twice: it only moves to the top.
    // False when the copy could not be written.
    bool keep(const QString &package, const QString &title, const QDateTime &played);
    // Newest first.
    QList<RecentWall> list() const;

private:
    QString m_folder;
};

// What a wall is called in lists: its title, or else its four topics.
QString shownTitle(cls_Wall &wall);
// A wall file as the open dialog describes it: title, target group and
// description; empty for a file that is not a wall.
QString describeWallFile(const QString &path, const Host &host);
// False for a wall without a single question, answer, picture or special
// field (as a file that could not be read leaves it): nothing to keep.
bool holdsQuestions(cls_Wall &wall);

} // namespace wq
