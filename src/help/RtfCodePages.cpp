#include "RtfCodePages.h"

#include "host/TextTools.h"

#include <QByteArrayList>

#include <iterator>

namespace wq::rtf {

namespace {

// The Symbol font's letters and signs for 0x20..0x7F and 0xA0..0xBF; other
// bytes keep their private-use form.
constexpr char16_t symbolLow[] =
    u" !\u2200#\u2203%&\u220B()\u2217+,\u2212./0123456789:;<=>?"
    u"\u2245\u0391\u0392\u03A7\u0394\u0395\u03A6\u0393\u0397\u0399\u03D1\u039A\u039B\u039C\u039D\u039F"
    u"\u03A0\u0398\u03A1\u03A3\u03A4\u03A5\u03C2\u03A9\u039E\u03A8\u0396[\u2234]\u22A5_"
    u"\uF060\u03B1\u03B2\u03C7\u03B4\u03B5\u03C6\u03B3\u03B7\u03B9\u03D5\u03BA\u03BB\u03BC\u03BD\u03BF"
    u"\u03C0\u03B8\u03C1\u03C3\u03C4\u03C5\u03D6\u03C9\u03BE\u03C8\u03B6{|}\u223C\uF07F";
constexpr char16_t symbolHigh[] =
    u"\u20AC\u03D2\u2032\u2264\u2044\u221E\u0192\u2663\u2666\u2665\u2660\u2194\u2190\u2191\u2192\u2193"
    u"\u00B0\u00B1\u2033\u2265\u00D7\u221D\u2202\u2022\u00F7\u2260\u2261\u2248\u2026\u23D0\u23AF\u21B5";
static_assert(std::size(symbolLow) == 96 + 1 && std::size(symbolHigh) == 32 + 1);

char16_t symbolCharacter(unsigned char byte)
{
    if (byte >= 0x20 && byte < 0x80)
        return symbolLow[byte - 0x20];
    if (byte >= 0xA0 && byte < 0xC0)
        return symbolHigh[byte - 0xA0];
    return char16_t(0xF000 + byte);
}

// Only the range Windows uses for text is asked for, so a damaged file
// naming thousands of code pages cannot make thousands of look-ups.
bool isTextCodePage(int codePage)
{
    return (codePage >= 437 && codePage <= 1258) || codePage == 10000 || codePage == 65001;
}

// ICU knows most code pages as "windows-N"; the DOS ones as "IBMN".
std::unique_ptr<QStringDecoder> makeDecoder(int codePage)
{
    QByteArrayList names = {"windows-" + QByteArray::number(codePage), "IBM" + QByteArray::number(codePage)};
    if (codePage == 65001)
        names = {"UTF-8"};
    else if (codePage == 10000)
        names = {"macintosh"};
    for (const QByteArray &name : names) {
        auto decoder = std::make_unique<QStringDecoder>(name.constData(), QStringDecoder::Flag::Stateless);
        if (decoder->isValid())
            return decoder;
    }
    return nullptr;
}

QString decodeSymbolFont(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(char16_t(0xF000 + static_cast<unsigned char>(bytes[i])));
    return text;
}

} // namespace

int codePageForCharset(int charset)
{
    switch (charset) {
    case 2: return SymbolCodePage;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
    }
}

QString symbolFontText(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() >= 0xF020 && c.unicode() <= 0xF0FF)
            c = QChar(symbolCharacter(static_cast<unsigned char>(c.unicode() - 0xF000)));
    }
    return text;
}

QString CodePageDecoder::decode(QByteArrayView bytes, int codePage)
{
    if (codePage == SymbolCodePage)
        return decodeSymbolFont(bytes);
    if (QStringDecoder *decoder = decoderFor(codePage))
        return decoder->decode(bytes);
    return text::decodeWindows1252(bytes);
}

QStringDecoder *CodePageDecoder::decoderFor(int codePage)
{
    if (!isTextCodePage(codePage) || codePage == DefaultCodePage)
        return nullptr;   // our own table serves Windows-1252 and every unknown code page
    auto found = m_decoders.find(codePage);
    if (found == m_decoders.end())
        found = m_decoders.emplace(codePage, makeDecoder(codePage)).first;
    return found->second.get();
}

} // namespace wq::rtf
