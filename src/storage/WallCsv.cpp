#include "WallCsv.h"

#include "CsvScanner.h"
#include "LegacyWall.h"
#include "host/TextTools.h"
#include "model/FieldWords.h"
#include "model/cls_Wall.h"

#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <array>

namespace wq {

namespace {
enum Column { Topic, Points, Kind, Question, Answer, Picture, Mode, ColumnKinds };
constexpr const char16_t *ColumnNames[ColumnKinds] = {u"Thema", u"Punkte", u"Art", u"Frage",
                                                      u"Antwort", u"Bild", u"Bildmodus"};
constexpr bool Required[ColumnKinds] = {true, true, false, true, true, false, false};
// A header wider than this is no wall's, and no row is kept wider than its header.
constexpr qsizetype MaxHeaderCells = 100;
constexpr char16_t Separators[] = {u';', u',', u'\t'};
// A real header row is far shorter; the separator is looked for only here.
constexpr qsizetype HeaderSearchLength = 64 * 1024;

QString columnName(int column) { return QString::fromUtf16(ColumnNames[column]); }
// A name quoted the German way.
QString quoted(const QString &name) { return u'„' + name + u'“'; }
QString quotedList(const QStringList &names)
{
    QStringList list;
    for (const QString &name : names)
        list.append(quoted(name));
    return list.join(QStringLiteral(", "));
}

bool sameWord(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

int knownColumn(const QString &headerCell)
{
    const QString name = headerCell.trimmed();
    for (int column = 0; column < ColumnKinds; ++column)
        if (sameWord(name, columnName(column)))
            return column;
    return -1;
}

// The separator that splits the header (the first row that is not blank) into
// the most known column names; ";" when none does.
QChar findSeparator(QStringView text)
{
    text = text.first(std::min(text.size(), HeaderSearchLength));
    QChar best = u';';
    int bestCount = 0;
    for (char16_t separator : Separators) {
        CsvScanner scanner(text, separator);
        CsvRecord header;
        while (scanner.next(header) == CsvScanner::Read && header.isBlank()) {
        }
        int count = 0;
        for (const QString &cell : header.cells)
            count += knownColumn(cell) >= 0;
        if (count > bestCount) {
            best = separator;
            bestCount = count;
        }
    }
    return best;
}

CsvResult refuse(int row, const QString &column, const QString &what)
{
    QString where;
    if (row > 0 && !column.isEmpty())
        where = QStringLiteral("Zeile %1, Spalte %2: ").arg(QString::number(row), quoted(column));
    else if (row > 0)
        where = QStringLiteral("Zeile %1: ").arg(row);
    return {false, where + what, row, column};
}

struct FieldDraft {
    QString question;
    QString answer;
    QString picture;
    qint32 mode = PictureWithQuestion;
    qint32 kind = KindQuestion;
    int row = 0; // the row it came from; 0 while none did
};

struct WallDraft {
    QStringList topics;
    std::array<FieldDraft, cls_Wall::FieldCount> fields;
};

// An empty cell stands for the first word: a question, a picture with it.
bool readWord(const WordChoices &words, const QString &cell, qint32 &value)
{
    const std::optional<int> read = cell.trimmed().isEmpty() ? words.first().second : valueOf(words, cell);
    if (read)
        value = *read;
    return read.has_value();
}

// 20, 40, 60, 80 or 100 as digits; 0 for anything else.
int readPoints(const QString &cell)
{
    const QString digits = cell.trimmed();
    if (digits.isEmpty() || digits.size() > 3)
        return 0;
    for (QChar c : digits)
        if (c < u'0' || c > u'9')
            return 0;
    const int points = digits.toInt();
    return points >= 20 && points <= 100 && points % 20 == 0 ? points : 0;
}

// Places one row of the file in the draft.
CsvResult placeRow(const CsvRecord &record, const std::array<qsizetype, ColumnKinds> &columnAt, WallDraft &draft)
{
    const auto cell = [&](Column column) {
        return columnAt[column] < 0 ? QString() : record.cells.value(columnAt[column]);
    };
    const int row = record.row;
    if (record.strayCell >= 0)
        return refuse(row, {}, QStringLiteral("In Zelle %1 steht etwas, aber die Kopfzeile hat nur %2 Spalten. "
                                              "Steht ein Trennzeichen ohne Anführungszeichen in einem Text?")
                                   .arg(QString::number(record.strayCell + 1), QString::number(record.cells.size())));

    const QString topic = cell(Topic).trimmed();
    if (topic.isEmpty())
        return refuse(row, columnName(Topic), QStringLiteral("Das Thema fehlt."));
    qsizetype column = draft.topics.indexOf(topic);
    if (column < 0) {
        if (draft.topics.size() == ColumnCount)
            return refuse(row, columnName(Topic),
                          QStringLiteral("%1 wäre ein fünftes Thema; eine Wand hat nur vier: %2.")
                              .arg(quoted(topic), quotedList(draft.topics)));
        column = draft.topics.size();
        draft.topics.append(topic);
    }

    const int points = readPoints(cell(Points));
    if (points == 0) {
        const QString given = cell(Points).trimmed();
        return refuse(row, columnName(Points),
                      (given.isEmpty() ? QStringLiteral("Die Punkte fehlen")
                                       : QStringLiteral("%1 ist kein Punktwert").arg(quoted(given)))
                          + QStringLiteral("; erlaubt sind 20, 40, 60, 80 und 100."));
    }
    FieldDraft &field = draft.fields[size_t((points / 20 - 1) * ColumnCount + column)];
    if (field.row != 0)
        return refuse(row, columnName(Points),
                      QStringLiteral("%1 mit %2 Punkten steht schon in Zeile %3.")
                          .arg(quoted(topic), QString::number(points), QString::number(field.row)));

    if (!readWord(kindWords(), cell(Kind), field.kind))
        return refuse(row, columnName(Kind), QStringLiteral("%1 ist keine Art; erlaubt sind Frage, Risiko und Joker.")
                                                 .arg(quoted(cell(Kind).trimmed())));
    if (!readWord(pictureModeWords(), cell(Mode), field.mode))
        return refuse(row, columnName(Mode),
                      QStringLiteral("%1 ist kein Bildmodus; erlaubt sind „zur Frage“, „zur Antwort“ "
                                     "und „zu beiden“.").arg(quoted(cell(Mode).trimmed())));
    field.question = text::withBoardBreaks(cell(Question));
    field.answer = text::withBoardBreaks(cell(Answer));
    field.picture = cell(Picture);
    // Without a picture the mode means nothing, and it is not written back.
    if (field.picture.isEmpty())
        field.mode = PictureWithQuestion;
    field.row = row;
    return {true, {}, 0, {}};
}

// A full wall: four topics, each with all five points.
CsvResult checkComplete(const WallDraft &draft)
{
    if (draft.topics.isEmpty())
        return refuse(0, {}, QStringLiteral("Unter der Kopfzeile steht keine Zeile; eine Wand braucht 20."));
    if (draft.topics.size() < ColumnCount)
        return refuse(0, columnName(Topic), QStringLiteral("Eine Wand hat vier Themen, die Datei nur %1: %2.")
                                                .arg(QString::number(draft.topics.size()), quotedList(draft.topics)));
    for (int column = 0; column < ColumnCount; ++column)
        for (int r = 0; r < RowCount; ++r)
            if (draft.fields[size_t(r * ColumnCount + column)].row == 0)
                return refuse(0, columnName(Points), QStringLiteral("Zu %1 fehlt die Zeile mit %2 Punkten.")
                                                         .arg(quoted(draft.topics[column]),
                                                              QString::number((r + 1) * 20)));
    return {true, {}, 0, {}};
}

void fillWall(const WallDraft &draft, cls_Wall &wall)
{
    // CLEAR gives twenty fresh fields; the file name is the caller's to keep.
    const QString fileName = wall.FILENAME;
    wall.CLEAR();
    wall.FILENAME = fileName;
    for (int column = 0; column < ColumnCount; ++column)
        wall.TOPICS().set(column + 1, draft.topics[column]);
    for (int index = 0; index < cls_Wall::FieldCount; ++index) {
        const FieldDraft &from = draft.fields[size_t(index)];
        cls_WallField &field = wall.Item(index, true);
        field.QUESTION = from.question;
        field.ANSWER = from.answer;
        field.IMAGENAME = from.picture;
        field.IMAGEMODE = from.mode;
        field.SORT = from.kind;
    }
}

// Writing -----------------------------------------------------------------

QString csvCell(const QString &text)
{
    const bool blankEnd = !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
    if (!blankEnd && !text.contains(u';') && !text.contains(u'"') && !text.contains(u'\n') && !text.contains(u'\r'))
        return text;
    QString cell = text;
    cell.replace(u'"', QStringLiteral("\"\""));
    return u'"' + cell + u'"';
}

QStringList csvTopics(cls_Wall &wall)
{
    QStringList titles;
    const StringList &topics = wall.TOPICS();
    for (int column = 1; column <= ColumnCount; ++column) {
        QString base = column <= topics.count() ? topics.at(column).trimmed() : QString();
        if (base.isEmpty())
            base = QStringLiteral("Thema %1").arg(column);
        QString title = base;
        for (int n = 2; titles.contains(title); ++n)
            title = QStringLiteral("%1 (%2)").arg(base, QString::number(n));
        titles.append(title);
    }
    return titles;
}
} // namespace

CsvResult readWallCsv(QByteArrayView bytes, cls_Wall &wall)
{
    if (bytes.size() > MaxWallCsvSize)
        return refuse(0, {}, QStringLiteral("Die Datei ist zu groß für eine Wand (mehr als 64 MB)."));
    const QString text = decodeCsvText(bytes);
    CsvScanner scanner(text, findSeparator(text));
    std::array<qsizetype, ColumnKinds> columnAt;
    columnAt.fill(-1);
    const auto openQuote = [&](int row) {
        QString column;
        for (int kind = 0; kind < ColumnKinds; ++kind)
            if (columnAt[kind] == scanner.openCell())
                column = columnName(kind);
        return refuse(row, column,
                      QStringLiteral("Ein Anführungszeichen wird bis zum Ende der Datei nicht geschlossen."));
    };

    CsvRecord record;
    CsvScanner::Status status;
    while ((status = scanner.next(record)) == CsvScanner::Read && record.isBlank()) {
    }
    if (status == CsvScanner::End)
        return refuse(0, {}, QStringLiteral("Die Datei ist leer."));
    if (status == CsvScanner::OpenQuote)
        return openQuote(record.row);
    if (record.strayCell >= 0)
        return refuse(record.row, {},
                      QStringLiteral("Die Kopfzeile hat mehr als %1 Spalten.").arg(MaxHeaderCells));
    for (qsizetype i = 0; i < record.cells.size(); ++i) {
        const int column = knownColumn(record.cells[i]);
        if (column < 0)
            continue; // a column of the user's own, such as notes
        if (columnAt[column] >= 0)
            return refuse(record.row, columnName(column), QStringLiteral("Die Spalte steht zweimal in der Kopfzeile."));
        columnAt[column] = i;
    }
    for (int column = 0; column < ColumnKinds; ++column)
        if (Required[column] && columnAt[column] < 0)
            return refuse(record.row, columnName(column), QStringLiteral("Die Spalte fehlt in der Kopfzeile."));
    scanner.keepCells(record.cells.size());

    WallDraft draft;
    while ((status = scanner.next(record)) == CsvScanner::Read) {
        if (record.isBlank())
            continue;
        const CsvResult placed = placeRow(record, columnAt, draft);
        if (!placed.ok)
            return placed;
    }
    if (status == CsvScanner::OpenQuote)
        return openQuote(record.row);
    const CsvResult complete = checkComplete(draft);
    if (complete.ok)
        fillWall(draft, wall);
    return complete;
}

QByteArray writeWallCsv(cls_Wall &wall)
{
    QString csv = QStringLiteral("\uFEFFThema;Punkte;Art;Frage;Antwort;Bild;Bildmodus\r\n");
    const QStringList topics = csvTopics(wall);
    for (int column = 0; column < ColumnCount; ++column) {
        for (int r = 0; r < RowCount; ++r) {
            const cls_WallField &field = wall.Item(r * ColumnCount + column, true);
            const QStringList cells = {
                csvCell(topics[column]),
                QString::number((r + 1) * 20),
                wordOf(kindWords(), field.SORT, KindQuestion),
                csvCell(text::withLineBreaks(field.QUESTION)),
                csvCell(text::withLineBreaks(field.ANSWER)),
                csvCell(field.IMAGENAME),
                field.IMAGENAME.isEmpty() ? QString() : wordOf(pictureModeWords(), field.IMAGEMODE, PictureWithBoth),
            };
            csv += cells.join(u';') + QStringLiteral("\r\n");
        }
    }
    return csv.toUtf8();
}

} // namespace wq
