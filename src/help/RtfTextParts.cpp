#include "RtfTextParts.h"

#include "RtfKeywords.h"

#include <QStringList>

#include <utility>

namespace wq::rtf {

namespace {

// Splits a field instruction into words; a quoted word keeps its spaces.
QStringList fieldWords(QStringView text)
{
    QStringList words;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i].isSpace()) {
            ++i;
        } else if (text[i] == u'"') {
            qsizetype end = text.indexOf(u'"', i + 1);
            if (end < 0)
                end = text.size();
            words.append(text.sliced(i + 1, end - i - 1).toString());
            i = end + 1;
        } else {
            qsizetype end = i;
            while (end < text.size() && !text[end].isSpace() && text[end] != u'"')
                ++end;
            words.append(text.sliced(i, end - i).toString());
            i = end;
        }
    }
    return words;
}

QString romanNumber(int number)
{
    static const std::pair<int, const char *> parts[] = {
        {1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
        {40, "xl"}, {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"},
    };
    if (number < 1 || number > 3999)
        return QString::number(number);
    QString text;
    for (const auto &[value, letters] : parts) {
        for (; number >= value; number -= value)
            text += QLatin1String(letters);
    }
    return text;
}

// a..z, then aa..zz and so on, as word processors count with letters.
QString letterNumber(int number)
{
    if (number < 1)
        return QString::number(number);
    const int letter = (number - 1) % 26;
    const int repeats = std::min((number - 1) / 26 + 1, 10);
    return QString(repeats, QChar(u'a' + letter));
}

} // namespace

QString hyperlinkTarget(const QString &instruction)
{
    const QStringList words = fieldWords(instruction);
    if (words.isEmpty() || words.first().compare(u"HYPERLINK", Qt::CaseInsensitive) != 0)
        return {};
    QString address;
    QString place;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString &word = words.at(i);
        if (word == u"\\l" && i + 1 < words.size())
            place = words.at(++i);
        else if (word == u"\\o" || word == u"\\t")
            ++i;   // a tooltip or a target frame follows
        else if (!word.startsWith(u'\\') && address.isEmpty())
            address = word;
    }
    if (!place.isEmpty())
        address += u'#' + place;
    return address;
}

QString listMarker(int style, int number, const QString &before, const QString &after)
{
    switch (style) {
    case NoNumber: return {};
    case BulletNumber: return QStringLiteral("\u2022");
    case LowerLetter: return before + letterNumber(number) + after;
    case UpperLetter: return before + letterNumber(number).toUpper() + after;
    case LowerRoman: return before + romanNumber(number) + after;
    case UpperRoman: return before + romanNumber(number).toUpper() + after;
    default: return before + QString::number(number) + after;
    }
}

} // namespace wq::rtf
