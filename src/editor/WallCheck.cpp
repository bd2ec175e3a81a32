#include "WallCheck.h"

#include "appearance/BoardLayout.h"
#include "host/Pictures.h"
#include "host/TextTools.h"
#include "model/cls_Wall.h"
#include "widgets/BoardFont.h"
#include "widgets/TextPainting.h"

#include <QBuffer>
#include <QImageReader>

namespace wq {

namespace {
// Enough of an embedded picture to recognise its kind and size.
constexpr qsizetype PictureHeadChars = 64 * 1024;

QString quoted(const QString &text) { return QStringLiteral("„") + text + QStringLiteral("“"); }

QString boardText(const QString &text)
{
    QString shown = text::trimBlanks(text);
    shown.replace(u'|', u'\r');
    return displayText(shown);
}

// Read as the board reads it: a character outside Base64 makes it unshowable.
bool embeddedPictureReadable(const ImageName &picture)
{
    QByteArray head = pictures::decodeText(picture.utf8().left(PictureHeadChars)).value_or(QByteArray());
    QBuffer buffer(&head);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.canRead() && reader.size().isValid();
}

void checkPicture(const cls_WallField &field, int index, const PictureFolders &folders, QList<WallProblem> &problems)
{
    if (field.IMAGENAME.isEmpty())
        return;
    if (pictures::isEmbedded(field.IMAGENAME)) {
        if (!embeddedPictureReadable(field.IMAGENAME))
            problems.append({-1, index, QStringLiteral("Das eingebettete Bild lässt sich nicht lesen und wird nicht gezeigt.")});
        return;
    }
    const QString name = text::trimTrailingBlanks(field.IMAGENAME);
    if (folders.find(name).isEmpty())
        problems.append({-1, index, QStringLiteral("Das Bild %1 fehlt; es wird nicht gezeigt. Betten Sie ein Bild ein, "
                                                   "dann reist es mit der Wand.").arg(quoted(name))});
    else if (folders.find(name).startsWith(folders.wallFolder) && !folders.wallFolder.isEmpty())
        problems.append({-1, index, QStringLiteral("Das Bild %1 liegt nur neben der Wand; das Spiel zeigt es erst, wenn "
                                                   "es eingebettet ist.").arg(quoted(name))});
}

void checkLength(const QString &text, const QString &what, bool leftAligned, bool withPicture, int index,
                 QList<WallProblem> &problems)
{
    const double points = shownPointsAt1024(text, leftAligned, withPicture);
    if (points < 24)
        problems.append({-1, index, QStringLiteral("%1 passt bei 1024 × 768 nicht auf die Frage-Tafel und wird auf %2 "
                                                   "Punkt verkleinert.")
                                        .arg(what).arg(qRound(points))});
}
} // namespace

QString PictureFolders::find(const QString &name) const
{
    for (const QString &folder : {images, wallFolder}) {
        if (folder.isEmpty())
            continue;
        const QString path = pictures::findFile(folder, name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

double shownPointsAt1024(const QString &text, bool leftAligned, bool withPicture)
{
    const layout::QuestionPanelLayout panel = layout::projectorQuestionLayout(withPicture);
    const double pixels = layout::ProjectorTwipsPerPixel;
    const QRect rect(0, 0, qRound(panel.text.width / pixels), qRound(panel.text.height / pixels));
    const Qt::Alignment alignment = leftAligned ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
    return fittedFont(boardText(text), rect, boardFont(panel.fontPoints, true), alignment).pointSizeF();
}

QList<WallProblem> checkTopics(const QStringList &topics)
{
    QList<WallProblem> problems;
    for (int c = 0; c < 4; ++c) {
        const QString title = topics.value(c);
        if (title.trimmed().isEmpty()) {
            problems.append({c, -1, QStringLiteral("Thema %1 hat keinen Titel.").arg(c + 1)});
            continue;
        }
        for (int other = 0; other < c; ++other)
            if (topics.value(other) == title)
                problems.append({c, -1, QStringLiteral("Thema %1 heißt wie Thema %2: %3. Jede Spalte braucht einen "
                                                       "eigenen Titel.").arg(c + 1).arg(other + 1).arg(quoted(title))});
    }
    return problems;
}

QList<WallProblem> checkField(const cls_WallField &field, int index, const PictureFolders &folders)
{
    QList<WallProblem> problems;
    checkPicture(field, index, folders, problems);
    if (field.SORT == KindJoker)
        return problems; // a joker shows neither question nor answer
    const bool picture = !field.IMAGENAME.isEmpty();
    if (text::trimBlanks(field.QUESTION).isEmpty())
        problems.append({-1, index, QStringLiteral("Die Frage fehlt.")});
    else
        checkLength(field.QUESTION, QStringLiteral("Die Frage"), field.TALIGN == AlignQuestionLeft,
                    picture && field.IMAGEMODE != PictureWithAnswer, index, problems);
    if (text::trimBlanks(field.ANSWER).isEmpty())
        problems.append({-1, index, QStringLiteral("Die Antwort fehlt.")});
    else
        checkLength(field.ANSWER, QStringLiteral("Die Antwort"), field.TALIGN == AlignAnswerLeft,
                    picture && field.IMAGEMODE != PictureWithQuestion, index, problems);
    return problems;
}

QList<WallProblem> checkWall(cls_Wall &wall, const PictureFolders &folders)
{
    QList<WallProblem> problems = checkTopics(wall.TOPICS().items());
    for (int i = 0; i < cls_Wall::FieldCount; ++i)
        problems += checkField(wall.Item(i, true), i, folders);
    return problems;
}

} // namespace wq
