#pragma once
// Spreadsheet tables as text: the bytes decoded (UTF-8 with or without a
// byte-order mark, else Windows-1252) and cut into records of cells, with
// quoted cells that hold separators, doubled quotes and line breaks.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace wq {

// UTF-8 (a byte-order mark dropped), or Windows-1252 when the bytes are not UTF-8.
QString decodeCsvText(QByteArrayView bytes);

struct CsvRecord {
    int row = 0; // the line the record begins on, 1-based
    QStringList cells;
    // The first cell beyond the kept ones that is not empty; -1 when none.
    qsizetype strayCell = -1;

    bool isBlank() const;
};

// Cuts the text into records one at a time, so that a file far too long for
// a wall is refused at its first surplus row instead of being read whole.
// Line ends are CR LF, CR or LF; inside quotes they stay, as "\n".
class CsvScanner {
public:
    enum Status { Read, End, OpenQuote };

    CsvScanner(QStringView text, QChar separator) : m_text(text), m_separator(separator) {}
    // Cells beyond this many are not kept; only whether one holds text is.
    void keepCells(qsizetype count) { m_keptCells = count; }
    // The cell whose quote the file never closes, after OpenQuote.
    qsizetype openCell() const { return m_openCell; }
    Status next(CsvRecord &record);

private:
    void skipLineEnd(QChar c);
    // Reads a quoted part after its opening quote; false when the text ends first.
    bool readQuoted(QString &cell);

    QStringView m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
    int m_line = 1;
    qsizetype m_keptCells = 100;
    qsizetype m_openCell = 0;
};

} // namespace wq
