// The package container: header, checksum, opening from memory or a file and
// writing into memory or a file. The typed values are in PackageValues.cpp.
#include "PackageFile.h"

#include "FileBytes.h"
#include "HostServices.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QtEndian>
#include <cstring>
#include <zlib.h>

namespace wq {

namespace {
constexpr char Magic[8] = {'W', 'Q', 'Z', 'P', 'A', 'C', 'K', '\x1A'};
constexpr quint16 FormatVersion = 1;
constexpr quint16 FlagPassword = 1;
constexpr qint64 HeaderSize = 20;

quint32 checksum(const QString &password, QByteArrayView payload)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    const QByteArray key = password.toUtf8();
    crc = crc32(crc, reinterpret_cast<const Bytef *>(key.constData()), uInt(key.size()));
    // crc32 takes at most 4 GiB at once; payloads are smaller than MaxFileSize.
    crc = crc32(crc, reinterpret_cast<const Bytef *>(payload.data()), uInt(payload.size()));
    return quint32(crc);
}
} // namespace

PackageFile::PackageFile() = default;
PackageFile::~PackageFile() = default;

void PackageFile::open(const QString &path, int mode, const QString &password, bool, bool, QObject *)
{
    if (m_open)
        throw HostError("package: already open");
    if (mode == Write) {
        auto out = std::make_unique<QSaveFile>(path);
        if (!out->open(QIODevice::WriteOnly))
            throw HostError("package: cannot write " + path.toStdString());
        startWriting(password);
        m_out = std::move(out);
        return;
    }
    if (mode != Read)
        throw HostError("package: unknown mode");
    openBytes(readFileBytes(path, MaxFileSize), password);
}

void PackageFile::openBytes(QByteArrayView bytes, const QString &password)
{
    if (m_open)
        throw HostError("package: already open");
    m_mode = Read;
    m_password = password;
    m_data.clear();
    m_pos = 0;
    const qint64 size = bytes.size();
    if (size < HeaderSize || size > MaxFileSize)
        throw HostError("package: not a package (size)");
    if (std::memcmp(bytes.data(), Magic, sizeof Magic) != 0)
        throw HostError("package: not a package (magic)");
    const auto *h = reinterpret_cast<const uchar *>(bytes.data());
    const quint16 version = qFromLittleEndian<quint16>(h + 8);
    const quint16 flags = qFromLittleEndian<quint16>(h + 10);
    const quint32 length = qFromLittleEndian<quint32>(h + 12);
    const quint32 crc = qFromLittleEndian<quint32>(h + 16);
    if (version != FormatVersion || (flags & ~FlagPassword) != 0)
        throw HostError("package: unknown format version or flags");
    if (qint64(length) != size - HeaderSize)
        throw HostError("package: length does not match the file");
    if (bool(flags & FlagPassword) != !password.isEmpty())
        throw HostError("package: password does not match");
    const QByteArrayView payload = bytes.sliced(HeaderSize);
    if (checksum(password, payload) != crc)
        throw HostError("package: damaged (checksum)");
    m_data = payload.toByteArray();
    m_open = true;
}

void PackageFile::createBytes(const QString &password)
{
    if (m_open)
        throw HostError("package: already open");
    startWriting(password);
}

void PackageFile::startWriting(const QString &password)
{
    m_mode = Write;
    m_password = password;
    m_data.clear();
    m_pos = 0;
    m_open = true;
}

QByteArray PackageFile::packageBytes() const
{
    QByteArray bytes(HeaderSize, Qt::Uninitialized);
    auto *h = reinterpret_cast<uchar *>(bytes.data());
    std::memcpy(h, Magic, sizeof Magic);
    qToLittleEndian<quint16>(FormatVersion, h + 8);
    qToLittleEndian<quint16>(m_password.isEmpty() ? 0 : FlagPassword, h + 10);
    qToLittleEndian<quint32>(quint32(m_data.size()), h + 12);
    qToLittleEndian<quint32>(checksum(m_password, m_data), h + 16);
    bytes.append(m_data);
    return bytes;
}

void PackageFile::close()
{
    if (!m_open)
        return;
    m_open = false;
    if (m_mode == Read || !m_out) {
        m_data.clear();
        return;
    }
    const bool written = commitDurably(*m_out, packageBytes());
    m_out.reset();
    m_data.clear();
    if (!written)
        throw HostError("package: writing failed");
}

QByteArray PackageFile::closeBytes()
{
    if (!m_open || m_mode != Write || m_out)
        throw HostError("package: not writing into memory");
    QByteArray bytes = packageBytes();
    m_open = false;
    m_data.clear();
    return bytes;
}

void PackageFile::requireMode(Mode mode) const
{
    if (!m_open || m_mode != mode)
        throw HostError("package: not open for this operation");
}

void PackageFile::requireRoom(qint64 count, qint64 minBytesEach) const
{
    if (count < 0 || count > (m_data.size() - m_pos) / std::max<qint64>(minBytesEach, 1))
        throw HostError("package: count beyond the file");
}

int PackageFile::removeLeftovers(const QString &path)
{
    // QSaveFile names its temporary file after the target plus six letters or digits.
    const QFileInfo target(path);
    const QRegularExpression leftover(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z0-9]{6}")));
    QDir folder = target.dir();
    int removed = 0;
    for (const QFileInfo &entry : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!entry.isSymLink() && leftover.match(entry.fileName()).hasMatch()
            && folder.remove(entry.fileName()))
            ++removed;
    }
    return removed;
}

} // namespace wq
