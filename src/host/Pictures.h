#pragma once
// Pictures of fields: files in the images folder, or the picture itself held
// in the wall as the base64 text of the picture file's bytes.

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>

namespace wq {
class PictureBox;
}

namespace wq::pictures {

// A picture name longer than this is the picture itself.
inline constexpr int MaxFileNameLength = 255;
template <typename Text> bool isEmbedded(const Text &imageName) { return imageName.size() > MaxFileNameLength; }

// The bytes of a picture held as text: base64 in the standard alphabet, its
// "=" padding optional; nothing when anything else is in it.
std::optional<QByteArray> decodeText(QByteArrayView text);
// The picture held as text; a null image when it cannot be decoded. The
// bytes of an embedded picture's text (ImageName::utf8) need no widening.
QImage fromTextBytes(QByteArrayView text);
QImage fromText(const QString &text);
// The picture from a file's bytes, in `format` or the one the bytes show;
// a null image when it cannot be decoded or claims far more pixels than
// bytes of this size can hold.
QImage fromBytes(QByteArray bytes, const char *format = nullptr);
// The picture file's bytes as text, for embedding.
QString toText(const QByteArray &fileBytes);
// A picture file; a null image when it cannot be read as a picture.
QImage fromFile(const QString &path);
// The same pictures as large as they fit into `box`, keeping their
// proportions, decoded straight at that size where the format allows (a large
// JPEG is never held whole). Safe on any thread.
QImage fittedFromText(const QByteArray &base64, QSize box);
QImage fittedFromFile(const QString &path, QSize box);
// Draws the picture fitted into the box; `frame` outlines it, `keepAspect`
// keeps its proportions.
void drawFitted(const QImage &picture, PictureBox &box, const QColor &frame, bool keepAspect);

// The file in `folder` named `name`, found without regard to letter case when
// the exact name is missing; empty when there is none. `listing`, when given,
// is the folder's file names as QDir::entryList(QDir::Files) gives them,
// listed once by a caller that looks up many names.
QString findFile(const QString &folder, const QString &name, const QStringList *listing = nullptr);

} // namespace wq::pictures
