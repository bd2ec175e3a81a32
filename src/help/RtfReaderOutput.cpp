#include "RtfReaderState.h"

#include "RtfTextParts.h"

namespace wq::rtf {

namespace {
double twipsToPixels(int twips) { return twips / 15.0; }   // 1440 twips an inch, 96 pixels an inch

// List text in a symbol font such as Wingdings is a bullet of some shape;
// the plain bullet shows on every system.
QString withPlainBullets(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() >= 0xF000 && c.unicode() <= 0xF0FF)
            c = QChar(0x2022);
    }
    return text;
}
} // namespace

void Reader::appendCharacter(char32_t c)
{
    decodePendingBytes();
    if (c < 0x10000) {
        m_text.append(QChar(char16_t(c)));
    } else {
        m_text.append(QChar::highSurrogate(c));
        m_text.append(QChar::lowSurrogate(c));
    }
}

void Reader::decodePendingBytes()
{
    if (m_bytes.isEmpty())
        return;
    m_text.append(m_decoder.decode(m_bytes, codePage()));
    m_bytes.clear();
}

void Reader::flush()
{
    decodePendingBytes();
    if (m_text.isEmpty())
        return;
    deliver(std::exchange(m_text, QString()));
}

void Reader::deliver(const QString &text)
{
    switch (state().destination) {
    case Destination::Body:
    case Destination::ListText:
        writeText(text);
        break;
    case Destination::FontTable:
        m_fonts.addText(text);
        break;
    case Destination::ColorTable:
        m_colors.addText(text);
        break;
    case Destination::FieldInstruction:
        if (state().field >= 0)
            m_fields[state().field].instruction.append(text);
        break;
    case Destination::NumberingBefore:
    case Destination::NumberingAfter:
        if (Numbering *numbering = numberingBeingRead()) {
            QString &part = state().destination == Destination::NumberingBefore ? numbering->before : numbering->after;
            part.append(text.left(32 - part.size()));
        }
        break;
    default:
        break;
    }
}

void Reader::writeText(const QString &text)
{
    if (state().chars.hidden)
        return;
    const FontEntry *font = currentFont();
    QString shown = font && font->symbolFont ? symbolFontText(text) : text;
    if (state().destination == Destination::ListText) {
        shown = withPlainBullets(shown);
        m_paragraphHasListText = true;
    }
    beginContent();
    m_builder.insertText(shown, charFormat());
}

// The first content of a paragraph in an old-style list gets its number,
// unless the file gave the number as list text itself.
void Reader::beginContent()
{
    m_lastParagraph = state().para;
    if (m_paragraphHasContent)
        return;
    m_paragraphHasContent = true;
    const int index = state().para.numbering;
    if (index < 0 || m_paragraphHasListText || state().destination != Destination::Body)
        return;
    const Numbering &numbering = m_numberings[index];
    const QString marker = listMarker(numbering.style, numbering.next, numbering.before, numbering.after);
    if (!marker.isEmpty())
        m_builder.insertText(marker + u'\t', charFormat());
}

void Reader::endParagraph()
{
    const GroupState &current = state();
    if (!showsText(current.destination))
        return;   // a paragraph mark in a font table, field instruction or the like
    if (current.para.numbering >= 0 && m_paragraphHasContent) {
        int &next = m_numberings[current.para.numbering].next;
        next = std::min(next + 1, 1 << 20);
    }
    m_builder.endParagraph(blockFormat(current.para));
    m_paragraphHasContent = false;
    m_paragraphHasListText = false;
}

void Reader::beginField()
{
    if (qsizetype(m_fields.size()) >= MaxTableEntries)
        return;
    m_fields.emplace_back();
    state().field = int(m_fields.size()) - 1;
}

