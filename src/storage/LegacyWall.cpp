#include "LegacyWall.h"

#include "host/FileBytes.h"
#include "host/HostServices.h"
#include "host/TextTools.h"
#include "model/cls_Wall.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace wq {

namespace {
// Lines ended by CR, LF or CR LF, the breaks found by Qt's scan rather than
// character by character here.
QStringList splitLines(const QString &text)
{
    QStringList lines;
    const QStringView view(text);
    qsizetype start = 0;
    qsizetype nextCr = view.indexOf(u'\r');
    qsizetype nextLf = view.indexOf(u'\n');
    while (nextCr >= 0 || nextLf >= 0) {
        const qsizetype end = nextCr < 0 ? nextLf : nextLf < 0 ? nextCr : std::min(nextCr, nextLf);
        lines.append(text.mid(start, end - start));
        start = end + 1;
        if (end == nextCr && nextLf == end + 1)
            ++start; // CR LF is one break
        if (nextCr >= 0 && nextCr < start)
            nextCr = view.indexOf(u'\r', start);
        if (nextLf >= 0 && nextLf < start)
            nextLf = view.indexOf(u'\n', start);
    }
    if (start < view.size())
        lines.append(text.mid(start));
    return lines;
}

// Eight bytes at a time: a wall is mostly ASCII.
bool hasNonAscii(QByteArrayView bytes)
{
    qsizetype i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        quint64 word;
        std::memcpy(&word, bytes.data() + i, 8);
        if (word & 0x8080808080808080ULL)
            return true;
    }
    for (; i < bytes.size(); ++i)
        if (uchar(bytes[i]) >= 0x80)
            return true;
    return false;
}

bool isBlockEnd(const QString &line) { return line == u"@"; }
bool isSkipped(const QString &line)
{
    return line.isEmpty() || line.startsWith(u'/') || line.startsWith(u'-');
}

// The marker word before the first colon, or an empty text.
QString markerOf(const QString &text) { return text::beforeColon(text).toUpper(); }
QString textAfterMarker(const QString &text) { return text::trimBlanks(text::afterColon(text)); }
} // namespace

LegacyText decodeLegacyText(QByteArrayView bytes)
{
    LegacyText result;
    QByteArrayView body = bytes;
    const bool bom = body.startsWith("\xEF\xBB\xBF");
    if (bom)
        body = body.sliced(3);
    if (bom || hasNonAscii(body)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8.decode(body);
        if (!utf8.hasError()) {
            result.utf8 = true;
            result.lines = splitLines(text);
            return result;
        }
    }
    // A byte-order mark in front of Windows-1252 text is dropped all the same:
    // left in, it would hide the first "TH:" line.
    result.lines = splitLines(text::decodeWindows1252(body));
    return result;
}

LegacyText readLegacyText(const QString &path)
{
    return decodeLegacyText(readFileBytes(path, MaxLegacyFileSize));
}

QStringList legacyTitles(const QStringList &lines, QList<int> *headerLines)
{
    QStringList titles;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith(u"TH:"))
            continue;
        titles.append(lines[i].mid(3));
        if (headerLines)
            headerLines->append(i);
    }
    return titles;
}

int findLegacyHeader(const QStringList &lines, const QString &title, int occurrence)
{
    const QString wanted = (QStringLiteral("TH:") + title).toUpper();
    for (int i = 0; i < lines.size(); ++i) {
        // Compared in capitals, so a line "th:Tiere" starts the block of the
        // topic "Tiere" although it is no header in the list of titles.
        if (lines[i].size() >= 3 && lines[i].first(3).compare(u"TH:", Qt::CaseInsensitive) == 0
            && lines[i].toUpper() == wanted && occurrence-- == 0)
            return i;
    }
    return -1;
}

int titleOccurrence(const QStringList &columnTitles, int column)
{
    int occurrence = 0;
    const QString title = columnTitles[column].toUpper();
    for (int c = 0; c < column; ++c)
        if (columnTitles[c].toUpper() == title)
            ++occurrence;
    return occurrence;
}

LegacyBlock readLegacyBlock(const QStringList &lines, int headerLine)
{
    LegacyBlock block;
    block.headerLine = headerLine;
    int i = headerLine + 1;
    while (i < lines.size()) {
        const QString &line = lines[i];
        if (isBlockEnd(line)) {
            block.endLine = i;
            return block;
        }
        if (isSkipped(line)) {
            ++i;
            continue;
        }
        if (i + 2 >= lines.size()) {
            block.cutOff = true;
            block.cutOffLine = i;
            return block;
        }
        block.entries.append({i, line, lines[i + 1], lines[i + 2]});
        i += 3;
    }
    return block;
}

void fillFieldFromEntry(cls_WallField &field, const LegacyEntry &entry)
{
    field.QUESTION = entry.question;
    field.ANSWER = entry.answer;

    const QString &picture = entry.picture;
    if (picture.startsWith(u"A:") || picture.startsWith(u"B:")) {
        field.IMAGENAME = text::trimTrailingBlanks(picture.mid(2));
        field.IMAGEMODE = picture[0] == u'A' ? PictureWithAnswer : PictureWithBoth;
    } else {
        field.IMAGENAME = text::trimBlanks(picture);
        field.IMAGEMODE = PictureWithQuestion;
    }

    if (text::textMatch(field.QUESTION, QStringLiteral("JOKER"), true, true)) {
        field.SORT = KindJoker;
        field.QUESTION.clear();
    } else if (markerOf(field.QUESTION) == u"RISIKO") {
        field.SORT = KindRisk;
        field.QUESTION = textAfterMarker(field.QUESTION);
    } else {
        field.SORT = KindQuestion;
    }

    if (markerOf(field.QUESTION) == u"AL") {
        field.QUESTION = textAfterMarker(field.QUESTION);
        field.TALIGN = AlignQuestionLeft;
    }
    if (markerOf(field.ANSWER) == u"AL") {
        field.ANSWER = textAfterMarker(field.ANSWER);
        field.TALIGN = AlignAnswerLeft;
    }
}

void readLegacyWall(QByteArrayView bytes, cls_Wall &wall)
{
    const LegacyText text = decodeLegacyText(bytes);
    const QStringList titles = legacyTitles(text.lines);
    if (titles.size() > MaxLegacyHeaders)
        throw HostError("legacy wall: too many topic headers");

    QStringList columnTitles;
    StringList &topics = wall.TOPICS();
    topics.clear();
    for (const char *letter : {"A", "B", "C", "D"})
        topics.append(QString::fromLatin1(letter));
    for (int c = 0; c < ColumnCount; ++c) {
        columnTitles.append(titles.value(c));
        topics.set(c + 1, columnTitles[c]);
    }

    for (int c = 0; c < ColumnCount; ++c) {
        const int header = findLegacyHeader(text.lines, columnTitles[c], titleOccurrence(columnTitles, c));
        if (header < 0)
            throw HostError("legacy wall: topic header not found");
        const LegacyBlock block = readLegacyBlock(text.lines, header);
        if (block.entries.size() > MaxLegacyEntries)
            throw HostError("legacy wall: too many entries in a block");
        if (block.cutOff)
            throw HostError("legacy wall: the file ends inside an entry");
        for (int r = 0; r < RowCount; ++r)
            fillFieldFromEntry(wall.Item(c + ColumnCount * r, true), block.entries.value(r));
    }
}

} // namespace wq
