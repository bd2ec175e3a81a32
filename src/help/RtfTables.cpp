#include "RtfTables.h"

#include "RtfCodePages.h"

#include <algorithm>
#include <utility>

namespace wq::rtf {

void FontTable::begin(int index)
{
    commit();
    m_newIndex = index;
}

void FontTable::addText(const QString &text)
{
    for (QChar c : text) {
        if (c == u';')
            commit();
        else if (m_new.name.size() < 256)
            m_new.name.append(c);
    }
}

void FontTable::commit()
{
    FontEntry font = std::exchange(m_new, FontEntry());
    const int index = std::exchange(m_newIndex, -1);
    if (index < 0 || (m_fonts.size() >= MaxTableEntries && !m_fonts.contains(index)))
        return;
    font.name = font.name.trimmed();
    const bool namedSymbol = font.name.compare(u"Symbol", Qt::CaseInsensitive) == 0;
    if (namedSymbol && font.codePage == 0)
        font.codePage = SymbolCodePage;   // hand-written files may leave out \fcharset2
    font.symbolFont = namedSymbol && font.codePage == SymbolCodePage;
    m_fonts.insert(index, font);
}

const FontEntry *FontTable::find(int index) const
{
    const auto found = m_fonts.constFind(index);
    return found == m_fonts.constEnd() ? nullptr : &found.value();
}

void ColorTable::addText(const QString &text)
{
    for (QChar c : text) {
        if (c != u';')
            continue;
        const bool given = m_red >= 0 || m_green >= 0 || m_blue >= 0;
        if (m_colors.size() < MaxTableEntries)
            m_colors.append(given ? QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)) : QColor());
        m_red = m_green = m_blue = -1;
    }
}

QColor ColorTable::at(int index) const
{
    return index >= 0 && index < m_colors.size() ? m_colors.at(index) : QColor();
}

} // namespace wq::rtf
