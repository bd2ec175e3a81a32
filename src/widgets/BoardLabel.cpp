#include "BoardLabel.h"

#include "BoardFont.h"

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
void BoardLabel::setBackground(const QColor &colour) { m_background = colour; update(); }

QFont BoardLabel::shownFont() const
{
    const QFont font = boardFont(m_fontSize, m_bold);
    if (!m_prepared.matches(m_text, rect(), font, m_alignment, true))
        m_prepared.prepare(m_text, rect(), font, m_alignment, true);
    return m_prepared.shownFont();
}

void BoardLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (m_background.alpha() > 0) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(m_background);
        p.drawRoundedRect(rect(), 8, 8);
    }
    shownFont();
    m_prepared.paint(p, m_colour, Qt::transparent, 0);
}

} // namespace wq
