#pragma once
// Pictures and walls the benchmarks make when they run; none of them is kept
// in the repository.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

namespace wq {
struct Host;
}

namespace wq::bench {

// The heavy wall: twenty fields, each with an embedded picture of 2 MiB of
// coloured noise (a 56 MB file).
inline constexpr int HeavyPictures = 20;
inline constexpr qint64 HeavyPictureBytes = qint64(2) << 20;

// A PNG of coloured noise of about HeavyPictureBytes: it does not compress,
// so its file is as large as its pixels, like a photo saved without loss.
QByteArray noisePicture(quint32 seed);
// Writes the heavy wall to `path`; the embedded picture texts, field by
// field, or an empty list when the file cannot be written.
QStringList writeHeavyWall(const Host &host, const QString &path);

// A photo-like picture of 12 megapixels (4000x3000): gradients, a diagonal
// pattern and noise. Every seed gives other pixels.
QImage photo(quint32 seed);
// That photo as a phone writes it: a JPEG of quality 92, some 4 MB.
bool writePhoto(const QString &path, quint32 seed);

} // namespace wq::bench
