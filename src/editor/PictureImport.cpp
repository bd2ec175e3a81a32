#include "PictureImport.h"

#include "host/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>
#include <zlib.h>

#include <algorithm>
#include <vector>

namespace wq {

namespace {

// Few cameras take more; a header that claims more pixels is refused before
// anything is decoded, as is a file larger than MaxFileBytes before it is read.
constexpr qint64 MaxPixels = 100'000'000;
constexpr qint64 MaxFileBytes = 200'000'000;
// What decoding one picture may hold at once (Qt's own allocation limit is
// the same 128 MB). A JPEG or a PNG of 8-bit RGB(A) lines is decoded
// straight at the reduced size and needs far less; the limit bounds what Qt
// decodes whole before shrinking (other PNGs, GIF, BMP) and the coefficients
// a progressive JPEG gathers.
constexpr int DecodeLimitMb = 128;
constexpr int JpegQuality = 85;
// A PNG or JPEG that needs no shrinking keeps its file's bytes, so nothing is
// lost, unless they are more than a byte per pixel: a photo saved as PNG or
// at the highest JPEG quality, or with a video appended, is encoded again.
// Turned photos keep their bytes too: the board turns them as the camera's
// orientation tag asks (pictures::fromText reads with auto-transform).
constexpr qint64 MaxKeptBytesPerPixel = 1;
// The shortest file whose text is taken for a picture, not a file name.
constexpr qsizetype MinEmbeddedBytes = (pictures::MaxFileNameLength + 1) / 4 * 3;
const QByteArray PngSignature("\x89PNG\r\n\x1a\n", 8);

ImportedPicture refused(const QString &message)
{
    return {{}, message, {}};
}

QString chooseAnother()
{
    return QStringLiteral("Bitte wählen Sie ein Bild im Format PNG, JPEG, GIF oder BMP.");
}

uchar byteAt(const QByteArray &bytes, qsizetype i)
{
    return i >= 0 && i < bytes.size() ? uchar(bytes[i]) : 0;
}

// What the markers of a JPEG tell. Qt shows a JPEG cut off in the middle
// with a grey rest and no error, so the end marker is looked for here.
struct JpegFacts {
    bool complete = false;
    bool progressive = false;
    double samplesPerPixel = 3;
};

JpegFacts readJpegMarkers(const QByteArray &bytes)
{
    JpegFacts facts;
    qsizetype pos = 2; // after the start marker
    while (pos + 1 < bytes.size()) {
        if (byteAt(bytes, pos) != 0xFF)
            return facts;
        const uchar marker = byteAt(bytes, pos + 1);
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        pos += 2;
        if (marker == 0xD9) {
            facts.complete = true;
            return facts;
        }
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) // no length
            continue;
        const qsizetype length = byteAt(bytes, pos) << 8 | byteAt(bytes, pos + 1);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            facts.progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
            int hMax = 1, vMax = 1, samples = 0;
            for (int c = 0; c < byteAt(bytes, pos + 7); ++c) {
                const uchar sampling = byteAt(bytes, pos + 9 + 3 * c);
                hMax = std::max(hMax, sampling >> 4);
                vMax = std::max(vMax, sampling & 15);
                samples += (sampling >> 4) * (sampling & 15);
            }
            facts.samplesPerPixel = double(samples) / (hMax * vMax);
        }
        pos += length;
        if (marker == 0xDA) {
            // Coded data runs to the next marker that is neither a stuffed
            // zero nor a restart.
            while ((pos = bytes.indexOf(char(0xFF), pos)) >= 0 && pos + 1 < bytes.size()) {
                const uchar next = byteAt(bytes, pos + 1);
                if (next != 0 && next != 0xFF && (next < 0xD0 || next > 0xD7))
                    break;
                ++pos;
            }
            if (pos < 0)
                return facts;
        }
    }
    return facts;
}

// A GIF's blocks up to its end mark; Qt, too, shows a cut-off GIF silently.
bool gifComplete(const QByteArray &bytes)
{
    const auto colourTable = [](uchar flags) { return flags & 0x80 ? 3 << ((flags & 7) + 1) : 0; };
    qsizetype pos = 13 + colourTable(byteAt(bytes, 10));
    const auto skipSubBlocks = [&] {
        while (pos < bytes.size() && byteAt(bytes, pos) != 0)
            pos += byteAt(bytes, pos) + 1;
        ++pos;
    };
    while (pos < bytes.size()) {
        switch (byteAt(bytes, pos)) {
        case 0x3B: // trailer
            return true;
        case 0x21: // extension: label, then data
            pos += 2;
            skipSubBlocks();
            break;
        case 0x2C: // picture: descriptor, own colours, code size, then data
            pos += 10 + colourTable(byteAt(bytes, pos + 9)) + 1;
            skipSubBlocks();
            break;
        default:
            return false;
        }
    }
    return false;
}