// The field whose result is a hyperlink, or -1.
int Reader::linkOfField(int field)
{
    if (field < 0)
        return -1;
    Field &entry = m_fields[field];
    if (!entry.targetRead) {
        entry.target = hyperlinkTarget(entry.instruction);
        entry.targetRead = true;
    }
    return entry.target.isEmpty() ? -1 : field;
}

void Reader::beginNumbering()
{
    setDestination(Destination::Numbering);
    if (state().destination != Destination::Numbering || qsizetype(m_numberings.size()) >= MaxTableEntries)
        return;
    m_numberings.emplace_back();
    state().para.numbering = int(m_numberings.size()) - 1;
}

Numbering *Reader::numberingBeingRead()
{
    const Destination destination = state().destination;
    const bool inNumbering = destination == Destination::Numbering || destination == Destination::NumberingBefore
        || destination == Destination::NumberingAfter;
    if (!inNumbering || state().para.numbering < 0)
        return nullptr;
    return &m_numberings[state().para.numbering];
}

void Reader::insertPicture()
{
    const Picture picture = std::exchange(m_picture, Picture());
    if (!picture.hasKnownFormat() || !showsText(state().destination) || state().chars.hidden)
        return;
    const QImage image = picture.image();
    if (image.isNull())
        return;
    beginContent();
    m_builder.insertImage(image, picture.shownSize(image), charFormat());
}

int Reader::codePage() const
{
    int page = 0;
    if (state().destination == Destination::FontTable) {
        if (m_fonts.newEntryCodePage() != SymbolCodePage)
            page = m_fonts.newEntryCodePage();   // a font's name is written in its own code page
    } else if (const FontEntry *font = currentFont()) {
        page = font->codePage;
    }
    return page != 0 ? page : m_documentCodePage;
}

const FontEntry *Reader::currentFont() const
{
    return m_fonts.find(state().chars.font >= 0 ? state().chars.font : m_defaultFont);
}

QTextCharFormat Reader::charFormat() const
{
    const CharState &chars = state().chars;
    QTextCharFormat format;
    if (chars.bold)
        format.setFontWeight(QFont::Bold);
    if (chars.italic)
        format.setFontItalic(true);
    if (chars.underline)
        format.setFontUnderline(true);
    if (chars.strike)
        format.setFontStrikeOut(true);
    if (chars.caps)
        format.setFontCapitalization(QFont::AllUppercase);
    else if (chars.smallCaps)
        format.setFontCapitalization(QFont::SmallCaps);
    if (chars.vertical != 0)
        format.setVerticalAlignment(chars.vertical > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignSubScript);
    if (chars.halfPoints > 0)
        format.setFontPointSize(chars.halfPoints / 2.0);
    const FontEntry *font = currentFont();
    if (font && !font->name.isEmpty() && !font->symbolFont)
        format.setFontFamilies({font->name});
    if (const QColor foreground = m_colors.at(chars.foreground); foreground.isValid())
        format.setForeground(foreground);
    if (const QColor background = m_colors.at(chars.background); background.isValid())
        format.setBackground(background);
    if (state().link >= 0) {
        format.setAnchor(true);
        format.setAnchorHref(m_fields[state().link].target);
    }
    return format;
}

QTextBlockFormat Reader::blockFormat(const ParaState &para)
{
    QTextBlockFormat format;
    format.setAlignment(Qt::Alignment(para.alignment));
    format.setLeftMargin(twipsToPixels(para.leftIndent));
    format.setRightMargin(twipsToPixels(para.rightIndent));
    format.setTextIndent(twipsToPixels(para.firstIndent));
    // A hanging indent is a list: the tab after its bullet or number lands
    // where the wrapped lines begin, as word processors do it.
    if (para.firstIndent < 0)
        format.setTabPositions({QTextOption::Tab(twipsToPixels(-para.firstIndent), QTextOption::LeftTab)});
    format.setTopMargin(twipsToPixels(para.spaceBefore));
    format.setBottomMargin(twipsToPixels(para.spaceAfter));
    return format;
}


} // namespace wq::rtf
