#pragma once
// Turns the bytes of RTF text into Unicode. RTF names its encodings by
// Windows code page numbers (\ansicpg, \cpg) or by font character sets
// (\fcharset); both are mapped here.

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>
#include <memory>

namespace wq::rtf {

// The code page of symbol fonts (character set 2): byte b becomes U+F000+b,
// the private-use form Windows gives such characters.
constexpr int SymbolCodePage = 42;
// Windows-1252, used when nothing else is given or a code page is unknown.
constexpr int DefaultCodePage = 1252;

// The code page of a font character set; 0 when the document's code page
// applies: for the "ANSI" and "default" sets 0 and 1, and unknown ones.
int codePageForCharset(int charset);

// Decodes bytes in a code page. Unknown code pages read as Windows-1252.
class CodePageDecoder {
public:
    QString decode(QByteArrayView bytes, int codePage);

private:
    QStringDecoder *decoderFor(int codePage);

    std::map<int, std::unique_ptr<QStringDecoder>> m_decoders;
};

// The text of the font "Symbol" with its private-use characters replaced by
// the Greek letters and signs they show.
QString symbolFontText(QString text);

} // namespace wq::rtf
