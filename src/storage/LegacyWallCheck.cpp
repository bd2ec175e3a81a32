#include "LegacyWallCheck.h"

#include "host/Pictures.h"
#include "host/TextTools.h"
#include "model/cls_WallField.h"

#include <QDir>

#include <algorithm>
#include <optional>

namespace wq {

namespace {
constexpr int MaxListedIgnored = 10;

class Checker {
public:
    Checker(const LegacyText &text, const QString &imagesFolder) : m_lines(text.lines), m_images(imagesFolder) {}

    QList<CheckFinding> run()
    {
        QList<int> headerLines;
        const QStringList titles = legacyTitles(m_lines, &headerLines);
        checkHeaderSpelling();
        if (titles.size() > MaxLegacyHeaders)
            error(0, QStringLiteral("Die Datei hat %1 Themen-Kopfzeilen; mehr als %2 werden nicht gelesen.")
                         .arg(titles.size()).arg(MaxLegacyHeaders));
        QStringList columnTitles;
        for (int c = 0; c < ColumnCount; ++c)
            columnTitles.append(titles.value(c));
        checkHeaderCount(titles, headerLines, columnTitles);
        checkRepeatedTitles(columnTitles, headerLines);
        for (int c = 0; c < ColumnCount; ++c)
            if (c < titles.size() || columnHeader(columnTitles, c) >= 0)
                checkColumn(columnTitles, c);
        std::stable_sort(m_findings.begin(), m_findings.end(),
                         [](const CheckFinding &a, const CheckFinding &b) { return a.line < b.line; });
        return m_findings;
    }

private:
    void warn(int index, const QString &text) { m_findings.append({CheckFinding::Warning, index + 1, text}); }
    void error(int index, const QString &text) { m_findings.append({CheckFinding::Error, index + 1, text}); }

    static QString quoted(const QString &text)
    {
        constexpr int Shown = 50;
        return u'\'' + (text.size() > Shown ? text.left(Shown) + u'…' : text) + u'\'';
    }

    void checkHeaderSpelling()
    {
        for (int i = 0; i < m_lines.size(); ++i) {
            const QString &line = m_lines[i];
            if (!line.startsWith(u"TH:") && text::trimBlanks(line).toUpper().startsWith(u"TH:"))
                warn(i, QStringLiteral("%1 wird nicht als Themen-Kopfzeile erkannt: sie muss ganz am Zeilenanfang "
                                       "mit 'TH:' in Großbuchstaben beginnen.")
                            .arg(quoted(line)));
        }
    }

    // The line the game reads column `column`'s block from; -1 when none.
    int columnHeader(const QStringList &columnTitles, int column) const
    {
        return findLegacyHeader(m_lines, columnTitles[column], titleOccurrence(columnTitles, column));
    }

    void checkHeaderCount(const QStringList &titles, const QList<int> &headerLines, const QStringList &columnTitles)
    {
        for (int c = int(titles.size()); c < ColumnCount; ++c) {
            // A column without a title looks for a line "TH:" compared in
            // capitals: a line "th:" is taken as its block's start.
            const int stray = columnHeader(columnTitles, c);
            if (stray >= 0)
                warn(stray, QStringLiteral("Spalte %1 hat kein Thema; die Zeile %2 beginnt ihren Block. Eine Wand "
                                           "braucht vier Kopfzeilen 'TH:'.")
                                .arg(c + 1).arg(quoted(m_lines[stray])));
            else if (titles.isEmpty())
                error(-1, QStringLiteral("Keine Themen-Kopfzeile 'TH:' gefunden. Eine Wand braucht vier Themen."));
            else
                error(-1, QStringLiteral("Spalte %1 hat kein Thema: die Datei hat nur %2 Kopfzeilen 'TH:', eine "
                                         "Wand braucht vier.")
                              .arg(c + 1).arg(titles.size()));
            if (titles.isEmpty() && stray < 0)
                return;
        }
        for (qsizetype c = ColumnCount; c < titles.size() && c < MaxLegacyHeaders; ++c)
            warn(headerLines[c], QStringLiteral("Thema %1 ist das %2. Thema; eine Wand zeigt nur die ersten vier.")
                                     .arg(quoted(titles[c]), QString::number(c + 1)));
    }

