#include "TextTools.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace wq::text {

namespace {
// The five bytes Windows leaves undefined keep their Latin-1 meaning, as
// Windows itself does.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Every byte's character, looked up without a test per byte.
constexpr std::array<char16_t, 256> Windows1252 = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = b >= 0x80 && b < 0xA0 ? Windows1252High[b - 0x80] : char16_t(b);
    return table;
}();

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isSeparator(QChar c) { return c == u'/' || c == u'\\'; }

double clampToFinite(double value)
{
    if (std::isnan(value))
        return 0.0;
    return std::clamp(value, -DBL_MAX, DBL_MAX);
}

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Reads a whole number in base 8 or 16 from the start of `digits`.
double parseRadix(const QString &digits, int radix)
{
    double value = 0.0;
    for (QChar c : digits) {
        const int digit = digitValue(c);
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
    }
    return clampToFinite(value);
}

// strtod reads the decimal point of LC_NUMERIC, which Qt takes from the
// user's locale on start: under de_DE "2.5" would read as 2. Number texts
// here always have a point, so they are read in the C locale.
double readDecimal(const std::string &number)
{
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    return strtod_l(number.c_str(), nullptr, cLocale);
}

// Copies the longest prefix that reads as a decimal number into plain ASCII,
// the exponent letter D written as E, ready for strtod.
std::string decimalPrefix(const QString &s)
{
    std::string out;
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        out += char(s[i++].unicode());
    bool digits = false;
    while (i < n && s[i].isDigit() && s[i].unicode() < 128) {
        out += char(s[i++].unicode());
        digits = true;
    }
    if (i < n && s[i] == u'.') {
        out += '.';
        ++i;
        while (i < n && s[i].unicode() < 128 && s[i].isDigit()) {
            out += char(s[i++].unicode());
            digits = true;
        }
    }
    if (!digits)
        return {};
    if (i < n && QStringLiteral("EeDd").contains(s[i])) {
        std::string exponent = "E";
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            exponent += char(s[j++].unicode());
        bool expDigits = false;
        while (j < n && s[j].unicode() < 128 && s[j].isDigit()) {
            exponent += char(s[j++].unicode());
            expDigits = true;
        }
        if (expDigits)
            out += exponent;
    }
    return out;
}
} // namespace

QString decodeWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (char c : bytes)
        *out++ = QChar(Windows1252[uchar(c)]);
    return text;
}

namespace {
// Every line break as a line feed, whether typed on Windows, an old Mac or here.
QString withLineFeeds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.replace(u'\r', u'\n');
}
} // namespace

QString withBoardBreaks(const QString &typed) { return withLineFeeds(typed).replace(u'\n', u'|'); }

QString withLineBreaks(const QString &board) { return withLineFeeds(board).replace(u'|', u'\n'); }

QString trimBlanks(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text[start]))
        ++start;
    while (end > start && isBlank(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

QString trimTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && isBlank(text[end - 1]))
        --end;
    return text.left(end);
}

QString beforeColon(const QString &text)
{
    const qsizetype colon = text.indexOf(u':');
    return colon < 0 ? QString() : text.left(colon);
}

QString afterColon(const QString &text)
{
    const qsizetype colon = text.indexOf(u':');
    return colon < 0 ? text : text.mid(colon + 1);
}

bool textMatch(const QString &text, const QString &pattern, bool ignoreCase, bool wordOnly)
{
    qsizetype start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    const auto cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (pattern.isEmpty() || !QStringView(text).mid(start).startsWith(pattern, cs))
        return false;
    const qsizetype after = start + pattern.size();
    return !wordOnly || after == text.size() || !text[after].isLetterOrNumber();
}

QString fileNamePart(const QString &path)
{
    qsizetype i = path.size();
    while (i > 0 && !isSeparator(path[i - 1]))
        --i;
    return path.mid(i);
}

QString extension(const QString &path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString pathWithoutExtension(const QString &path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? path : path.left(path.size() - name.size() + dot);
}

double parseNumber(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n')
            s += c;
    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        if (kind == u'H')
            return parseRadix(s.mid(2), 16);
        if (kind == u'O')
            return parseRadix(s.mid(2), 8);
    }
    const std::string number = decimalPrefix(s);
    return number.empty() ? 0.0 : clampToFinite(readDecimal(number));
}

QString formatNumber(double value)
{
    value = clampToFinite(value);
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    // A score is kept as the text shown: 15 digits as usual, 17 where 15
    // would read back as another number.
    const QString text = QString::number(value, 'g', 15).toUpper();
    if (parseNumber(text) == value)
        return text;
    return QString::number(value, 'g', 17).toUpper();
}

QString formatNumberSigned(double value)
{
    const QString plain = formatNumber(value);
    return value >= 0 ? u' ' + plain : plain;
}

} // namespace wq::text
