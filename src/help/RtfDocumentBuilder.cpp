#include "RtfDocumentBuilder.h"

#include <QImage>
#include <QSizeF>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

namespace wq::rtf {

namespace {

// Text as the document can hold it. A surrogate without its partner is no
// character: the damaged \u values that leave one show as the replacement
// character. Line ends given as \u10 or \u13 would split the paragraph and
// become line breaks; other control characters are dropped.
QString displayable(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            result += c;
            result += text.at(++i);
        } else if (c.isSurrogate()) {
            result += QChar::ReplacementCharacter;
        } else if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator) {
            result += QChar::LineSeparator;
        } else if (c.unicode() >= 0x20 || c == u'\t') {
            result += c;
        }
    }
    return result;
}

} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument &document)
    : m_document(document), m_undoWasEnabled(document.isUndoRedoEnabled())
{
    m_document.clear();
    m_document.setUndoRedoEnabled(false);
    m_cursor = QTextCursor(&m_document);
    m_cursor.beginEditBlock();   // lay the document out once, at the end
}

DocumentBuilder::~DocumentBuilder()
{
    if (!m_finished)
        m_cursor.endEditBlock();
    m_document.setUndoRedoEnabled(m_undoWasEnabled);
}

void DocumentBuilder::insertText(const QString &text, const QTextCharFormat &format)
{
    m_cursor.insertText(displayable(text), format);
}

void DocumentBuilder::insertImage(const QImage &image, const QSizeF &size, const QTextCharFormat &format)
{
    const QString name = QStringLiteral("rtf-image-%1").arg(++m_imageCount);
    m_document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat imageFormat;
    imageFormat.merge(format);
    imageFormat.setName(name);
    if (!size.isEmpty()) {
        imageFormat.setWidth(size.width());
        imageFormat.setHeight(size.height());
    }
    m_cursor.insertImage(imageFormat);
}

void DocumentBuilder::endParagraph(const QTextBlockFormat &format)
{
    m_cursor.setBlockFormat(format);
    m_cursor.insertBlock(format);
}

void DocumentBuilder::finish(const QTextBlockFormat &lastFormat)
{
    const QTextBlock last = m_cursor.block();
    if (last.length() > 1)
        m_cursor.setBlockFormat(lastFormat);
    else if (last.previous().isValid())
        m_cursor.deletePreviousChar();   // joins the empty block to the one before
    m_cursor.endEditBlock();
    m_finished = true;
}

} // namespace wq::rtf
