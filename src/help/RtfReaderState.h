#pragma once
// Inside the RTF reader (RtfReader.h): the state a group saves and restores,
// and the Reader that walks the tokens. RtfReader.cpp holds the walk through
// groups and control words, RtfReaderOutput.cpp what goes into the document:
// text, paragraphs, fields, list numbers, pictures and their formats.

#include "RtfCodePages.h"
#include "RtfDocumentBuilder.h"
#include "RtfKeywords.h"
#include "RtfPicture.h"
#include "RtfTables.h"
#include "RtfTokenizer.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <vector>

namespace wq::rtf {

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

inline bool showsText(Destination destination)
{
    return destination == Destination::Body || destination == Destination::ListText;
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

} // namespace wq::rtf
