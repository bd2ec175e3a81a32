#pragma once
// Whole files as bytes: read with a size limit, and written so that a power
// cut leaves either the old file or the new one whole, never a part.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QSaveFile;

namespace wq {

// The bytes of the file at `path`. Throws HostError when it cannot be read
// or is larger than `maxSize`; nothing is set aside beyond the file's size.
QByteArray readFileBytes(const QString &path, qint64 maxSize);

// Writes `bytes` to `path` through a temporary file that reaches the disk
// (fsync) before it takes the name. Throws HostError when that fails; the old
// file is then untouched.
void writeFileDurably(const QString &path, QByteArrayView bytes);

// The same for a QSaveFile opened by the caller: writes, syncs and commits.
// Returns false when any step fails.
bool commitDurably(QSaveFile &file, QByteArrayView bytes);

} // namespace wq
