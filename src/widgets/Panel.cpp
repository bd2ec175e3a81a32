#include "Panel.h"

#include "BoardFont.h"
#include "host/Colours.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace wq {

namespace {
// The disabled look of a face: two thirds of the way to its own grey, then a
// quarter of the way to white, so the playing group stands out in full colour
// (in grey schemes too) while the others' dark text stays readable on a light
// face. Each step mixes two valid colours, so the result is always valid.
QColor faded(const QColor &colour)
{
    const int grey = qGray(colour.rgb());
    const auto channel = [grey](int c) { return ((c + 2 * grey) / 3 * 3 + 255) / 4; };
    return QColor(channel(colour.red()), channel(colour.green()), channel(colour.blue()), colour.alpha());
}

// Qt's raster engine hands fills of more than about a hundred lines to its
// thread pool; for a panel the hand-over costs more than the fill, and on a
// busy machine it waits for a free core. Bands of fewer lines stay in this
// thread.
constexpr int BandLines = 64;

template <typename Fill> void inBands(const QRect &r, const Fill &fill)
{
    for (int top = r.top(); top <= r.bottom(); top += BandLines)
        fill(QRect(r.left(), top, r.width(), std::min(BandLines, r.bottom() - top + 1)));
}

void drawBevel(QPainter &p, const QRect &r, bool sunken)
{
    const QColor light(255, 255, 255, 150);
    const QColor dark(0, 0, 0, 150);
    const int w = std::clamp(std::min(r.width(), r.height()) / 40, 1, 3);
    const QColor topLeft = sunken ? dark : light;
    const QColor bottomRight = sunken ? light : dark;
    p.fillRect(r.left(), r.top(), r.width(), w, topLeft);
    inBands(QRect(r.left(), r.top(), w, r.height()), [&](const QRect &band) { p.fillRect(band, topLeft); });
    p.fillRect(r.left(), r.bottom() - w + 1, r.width(), w, bottomRight);
    inBands(QRect(r.right() - w + 1, r.top(), w, r.height()),
            [&](const QRect &band) { p.fillRect(band, bottomRight); });
}
} // namespace

Panel::Panel(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Panel::changed()
{
    update();
}

void Panel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    changed();
}

QColor Panel::backColour2() const
{
    return m_back2.isValid() ? m_back2 : colours::shifted(m_back, 25);
}

void Panel::setBackColour(const QColor &colour) { m_back = colour; changed(); }
void Panel::setBackColour2(const QColor &colour) { m_back2 = colour; changed(); }
void Panel::setTextColour(const QColor &colour) { m_textColour = colour; changed(); }
void Panel::setTextBorderColour(const QColor &colour) { m_textBorder = colour; changed(); }
void Panel::setBorderStyle(int style) { m_borderStyle = style; changed(); }
void Panel::setPanelEnabled(bool enabled) { m_enabled = enabled; changed(); }
void Panel::setFontSize(double points) { m_fontSize = points; changed(); }
void Panel::setBold(bool bold) { m_bold = bold; changed(); }
void Panel::setOutlineWidth(int pixels) { m_outlineWidth = pixels; changed(); }
void Panel::setShrinkToFit(bool shrink) { m_shrinkToFit = shrink; changed(); }
void Panel::setAlignment(Qt::Alignment alignment) { m_alignment = alignment; changed(); }
void Panel::setPressed(bool pressed) { m_pressed = pressed; changed(); }

void Panel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    const bool sunken = m_pressed || m_borderStyle == BorderPressed;
    QColor top = sunken ? m_back : backColour2();
    QColor bottom = sunken ? backColour2() : m_back;
    if (!m_enabled) {
        top = faded(top);
        bottom = faded(bottom);
    }
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0.0, top);
    face.setColorAt(1.0, bottom);
    inBands(r, [&](const QRect &band) { p.fillRect(band, face); });
    drawBevel(p, r, sunken);

    if (m_text.isEmpty())
        return;
    const int inset = std::max(2, std::min(r.width(), r.height()) / 20);
    QRect textRect = r.adjusted(inset, inset, -inset, -inset);
    if (sunken)
        textRect.translate(1, 1);
    const QFont font = boardFont(m_fontSize, m_bold);
    if (!m_prepared.matches(m_text, textRect, font, m_alignment, m_shrinkToFit))
        m_prepared.prepare(m_text, textRect, font, m_alignment, m_shrinkToFit);
    // The text keeps its colour in both looks: it is chosen to be read.
    m_prepared.paint(p, m_textColour, m_textBorder, m_outlineWidth);
}

void Panel::mousePressEvent(QMouseEvent *event)
{
    if (!takesClicks()) {
        event->ignore();
        return;
    }
    m_buttonDown = true;
    const QPoint pos = event->position().toPoint();
    Q_EMIT mouseDown(event->button(), event->modifiers(), pos.x(), pos.y());
}

void Panel::enterEvent(QEnterEvent *event)
{
    if (m_handCursor && !testAttribute(Qt::WA_SetCursor))
        setCursor(Qt::PointingHandCursor);
    QWidget::enterEvent(event);
}

void Panel::mouseReleaseEvent(QMouseEvent *event)
{
    // The release goes to the panel that was pressed, wherever the mouse is now.
    if (!m_buttonDown) {
        event->ignore();
        return;
    }
    m_buttonDown = false;
    const QPoint pos = event->position().toPoint();
    Q_EMIT mouseUp(event->button(), event->modifiers(), pos.x(), pos.y());
    if (rect().contains(pos))
        Q_EMIT clicked();
}

} // namespace wq
