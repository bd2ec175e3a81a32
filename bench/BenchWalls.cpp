#include "BenchWalls.h"

#include "host/Pictures.h"
#include "model/cls_Wall.h"

#include <QBuffer>
#include <QImageWriter>
#include <QRandomGenerator>
#include <cmath>

namespace wq::bench {

QByteArray noisePicture(quint32 seed)
{
    const int side = int(std::sqrt(double(HeavyPictureBytes) / 3.0));
    QImage image(side, side, QImage::Format_RGB888);
    QRandomGenerator random(seed);
    for (int y = 0; y < side; ++y)
        random.fillRange(reinterpret_cast<quint32 *>(image.scanLine(y)), side * 3 / 4);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.write(image);
    return bytes;
}

QStringList writeHeavyWall(const Host &host, const QString &path)
{
    QStringList embedded;
    cls_Wall wall(host);
    for (int i = 0; i < HeavyPictures; ++i) {
        cls_WallField &field = wall.Item(i, true);
        field.QUESTION = QStringLiteral("Was zeigt Bild %1?").arg(i + 1);
        field.ANSWER = QStringLiteral("Rauschen Nummer %1").arg(i + 1);
        field.IMAGENAME = pictures::toText(noisePicture(quint32(i + 1)));
        field.IMAGEMODE = PictureWithQuestion;
        embedded.append(field.IMAGENAME);
    }
    return wall.SAVE(path) ? embedded : QStringList();
}

QImage photo(quint32 seed)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    const int shift = int(seed * 37 % 400);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(random.bounded(25)) - 12;
            line[x] = qRgb(20 + x * 200 / image.width() + n, 20 + y * 200 / image.height() + n,
                           20 + std::abs((x + y + shift) % 400 - 200) + n);
        }
    }
    return image;
}

bool writePhoto(const QString &path, quint32 seed)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(92);
    return writer.write(photo(seed));
}

} // namespace wq::bench
