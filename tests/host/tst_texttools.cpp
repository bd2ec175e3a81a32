// The text tools: the lenient number reading, colon markers, the word test and
// path parts. (The value packer is fuzzed: fuzz/fuzz_packer.cpp, its findings
// replayed by tests/fuzz/tst_fuzzregressions.cpp.)

#include "host/Pictures.h"
#include "host/TextTools.h"

#include <QtTest>
#include <cfloat>

using namespace wq;

class TextToolsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void numbersAreReadLeniently_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "140" << 140.0;
        QTest::newRow("blanks anywhere") << " 1 4\t0\n" << 140.0;
        QTest::newRow("leading number") << "12abc" << 12.0;
        QTest::newRow("digit blank digit") << "1 2" << 12.0;
        QTest::newRow("sign") << "-5" << -5.0;
        QTest::newRow("plus") << "+7" << 7.0;
        QTest::newRow("decimal point") << "2.5.7" << 2.5;
        QTest::newRow("comma ends") << "2,5" << 2.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("exponent E") << "1.5E3" << 1500.0;
        QTest::newRow("exponent D") << "2d2" << 200.0;
        QTest::newRow("exponent sign") << "5E-1" << 0.5;
        QTest::newRow("exponent without digits") << "3E" << 3.0;
        QTest::newRow("hex") << "&HFF" << 255.0;
        QTest::newRow("hex lower") << "&hff" << 255.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("hex stops") << "&H1G" << 1.0;
        QTest::newRow("big hex") << "&HFFFFFFFFFFFF" << 281474976710655.0;
        QTest::newRow("no number") << "Punkte" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("ampersand alone") << "&" << 0.0;
        QTest::newRow("too large") << "1e400" << DBL_MAX;
        QTest::newRow("too small") << "-1e400" << -DBL_MAX;
        QTest::newRow("thousand digits") << QString(1000, '9') << DBL_MAX;
        QTest::newRow("arabic digits are not digits here") << QString::fromUtf8("٣") << 0.0;
    }

    void numbersAreReadLeniently()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(text::parseNumber(text), value);
    }

    void numbersAreWrittenPlainly()
    {
        QCOMPARE(text::formatNumber(140), QString("140"));
        QCOMPARE(text::formatNumber(-20), QString("-20"));
        QCOMPARE(text::formatNumber(0), QString("0"));
        QCOMPARE(text::formatNumber(2.5), QString("2.5"));
        QCOMPARE(text::formatNumberSigned(140), QString(" 140"));
        QCOMPARE(text::formatNumberSigned(0), QString(" 0"));
        QCOMPARE(text::formatNumberSigned(-3), QString("-3"));
        QCOMPARE(text::parseNumber(text::formatNumber(DBL_MAX)), DBL_MAX);
    }

    void markersAndWords()
    {
        QCOMPARE(text::beforeColon("RISIKO:Frage: ja"), QString("RISIKO"));
        QCOMPARE(text::afterColon("RISIKO:Frage: ja"), QString("Frage: ja"));
        QCOMPARE(text::beforeColon("RISIKO"), QString());  // no colon, no marker
        QCOMPARE(text::afterColon("RISIKO"), QString("RISIKO"));
        QVERIFY(text::textMatch("JOKER", "JOKER", true, true));
        QVERIFY(text::textMatch("  joker!", "JOKER", true, true));
        QVERIFY(!text::textMatch("Jokerfrage", "JOKER", true, true));
        QVERIFY(text::textMatch("Jokerfrage", "JOKER", true, false));
        QVERIFY(!text::textMatch("joker", "JOKER", false, true));
        QCOMPARE(text::trimBlanks(" \t a b \t"), QString("a b"));
        QCOMPARE(text::trimTrailingBlanks("  a  "), QString("  a"));
        QCOMPARE(text::extension("/a.b/wand.LX-WQZ"), QString("LX-WQZ"));
        QCOMPARE(text::extension("/a.b/wand"), QString());
        QCOMPARE(text::pathWithoutExtension("C:\\x\\wand.frg"), QString("C:\\x\\wand"));
        QCOMPARE(text::fileNamePart("C:\\x\\wand.frg"), QString("wand.frg"));
    }

    // Qt's encoder writes the reference texts, padded and not.
    void picturesHeldAsTextDecode()
    {
        QByteArray bytes;
        for (int length = 0; length < 40; ++length, bytes.append(char(length * 37 + 11))) {
            QCOMPARE(pictures::decodeText(bytes.toBase64()).value_or("-"), bytes);
            QCOMPARE(pictures::decodeText(bytes.toBase64(QByteArray::OmitTrailingEquals)).value_or("-"), bytes);
        }
        for (const char *bad : {"A", "AB=C", "AB C", "ABC*", "====", "AAAAA", "AA==AA==", "QUJD\n"})
            QVERIFY2(!pictures::decodeText(bad), bad);
    }
};

QTEST_GUILESS_MAIN(TextToolsTest)
#include "tst_texttools.moc"
