#pragma once
// The older hand-written wall format (.frg): lines of text, a "TH:" header
// line per topic, then that topic's entries of three lines each (question,
// answer, picture) up to a line "@".

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace wq {

class cls_Wall;
class cls_WallField;

inline constexpr int MaxLegacyHeaders = 100;
inline constexpr int MaxLegacyEntries = 1001;
inline constexpr int ColumnCount = 4;
inline constexpr int RowCount = 5;
// Largest legacy file that is read.
inline constexpr qint64 MaxLegacyFileSize = qint64(256) << 20;

// The text of a legacy file. Legacy walls are Windows-1252; a file that is
// valid UTF-8 and holds characters beyond ASCII (written by a current editor)
// is read as UTF-8. A line ends with CR LF, a lone CR or a lone LF.
struct LegacyText {
    QStringList lines;
    bool utf8 = false;
};
LegacyText decodeLegacyText(QByteArrayView bytes);
// Throws HostError when the file cannot be read.
LegacyText readLegacyText(const QString &path);

struct LegacyEntry {
    int line = 0; // index of the question line
    QString question;
    QString answer;
    QString picture;
};

struct LegacyBlock {
    int headerLine = -1;   // index of the header line
    QList<LegacyEntry> entries;
    int endLine = -1;      // index of the closing "@", or -1 when the file ended first
    bool cutOff = false;   // the file ended inside an entry
    int cutOffLine = -1;   // index of the question line of that entry
};

// The titles of all header lines, in file order: lines whose first three
// characters are exactly "TH:".
QStringList legacyTitles(const QStringList &lines, QList<int> *headerLines = nullptr);
// The index of the line that starts the block of `title`: the line "TH:" and
// the title, compared in capitals (so "th:" lines count, though legacyTitles
// does not list them); the `occurrence`-th such line when a title repeats;
// -1 when there is none.
int findLegacyHeader(const QStringList &lines, const QString &title, int occurrence);
// The entries after the header line at `headerLine`, up to a line "@".
LegacyBlock readLegacyBlock(const QStringList &lines, int headerLine);
// How many of the columns before `column` carry the same title (in capitals):
// a repeated title takes the next block with that title.
int titleOccurrence(const QStringList &columnTitles, int column);

// Fills a field from one entry: kind, alignment, picture and mode.
void fillFieldFromEntry(cls_WallField &field, const LegacyEntry &entry);

// Reads the bytes of a legacy file into a cleared wall. Throws HostError when
// they do not hold a whole wall; the wall keeps what was read until then.
void readLegacyWall(QByteArrayView bytes, cls_Wall &wall);

} // namespace wq
