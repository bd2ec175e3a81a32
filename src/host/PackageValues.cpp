// The typed values of a package: writing them into the payload and reading
// them back, each read checked against the bytes that remain. Texts are
// deflated where that pays.
#include "PackageFile.h"

#include "HostServices.h"

#include <QStringDecoder>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace wq {

namespace {
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

// A text that begins with U+FEFF keeps it: QString::fromUtf8 would take it
// for a byte-order mark and drop it, so the text would not read back as written.
QString textFromUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// One deflate state for every text a thread writes, reset in between: setting
// one up (some 270 KB) costs more than deflating a short text. The output is
// the same as compress2 at level 6 gives.
class Deflater {
public:
    Deflater() : m_ready(deflateInit(&m_stream, 6) == Z_OK) {}
    ~Deflater()
    {
        if (m_ready)
            deflateEnd(&m_stream);
    }
    Deflater(const Deflater &) = delete;
    Deflater &operator=(const Deflater &) = delete;

    QByteArray deflate(const char *data, qint64 size)
    {
        if (!m_ready || deflateReset(&m_stream) != Z_OK)
            return {};
        QByteArray out(qsizetype(deflateBound(&m_stream, uLong(size))), Qt::Uninitialized);
        m_stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
        m_stream.avail_in = uInt(size);
        m_stream.next_out = reinterpret_cast<Bytef *>(out.data());
        m_stream.avail_out = uInt(out.size());
        if (::deflate(&m_stream, Z_FINISH) != Z_STREAM_END)
            return {};
        out.resize(qsizetype(m_stream.total_out));
        return out;
    }

private:
    z_stream m_stream{};
    bool m_ready;
};

QByteArray deflateBytes(const char *data, qint64 size)
{
    thread_local Deflater deflater;
    return deflater.deflate(data, size);
}

// The text deflated when that saves at least a third, else empty bytes. A
// short probe of the start decides for long texts, so pictures held as
// base64 are not deflated in vain; a text no longer than the probe is the
// probe, and is not deflated twice.
QByteArray deflatedIfItPays(const QByteArray &bytes)
{
    if (bytes.size() < DeflateMinSize)
        return {};
    const qint64 probeSize = std::min<qint64>(bytes.size(), DeflateProbeSize);
    QByteArray packed = deflateBytes(bytes.constData(), probeSize);
    if (packed.size() * 3 > probeSize * 2)
        return {};
    if (probeSize < bytes.size())
        packed = deflateBytes(bytes.constData(), bytes.size());
    if (packed.isEmpty() || packed.size() * 3 > bytes.size() * 2)
        return {};
    return packed;
}
} // namespace

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
    writeTextBytes(value.toUtf8());
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
    if (bytes < 0 || bytes > m_in.size() - m_pos)
        throw HostError("package: ends early");
    const QByteArrayView part = m_in.sliced(m_pos, qsizetype(bytes));
    m_pos += bytes;
    return part;
}

quint8 PackageFile::readTag()
{
    return readRaw<quint8>();
}

QByteArray PackageFile::readTextBytesAfterTag(quint8 tag, std::shared_ptr<const void> *owner)
{
    if (tag == TagText) {
        const QByteArrayView stored = take(readRaw<quint32>());
        if (!owner)
            return stored.toByteArray();
        // The bytes stay where they are; the package's bytes live on with them.
        *owner = m_owner;
        return QByteArray::fromRawData(stored.data(), stored.size());
    }
    if (tag != TagDeflatedText)
        throw HostError("package: value is not a text");
    const quint32 length = readRaw<quint32>();
    const quint32 packedLength = readRaw<quint32>();
    if (qint64(packedLength) > m_in.size() - m_pos || qint64(length) > qint64(packedLength) * MaxInflateRatio)
        throw HostError("package: damaged text");
    const QByteArrayView packed = take(packedLength);
    QByteArray text(qsizetype(length), Qt::Uninitialized);
    uLongf textLength = length;
    if (uncompress(reinterpret_cast<Bytef *>(text.data()), &textLength,
                   reinterpret_cast<const Bytef *>(packed.data()), packedLength) != Z_OK
        || textLength != length)
        throw HostError("package: damaged text");
    return text;
}

QString PackageFile::readTextAfterTag(quint8 tag)
{
    return textFromUtf8(readTextBytesAfterTag(tag, nullptr));
}

QString PackageFile::readString()
{
    return readTextAfterTag(readTag());
}

QByteArray PackageFile::readTextBytes(std::shared_ptr<const void> *owner)
{
    return readTextBytesAfterTag(readTag(), owner);
}

QString PackageFile::decodeText(QByteArrayView utf8)
{
    return textFromUtf8(utf8);
}

void PackageFile::writeTextBytes(const QByteArray &utf8)
{
    requireMode(Write);
    if (utf8.size() > MaxFileSize)
        throw HostError("package: text too long");
    if (const QByteArray packed = deflatedIfItPays(utf8); !packed.isEmpty()) {
        m_data.append(char(TagDeflatedText));
        writeRaw<quint32>(quint32(utf8.size()));
        writeRaw<quint32>(quint32(packed.size()));
        m_data.append(packed);
        return;
    }
    m_data.append(char(TagText));
    writeRaw<quint32>(quint32(utf8.size()));
    m_data.append(utf8);
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
