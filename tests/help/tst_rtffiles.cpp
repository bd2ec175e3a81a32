// The RTF reader against files written by word processors and by other
// readers' test suites (the shared test data), with the text those suites
// expect. Without the shared test data the program is skipped.

#include "RtfRuns.h"

#include <QDir>
#include <QtTest>


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
    for (const QString &file : QDir(corpus("striprtf")).entryList({"*.rtf"}, QDir::Files, QDir::Name))
        QTest::addRow("striprtf/%s", qPrintable(file)) << "striprtf/" + file << "striprtf/" + file.chopped(4) + ".expected.txt";
}

// Plain text as striprtf gives it, its table cells ending in "|" where ours
// end in tabs.
void RtfFilesTest::filesAsOtherReadersShowThem()
{
    QFETCH(QString, file);
    QFETCH(QString, expected);
    const QByteArray rtf = corpusFile(file);
    const QString result = QString::fromUtf8(corpusFile(expected));
    QVERIFY(!rtf.isEmpty() && !result.trimmed().isEmpty());
    QCOMPARE(normalized(readText(rtf), rtf.contains("\\cell")), normalized(result, rtf.contains("\\cell")));
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
