#include "RtfReader.h"

#include "RtfCodePages.h"
#include "RtfDocumentBuilder.h"
#include "RtfKeywords.h"
#include "RtfPicture.h"
#include "RtfTables.h"
#include "RtfTextParts.h"
#include "RtfTokenizer.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <algorithm>
#include <utility>
#include <vector>

namespace wq {

namespace {

using namespace rtf;

// Groups nested deeper than this share the state of this level, so a file of
// endless braces costs no more memory than a normal one.
constexpr std::size_t MaxGroupDepth = 1000;
constexpr int MaxTwips = 31680;          // 22 inches, the widest Word page
constexpr int MaxHalfPoints = 3276;      // 1638 pt, Word's largest font

enum class Destination : quint8 {
    Body,              // document text
    ListText,          // the number or bullet written before a list paragraph
    Skip,              // read past, nothing kept
    FontTable,
    ColorTable,
    FieldInstruction,
    Picture,
    Numbering,         // old-style list settings {\*\pn ...}
    NumberingBefore,   // text before the number
    NumberingAfter,    // text after the number
};

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    bool caps = false;
    bool smallCaps = false;
    qint8 vertical = 0;       // 1 superscript, -1 subscript
    int font = -1;            // -1: the document's default font
    int halfPoints = 0;       // 0: the document's default size
    int foreground = -1;      // colour table index; -1: automatic
    int background = -1;
};

struct ParaState {
    int alignment = Qt::AlignLeft;
    int leftIndent = 0;       // all in twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int numbering = -1;       // old-style list settings in force
};

// What a group saves: a closing brace brings back the state of its opening.
struct GroupState {
    CharState chars;
    ParaState para;
    Destination destination = Destination::Body;
    int unicodeSkip = 1;      // characters standing in for each \u value
    int field = -1;           // the field whose parts are being read
    int link = -1;            // the field whose hyperlink this text shows
};

struct Field {
    QString instruction;
    QString target;
    bool targetRead = false;
};

struct Numbering {
    int style = DecimalNumber;
    int next = 1;
    QString before;
    QString after;
};

bool isOn(const Token &token) { return !token.hasParameter || token.parameter != 0; }
int clampTwips(int twips) { return std::clamp(twips, -MaxTwips, MaxTwips); }
double twipsToPixels(int twips) { return twips / 15.0; }   // 1440 twips an inch, 96 pixels an inch

// \uN is a signed 16-bit value; larger ones are read as code points.
char32_t unicodeValue(int value)
{
    if (value < 0)
        value += 65536;
    if (value < 0 || value > 0x10FFFF)
        return QChar::ReplacementCharacter;
    return char32_t(value);
}

bool showsText(Destination destination)
{
    return destination == Destination::Body || destination == Destination::ListText;
}

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

class Reader {
public:
    Reader(QByteArrayView rtf, QTextDocument &document) : m_tokens(rtf), m_builder(document) {}
    void read();

private:
    GroupState &state() { return m_stack.back(); }
    const GroupState &state() const { return m_stack.back(); }

    bool handle(const Token &token, bool ignorable);
    void groupStart();
    bool groupEnd();
    void groupClosed(const GroupState &closed);
    void controlWord(const Token &token, bool ignorable);
    void controlSymbol(char symbol);
    void plainText(QByteArrayView bytes);
    void hexByte(unsigned char byte);
    void binaryData(QByteArrayView bytes);
    bool skipFallback();

    bool applyText(const Keyword &keyword, const Token &token);
    bool applyCharacterFormat(const Keyword &keyword, const Token &token);
    bool applyParagraphFormat(const Keyword &keyword, const Token &token);
    bool applyDocumentSetting(const Keyword &keyword, const Token &token);
    bool applyDestination(const Keyword &keyword);
    bool applyPictureSetting(const Keyword &keyword, const Token &token);
    bool applyNumberingSetting(const Keyword &keyword, const Token &token);
    void setDestination(Destination destination);

    void appendCharacter(char32_t c);
    void decodePendingBytes();
    void flush();
    void deliver(const QString &text);
    void writeText(const QString &text);
    void beginContent();
    void endParagraph();

    void beginField();
    int linkOfField(int field);
    void beginNumbering();
    Numbering *numberingBeingRead();
    void insertPicture();

    int codePage() const;
    const FontEntry *currentFont() const;
    QTextCharFormat charFormat() const;
    static QTextBlockFormat blockFormat(const ParaState &para);

    Tokenizer m_tokens;
    DocumentBuilder m_builder;
    CodePageDecoder m_decoder;

    std::vector<GroupState> m_stack{GroupState()};
    int m_flatGroups = 0;           // groups opened past MaxGroupDepth and not yet closed
    bool m_ignorableNext = false;   // \* came: the next word is a destination to skip if unknown
    int m_skipCount = 0;            // fallback characters still to skip after \u

    QByteArray m_bytes;             // text not yet decoded
    QString m_text;                 // text not yet delivered; both in the current state

    int m_documentCodePage = DefaultCodePage;
    int m_defaultFont = 0;
    FontTable m_fonts;
    ColorTable m_colors;
    std::vector<Field> m_fields;
    std::vector<Numbering> m_numberings;
    Picture m_picture;

    bool m_paragraphHasContent = false;
    bool m_paragraphHasListText = false;
    ParaState m_lastParagraph;      // formats the last paragraph when no \par ends it
};

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

} // namespace

void readRtf(QByteArrayView rtf, QTextDocument &document)
{
    // Only running out of memory can throw here; the document then keeps
    // what was read before.
    try {
        Reader reader(rtf, document);
        reader.read();
    } catch (...) {
    }
}

} // namespace wq
