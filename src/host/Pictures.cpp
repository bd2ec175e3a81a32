#include "Pictures.h"

#include "widgets/PictureBox.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QBuffer>

#include <algorithm>

namespace wq::pictures {

namespace {
// A file of a few hundred bytes can claim a picture of gigabytes. A picture
// may decode to a megabyte per kilobyte of its file, and always to 16 MB
// (2048 x 2048 pixels); what its header claims beyond that is refused before
// anything is decoded. (QImageReader's own allocation limit, 128 MB, is one
// setting for the whole program and its threads, so it is left alone.)
constexpr qint64 MinDecodedBytes = qint64(16) << 20;

// Reads the picture, scaled as it is decoded to fit `box` when one is given.
QImage readImage(QIODevice &device, const char *format = nullptr, QSize box = {})
{
    QImageReader reader(&device, format);
    reader.setAutoTransform(true);
    const qint64 allowed = std::max((device.size() / 1024) << 20, MinDecodedBytes);
    const QSize claimed = reader.size();
    if (claimed.isValid() && qint64(claimed.width()) * claimed.height() * 4 > allowed)
        return {};
    if (claimed.isValid() && !box.isEmpty()) {
        // The size is asked for before the picture is turned upright.
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        QSize fitted = turned ? claimed.transposed() : claimed;
        fitted.scale(box, Qt::KeepAspectRatio);
        reader.setScaledSize((turned ? fitted.transposed() : fitted).expandedTo(QSize(1, 1)));
    }
    return reader.read();
}
} // namespace

QImage fromText(const QString &text)
{
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return {};
    return fromBytes(*decoded);
}

QImage fromBytes(QByteArray bytes, const char *format)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readImage(buffer, format);
}

QImage fittedFromText(const QByteArray &base64, QSize box)
{
    auto decoded = QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return {};
    QBuffer buffer(&*decoded);
    buffer.open(QIODevice::ReadOnly);
    return readImage(buffer, nullptr, box);
}

QImage fittedFromFile(const QString &path, QSize box)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readImage(file, nullptr, box);
}

QString toText(const QByteArray &fileBytes)
{
    return QString::fromLatin1(fileBytes.toBase64());
}

QImage fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readImage(file);
}

void drawFitted(const QImage &picture, PictureBox &box, const QColor &frame, bool keepAspect)
{
    box.showFitted(picture, frame, keepAspect);
}

QString findFile(const QString &folder, const QString &name, const QStringList *listing)
{
    if (name.isEmpty())
        return {};
    const QString exact = folder + name;
    if (QFileInfo(exact).isFile())
        return exact;
    const QDir dir(folder);
    for (const QString &candidate : listing ? *listing : dir.entryList(QDir::Files))
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(candidate);
    return {};
}

} // namespace wq::pictures
