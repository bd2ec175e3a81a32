#include "PackageFile.h"

#include "HostServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtEndian>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <zlib.h>

namespace wq {

namespace {
constexpr char Magic[8] = {'W', 'Q', 'Z', 'P', 'A', 'C', 'K', '\x1A'};
constexpr quint16 FormatVersion = 1;
constexpr quint16 FlagPassword = 1;
constexpr qint64 HeaderSize = 20;
// deflate never expands data by more than this factor in reverse.
constexpr qint64 MaxInflateRatio = 1032;
constexpr qint64 DeflateMinSize = 128;
constexpr qint64 DeflateProbeSize = 4096;

enum Tag : quint8 {
    TagText = 1,
    TagDeflatedText = 2,
    TagInt32 = 3,
    TagBool = 4,
    TagDouble = 5,
    TagNone = 6,
    TagInt64 = 7,
};

quint32 checksum(const QString &password, const QByteArray &payload)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    const QByteArray key = password.toUtf8();
    crc = crc32(crc, reinterpret_cast<const Bytef *>(key.constData()), uInt(key.size()));
    // crc32 takes at most 4 GiB at once; payloads are smaller than MaxFileSize.
    crc = crc32(crc, reinterpret_cast<const Bytef *>(payload.constData()), uInt(payload.size()));
    return quint32(crc);
}

// A text that begins with U+FEFF keeps it: QString::fromUtf8 would take it
// for a byte-order mark and drop it, so the text would not read back as written.
QString textFromUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

QByteArray deflateBytes(const char *data, qint64 size)
{
    uLongf bound = compressBound(uLong(size));
    QByteArray out(qsizetype(bound), Qt::Uninitialized);
    if (compress2(reinterpret_cast<Bytef *>(out.data()), &bound,
                  reinterpret_cast<const Bytef *>(data), uLong(size), 6) != Z_OK)
        return {};
    out.resize(qsizetype(bound));
    return out;
}

// Deflating pays when it saves at least a third; a short probe of the start
// decides for long texts, so pictures held as base64 are not deflated in vain.
bool deflatePays(const QByteArray &bytes)
{
    if (bytes.size() < DeflateMinSize)
        return false;
    const qint64 probe = std::min<qint64>(bytes.size(), DeflateProbeSize);
    return deflateBytes(bytes.constData(), probe).size() * 3 <= probe * 2;
}

bool syncToDisk(int fd)
{
    // Some file systems cannot sync (EINVAL); what they hold is all there is.
    return ::fsync(fd) == 0 || errno == EINVAL;
}
} // namespace

PackageFile::PackageFile() = default;
PackageFile::~PackageFile() = default;

void PackageFile::open(const QString &path, int mode, const QString &password, bool, bool, QObject *)
{
    if (m_open)
        throw HostError("package: already open");
    m_password = password;
    m_data.clear();
    m_pos = 0;
    if (mode == Write) {
        m_mode = Write;
        m_out = std::make_unique<QSaveFile>(path);
        if (!m_out->open(QIODevice::WriteOnly))
            throw HostError("package: cannot write " + path.toStdString());
        m_open = true;
        return;
    }
    if (mode != Read)
        throw HostError("package: unknown mode");
    m_mode = Read;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw HostError("package: cannot read " + path.toStdString());
    const qint64 size = file.size();
    if (size < HeaderSize || size > MaxFileSize)
        throw HostError("package: not a package (size)");
    const QByteArray header = file.read(HeaderSize);
    if (header.size() != HeaderSize || std::memcmp(header.constData(), Magic, sizeof Magic) != 0)
        throw HostError("package: not a package (magic)");
    const auto *h = reinterpret_cast<const uchar *>(header.constData());
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
    m_data = file.read(length);
    if (m_data.size() != qsizetype(length) || checksum(password, m_data) != crc)
        throw HostError("package: damaged (checksum)");
    m_open = true;
}

void PackageFile::close()
{
    if (!m_open)
        return;
    m_open = false;
    if (m_mode == Read) {
        m_data.clear();
        return;
    }
    QByteArray header(HeaderSize, Qt::Uninitialized);
    auto *h = reinterpret_cast<uchar *>(header.data());
    std::memcpy(h, Magic, sizeof Magic);
    qToLittleEndian<quint16>(FormatVersion, h + 8);
    qToLittleEndian<quint16>(m_password.isEmpty() ? 0 : FlagPassword, h + 10);
    qToLittleEndian<quint32>(quint32(m_data.size()), h + 12);
    qToLittleEndian<quint32>(checksum(m_password, m_data), h + 16);
    // The data reaches the disk before the new file takes the old one's name,
    // so a power cut leaves one of the two whole, not an empty file.
    const bool written = m_out->write(header) == header.size() && m_out->write(m_data) == m_data.size()
                         && m_out->flush() && syncToDisk(m_out->handle()) && m_out->commit();
    m_out.reset();
    m_data.clear();
    if (!written)
        throw HostError("package: writing failed");
}

void PackageFile::requireMode(Mode mode) const
{
    if (!m_open || m_mode != mode)
        throw HostError("package: not open for this operation");
}

