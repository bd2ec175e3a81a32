#include "Pictures.h"

#include "widgets/PictureBox.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QBuffer>

#include <algorithm>
#include <array>

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

// Four characters at a time through a table: a photo's text is megabytes,
// several times as fast as Qt's decoder, which weighs every character alone.
std::optional<QByteArray> decodeText(QByteArrayView text)
{
    static const std::array<qint8, 256> values = [] {
        std::array<qint8, 256> table;
        table.fill(-1);
        const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        for (int i = 0; i < 64; ++i)
            table[uchar(alphabet[i])] = qint8(i);
        return table;
    }();
    qsizetype length = text.size();
    if (length % 4 == 0 && text.endsWith('='))
        length -= text.endsWith("==") ? 2 : 1;
    if (length % 4 == 1)
        return std::nullopt;
    QByteArray bytes(length / 4 * 3 + std::max<qsizetype>(length % 4 - 1, 0), Qt::Uninitialized);
    const auto *in = reinterpret_cast<const uchar *>(text.data());
    char *out = bytes.data();
    for (qsizetype i = 0; i < length; i += 4) {
        const qsizetype count = std::min<qsizetype>(4, length - i); // 2 or 3 at the end
        quint32 group = 0;
        int invalid = 0;
        for (qsizetype k = 0; k < 4; ++k) {
            const int value = k < count ? values[in[i + k]] : 0;
            invalid |= value;
            group = group << 6 | quint32(value & 63);
        }
        if (invalid < 0)
            return std::nullopt;
        const char decoded[3] = {char(group >> 16), char(group >> 8), char(group)};
        out = std::copy_n(decoded, count - 1, out);
    }
    return bytes;
}

QImage fromTextBytes(QByteArrayView text)
{
    const auto decoded = decodeText(text);
    if (!decoded)
        return {};
    return fromBytes(*decoded);
}

QImage fromText(const QString &text) { return fromTextBytes(text.toLatin1()); }

QImage fromBytes(QByteArray bytes, const char *format)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return readImage(buffer, format);
}

QImage fittedFromText(const QByteArray &base64, QSize box)
{
    auto decoded = decodeText(base64);
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