    void checkRepeatedTitles(const QStringList &columnTitles, const QList<int> &headerLines)
    {
        for (int c = 1; c < ColumnCount && c < headerLines.size(); ++c) {
            if (titleOccurrence(columnTitles, c) == 0)
                continue;
            const int first = int(std::find_if(columnTitles.begin(), columnTitles.end(),
                                               [&](const QString &t) {
                                                   return t.toUpper() == columnTitles[c].toUpper();
                                               }) - columnTitles.begin());
            warn(headerLines[c], QStringLiteral("Das Thema %1 kommt mehrfach vor (auch in Zeile %2). Jede Spalte "
                                                "nimmt den nächsten Block mit diesem Titel; besser sind "
                                                "verschiedene Titel.")
                                     .arg(quoted(columnTitles[c]), QString::number(headerLines[first] + 1)));
        }
    }

    void checkColumn(const QStringList &columnTitles, int column)
    {
        const QString &title = columnTitles[column];
        const int header = findLegacyHeader(m_lines, title, titleOccurrence(columnTitles, column));
        if (header < 0) {
            error(-1, QStringLiteral("Die Kopfzeile für das Thema %1 wird nicht gefunden.").arg(quoted(title)));
            return;
        }
        const LegacyBlock block = readLegacyBlock(m_lines, header);
        if (block.cutOff)
            error(block.cutOffLine, QStringLiteral("Der Eintrag %1 wird vom Dateiende abgeschnitten: nach der "
                                                   "Fragezeile fehlen Antwort- und Bildzeile.")
                                        .arg(quoted(m_lines[block.cutOffLine])));
        if (block.endLine < 0 && !block.cutOff)
            warn(header, QStringLiteral("Der Block von %1 endet nicht mit einer Zeile '@'; er läuft bis zum "
                                        "Dateiende.")
                             .arg(quoted(title)));
        if (block.entries.size() > MaxLegacyEntries)
            error(header, QStringLiteral("Der Block von %1 hat %2 Einträge; mehr als %3 werden nicht gelesen.")
                              .arg(quoted(title), QString::number(block.entries.size()),
                                   QString::number(MaxLegacyEntries)));
        checkEntryCount(block, title);
        for (const LegacyEntry &entry : block.entries)
            if (entry.question.startsWith(u"TH:"))
                warn(entry.line, QStringLiteral("Die Kopfzeile %1 steht im Block von %2 und wird dort als Frage "
                                                "gelesen. Fehlt davor eine Zeile '@'?")
                                     .arg(quoted(entry.question), quoted(title)));
        for (int r = 0; r < std::min<qsizetype>(RowCount, block.entries.size()); ++r)
            checkEntry(block.entries[r]);
    }

    void checkEntryCount(const LegacyBlock &block, const QString &title)
    {
        const qsizetype count = block.entries.size();
        if (count < RowCount) {
            QStringList empty;
            for (qsizetype r = count; r < RowCount; ++r)
                empty.append(QString::number((r + 1) * 20));
            const QString entries = count == 1 ? QStringLiteral("einen Eintrag")
                                                : QStringLiteral("%1 Einträge").arg(count);
            warn(block.headerLine, QStringLiteral("Das Thema %1 hat nur %2; %3 %4 leer.")
                                       .arg(quoted(title), entries,
                                            empty.size() == 1 ? QStringLiteral("das Feld") : QStringLiteral("die Felder"),
                                            empty.join(QStringLiteral(", ")) + (empty.size() == 1 ? " bleibt" : " bleiben")));
        }
        for (qsizetype r = RowCount; r < count && r < RowCount + MaxListedIgnored; ++r)
            warn(block.entries[r].line, QStringLiteral("Der %1. Eintrag von %2 wird nicht gezeigt (eine Spalte hat "
                                                       "fünf Felder): %3.")
                                            .arg(r + 1).arg(quoted(title), quoted(block.entries[r].question)));
        if (count > RowCount + MaxListedIgnored)
            warn(block.entries[RowCount + MaxListedIgnored].line,
                 QStringLiteral("… und %1 weitere Einträge von %2 werden nicht gezeigt.")
                     .arg(count - RowCount - MaxListedIgnored).arg(quoted(title)));
    }

