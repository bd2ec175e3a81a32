#include "ImageName.h"

#include "host/PackageFile.h"

#include <cstring>

namespace wq {

namespace {
// Texts up to this length are file names; only pictures are kept as bytes.
constexpr qsizetype LongestFileName = 255;

bool asciiOnly(const char *data, qsizetype size)
{
    // Eight bytes at a time: a picture's text runs to megabytes.
    constexpr quint64 HighBits = 0x8080808080808080ULL;
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        quint64 word;
        std::memcpy(&word, data + i, sizeof word);
        if (word & HighBits)
            return false;
    }
    for (; i < size; ++i)
        if (uchar(data[i]) & 0x80)
            return false;
    return true;
}

bool asciiOnly(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}
} // namespace

ImageName::ImageName(const QString &text)
{
    if (text.size() > LongestFileName && asciiOnly(text)) {
        m_bytes = text.toLatin1();
        m_isBytes = true;
    } else {
        m_text = text;
    }
}

ImageName ImageName::fromUtf8(const QByteArray &utf8, std::shared_ptr<const void> owner)
{
    ImageName name;
    if (utf8.size() > LongestFileName && asciiOnly(utf8.constData(), utf8.size())) {
        name.m_bytes = utf8;
        name.m_owner = std::move(owner);
        name.m_isBytes = true;
    } else {
        name.m_text = PackageFile::decodeText(utf8);
    }
    return name;
}

bool operator==(const ImageName &a, const ImageName &b)
{
    if (a.m_isBytes == b.m_isBytes)
        return a.m_isBytes ? a.m_bytes == b.m_bytes : a.m_text == b.m_text;
    return a.toString() == b.toString();
}

} // namespace wq