template <typename T> void PackageFile::writeRaw(T value)
{
    uchar bytes[sizeof(T)];
    qToLittleEndian<T>(value, bytes);
    m_data.append(reinterpret_cast<const char *>(bytes), sizeof(T));
}

template <typename T> T PackageFile::readRaw()
{
    return qFromLittleEndian<T>(reinterpret_cast<const uchar *>(take(sizeof(T)).data()));
}

void PackageFile::writeString(const QString &value)
{
    requireMode(Write);
    const QByteArray utf8 = value.toUtf8();
    if (utf8.size() > MaxFileSize)
        throw HostError("package: text too long");
    if (deflatePays(utf8)) {
        const QByteArray packed = deflateBytes(utf8.constData(), utf8.size());
        if (!packed.isEmpty() && packed.size() * 3 <= utf8.size() * 2) {
            m_data.append(char(TagDeflatedText));
            writeRaw<quint32>(quint32(utf8.size()));
            writeRaw<quint32>(quint32(packed.size()));
            m_data.append(packed);
            return;
        }
    }
    m_data.append(char(TagText));
    writeRaw<quint32>(quint32(utf8.size()));
    m_data.append(utf8);
}

void PackageFile::writeInt32(qint32 value)
{
    requireMode(Write);
    m_data.append(char(TagInt32));
    writeRaw<qint32>(value);
}

void PackageFile::writeBool(bool value)
{
    requireMode(Write);
    m_data.append(char(TagBool));
    m_data.append(char(value ? 1 : 0));
}

void PackageFile::writeDouble(double value)
{
    requireMode(Write);
    m_data.append(char(TagDouble));
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeRaw<quint64>(bits);
}

void PackageFile::writeValue(const QVariant &value)
{
    requireMode(Write);
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        m_data.append(char(TagNone));
        return;
    case QMetaType::QString:
        writeString(value.toString());
        return;
    case QMetaType::Bool:
        writeBool(value.toBool());
        return;
    case QMetaType::Int:
        writeInt32(value.toInt());
        return;
    case QMetaType::LongLong:
    case QMetaType::Long:
    case QMetaType::UInt:
        m_data.append(char(TagInt64));
        writeRaw<qint64>(value.toLongLong());
        return;
    case QMetaType::Double:
        writeDouble(value.toDouble());
        return;
    default:
        throw HostError("package: value of a type that cannot be stored");
    }
}

QByteArrayView PackageFile::take(qint64 bytes)
{
    requireMode(Read);
    if (bytes < 0 || bytes > m_data.size() - m_pos)
        throw HostError("package: ends early");
    const QByteArrayView part(m_data.constData() + m_pos, qsizetype(bytes));
    m_pos += bytes;
    return part;
}

quint8 PackageFile::readTag()
{
    return readRaw<quint8>();
}

void PackageFile::requireRoom(qint64 count, qint64 minBytesEach) const
{
    if (count < 0 || count > (m_data.size() - m_pos) / std::max<qint64>(minBytesEach, 1))
        throw HostError("package: count beyond the file");
}

QString PackageFile::readTextAfterTag(quint8 tag)
{
    if (tag == TagText) {
        const quint32 length = readRaw<quint32>();
        return textFromUtf8(take(length));
    }
    if (tag != TagDeflatedText)
        throw HostError("package: value is not a text");
    const quint32 length = readRaw<quint32>();
    const quint32 packedLength = readRaw<quint32>();
    if (qint64(packedLength) > m_data.size() - m_pos || qint64(length) > qint64(packedLength) * MaxInflateRatio)
        throw HostError("package: damaged text");
    const QByteArrayView packed = take(packedLength);
    QByteArray text(qsizetype(length), Qt::Uninitialized);
    uLongf textLength = length;
    if (uncompress(reinterpret_cast<Bytef *>(text.data()), &textLength,
                   reinterpret_cast<const Bytef *>(packed.data()), packedLength) != Z_OK
        || textLength != length)
        throw HostError("package: damaged text");
    return textFromUtf8(text);
}

QString PackageFile::readString()
{
    return readTextAfterTag(readTag());
}

qint32 PackageFile::readInt32()
{
    if (readTag() != TagInt32)
        throw HostError("package: value is not a whole number");
    return readRaw<qint32>();
}

bool PackageFile::readBool()
{
    if (readTag() != TagBool)
        throw HostError("package: value is not a truth value");
    return readBoolBody();
}

bool PackageFile::readBoolBody()
{
    const quint8 value = readRaw<quint8>();
    if (value > 1)
        throw HostError("package: bad truth value");
    return value == 1;
}

double PackageFile::readDouble()
{
    if (readTag() != TagDouble)
        throw HostError("package: value is not a number");
    return readDoubleBody();
}

double PackageFile::readDoubleBody()
{
    const quint64 bits = readRaw<quint64>();
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
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

QVariant PackageFile::readValue()
{
    const quint8 tag = readTag();
    switch (tag) {
    case TagNone:
        return {};
    case TagText:
    case TagDeflatedText:
        return readTextAfterTag(tag);
    case TagInt32:
        return readRaw<qint32>();
    case TagInt64:
        return readRaw<qint64>();
    case TagBool:
        return readBoolBody();
    case TagDouble:
        return readDoubleBody();
    default:
        throw HostError("package: unknown value type");
    }
}

} // namespace wq
