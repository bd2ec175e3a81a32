// The RTF reader: characters, formatting, paragraphs, pictures, and damaged
// and hostile input.

#include "help/RtfReader.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// The text as shown, paragraphs separated by line feeds.
QString shownText(const QTextDocument &document) { return document.toRawText().replace(QChar::ParagraphSeparator, u'\n'); }

QString readText(QByteArrayView rtf)
{
    QTextDocument document;
    wq::readRtf(rtf, document);
    return shownText(document);
}

// Formatting as words such as "bold" or "color=#ff0000", one of each kind.
using Style = QMap<QString, QString>;
void set(Style &style, const QString &word) { style.insert(word.section(u'=', 0, 0), word); }

// Formatting compared character by character without whitespace, as runs of
// "{style}text"; a picture is the character U+FFFC.
struct Runs {
    QStringList list;
    Style last;
    void add(QStringView text, const Style &style)
    {
        for (QChar c : text) {
            if (c.isSpace())
                continue;
            if (list.isEmpty() || style != last)
                list << '{' + style.values().join(u' ') + '}';
            last = style;
            list.last() += c;
        }
    }
};

QStringList documentRuns(const QTextDocument &document, bool colorsAndFonts, bool withoutListMarkers = false)
{
    static const QRegularExpression marker(QStringLiteral(R"(^\s*\S{1,6}\t)"));
    Runs runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const qsizetype markerLength = withoutListMarkers ? marker.match(block.text()).capturedLength() : 0;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QString text = it.fragment().text().mid(std::max<qsizetype>(0, markerLength - (it.fragment().position() - block.position())));
            const auto script = f.verticalAlignment();
            const QString family = f.fontFamilies().toStringList().value(0);
            const std::pair<bool, QString> words[] = {{f.fontWeight() >= QFont::Bold, "bold"}, {f.fontItalic(), "italic"},
                {f.fontUnderline(), "underline"}, {f.fontStrikeOut(), "strike"}, {f.fontCapitalization() == QFont::SmallCaps, "smallcaps"},
                {script == QTextCharFormat::AlignSuperScript, "script=super"}, {script == QTextCharFormat::AlignSubScript, "script=sub"},
                {!f.anchorHref().isEmpty(), "href=" + f.anchorHref()},
                {colorsAndFonts && f.hasProperty(QTextFormat::ForegroundBrush), "color=" + f.foreground().color().name()},
                {colorsAndFonts && f.hasProperty(QTextFormat::BackgroundBrush), "background=" + f.background().color().name()},
                {colorsAndFonts && !family.isEmpty(), "family=" + family}};
            Style style;
            for (const auto &[on, word] : words) {
                if (on)
                    set(style, word);
            }
            runs.add(f.fontCapitalization() == QFont::AllUppercase ? text.toUpper() : text, style);
        }
    }
    return runs.list;
}

// The first picture and the size it is shown at.
std::pair<QImage, QSizeF> firstImage(const QTextDocument &document)
{
    const QTextImageFormat f = document.find(QString(QChar::ObjectReplacementCharacter)).charFormat().toImageFormat();
    return {document.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>(), QSizeF(f.width(), f.height())};
}

} // namespace

class RtfReaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void characters_data();
    void characters();
    void formatting_data();
    void formatting();
    void paragraphs();
    void pictures();
};