    void checkEntry(const LegacyEntry &entry)
    {
        checkQuestionMarkers(entry);
        checkAnswerMarker(entry);
        checkPicture(entry);
    }

    void checkQuestionMarkers(const LegacyEntry &entry)
    {
        const QString &q = entry.question;
        const int line = entry.line;
        if (text::trimBlanks(q).isEmpty())
            warn(line, QStringLiteral("Die Zeile besteht nur aus Leerzeichen und wird als Frage gelesen."));
        const QString firstWord = leadingWord(text::trimBlanks(q)).toUpper();
        const bool joker = text::textMatch(q, QStringLiteral("JOKER"), true, true);
        if (joker && text::trimBlanks(q).size() > 5)
            warn(line, QStringLiteral("%1 wird ein Joker-Feld; ein Joker hat keine Frage, der Text nach 'JOKER' "
                                      "wird nicht gezeigt.")
                           .arg(quoted(q)));
        if (!joker && isNearMiss(firstWord, QStringLiteral("JOKER")))
            warn(line, QStringLiteral("%1 sieht wie ein vertipptes 'JOKER' aus; das Feld wird eine normale Frage.")
                           .arg(quoted(q)));
        checkMarker(q, QStringLiteral("RISIKO"), QStringLiteral("Risiko"), line);
        const QString rest = text::beforeColon(q).toUpper() == u"RISIKO" ? text::trimBlanks(text::afterColon(q)) : q;
        checkMarker(rest, QStringLiteral("AL"), QStringLiteral("Links-ausrichten"), line);
        if (text::beforeColon(q).toUpper() == u"AL" && text::beforeColon(text::afterColon(q)).trimmed().toUpper() == u"RISIKO")
            warn(line, QStringLiteral("Erst 'AL:', dann 'RISIKO:': in dieser Reihenfolge wird es keine Risiko-Frage. "
                                      "Schreiben Sie 'RISIKO:AL:'."));
        if (text::beforeColon(q).isEmpty() && text::trimBlanks(q).toUpper().startsWith(u"RISIKO"))
            warn(line, QStringLiteral("%1: nach 'RISIKO' fehlt der Doppelpunkt; das Feld wird eine normale Frage.")
                           .arg(quoted(q)));
    }

    void checkAnswerMarker(const LegacyEntry &entry)
    {
        checkMarker(entry.answer, QStringLiteral("AL"), QStringLiteral("Links-ausrichten"), entry.line + 1);
    }

    // A marker written with blanks or a typo is taken for text.
    void checkMarker(const QString &line, const QString &marker, const QString &what, int index)
    {
        const QString before = text::beforeColon(line);
        if (before.isEmpty() || before.toUpper() == marker)
            return;
        const QString cleaned = text::trimBlanks(before).toUpper();
        if (cleaned == marker)
            warn(index, QStringLiteral("%1 sieht wie die %2-Markierung '%3:' aus, wird aber wegen der Leerzeichen "
                                       "nicht erkannt.")
                            .arg(quoted(before + u':'), what, marker));
        else if (marker.size() > 2 && isNearMiss(cleaned, marker))
            warn(index, QStringLiteral("%1 sieht wie ein Tippfehler für '%2:' aus und wird nicht als %3-Markierung "
                                       "erkannt.")
                            .arg(quoted(before + u':'), marker, what));
    }

