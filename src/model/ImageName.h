#pragma once
// A field's picture (IMAGENAME): empty, the name of a picture file (up to 255
// characters), or the picture itself as the base64 text of its file. An
// embedded picture is kept as the bytes of that text, one byte a character,
// never widened to UTF-16; read from a package it is not even copied out of
// the package's bytes, which it keeps alive instead.

#include <QByteArray>
#include <QString>
#include <memory>

namespace wq {

class ImageName {
public:
    ImageName() = default;
    // A picture set from text: a file name, or embedded picture text.
    ImageName(const QString &text); // NOLINT(google-explicit-constructor): IMAGENAME is set from text
    ImageName &operator=(const QString &text) { return *this = ImageName(text); }
    // From the UTF-8 bytes of a text, as a package holds them. `owner` keeps
    // alive the buffer that `utf8` points into when it is not its own.
    static ImageName fromUtf8(const QByteArray &utf8, std::shared_ptr<const void> owner = {});

    bool isEmpty() const { return m_isBytes ? m_bytes.isEmpty() : m_text.isEmpty(); }
    // In characters.
    qsizetype size() const { return m_isBytes ? m_bytes.size() : m_text.size(); }
    QString toString() const { return m_isBytes ? QString::fromLatin1(m_bytes) : m_text; }
    operator QString() const { return toString(); } // NOLINT(google-explicit-constructor)
    // The text as bytes: ASCII for an embedded picture, without a copy where
    // it is kept so; UTF-8 otherwise.
    QByteArray utf8() const { return m_isBytes ? m_bytes : m_text.toUtf8(); }

    friend bool operator==(const ImageName &a, const ImageName &b);
    friend bool operator!=(const ImageName &a, const ImageName &b) { return !(a == b); }
    friend bool operator==(const ImageName &a, const QString &b) { return a == ImageName(b); }
    friend bool operator!=(const ImageName &a, const QString &b) { return !(a == b); }

private:
    QString m_text;
    QByteArray m_bytes; // ASCII
    std::shared_ptr<const void> m_owner;
    bool m_isBytes = false;
};

} // namespace wq
