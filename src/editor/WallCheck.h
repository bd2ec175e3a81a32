#pragma once
// What keeps a wall from playing as its author means, found while it is
// edited: empty questions and answers, missing or unreadable pictures, texts
// too long for the question panel on a 1024 x 768 projector, topics without a
// title or with the same title. Nothing here stops a wall from being saved.

#include <QList>
#include <QString>

namespace wq {

class cls_Wall;
class cls_WallField;

struct WallProblem {
    int topic = -1; // column 0..3 when the problem is a topic's
    int field = -1; // board index 0..19 when it is a field's
    QString text;   // German, for the author
};

// Where picture names are looked for: the program's picture folder, as the
// game does, and the folder of the wall's own file.
struct PictureFolders {
    QString images;
    QString wallFolder;
    // The file for a picture name, found without regard to letter case; empty
    // when there is none.
    QString find(const QString &name) const;
};

QList<WallProblem> checkTopics(const QStringList &topics);
QList<WallProblem> checkField(const cls_WallField &field, int index, const PictureFolders &folders);
QList<WallProblem> checkWall(cls_Wall &wall, const PictureFolders &folders);

// The point size a question or answer is shown at on a 1024 x 768 projector:
// 24 when it fits, less when the board has to set it smaller.
double shownPointsAt1024(const QString &text, bool leftAligned, bool withPicture);

} // namespace wq