void RtfReaderTest::characters_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("named characters")
        << QByteArray(R"({\rtf1 a\emdash b\endash c\lquote d\rquote e\ldblquote f\rdblquote g\bullet h\tab i\line j\page k})")
        << u"a\u2014b\u2013c\u2018d\u2019e\u201Cf\u201Dg\u2022h\ti\u2028j\u2028k"_s;
    QTest::newRow("control symbols") << QByteArray(R"({\rtf1 \{x\}\\ a\~b\-c\_d})") << u"{x}\\ a\u00A0b\u00ADc\u2011d"_s;
    QTest::newRow("Windows-1252 is not Latin-1") << QByteArray(R"({\rtf1\ansi \'80\'93\'94\'85\'9f\'e9})") << u"\u20AC\u201C\u201D\u2026\u0178\u00E9"_s;
    QTest::newRow("ansicpg1251") << QByteArray(R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8})") << u"\u041F\u0440\u0438"_s;
    QTest::newRow("font charset over ansicpg") << QByteArray(R"({\rtf1\ansicpg1252{\fonttbl{\f0 A;}{\f1\fcharset204 B;}}\f0\'e0\f1\'e0})") << u"\u00E0\u0430"_s;
    QTest::newRow("double-byte pairs") << QByteArray(R"({\rtf1\ansi\ansicpg936 \'d6\'d0\'ce\'c4})") << u"\u4E2D\u6587"_s;
    QTest::newRow("Symbol font") << QByteArray(R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}{\f1 a\'b7}})") << u"\u03B1\u2022"_s;
    // Negative values count from 65536; a surrogate pair makes one character.
    QTest::newRow("negative \\u, surrogates") << QByteArray(R"({\rtf1 \u-3913?\u945a\u-10179?\u-9047?\u-10179?x})") << u"\uF0B7\u03B1\U0001F4A9\uFFFDx"_s;
    QTest::newRow("control characters, uc0") << QByteArray(R"({\rtf1\uc0 a\u10 b\u0 c\u8233 d\'07})") << u"a\u2028bc\u2028d"_s;
    QTest::newRow("uc2 in its group") << QByteArray(R"({\rtf1 {\uc2\u228\'e8a}b\u252?c})") << u"\u00E4b\u00FCc"_s;
    QTest::newRow("fallback ends at a brace") << QByteArray(R"({\rtf1\uc3\u65 x{y}z})") << u"Ayz"_s;
    QTest::newRow("bin is one fallback") << QByteArray("{\\rtf1\\u66\\bin2 }{c}") << u"Bc"_s;
    QTest::newRow("hidden text and skipped destinations")
        << QByteArray(R"({\rtf1{\info{\title T}}{\stylesheet{\s0 Normal;}}{\header H\par}{\footer F}{\*\unknown U}{\footnote N}{\*\themedata 01})"
                      R"({\fonttbl{\f0 Arial;}}{\colortbl;\red1\green2\blue3;}{\*\fldinst X}a{\v secret}b\v c\v0 d})")
        << u"abd"_s;
    QTest::newRow("tables as tabs") << QByteArray(R"({\rtf1\trowd\cellx100\cellx200\intbl a\cell b\cell\row c})") << u"a\tb\t\nc"_s;
    // A backslash before a line end is a paragraph mark; the last one leaves no empty paragraph.
    QTest::newRow("backslash line end") << QByteArray("{\\rtf1 A\\\nB\\\r\nC\\\n}") << u"A\nB\nC"_s;

    // Damaged and hostile input.
    QTest::newRow("extra closing braces") << QByteArray("}}{\\rtf1 a}}}}b") << u"a"_s;
    QTest::newRow("groups never closed") << QByteArray("{\\rtf1 a{\\b b{\\i c") << u"abc"_s;
    QTest::newRow("cut in a control word") << QByteArray("{\\rtf1 ab\\pa") << u"ab"_s;
    QTest::newRow("cut in a hex escape") << QByteArray("{\\rtf1 ab\\'4") << u"ab"_s;
    QTest::newRow("cut after a backslash") << QByteArray("{\\rtf1 ab\\") << u"ab"_s;
    QTest::newRow("cut after \\u") << QByteArray("{\\rtf1 ab\\u8364") << u"ab\u20AC"_s;
    QTest::newRow("broken escapes") << QByteArray("{\\rtf1 a\\'zz\\'b}") << u"azz"_s;
    QTest::newRow("10000 nested groups") << "{\\rtf1 " + QByteArray(10000, '{') + "deep" + QByteArray(10000, '}') + " end}" << u"deep end"_s;
    QTest::newRow("10000 open groups") << QByteArray(10000, '{') + "\\b x" << u"x"_s;
    QTest::newRow("numbers past 32 bits")
        << QByteArray("{\\rtf1\\fs99999999999999999999 a\\li-99999999999999999999 b\\u99999999999999999999?c\\cf4294967296 d}") << u"ab\uFFFDcd"_s;
    QTest::newRow("\\bin longer than the file") << QByteArray("{\\rtf1 a\\bin99999999999 {\\par b}}") << u"a"_s;
    QTest::newRow("negative \\bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << u"ab"_s;
    QTest::newRow("unknown code page") << QByteArray(R"({\rtf1\ansi\ansicpg77777 caf\'e9 \'80})") << u"caf\u00E9 \u20AC"_s;
    QTest::newRow("code page 0") << QByteArray("{\\rtf1\\ansi\\ansicpg0 caf\\'e9}") << u"caf\u00E9"_s;
    QTest::newRow("\\uc with a huge value") << QByteArray("{\\rtf1 {\\uc99999999999\\u65 lost}kept}") << u"Akept"_s;
    QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b\\\0c}", 14) << u"abc"_s;
    QTest::newRow("empty") << QByteArray() << QString();
    // Every step is linear, so even megabytes of damage read well within the
    // time limit; anything quadratic would take hours.
    QTest::newRow("megabytes of damage")
        << "{\\rtf1 " + QByteArray(1000000, '{') + "x" + QByteArray(1000000, '}') + QByteArray("\\b a\\b0 b").repeated(100000)
               + QByteArray("\\'").repeated(500000) + QByteArray("{\\f1\\u8364?}").repeated(100000) + QByteArray(500000, '{')
        << "x" + QString("ab").repeated(100000) + QString(u"\u20AC"_s).repeated(100000);
}

void RtfReaderTest::characters()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(readText(rtf), text);
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed()) + " ms"));
}

