#pragma once
// The font and colour tables at the head of an RTF file.

#include <QColor>
#include <QHash>
#include <QList>
#include <QString>

namespace wq::rtf {

// Entries kept at most in any table the reader builds; real files have a
// few hundred, a damaged one must not fill the memory with them.
constexpr qsizetype MaxTableEntries = 65536;

struct FontEntry {
    QString name;
    int codePage = 0;         // 0: the document's code page
    bool symbolFont = false;  // the font "Symbol", whose characters are mapped to Unicode
};

// {\fonttbl{\f0\fcharset0 Name;}...}: each \fN starts an entry, a semicolon
// ends it; \fcharsetN or \cpgN give the code page of its text.
class FontTable {
public:
    void begin(int index);
    void setCodePage(int codePage) { m_new.codePage = codePage; }
    void addText(const QString &text);
    void commit();
    // The code page of the entry being read, for decoding its name.
    int newEntryCodePage() const { return m_new.codePage; }
    const FontEntry *find(int index) const;

private:
    QHash<int, FontEntry> m_fonts;
    int m_newIndex = -1;
    FontEntry m_new;
};

// {\colortbl;\red255\green0\blue0;...}: each semicolon ends a colour; one
// without values is "automatic", read as no colour.
class ColorTable {
public:
    void setRed(int value) { m_red = value; }
    void setGreen(int value) { m_green = value; }
    void setBlue(int value) { m_blue = value; }
    void addText(const QString &text);
    QColor at(int index) const;

private:
    QList<QColor> m_colors;
    int m_red = -1;
    int m_green = -1;
    int m_blue = -1;
};

} // namespace wq::rtf
