#include "Pictures.h"

#include "widgets/PictureBox.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QBuffer>

#include <algorithm>

namespace wq::pictures {

namespace {
// QImageReader refuses pictures that decode to more than its allocation
// limit (128 MB in Qt 6.4), but a file of a few hundred bytes can claim that
// much. A picture may decode to a megabyte per kilobyte of its file, and
// always to 16 MB (2048 x 2048 pixels).
constexpr qint64 MinAllocationLimitMb = 16;

QImage readImage(QIODevice &device, const char *format = nullptr)
{
    QImageReader reader(&device, format);
    reader.setAutoTransform(true);
    qint64 limitMb = std::max(device.size() / 1024, MinAllocationLimitMb);
    if (const int qtLimitMb = QImageReader::allocationLimit(); qtLimitMb > 0)   // 0: no limit
        limitMb = std::min<qint64>(limitMb, qtLimitMb);
    reader.setAllocationLimit(int(limitMb));
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
