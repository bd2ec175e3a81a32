#pragma once
// Reads Rich Text Format (RTF) into a QTextDocument, for the help window.
//
// Read: paragraphs, line breaks, tabs; bold, italic, underline, strike,
// super- and subscript, hidden text, capitals; font names and sizes; text
// and background colours; alignment, indents and paragraph spacing; list
// numbers and bullets; hyperlinks; PNG and JPEG pictures; text in Windows
// code pages (single- and double-byte) and as \u Unicode values. Tables come
// out as one paragraph per row with the cells separated by tabs. Headers,
// footers, footnotes, comments, document information and objects the reader
// cannot show are left out.

#include <QByteArrayView>

class QTextDocument;

namespace wq {

// Reads RTF into the document (replacing its content). Never throws, never hangs;
// a damaged file gives whatever could be read.
void readRtf(QByteArrayView rtf, QTextDocument &document);

} // namespace wq
