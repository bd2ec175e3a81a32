#pragma once
// Pictures taken into a wall by the editor: from a file, from a file's bytes
// (a drop) or from the clipboard. The picture is embedded as the text of a
// PNG or JPEG file, shrunk to at most 1920 pixels on its longest side, so a
// wall stays one file of sensible size to take to another computer.

#include <QSize>
#include <QString>

class QByteArray;
class QImage;

namespace wq {

// Longer sides are shrunk to this: enough for a projector or a large screen.
inline constexpr int MaxImportedSide = 1920;

struct ImportedPicture {
    QString text;      // for IMAGENAME; empty when the picture was refused
    QString message;   // for the user, in German, when it was refused
    QSize size;        // as the board will show it
    bool ok() const { return !text.isEmpty(); }
};

// PNG, JPEG, GIF and BMP files are taken; anything else, a damaged picture or
// one too large to decode is refused with a message.
ImportedPicture importPictureFile(const QString &path);
ImportedPicture importPictureBytes(const QByteArray &bytes);
// A picture already decoded, as the clipboard gives it.
ImportedPicture importPicture(const QImage &image);

} // namespace wq
