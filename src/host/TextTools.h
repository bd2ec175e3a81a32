#pragma once
// Text and path tools shared by the wall readers, the game and the wall tool.

#include <QByteArrayView>
#include <QString>

namespace wq::text {

// Windows-1252 text: like Latin-1 but for 0x80..0x9F, which hold the euro
// sign, German quotation marks and dashes.
QString decodeWindows1252(QByteArrayView bytes);

// Line breaks typed (CR LF, CR or LF) as the board's line break "|", and the
// board's "|" (and any typed line break) as a line break "\n" again.
QString withBoardBreaks(const QString &typed);
QString withLineBreaks(const QString &board);

// Blanks (spaces and tabs) removed at both ends, or at the end only.
QString trimBlanks(const QString &text);
QString trimTrailingBlanks(const QString &text);

// The part of a text before its first colon; empty when the text has no colon,
// so a text without a colon never reads as a marker.
QString beforeColon(const QString &text);
// The part after the first colon; the whole text when it has none.
QString afterColon(const QString &text);

// True when the text, after leading blanks, begins with the word `pattern`:
// the pattern followed by the end of the text or by a character that is not
// a letter or digit. `ignoreCase` compares without regard to letter case;
// `wordOnly` false accepts the pattern as a plain prefix.
bool textMatch(const QString &text, const QString &pattern, bool ignoreCase, bool wordOnly);

// Path parts; "/" and "\" both separate folders.
QString fileNamePart(const QString &path);
QString extension(const QString &path);          // without the point; empty if none
QString pathWithoutExtension(const QString &path);

// The lenient number reading used for every score text and the stake.
// Blanks, tabs and line feeds are ignored anywhere; then a sign, digits, one
// decimal point and an exponent (E or D) are read up to the first other
// character, or "&H"/"&O" reads a hexadecimal or octal whole number. A text
// without a leading number counts as 0. Results beyond the range of a double
// are held at the largest finite value.
double parseNumber(const QString &text);

// A number as plain decimal text: whole numbers as their digits with a
// leading "-" when negative, no leading blank.
QString formatNumber(double value);
// The same with one leading blank before a non-negative number (" 140").
QString formatNumberSigned(double value);

} // namespace wq::text
