// The RTF reader against files written by word processors and by other
// readers' test suites (the shared test data), with the text and formatting
// those suites expect. Without the shared test data the program is skipped.

#include "RtfRuns.h"

#include <QDir>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;
using namespace rtftest;

namespace {

QString corpus(const QString &file = {}) { return QStringLiteral(WANDQUIZ_SHARED_TESTDATA "/rtf/") + file; }

QByteArray corpusFile(const QString &name)
{
    QFile file(corpus(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Any whitespace counts as one space, pictures as none.
QString normalized(QString text, bool cellsAsSpace = false)
{
    text.remove(QChar::ObjectReplacementCharacter);
    return (cellsAsSpace ? text.replace(u'|', u' ') : text).simplified();
}

// Pandoc's AST: Str texts inside Strong, Emph, Link and so on; notes
// (footnotes), metadata and picture captions are left out.
QStringList nativeRuns(const QString &native)
{
    static const QRegularExpression token(QStringLiteral(R"RX("(?:[^"\\]|\\.)*"|\w+|[\[\](){}])RX"));
    static const QRegularExpression escape(QStringLiteral(R"(\\(\d+|&|.))"));
    static const QHash<QString, QString> words = {{"Strong", "bold"}, {"Emph", "italic"}, {"Underline", "underline"},
        {"Strikeout", "strike"}, {"SmallCaps", "smallcaps"}, {"Superscript", "script=super"}, {"Subscript", "script=sub"}};
    QStringList tokens;
    for (const auto &m : token.globalMatch(native))
        tokens << m.captured();
    auto closing = [&](qsizetype i) {   // the bracket that closes the one at i
        for (int depth = 1; depth > 0 && ++i < tokens.size();)
            depth += QStringView(u"[({").contains(tokens[i]) - QStringView(u"])}").contains(tokens[i]);
        return i;
    };
    auto unquoted = [](QString text) {   // \233 is a code point, \& nothing, \" a quote
        text = text.mid(1).chopped(1);
        for (auto m = escape.match(text); m.hasMatch(); m = escape.match(text, m.capturedStart() + 1)) {
            const char32_t code = m.captured(1).toUInt();
            text.replace(m.capturedStart(), m.capturedLength(), m.captured(1)[0].isDigit() ? QString::fromUcs4(&code, 1) : m.captured(1).remove(u'&'));
        }
        return text;
    };
    Runs runs;
    QList<Style> stack{Style()};
    std::optional<Style> opened;   // the style the next bracket starts
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const QString &t = tokens[i];
        Style style = stack.last();
        if (t == u"Str") {
            runs.add(unquoted(tokens.value(++i)), style);
        } else if (t == u"Note" || t == u"Meta") {
            i = closing(i + 1);
        } else if (t == u"Image") {
            runs.add(u"\uFFFC", style);
            i = closing(closing(i + 1) + 1);
        } else if (t == u"Link") {
            i = closing(i + 1);   // past the attributes; the target follows the text
            set(style, "href=" + unquoted(tokens.value(closing(i + 1) + 2)));
            opened = style;
        } else if (words.contains(t)) {
            set(style, words[t]);
            opened = style;
        } else if (QStringView(u"[({").contains(t)) {
            stack.append(opened.value_or(style));
            opened.reset();
        } else if (QStringView(u"])}").contains(t)) {
            stack.removeLast();
        }
    }
    return runs.list;
}

// rtf.js output: spans with inline styles, links, pictures.
QStringList htmlRuns(const QString &html)
{
    static const QRegularExpression tag(QStringLiteral(R"(<(/?)(\w+)([^>]*)>)"));
    static const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    static const QRegularExpression rule(QStringLiteral("([\\w-]+): ([^;\"]+)"));
    static const QRegularExpression rgb(QStringLiteral(R"(rgb\((\d+), (\d+), (\d+)\))"));
    static const QHash<QString, QString> words = {{"font-weight: bold", "bold"}, {"font-style: italic", "italic"},
        {"text-decoration: underline", "underline"}, {"vertical-align: super", "script=super"}, {"vertical-align: sub", "script=sub"}};
    auto decoded = [](QString text) { return text.replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&"); };
    Runs runs;
    QList<Style> stack{Style()};
    qsizetype at = 0;
    for (const auto &m : tag.globalMatch(html)) {
        runs.add(decoded(html.mid(at, m.capturedStart() - at)), stack.last());
        at = m.capturedEnd();
        Style style = stack.last();
        if (const auto href = link.match(m.captured(3)); href.hasMatch())
            set(style, "href=" + href.captured(1));
        for (const auto &r : rule.globalMatch(m.captured(3))) {
            const auto c = rgb.match(r.captured(2));
            if (words.contains(r.captured()))
                set(style, words[r.captured()]);
            else if (r.captured(1) == u"font-family")
                set(style, "family=" + r.captured(2));
            else if (c.hasMatch())
                set(style, (r.captured(1) == u"color" ? "color=" : "background=")
                               + QColor(c.captured(1).toInt(), c.captured(2).toInt(), c.captured(3).toInt()).name());
        }
        if (m.captured(2) == u"img")
            runs.add(u"\uFFFC", style);
        else if (m.captured(1).isEmpty())
            stack.append(style);
        else if (stack.size() > 1)
            stack.removeLast();
    }
    runs.add(decoded(html.mid(at)), stack.last());
    return runs.list;
}

} // namespace

class RtfFilesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDir(corpus()).exists())
            QSKIP("no shared RTF test data in " WANDQUIZ_SHARED_TESTDATA);
    }
    void filesAsOtherReadersShowThem_data();
    void filesAsOtherReadersShowThem();
    void fileTexts_data();
    void fileTexts();
};

void RtfFilesTest::filesAsOtherReadersShowThem_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    const std::pair<QString, QString> folders[] = {{"pandoc", ".native"}, {"rtfjs", ".expected.html"}, {"striprtf", ".expected.txt"}};
    for (const auto &[folder, suffix] : folders) {
        for (const QString &file : QDir(corpus(folder)).entryList({"*.rtf"}, QDir::Files, QDir::Name))
            QTest::addRow("%s/%s", qPrintable(folder), qPrintable(file)) << folder + u'/' + file << folder + u'/' + file.chopped(4) + suffix;
    }
    // Cut off in the middle of a group; what remains is read as it stands.
    QTest::newRow("truncated formatting") << "derived/truncated_formatting_20000.rtf" << "pandoc/formatting.native";
}

// pandoc: text, emphasis, links and pictures, with our list markers taken off
// as pandoc turns them into list structure; rtf.js: also colours and fonts;
// striprtf: plain text, its table cells ending in "|" where ours end in tabs.
void RtfFilesTest::filesAsOtherReadersShowThem()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    const QByteArray rtf = corpusFile(file);
    const QString result = QString::fromUtf8(corpusFile(expected));
    QVERIFY(!rtf.isEmpty() && !result.trimmed().isEmpty());
    QTextDocument document;
    wq::readRtf(rtf, document);
    if (expected.endsWith(u".native"))
        QCOMPARE(documentRuns(document, false, file.contains(u"/list")), nativeRuns(result));
    if (expected.endsWith(u".txt"))
        QCOMPARE(normalized(shownText(document), rtf.contains("\\cell")), normalized(result, rtf.contains("\\cell")));
    if (!expected.endsWith(u".html"))
        return;
    // This gives \u without the fallback character its \uc1 announces; read
    // as written, the q after the opening quote is that fallback.
    QEXPECT_FAIL("rtfjs/quotes.rtf", "the q after \\u8220 is its fallback", Continue);
    QCOMPARE(documentRuns(document, true), htmlRuns(result));
    if (file.endsWith(u"quotes.rtf"))
        QCOMPARE(shownText(document), u"This word contains \u201Cuotes\u201D"_s);
}

void RtfFilesTest::fileTexts_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    // The old-style list gives the marker of its first item only; the others
    // are counted from {\*\pn ...}.
    QTest::newRow("old-style list") << "pandoc/list_legacy.rtf" << u"1.\tA\n2.\tNumbered\n3.\tList\n\u2022\tA\n\u2022\tBulleted\n\u2022\tList"_s;
    QTest::newRow("list levels") << "pandoc/list_simple.rtf" << u"\t\u2022\tone\n\t\u2022\ttwo\n\t\u2043\tsub\n\t\u2022\tnew list"_s;
    QTest::newRow("list numbering")
        << "pandoc/list_complex.rtf"
        << u"1.\tOne\n2.\tTwo\na.\tThree\nb.\tFour\ni.\tFive\nii.\tSix\nA.\tSeven\nB.\tEight\nI.\tNine\nII.\tTen\no\tEleven\no\tTwelve\n"
           u"Out of list!\nStart with\n7.\tSeven Start\n8.\tEight Continue"_s;
    // 24 raw bytes after \bin24, braces and "\par MUST NOT IMPORT" among them.
    QTest::newRow("bin skipping") << "libreoffice/bin-skipping.rtf" << u"text"_s;
    QTest::newRow("5000 nested groups") << "derived/deep_nesting_5000.rtf" << u"deep"_s;
    QTest::newRow("cut off in a word") << "derived/truncated_paragraph-properties_300.rtf" << u"This is a simple five paragraph document.\nThis i"_s;
}

// Trailing empty paragraphs are not compared.
void RtfFilesTest::fileTexts()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QCOMPARE(readText(corpusFile(file)).remove(QRegularExpression("\n+$")), text);
}

QTEST_MAIN(RtfFilesTest)
#include "tst_rtffiles.moc"