// A BMP shorter than the file size in its header (0 there: not given) is
// cut off; Qt leaves the missing lines empty.
bool bmpComplete(const QByteArray &bytes)
{
    return bytes.size() >= 6 && bytes.size() >= qFromLittleEndian<quint32>(bytes.constData() + 2);
}

QSize shrunk(QSize size)
{
    const int longest = std::max(size.width(), size.height());
    if (longest <= MaxImportedSide)
        return size;
    const auto side = [&](int length) { return std::max(1, qRound(double(length) * MaxImportedSide / longest)); };
    return {side(size.width()), side(size.height())};
}

// Bytes that decoding holds at once, beyond pictures of about the reduced
// size. Qt decodes a JPEG at the reduced size, a progressive one after
// gathering all its coefficients (two bytes per sample); and a PNG of 8-bit
// RGB or RGBA lines without interlacing line by line. Anything else it
// decodes whole, and QImage::scaled shrinks it from a 32-bit copy (64-bit for
// 16-bit channels) unless it is 32-bit already: measured, 4 bytes a pixel for
// a BMP, 5 to 6 for a palette PNG, 16 for a 16-bit PNG.
qint64 decodingBytes(const QByteArray &bytes, const QByteArray &format, const QImageReader &reader,
                     const JpegFacts &jpeg)
{
    const qint64 pixels = qint64(reader.size().width()) * reader.size().height();
    if (format == "jpeg")
        return jpeg.progressive ? qint64(double(pixels) * jpeg.samplesPerPixel * 2) : 0;
    const uchar depth = byteAt(bytes, 24), colourType = byteAt(bytes, 25), interlace = byteAt(bytes, 28);
    if (format == "png" && depth == 8 && (colourType == 2 || colourType == 6) && interlace == 0)
        return 0;
    const QImage::Format decoded = reader.imageFormat();
    const int bits = decoded == QImage::Format_Invalid ? 32 : QImage::toPixelFormat(decoded).bitsPerPixel();
    const int copyBits = bits == 32 || shrunk(reader.size()) == reader.size() ? 0 : std::max(bits, 32);
    return pixels * (bits + copyBits) / 8;
}

// A drawing (diagram, map, screenshot, clip art) is stored as PNG, a photo
// as JPEG. A drawing has transparent pixels, which JPEG cannot keep, or large
// flat areas of few colours: of up to 64 x 64 pixels sampled evenly, at most
// one in eight shows a colour not seen before. In a photo, noise and shading
// give nearly every sample a colour of its own.
bool hasTransparency(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) < 255)
                return true;
    return false;
}

bool isDrawing(const QImage &image)
{
    if (hasTransparency(image))
        return true;
    constexpr int Grid = 64;
    const int columns = std::min(image.width(), Grid), rows = std::min(image.height(), Grid);
    std::vector<QRgb> samples;
    samples.reserve(size_t(columns) * size_t(rows));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            samples.push_back(image.pixel((2 * c + 1) * image.width() / (2 * columns),
                                          (2 * r + 1) * image.height() / (2 * rows)));
    std::sort(samples.begin(), samples.end());
    const auto distinct = std::unique(samples.begin(), samples.end()) - samples.begin();
    return distinct * 8 <= qsizetype(samples.size());
}

QByteArray encoded(const QImage &image, bool png)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, png ? "png" : "jpeg");
    if (!png) {
        writer.setQuality(JpegQuality);
        writer.setOptimizedWrite(true);
    }
    return writer.write(image) ? bytes : QByteArray();
}

// A picture text shorter than 256 characters would be taken for a file name:
// a PNG that short gets a comment that lengthens it.
QByteArray lengthened(QByteArray png)
{
    constexpr qsizetype ChunkBytes = 12 + 8; // length, type, checksum; "Comment" and its end
    if (!png.startsWith(PngSignature) || png.size() >= MinEmbeddedBytes)
        return png;
    const qsizetype textLength = MinEmbeddedBytes - png.size() - ChunkBytes;
    QByteArray chunk = QByteArray("tEXtComment") + '\0' + QByteArray("Wandquiz").leftJustified(textLength, ' ');
    uchar number[4];
    qToBigEndian(quint32(chunk.size() - 4), number);
    const quint32 checksum = quint32(crc32(0, reinterpret_cast<const Bytef *>(chunk.constData()), uInt(chunk.size())));
    chunk.prepend(reinterpret_cast<const char *>(number), 4);
    qToBigEndian(checksum, number);
    chunk.append(reinterpret_cast<const char *>(number), 4);
    // After the header chunk, which always comes first with its 13 bytes.
    png.insert(PngSignature.size() + 12 + 13, chunk);
    return png;
}

