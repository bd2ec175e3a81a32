#pragma once
// Writes text, paragraphs and pictures into a QTextDocument. The document is
// emptied first; undo is off while writing, so a long file keeps no history.

#include <QTextCursor>

class QImage;
class QSizeF;
class QTextDocument;

namespace wq::rtf {

class DocumentBuilder {
public:
    explicit DocumentBuilder(QTextDocument &document);
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder &) = delete;
    DocumentBuilder &operator=(const DocumentBuilder &) = delete;

    void insertText(const QString &text, const QTextCharFormat &format);
    // `size` in pixels; an empty size keeps the picture's own size.
    void insertImage(const QImage &image, const QSizeF &size, const QTextCharFormat &format);
    // Gives the current paragraph its format and starts the next one.
    void endParagraph(const QTextBlockFormat &format);
    // Formats the last paragraph, drops the empty one a final \par leaves.
    void finish(const QTextBlockFormat &lastFormat);

private:
    QTextDocument &m_document;
    QTextCursor m_cursor;
    bool m_undoWasEnabled;
    int m_imageCount = 0;
    bool m_finished = false;
};

} // namespace wq::rtf
