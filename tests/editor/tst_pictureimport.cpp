// Pictures taken into a wall: at most 1920 px, photos as JPEG, drawings as PNG, unsuitable files refused.

#include "editor/PictureImport.h"
#include "host/Pictures.h"
#include "support/TestHost.h"

#include <QPainter>
#include <QScopeGuard>
#include <QtTest>
#include <zlib.h>

using namespace wq;

namespace {
QByteArray encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Gradients with noise, as in a photo; `transparent` clears a corner.
QImage photo(int width, int height, bool transparent = false)
{
    QImage image(width, height, QImage::Format_ARGB32);
    QRandomGenerator random(quint32(width * height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int n = int(random.bounded(25)) - 12, alpha = transparent && x < width / 4 && y < height / 4 ? 0 : 255;
            reinterpret_cast<QRgb *>(image.scanLine(y))[x] = qRgba(
                20 + x * 200 / width + n, 20 + y * 200 / height + n, 20 + std::abs((x + y) % 400 - 200) + n, alpha);
        }
    return image;
}

// Flat areas in three colours, drawn without smoothing.
QImage drawing(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(width / 10, height / 10, width / 3, height / 2, QColor(200, 30, 30));
    painter.setBrush(QColor(30, 90, 200));
    painter.drawEllipse(width / 2, height / 3, width / 3, height / 2);
    return image;
}

// A dithered GIF photo (Qt writes no GIF): random pixels as uncompressed 8-bit codes, cleared before they widen.
QByteArray gif(int width, int height)
{
    QByteArray b("GIF89a"), codes;
    const auto words = [&](std::initializer_list<int> values) {
        for (const int v : values)
            b.append(char(v & 255)).append(char(v >> 8));
    };
    words({width, height, 0xF6}); // 128 colours, background 0
    b.append('\0');               // no aspect ratio
    for (int i = 0; i < 128; ++i)
        b.append(char(i * 2)).append(char(i * 37)).append(char(i * 91));
    b.append(',');
    words({0, 0, width, height, 0x0700}); // no colours of its own; 7-bit codes
    for (int i = 0; i < width * height; ++i)
        codes.append(i % 100 ? "" : "\x80").append(char(quint32(i) * 2654435761u >> 25));
    codes.append('\x81');
    for (qsizetype i = 0; i < codes.size(); i += 255)
        b.append(char(std::min<qsizetype>(255, codes.size() - i))).append(codes.mid(i, 255));
    return b.append("\0;", 2);
}

// A JPEG with the orientation tag of a camera turned on its side.
QByteArray turned(QByteArray jpeg)
{
    return jpeg.insert(2, QByteArray::fromHex("ffe100224578696600004d4d002a000000080001011200030000000100060000"
                                              "00000000"));
}

// A PNG whose header claims a size and kind that its data does not hold.
QByteArray pngClaiming(quint32 width, quint32 height, char depth, char colourType)
{
    QByteArray png = encode(QImage(1, 1, QImage::Format_RGB32), "png");
    qToBigEndian(width, png.data() + 16);
    qToBigEndian(height, png.data() + 20);
    png[24] = depth;
    png[25] = colourType;
    qToBigEndian(quint32(crc32(0, reinterpret_cast<const Bytef *>(png.constData() + 12), 17)), png.data() + 29);
    return png;
}

// How stored pictures start in their text.
const QString Png = "iVBORw0KGgo", Jpeg = "/9j/";
} // namespace

class PictureImportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void picturesAreShrunkAndStoredByKind()
    {
        QImage flat(64, 64, QImage::Format_RGB32), deep(64, 64, QImage::Format_RGBX64);
        flat.fill(Qt::darkGreen);
        deep.fill(Qt::darkGreen);
        // How the stored text starts, its size, whether it is the file's own bytes, at most how many kB.
        const struct { const char *name; QByteArray file; QString start; QSize size; bool kept; int maxKb; } cases[] = {
            {"photo 4000x3000", encode(photo(4000, 3000), "jpeg"), Jpeg, {1920, 1440}, false, 1000},
            {"drawing 3000x2000", encode(drawing(3000, 2000), "png"), Png, {1920, 1280}, false, 200},
            {"tiny PNG, lengthened", encode(flat, "png"), Png, {64, 64}, false, 1},
            {"16-bit PNG", encode(deep, "png"), Png, {64, 64}, false, 1},
            {"turned small JPEG keeps its bytes", turned(encode(photo(640, 480), "jpeg")), Jpeg, {480, 640}, true, 200},
            {"turned photo 2400x1200", turned(encode(photo(2400, 1200), "jpeg")), Jpeg, {960, 1920}, false, 1000},
            {"photo saved as PNG", encode(photo(800, 600), "png"), Jpeg, {800, 600}, false, 300},
            {"GIF photo 2400x1200", gif(2400, 1200), Png, {1920, 960}, false, 8000},
            {"BMP drawing", encode(drawing(800, 600), "bmp"), Png, {800, 600}, false, 50},
            {"photo with transparent parts", encode(photo(200, 100, true), "png"), Png, {200, 100}, true, 100},
        };
        for (const auto &c : cases) {
            const auto named = qScopeGuard([&] { if (QTest::currentTestFailed()) qWarning("in \"%s\"", c.name); });
            const ImportedPicture picture = importPictureBytes(c.file);
            QVERIFY2(picture.ok(), qPrintable(picture.message));
            QVERIFY(pictures::isEmbedded(picture.text) && picture.text.startsWith(c.start));
            QCOMPARE(picture.text == QString::fromLatin1(c.file.toBase64()), c.kept);
            if (c.start == Png) // 8-bit channels
                QCOMPARE(int(QByteArray::fromBase64(picture.text.toLatin1()).at(24)), 8);
            QCOMPARE_LE(picture.text.size() * 3 / 4, c.maxKb * 1000);
            QCOMPARE(QList<QSize>({picture.size, pictures::fromText(picture.text).size()}), QList<QSize>({c.size, c.size}));
        }
    }

