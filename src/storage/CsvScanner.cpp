#include "CsvScanner.h"

#include "host/TextTools.h"

#include <QStringDecoder>

namespace wq {

QString decodeCsvText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? text::decodeWindows1252(bytes) : text;
}

bool CsvRecord::isBlank() const
{
    for (const QString &cell : cells)
        if (!cell.trimmed().isEmpty())
            return false;
    return strayCell < 0;
}

CsvScanner::Status CsvScanner::next(CsvRecord &record)
{
    const qsizetype n = m_text.size();
    if (m_pos >= n)
        return End;
    record.row = m_line;
    record.cells.clear();
    record.strayCell = -1;
    QString cell;
    qsizetype index = 0;
    const auto endCell = [&] {
        if (index < m_keptCells)
            record.cells.append(cell);
        else if (record.strayCell < 0 && !cell.trimmed().isEmpty())
            record.strayCell = index;
        ++index;
        cell.clear();
    };
    bool cellStart = true;
    while (m_pos < n) {
        const QChar c = m_text[m_pos++];
        if (cellStart && c == u'"') {
            if (!readQuoted(cell)) {
                m_openCell = index;
                return OpenQuote;
            }
            cellStart = false;
        } else if (c == m_separator) {
            endCell();
            cellStart = true;
        } else if (c == u'\r' || c == u'\n') {
            skipLineEnd(c);
            endCell();
            return Read;
        } else {
            // After a closing quote the rest of the cell is taken as it is.
            cell += c;
            cellStart = false;
        }
    }
    endCell();
    return Read;
}

void CsvScanner::skipLineEnd(QChar c)
{
    if (c == u'\r' && m_pos < m_text.size() && m_text[m_pos] == u'\n')
        ++m_pos;
    ++m_line;
}

bool CsvScanner::readQuoted(QString &cell)
{
    const qsizetype n = m_text.size();
    while (m_pos < n) {
        const QChar c = m_text[m_pos++];
        if (c == u'"') {
            if (m_pos < n && m_text[m_pos] == u'"') {
                cell += u'"';
                ++m_pos;
                continue;
            }
            return true;
        }
        if (c == u'\r' || c == u'\n') {
            skipLineEnd(c);
            cell += u'\n';
        } else {
            cell += c;
        }
    }
    return false;
}

} // namespace wq
