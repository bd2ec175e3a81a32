#include "BoardLabel.h"

#include "BoardFont.h"
#include "TextPainting.h"

#include <QPainter>

namespace wq {

BoardLabel::BoardLabel(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void BoardLabel::setText(const QString &text)
{
    m_text = text;
    setAccessibleName(text);
    update();
}

void BoardLabel::setTextColour(const QColor &colour) { m_colour = colour; update(); }
void BoardLabel::setAlignment(Qt::Alignment alignment) { m_alignment = alignment; update(); }
void BoardLabel::setFontSize(double points) { m_fontSize = points; update(); }
void BoardLabel::setBold(bool bold) { m_bold = bold; update(); }

QFont BoardLabel::shownFont() const
{
    return fittedFont(displayText(m_text), rect(), boardFont(m_fontSize, m_bold), m_alignment);
}

void BoardLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setFont(shownFont());
    p.setPen(m_colour);
    p.drawText(rect(), int(m_alignment) | Qt::TextWordWrap, displayText(m_text));
}

} // namespace wq