    void checkPicture(const LegacyEntry &entry)
    {
        const int line = entry.line + 2;
        const QString &picture = entry.picture;
        if (picture.startsWith(u"a:") || picture.startsWith(u"b:"))
            warn(line, QStringLiteral("%1: die Bild-Markierungen 'A:' und 'B:' gelten nur in Großbuchstaben; so "
                                      "wird der ganze Text als Dateiname gelesen.")
                           .arg(quoted(picture)));
        if (looksLikeQuestion(picture))
            warn(line, QStringLiteral("Die Bildzeile %1 sieht wie eine Frage aus. Fehlt im Eintrag davor eine "
                                      "Antwort- oder Bildzeile (auch eine leere Bildzeile muss dastehen)?")
                           .arg(quoted(picture)));
        cls_WallField field;
        fillFieldFromEntry(field, entry);
        if (field.IMAGENAME.isEmpty())
            return;
        if (pictures::isEmbedded(field.IMAGENAME)) {
            if (pictures::fromTextBytes(field.IMAGENAME.utf8()).isNull())
                warn(line, QStringLiteral("Das eingebettete Bild lässt sich nicht lesen; es wird nicht gezeigt."));
        } else if (pictures::findFile(m_images, field.IMAGENAME, &imageFiles()).isEmpty()) {
            warn(line, QStringLiteral("Das Bild %1 fehlt im Bilderordner %2.").arg(quoted(field.IMAGENAME), m_images));
        }
    }

    // The letters, digits and underscores (ASCII, as a regular expression's
    // \w) that the text begins with.
    static QString leadingWord(const QString &text)
    {
        qsizetype n = 0;
        while (n < text.size()) {
            const char16_t c = text[n].unicode();
            if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_'))
                break;
            ++n;
        }
        return text.first(n);
    }

    static bool looksLikeQuestion(const QString &picture)
    {
        const QString trimmed = text::trimBlanks(picture);
        return trimmed.endsWith(u'?') || (trimmed.count(u' ') >= 3 && !trimmed.contains(u'.'));
    }

    // One or two letters off from the marker word, but not the word itself.
    static bool isNearMiss(const QString &word, const QString &marker)
    {
        if (word == marker || word.size() < 3)
            return false;
        return editDistance(word, marker) <= (marker.size() > 5 ? 2 : 1);
    }

    static int editDistance(const QString &a, const QString &b)
    {
        if (std::abs(a.size() - b.size()) > 2)
            return 3;
        QList<int> row(b.size() + 1);
        for (qsizetype j = 0; j <= b.size(); ++j)
            row[j] = int(j);
        for (qsizetype i = 1; i <= a.size(); ++i) {
            int diagonal = row[0];
            row[0] = int(i);
            for (qsizetype j = 1; j <= b.size(); ++j) {
                const int above = row[j];
                row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
                diagonal = above;
            }
        }
        return row[b.size()];
    }

    // The images folder's files, listed once for all the pictures.
    const QStringList &imageFiles()
    {
        if (!m_imageFiles)
            m_imageFiles = QDir(m_images).entryList(QDir::Files);
        return *m_imageFiles;
    }

    const QStringList &m_lines;
    const QString m_images;
    std::optional<QStringList> m_imageFiles;
    QList<CheckFinding> m_findings;
};
} // namespace

QList<CheckFinding> checkLegacyWall(const LegacyText &text, const QString &imagesFolder)
{
    return Checker(text, imagesFolder).run();
}

QString describeFinding(const CheckFinding &finding)
{
    const QString kind = finding.severity == CheckFinding::Error ? QStringLiteral("Fehler") : QStringLiteral("Warnung");
    if (finding.line <= 0)
        return kind + QStringLiteral(": ") + finding.text;
    return QStringLiteral("Zeile %1: %2: %3").arg(finding.line).arg(kind, finding.text);
}

} // namespace wq