void RtfReaderTest::formatting_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QStringList>("runs");
    QTest::newRow("characters")
        << QByteArray(R"({\rtf1{\fonttbl{\f1 Mono;}}{\colortbl;\red255\green0\blue0;}{\b b}{\i i}{\ul u\ul0 n}{\ul u\ulnone n}{\strike s})"
                      R"({\super p}{\sub d}{\up6 U}{\dn4 D}{\scaps c}{\caps k}{\cf1 r}{\highlight1 h}{\cb1 g}{\f1 m}\b\i B\plain P})")
        << QStringList{"{bold}b", "{italic}i", "{underline}u", "{}n", "{underline}u", "{}n", "{strike}s", "{script=super}p", "{script=sub}d",
                       "{script=super}U", "{script=sub}D", "{smallcaps}c", "{}K", "{color=#ff0000}r", "{background=#ff0000}hg", "{family=Mono}m",
                       "{bold italic}B", "{}P"};
    QTest::newRow("hyperlinks")
        << QByteArray(R"({\rtf1{\field{\*\fldinst{HYPERLINK "http://a.example/x y" \\o "tip"}}{\fldrslt{\ul li\plain nk}}} )"
                      R"({\field{\*\fldinst HYPERLINK \\l "place"}{\fldrslt p}}{\field{\*\fldinst PAGE}{\fldrslt 3}}after})")
        << QStringList{"{href=http://a.example/x y underline}li", "{href=http://a.example/x y}nk", "{href=#place}p", "{}3after"};
    QTest::newRow("900 nested groups") << "{\\rtf1 " + QByteArray(900, '{') + "{\\b a}b" + QByteArray(900, '}') + "c}"
                                       << QStringList{"{bold}a", "{}bc"};
}

void RtfReaderTest::formatting()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QStringList, runs);
    QTextDocument document;
    wq::readRtf(rtf, document);
    QCOMPARE(documentRuns(document, true), runs);
}

// Read into a document holding other text and undo steps, which go.
void RtfReaderTest::paragraphs()
{
    QTextDocument document;
    document.setPlainText("old text");
    document.setUndoRedoEnabled(true);
    wq::readRtf(R"({\rtf1\qc\li1440\ri720\fi-360\sb120\sa240\fs30 a\par\pard\fs17 b\par{\qr c\par}d\par\qj e\par})", document);
    QCOMPARE(shownText(document), u"a\nb\nc\nd\ne"_s);
    QVERIFY(document.isUndoRedoEnabled());
    QCOMPARE(document.availableUndoSteps(), 0);
    // Alignment; left, right, first-line indent, space before and after in
    // pixels (twips: 1440 an inch, 15 a pixel); points (\fs counts halves).
    QList<QList<qreal>> blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat f = block.blockFormat();
        blocks << QList<qreal>{qreal(f.alignment()), f.leftMargin(), f.rightMargin(), f.textIndent(), f.topMargin(), f.bottomMargin(),
                               block.begin().fragment().charFormat().fontPointSize()};
    }
    QCOMPARE(blocks, (QList<QList<qreal>>{{Qt::AlignHCenter, 96, 48, -24, 8, 16, 15}, {Qt::AlignLeft, 0, 0, 0, 0, 0, 8.5},
                                          {Qt::AlignRight, 0, 0, 0, 0, 0, 8.5}, {Qt::AlignLeft, 0, 0, 0, 0, 0, 8.5},
                                          {Qt::AlignJustify, 0, 0, 0, 0, 0, 8.5}}));
}

void RtfReaderTest::pictures()
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    image.save(&png, "PNG");
    QByteArray hex = png.data().toHex().toUpper();   // as word processors write it: upper case, in lines
    for (qsizetype i = 64; i < hex.size(); i += 66)
        hex.insert(i, "\r\n");
    QTextDocument document;

    wq::readRtf("{\\rtf1 a{\\pict\\pngblip\\picwgoal300\\pichgoal150 " + hex + "}b}", document);
    QCOMPARE(firstImage(document), std::pair(image, QSizeF(20, 10)));
    QCOMPARE(shownText(document), u"a\uFFFCb"_s);
    wq::readRtf("{\\rtf1{\\pict\\pngblip\\picscalex50\\bin" + QByteArray::number(png.size()) + ' ' + png.data() + "}}", document);
    QCOMPARE(firstImage(document), std::pair(image, QSizeF(3, 4)));

    // Word gives each picture twice: PNG in \shppict, a metafile in \nonshppict.
    wq::readRtf("{\\rtf1{\\*\\shppict{\\pict\\pngblip " + hex + "}}{\\nonshppict{\\pict\\wmetafile8 0102}}}", document);
    QCOMPARE(shownText(document), u"\uFFFC"_s);
    wq::readRtf("{\\rtf1 a{\\pict\\pngblip " + hex.left(60) + "}{\\pict\\jpegblip 0102}b}", document);
    QCOMPARE(shownText(document), u"ab"_s);   // broken pictures are left out
}

QTEST_MAIN(RtfReaderTest)
#include "tst_rtfreader.moc"
