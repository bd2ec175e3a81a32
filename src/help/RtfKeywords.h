#pragma once
// The control words the reader understands, each with what it does. Words
// not listed here are ignored.

#include <QByteArrayView>

namespace wq::rtf {

enum class Action {
    // Text
    Character,          // value: the Unicode character it stands for
    Unicode,            // \uN
    UnicodeSkip,        // \ucN
    Paragraph,
    RowEnd,
    // Character formatting
    Bold, Italic, Underline, UnderlineNone, Strike, Hidden, Caps, SmallCaps,
    VerticalPosition,   // value: 1 super, -1 sub, 0 normal
    Up, Down,
    FontSize, Font, Foreground, Background,
    PlainCharacters,
    // Paragraph formatting
    PlainParagraph,
    Alignment,          // value: a Qt::Alignment
    LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter,
    // Document settings and tables of fonts and colours
    DocumentCodePage,   // value: the code page, or 0 to take the parameter
    DefaultFont, FontCharset, FontCodePage,
    Red, Green, Blue,
    // Groups with a meaning of their own
    SkippedDestination,
    KnownDestination,   // a group whose text is read as it stands
    FontTable, ColorTable,
    Field, FieldInstruction, FieldResult,
    Picture, ListText, Numbering, NumberingBefore, NumberingAfter,
    // Pictures
    PictureFormat,      // value: a PictureFormat
    PictureGoalWidth, PictureGoalHeight, PictureScaleX, PictureScaleY,
    // Old-style list numbering inside {\*\pn ...}
    NumberingStyle,     // value: a NumberStyle
    NumberingStart,
};

enum PictureFormat { NoPicture, PngPicture, JpegPicture };
enum NumberStyle { NoNumber, BulletNumber, DecimalNumber, LowerLetter, UpperLetter, LowerRoman, UpperRoman };

struct Keyword {
    Action action;
    int value = 0;
};

// The meaning of a control word, or nullptr for a word the reader ignores.
const Keyword *findKeyword(QByteArrayView name);

bool isDestination(Action action);

} // namespace wq::rtf