// The picture's text from the file's bytes if kept, else from the picture.
// 16-bit channels are stored in 8: the board shows no more, and its reader
// (pictures::fromBytes) grants every picture at least 16 MB decoded, which an
// 8-bit picture of 1920 x 1920 pixels fits and a 16-bit one does not.
ImportedPicture stored(const QImage &picture, QByteArray bytes, bool asPng)
{
    const QImage image = picture.depth() <= 32 ? picture
                         : picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                             : QImage::Format_RGB32);
    if (bytes.isEmpty())
        bytes = encoded(image, asPng || isDrawing(image));
    if (bytes.size() < MinEmbeddedBytes && !bytes.startsWith(PngSignature))
        bytes = encoded(image, true);
    bytes = lengthened(bytes);
    if (bytes.size() < MinEmbeddedBytes)
        return refused(QStringLiteral("Das Bild lässt sich nicht speichern."));
    return {pictures::toText(bytes), {}, image.size()};
}

ImportedPicture damaged(const QString &subject)
{
    return refused(QStringLiteral("%1 ist beschädigt oder unvollständig: das Bild lässt sich nicht lesen.")
                       .arg(subject));
}

ImportedPicture importBytes(const QByteArray &bytes, const QString &subject)
{
    if (bytes.isEmpty())
        return refused(QStringLiteral("%1 ist leer.").arg(subject));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QByteArray format = reader.format();
    if (format.isEmpty())
        return refused(QStringLiteral("%1 ist kein Bild. %2").arg(subject, chooseAnother()));
    if (format != "png" && format != "jpeg" && format != "gif" && format != "bmp")
        return refused(QStringLiteral("%1 ist ein Bild im Format %2. %3")
                           .arg(subject, QString::fromLatin1(format.toUpper()), chooseAnother()));

    const QSize size = reader.size();
    const JpegFacts jpeg = format == "jpeg" ? readJpegMarkers(bytes) : JpegFacts{};
    const bool complete = format == "jpeg" ? jpeg.complete
                          : format == "gif" ? gifComplete(bytes)
                          : format == "bmp" ? bmpComplete(bytes)
                                            : true; // libpng itself refuses a cut-off PNG
    if (size.isEmpty() || !complete)
        return damaged(subject);
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > MaxPixels || decodingBytes(bytes, format, reader, jpeg) > qint64(DecodeLimitMb) << 20)
        return refused(QStringLiteral("%1 ist mit %2 × %3 Pixeln zu groß zum Laden. Bitte verkleinern Sie das Bild "
                                      "vorher in einem Bildprogramm.")
                           .arg(subject)
                           .arg(size.width())
                           .arg(size.height()));

    // Decoded straight at the reduced size: a large photo never exists whole.
    const QSize target = shrunk(size);
    if (target != size)
        reader.setScaledSize(target);
    const QImage image = reader.read();
    if (image.isNull())
        return damaged(subject);
    const bool keep = target == size && (format == "png" || format == "jpeg") && image.depth() <= 32
                      && bytes.size() <= pixels * MaxKeptBytesPerPixel;
    // A GIF has at most 256 colours: PNG keeps them exactly.
    return stored(image, keep ? bytes : QByteArray(), format == "gif");
}

} // namespace

ImportedPicture importPictureFile(const QString &path)
{
    const QFileInfo info(path);
    const QString subject = QStringLiteral("Die Datei „%1“").arg(info.fileName());
    if (!info.exists())
        return refused(QStringLiteral("%1 gibt es nicht.").arg(subject));
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return refused(QStringLiteral("%1 lässt sich nicht lesen.").arg(subject));
    if (file.size() > MaxFileBytes)
        return refused(QStringLiteral("%1 ist mit %2 MB zu groß; ein Bild für die Wand darf höchstens %3 MB haben.")
                           .arg(subject)
                           .arg(qRound(file.size() / 1e6))
                           .arg(MaxFileBytes / 1'000'000));
    // Never more than the limit, should the file grow meanwhile.
    const QByteArray bytes = file.read(MaxFileBytes);
    if (file.error() != QFileDevice::NoError)
        return refused(QStringLiteral("%1 lässt sich nicht lesen.").arg(subject));
    return importBytes(bytes, subject);
}

ImportedPicture importPictureBytes(const QByteArray &bytes)
{
    return importBytes(bytes, QStringLiteral("Die Datei"));
}

ImportedPicture importPicture(const QImage &image)
{
    if (image.isNull())
        return refused(QStringLiteral("Die Zwischenablage enthält kein Bild."));
    const QSize target = shrunk(image.size());
    if (target == image.size())
        return stored(image, {}, false);
    return stored(image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), {}, false);
}

} // namespace wq
