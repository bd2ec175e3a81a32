#include "RtfReader.h"

#include "RtfReaderState.h"

#include <algorithm>
#include <utility>

namespace wq {

namespace rtf {

namespace {
bool isOn(const Token &token) { return !token.hasParameter || token.parameter != 0; }
int clampTwips(int twips) { return std::clamp(twips, -MaxTwips, MaxTwips); }

// \uN is a signed 16-bit value; larger ones are read as code points.
char32_t unicodeValue(int value)
{
    if (value < 0)
        value += 65536;
    if (value < 0 || value > 0x10FFFF)
        return QChar::ReplacementCharacter;
    return char32_t(value);
}
} // namespace

void Reader::read()
{
    for (Token token = m_tokens.next(); token.type != Token::End; token = m_tokens.next()) {
        const bool ignorable = std::exchange(m_ignorableNext, false);
        if (!handle(token, ignorable))
            break;
    }
    flush();
    m_builder.finish(blockFormat(m_lastParagraph));
}

// False once the outermost group has closed: what follows it is not part of
// the document.
bool Reader::handle(const Token &token, bool ignorable)
{
    switch (token.type) {
    case Token::GroupStart:
        groupStart();
        return true;
    case Token::GroupEnd:
        return groupEnd();
    case Token::ControlWord:
        controlWord(token, ignorable);
        return true;
    case Token::ControlSymbol:
        controlSymbol(token.symbol);
        return true;
    case Token::HexByte:
        hexByte(token.byte);
        return true;
    case Token::Text:
        plainText(token.text);
        return true;
    case Token::Binary:
        binaryData(token.text);
        return true;
    case Token::End:
        break;
    }
    return false;
}

void Reader::groupStart()
{
    flush();
    m_skipCount = 0;   // a brace ends the fallback of a \u value
    if (m_stack.size() > MaxGroupDepth) {
        ++m_flatGroups;
        return;
    }
    m_stack.push_back(state());
}

bool Reader::groupEnd()
{
    flush();
    m_skipCount = 0;
    if (m_flatGroups > 0) {
        --m_flatGroups;
        return true;
    }
    if (m_stack.size() == 1)
        return true;   // a stray brace before any group opened
    const GroupState closed = m_stack.back();
    m_stack.pop_back();
    groupClosed(closed);
    return m_stack.size() > 1;
}

// Some destinations are complete only when their group closes.
void Reader::groupClosed(const GroupState &closed)
{
    if (closed.destination == Destination::FontTable) {
        m_fonts.commit();   // an entry may lack its closing semicolon
        return;
    }
    if (closed.destination == state().destination)
        return;   // still inside the same destination
    if (closed.destination == Destination::Picture)
        insertPicture();
    else if (closed.destination == Destination::Numbering)
        state().para.numbering = closed.para.numbering;   // \pn sets the paragraph it is in
}

void Reader::controlWord(const Token &token, bool ignorable)
{
    const Keyword *keyword = findKeyword(token.text);
    if (ignorable && (!keyword || !isDestination(keyword->action))) {
        flush();
        setDestination(Destination::Skip);   // \* before a word we don't know as a destination
        return;
    }
    if (!keyword || state().destination == Destination::Skip)
        return;
    if (applyText(*keyword, token))
        return;
    flush();   // the text so far keeps the state it was written in
    applyCharacterFormat(*keyword, token) || applyParagraphFormat(*keyword, token)
        || applyDocumentSetting(*keyword, token) || applyDestination(*keyword)
        || applyPictureSetting(*keyword, token) || applyNumberingSetting(*keyword, token);
}

void Reader::controlSymbol(char symbol)
{
    switch (symbol) {
    case '*':
        m_ignorableNext = true;
        break;
    case '~':
        appendCharacter(0x00A0);   // no-break space
        break;
    case '-':
        appendCharacter(0x00AD);   // soft hyphen
        break;
    case '_':
        appendCharacter(0x2011);   // no-break hyphen
        break;
    case '{':
    case '}':
    case '\\':
        plainText(QByteArrayView(&symbol, 1));   // a byte of text, maybe the second of a pair
        break;
    case '\n':
        flush();
        endParagraph();
        break;
    default:
        break;   // \| \: and unknown symbols carry nothing to show
    }
}

void Reader::plainText(QByteArrayView bytes)
{
    const qsizetype skipped = std::min<qsizetype>(m_skipCount, bytes.size());
    m_skipCount -= int(skipped);
    bytes = bytes.sliced(skipped);
    if (bytes.isEmpty() || state().destination == Destination::Skip)
        return;
    if (state().destination == Destination::Picture)
        m_picture.addHexDigits(bytes);
    else
        m_bytes.append(bytes);
}

void Reader::hexByte(unsigned char byte)
{
    if (skipFallback())
        return;
    const Destination destination = state().destination;
    if (destination != Destination::Skip && destination != Destination::Picture)
        m_bytes.append(char(byte));
}

void Reader::binaryData(QByteArrayView bytes)
{
    if (bytes.isEmpty() || skipFallback())
        return;
    if (state().destination == Destination::Picture)
        m_picture.addBinary(bytes);
}

// After \uN the next N characters only stand in for it in readers without
// Unicode; text, escapes, symbols and \bin data each count as one.
bool Reader::skipFallback()
{
    if (m_skipCount == 0)
        return false;
    --m_skipCount;
    return true;
}

bool Reader::applyText(const Keyword &keyword, const Token &token)
{
    switch (keyword.action) {
    case Action::Character:
        if (!skipFallback())
            appendCharacter(char32_t(keyword.value));
        return true;
    case Action::Unicode:
        appendCharacter(unicodeValue(token.parameter));
        m_skipCount = state().unicodeSkip;   // a new \u also ends the fallback of the one before
        return true;
    default:
        return false;
    }
}

bool Reader::applyCharacterFormat(const Keyword &keyword, const Token &token)
{
    CharState &chars = state().chars;
    switch (keyword.action) {
    case Action::Bold: chars.bold = isOn(token); break;
    case Action::Italic: chars.italic = isOn(token); break;
    case Action::Underline: chars.underline = isOn(token); break;
    case Action::UnderlineNone: chars.underline = false; break;
    case Action::Strike: chars.strike = isOn(token); break;
    case Action::Hidden: chars.hidden = isOn(token); break;
    case Action::Caps: chars.caps = isOn(token); break;
    case Action::SmallCaps: chars.smallCaps = isOn(token); break;
    case Action::VerticalPosition: chars.vertical = qint8(keyword.value); break;
    case Action::Up: chars.vertical = isOn(token) ? 1 : 0; break;
    case Action::Down: chars.vertical = isOn(token) ? -1 : 0; break;
    case Action::FontSize: chars.halfPoints = token.hasParameter ? std::clamp(token.parameter, 0, MaxHalfPoints) : 24; break;
    case Action::Foreground: chars.foreground = token.parameter; break;
    case Action::Background: chars.background = token.parameter; break;
    case Action::PlainCharacters: chars = CharState(); break;
    case Action::Font:
        if (state().destination == Destination::FontTable)
            m_fonts.begin(token.parameter);
        else
            chars.font = token.parameter;
        break;
    default:
        return false;
    }
    return true;
}

bool Reader::applyParagraphFormat(const Keyword &keyword, const Token &token)
{
    ParaState &para = state().para;
    const int twips = clampTwips(token.parameter);
    switch (keyword.action) {
    case Action::Paragraph:
    case Action::RowEnd: endParagraph(); break;
    case Action::PlainParagraph: para = ParaState(); break;
    case Action::Alignment: para.alignment = keyword.value; break;
    case Action::LeftIndent: para.leftIndent = twips; break;
    case Action::RightIndent: para.rightIndent = twips; break;
    case Action::FirstIndent: para.firstIndent = twips; break;
    case Action::SpaceBefore: para.spaceBefore = std::max(twips, 0); break;
    case Action::SpaceAfter: para.spaceAfter = std::max(twips, 0); break;
    default: return false;
    }
    return true;
}

bool Reader::applyDocumentSetting(const Keyword &keyword, const Token &token)
{
    const bool inFontTable = state().destination == Destination::FontTable;
    const bool inColorTable = state().destination == Destination::ColorTable;
    const int colorPart = std::clamp(token.parameter, 0, 255);
    switch (keyword.action) {
    case Action::UnicodeSkip: state().unicodeSkip = token.hasParameter ? std::max(token.parameter, 0) : 1; break;
    case Action::DocumentCodePage: m_documentCodePage = keyword.value ? keyword.value : token.parameter; break;
    case Action::DefaultFont: m_defaultFont = token.parameter; break;
    case Action::FontCharset: if (inFontTable) m_fonts.setCodePage(codePageForCharset(token.parameter)); break;
    case Action::FontCodePage: if (inFontTable) m_fonts.setCodePage(token.parameter); break;
    case Action::Red: if (inColorTable) m_colors.setRed(colorPart); break;
    case Action::Green: if (inColorTable) m_colors.setGreen(colorPart); break;
    case Action::Blue: if (inColorTable) m_colors.setBlue(colorPart); break;
    default: return false;
    }
    return true;
}

bool Reader::applyDestination(const Keyword &keyword)
{
    switch (keyword.action) {
    case Action::SkippedDestination: setDestination(Destination::Skip); break;
    case Action::KnownDestination: break;
    case Action::FontTable: setDestination(Destination::FontTable); break;
    case Action::ColorTable: setDestination(Destination::ColorTable); break;
    case Action::Field: beginField(); break;
    case Action::FieldInstruction: setDestination(Destination::FieldInstruction); break;
    case Action::FieldResult:
        setDestination(Destination::Body);
        if (const int link = linkOfField(state().field); link >= 0)
            state().link = link;   // a field inside a link's result keeps the link
        break;
    case Action::Picture:
        setDestination(Destination::Picture);
        m_picture = Picture();
        break;
    case Action::ListText: setDestination(Destination::ListText); break;
    case Action::Numbering: beginNumbering(); break;
    case Action::NumberingBefore: setDestination(Destination::NumberingBefore); break;
    case Action::NumberingAfter: setDestination(Destination::NumberingAfter); break;
    default: return false;
    }
    return true;
}

bool Reader::applyPictureSetting(const Keyword &keyword, const Token &token)
{
    const int value = std::clamp(token.parameter, 0, 1 << 20);
    switch (keyword.action) {
    case Action::PictureFormat: m_picture.setFormat(keyword.value); break;
    case Action::PictureGoalWidth: m_picture.setGoalWidth(value); break;
    case Action::PictureGoalHeight: m_picture.setGoalHeight(value); break;
    case Action::PictureScaleX: m_picture.setScaleX(value); break;
    case Action::PictureScaleY: m_picture.setScaleY(value); break;
    default: return false;
    }
    return true;
}

bool Reader::applyNumberingSetting(const Keyword &keyword, const Token &token)
{
    Numbering *numbering = numberingBeingRead();
    switch (keyword.action) {
    case Action::NumberingStyle: if (numbering) numbering->style = keyword.value; break;
    case Action::NumberingStart: if (numbering) numbering->next = std::clamp(token.parameter, 0, 1 << 20); break;
    default: return false;
    }
    return true;
}


// A skipped group stays skipped whatever its inner groups say.
void Reader::setDestination(Destination destination)
{
    if (state().destination != Destination::Skip)
        state().destination = destination;
}

} // namespace rtf

void readRtf(QByteArrayView rtf, QTextDocument &document)
{
    // Only running out of memory can throw here; the document then keeps
    // what was read before.
    try {
        rtf::Reader reader(rtf, document);
        reader.read();
    } catch (...) {
    }
}

} // namespace wq
