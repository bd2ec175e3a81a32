#pragma once
// The package container that wall files (.lx-wqz) are written in.
//
// Layout, all numbers little-endian:
//   8 bytes  magic "WQZPACK\x1A"
//   2 bytes  format version (1)
//   2 bytes  flags (bit 0: written with a password)
//   4 bytes  payload length
//   4 bytes  CRC-32 of the payload; with a password, of the password's UTF-8
//            bytes followed by the payload
//   payload  a sequence of typed values:
//     0x01 text      u32 byte length, UTF-8 bytes
//     0x02 text      u32 text byte length, u32 packed length, deflated UTF-8
//     0x03 int32     4 bytes
//     0x04 boolean   1 byte (0 or 1)
//     0x05 double    8 bytes
//     0x06 no value
//     0x07 int64     8 bytes
// A text is stored deflated only where that saves at least a third, so plain
// text shrinks and embedded pictures (base64) are read back without inflating.
// A password is not encryption: it only keys the checksum, so a package opens
// with the password it was written with and no other.
//
// Every read checks its type and its length against the bytes that remain,
// so a damaged or hostile file fails quickly and never makes the reader
// allocate more than the file could hold. A package is read from and written
// to memory; a file is only the way in and out: writing goes to a temporary
// file that replaces the old one only when complete.
//
// PackageFile.cpp holds the container (header, checksum, memory and files),
// PackageValues.cpp the typed values.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QVariant>
#include <memory>

class QSaveFile;

namespace wq {

class PackageFile {
public:
    enum Mode { Read = 1, Write = 2 };

    PackageFile();
    ~PackageFile();
    PackageFile(const PackageFile &) = delete;
    PackageFile &operator=(const PackageFile &) = delete;

    // Throws HostError when the file cannot be opened or is not a whole package.
    // The two flags and the object are accepted for the callers' sake and unused.
    void open(const QString &path, int mode, const QString &password,
              bool flag1 = true, bool flag2 = true, QObject *object = nullptr);
    // Reads the package held in `bytes` (copied, or taken over); throws
    // HostError as open does.
    void openBytes(QByteArrayView bytes, const QString &password);
    void openBytes(QByteArray bytes, const QString &password);
    // Writes a package into memory; closeBytes gives it.
    void createBytes(const QString &password);
    // After writing to a file: commits the file. Throws HostError when that fails.
    void close();
    // After createBytes: the whole package, header and payload.
    QByteArray closeBytes();

    // Room for a package of about `bytes`, set aside at once.
    void reserve(qint64 bytes);
    void writeString(const QString &value);
    // A text given as its UTF-8 bytes.
    void writeTextBytes(const QByteArray &utf8);
    void writeInt32(qint32 value);
    void writeBool(bool value);
    void writeDouble(double value);
    // Any of: no value, text, whole number, truth value, floating-point number.
    void writeValue(const QVariant &value);

    // Each read throws HostError when the next value is of another type or
    // the package ends.
    QString readString();
    // The next text as its UTF-8 bytes. Stored as it is, they are not copied:
    // they point into the package's bytes, which `owner` then keeps alive.
    QByteArray readTextBytes(std::shared_ptr<const void> *owner);
    // UTF-8 as readString decodes it (a leading U+FEFF is kept).
    static QString decodeText(QByteArrayView utf8);
    qint32 readInt32();
    bool readBool();
    double readDouble();
    QVariant readValue();

    // Throws unless `count` values of at least `minBytesEach` bytes each could
    // still follow: checked before anything is allocated for them.
    void requireRoom(qint64 count, qint64 minBytesEach) const;

    // A write cut short by a crash can leave its temporary file beside `path`
    // ("AUTO.LX-WQZ.aBcXyZ", on file systems without unnamed temporary files),
    // one more after every such crash. Removes them; only for a path no other
    // process may be writing at the time. Returns how many were removed.
    static int removeLeftovers(const QString &path);

    // Largest file the reader accepts.
    static constexpr qint64 MaxFileSize = qint64(1) << 30;

private:
    void requireMode(Mode mode) const;
    void startWriting(const QString &password);
    QByteArray packageBytes();
    quint8 readTag();
    bool readBoolBody();
    double readDoubleBody();
    QByteArrayView take(qint64 bytes);
    template <typename T> T readRaw();
    template <typename T> void writeRaw(T value);
    QString readTextAfterTag(quint8 tag);
    QByteArray readTextBytesAfterTag(quint8 tag, std::shared_ptr<const void> *owner);

    Mode m_mode = Read;
    bool m_open = false;
    QString m_password;
    QByteArray m_data;   // the payload being written
    QByteArrayView m_in; // the payload being read, inside m_owner's bytes
    std::shared_ptr<const QByteArray> m_owner;
    qint64 m_pos = 0;    // read position in the payload
    std::unique_ptr<QSaveFile> m_out;
};

} // namespace wq