    void unsuitableFilesAreRefused()
    {
        test::TestHost t;
        const QByteArray jpeg = encode(photo(400, 300), "jpeg"), bmp = encode(drawing(400, 300), "bmp");
        // The file's name, its bytes (null: no file at all), the reason given.
        const struct { QString name; QByteArray file; QString reason; } cases[] = {
            {"fehlt.png", QByteArray(), "gibt es nicht"},
            {"leer.png", QByteArray(""), "ist leer"},
            {"text.png", QByteArray("Hauptstadt von Peru?\nLima\n"), "kein Bild"},
            {"symbol.ico", encode(drawing(32, 32), "ico"), "im Format ICO"},
            {"halb.jpg", jpeg.left(jpeg.size() / 2), "beschädigt"},
            {"halb.gif", gif(320, 240).chopped(100), "beschädigt"},
            {"halb.bmp", bmp.chopped(800), "beschädigt"},
            {"riesig.png", pngClaiming(100000, 100000, 8, 2), "100000 × 100000 Pixeln zu groß"},
            {"tief.png", pngClaiming(4000, 3000, 16, 6), "4000 × 3000 Pixeln zu groß"}, // 16 bits, decoded whole
        };
        for (const auto &c : cases) {
            const ImportedPicture picture =
                importPictureFile(c.file.isNull() ? t.path(c.name) : test::writeFile(t.path(c.name), c.file));
            QVERIFY2(!picture.ok() && picture.message.startsWith("Die Datei „" + c.name + "“ "), qPrintable(picture.message));
            QVERIFY2(picture.message.contains(c.reason), qPrintable(picture.message));
        }
    }

    void theClipboardPictureIsTaken()
    {
        QCOMPARE(importPicture(QImage()).message, QString("Die Zwischenablage enthält kein Bild."));
        const ImportedPicture pasted = importPicture(photo(2500, 1000, true));
        QVERIFY(pasted.size == QSize(1920, 768) && pasted.text.startsWith(Png)); // transparent parts: PNG
        QCOMPARE(pictures::fromText(pasted.text).pixelColor(10, 10).alpha(), 0);
    }
};

QTEST_GUILESS_MAIN(PictureImportTest)
#include "tst_pictureimport.moc"
