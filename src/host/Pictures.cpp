#include "Pictures.h"

#include "controls/PictureBox.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QBuffer>

namespace wq::pictures {

namespace {
QImage readImage(QIODevice &device)
{
    // QImageReader refuses pictures whose decoded size is beyond its
    // allocation limit, so a small hostile file cannot claim gigabytes.
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    return reader.read();
}
} // namespace

QImage fromText(const QString &text)
{
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return {};
    QByteArray bytes = *decoded;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readImage(buffer);
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

QString findFile(const QString &folder, const QString &name)
{
    if (name.isEmpty())
        return {};
    const QString exact = folder + name;
    if (QFileInfo(exact).isFile())
        return exact;
    const QDir dir(folder);
    for (const QString &candidate : dir.entryList(QDir::Files))
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(candidate);
    return {};
}

} // namespace wq::pictures
