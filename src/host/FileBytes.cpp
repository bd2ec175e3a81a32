#include "FileBytes.h"

#include "HostServices.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>
#include <unistd.h>

namespace wq {

namespace {
bool syncToDisk(int fd)
{
    // Some file systems cannot sync (EINVAL); what they hold is all there is.
    return ::fsync(fd) == 0 || errno == EINVAL;
}
} // namespace

QByteArray readFileBytes(const QString &path, qint64 maxSize)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw HostError("cannot read " + path.toStdString());
    const qint64 size = file.size();
    if (size > maxSize)
        throw HostError("file too large: " + path.toStdString());
    // read(n) sets aside n bytes before reading: the file's own size, not the limit.
    return file.read(size);
}

bool commitDurably(QSaveFile &file, QByteArrayView bytes)
{
    // The data reaches the disk before the new file takes the old one's name,
    // so a power cut leaves one of the two whole, not an empty file.
    return file.write(bytes.data(), bytes.size()) == bytes.size() && file.flush() && syncToDisk(file.handle())
           && file.commit();
}

void writeFileDurably(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !commitDurably(file, bytes))
        throw HostError("cannot write " + path.toStdString());
}

} // namespace wq
