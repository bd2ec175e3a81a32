#pragma once
// Walls as spreadsheet files (.csv): a header row, then one row per field with
// its topic, points, kind, question, answer, picture and picture mode. Read as
// spreadsheet programs write it; written so that they open it as it is meant.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace wq {

class cls_Wall;

// No wall of twenty fields comes near this, even with its pictures inside.
inline constexpr qint64 MaxWallCsvSize = qint64(64) << 20;

struct CsvResult {
    bool ok = false;
    // Why the file was refused, in German, naming row and column; empty when read.
    QString message;
    // Line in the file where the refused row begins (the header is row 1);
    // 0 when the fault is no single row's, such as a missing field.
    int row = 0;
    // Header name of the refused column ("Punkte"); empty when none.
    QString column;
};

// Reads a wall's four topics and twenty fields from the bytes of a CSV file
// (";", "," or tab between cells; UTF-8 or Windows-1252). On refusal the wall
// is unchanged. A picture mode in a row without a picture is read as "zur
// Frage", as it is written. Title, author and the other descriptive data and the file name
// are not in the file and are never touched.
CsvResult readWallCsv(QByteArrayView bytes, cls_Wall &wall);

// The wall's topics and fields as a CSV file: UTF-8 with byte-order mark, ";"
// between cells, CR LF at the ends of rows. Topic titles are written without
// blanks at their ends, and titles the reader could not tell apart (empty or
// alike) are made distinct, so that the file always reads back.
QByteArray writeWallCsv(cls_Wall &wall);

} // namespace wq
