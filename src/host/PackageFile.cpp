// The package container: header, checksum, opening from memory or a file and
// writing into memory or a file. The typed values are in PackageValues.cpp.
#include "PackageFile.h"

#include "FileBytes.h"
#include "HostServices.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
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
    openBytes(bytes.toByteArray(), password);
}

void PackageFile::openBytes(QByteArray bytes, const QString &password)
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
    const auto file = std::make_shared<const QByteArray>(std::move(bytes));
    const QByteArrayView payload = QByteArrayView(*file).sliced(HeaderSize);
    if (checksum(password, payload) != crc)
        throw HostError("package: damaged (checksum)");
    // Read where it lies: the package's bytes are not copied again.
    m_owner = file;
    m_in = payload;
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
    // The header comes first and is filled in at the end, so the package is
    // written once, in place, and never copied behind a header.
    m_data = QByteArray(HeaderSize, '\0');
    m_pos = 0;
    m_open = true;
}

void PackageFile::reserve(qint64 bytes)
{
    requireMode(Write);
    m_data.reserve(qsizetype(std::min(bytes, MaxFileSize)) + HeaderSize);
}

QByteArray PackageFile::packageBytes()
{
    const QByteArrayView payload = QByteArrayView(m_data).sliced(HeaderSize);
    const quint32 crc = checksum(m_password, payload);
    auto *h = reinterpret_cast<uchar *>(m_data.data());
    std::memcpy(h, Magic, sizeof Magic);
    qToLittleEndian<quint16>(FormatVersion, h + 8);
    qToLittleEndian<quint16>(m_password.isEmpty() ? 0 : FlagPassword, h + 10);
    qToLittleEndian<quint32>(quint32(payload.size()), h + 12);
    qToLittleEndian<quint32>(crc, h + 16);
    return std::exchange(m_data, QByteArray());
}

void PackageFile::close()
{
    if (!m_open)
        return;
    m_open = false;
    if (m_mode == Read || !m_out) {
        m_data.clear();
        m_in = {};
        m_owner.reset();
        return;
    }
    const bool written = commitDurably(*m_out, packageBytes());
    m_out.reset();
    if (!written)
        throw HostError("package: writing failed");
}

QByteArray PackageFile::closeBytes()
{
    if (!m_open || m_mode != Write || m_out)
        throw HostError("package: not writing into memory");
    QByteArray bytes = packageBytes();
    m_open = false;
    return bytes;
}

void PackageFile::requireMode(Mode mode) const
{
    if (!m_open || m_mode != mode)
        throw HostError("package: not open for this operation");
}

void PackageFile::requireRoom(qint64 count, qint64 minBytesEach) const
{
    if (count < 0 || count > (m_in.size() - m_pos) / std::max<qint64>(minBytesEach, 1))
        throw HostError("package: count beyond the file");
}

namespace {
// QSaveFile names its temporary file after the target, a point and six
// letters or digits. (Checked by hand: a regular expression would load its
// library into every start of the game for this one name.)
bool isLeftoverOf(const QString &name, const QString &target)
{
    constexpr qsizetype Suffix = 6;
    if (name.size() != target.size() + 1 + Suffix || !name.startsWith(target) || name[target.size()] != u'.')
        return false;
    return std::all_of(name.end() - Suffix, name.end(), [](QChar c) {
        return c.unicode() < 128 && (c.isLetter() || c.isDigit());
    });
}
} // namespace

int PackageFile::removeLeftovers(const QString &path)
{
    const QFileInfo target(path);
    QDir folder = target.dir();
    int removed = 0;
    for (const QFileInfo &entry : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!entry.isSymLink() && isLeftoverOf(entry.fileName(), target.fileName())
            && folder.remove(entry.fileName()))
            ++removed;
    }
    return removed;
}

} // namespace wq
