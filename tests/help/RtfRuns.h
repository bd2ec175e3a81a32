#pragma once
// Helpers of the RTF reader tests (tst_rtfreader, tst_rtffiles): the text a
// document shows, and its formatting as runs of "{style}text".

#include "help/RtfReader.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>

namespace rtftest {

// The text as shown, paragraphs separated by line feeds.
inline QString shownText(const QTextDocument &document) { return document.toRawText().replace(QChar::ParagraphSeparator, u'\n'); }

inline QString readText(QByteArrayView rtf)
{
    QTextDocument document;
    wq::readRtf(rtf, document);
    return shownText(document);
}

// Formatting as words such as "bold" or "color=#ff0000", one of each kind.
using Style = QMap<QString, QString>;
inline void set(Style &style, const QString &word) { style.insert(word.section(u'=', 0, 0), word); }

// Formatting compared character by character without whitespace, as runs of
// "{style}text"; a picture is the character U+FFFC.
struct Runs {
    QStringList list;
    Style last;
    void add(QStringView text, const Style &style)
    {
        for (QChar c : text) {
            if (c.isSpace())
                continue;
            if (list.isEmpty() || style != last)
                list << '{' + style.values().join(u' ') + '}';
            last = style;
            list.last() += c;
        }
    }
};

inline QStringList documentRuns(const QTextDocument &document, bool colorsAndFonts, bool withoutListMarkers = false)
{
    static const QRegularExpression marker(QStringLiteral(R"(^\s*\S{1,6}\t)"));
    Runs runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const qsizetype markerLength = withoutListMarkers ? marker.match(block.text()).capturedLength() : 0;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QString text = it.fragment().text().mid(std::max<qsizetype>(0, markerLength - (it.fragment().position() - block.position())));
            const auto script = f.verticalAlignment();
            const QString family = f.fontFamilies().toStringList().value(0);
            const std::pair<bool, QString> words[] = {{f.fontWeight() >= QFont::Bold, "bold"}, {f.fontItalic(), "italic"},
                {f.fontUnderline(), "underline"}, {f.fontStrikeOut(), "strike"}, {f.fontCapitalization() == QFont::SmallCaps, "smallcaps"},
                {script == QTextCharFormat::AlignSuperScript, "script=super"}, {script == QTextCharFormat::AlignSubScript, "script=sub"},
                {!f.anchorHref().isEmpty(), "href=" + f.anchorHref()},
                {colorsAndFonts && f.hasProperty(QTextFormat::ForegroundBrush), "color=" + f.foreground().color().name()},
                {colorsAndFonts && f.hasProperty(QTextFormat::BackgroundBrush), "background=" + f.background().color().name()},
                {colorsAndFonts && !family.isEmpty(), "family=" + family}};
            Style style;
            for (const auto &[on, word] : words) {
                if (on)
                    set(style, word);
            }
            runs.add(f.fontCapitalization() == QFont::AllUppercase ? text.toUpper() : text, style);
        }
    }
    return runs.list;
}

} // namespace rtftest
