#include "PercentBar.h"

#include <QPainter>

namespace wq {

PercentBar::PercentBar(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PercentBar::setValue(double value)
{
    m_value = std::clamp(value, 0.0, 100.0);
    setAccessibleName(QString::number(qRound(m_value)));
    update();
}

void PercentBar::setBarColour(const QColor &colour) { m_bar = colour; update(); }
void PercentBar::setBackColour(const QColor &colour) { m_back = colour; update(); }

void PercentBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, m_back);
    const int filled = qRound(r.width() * m_value / 100.0);
    p.fillRect(QRect(r.left(), r.top(), filled, r.height()), m_bar);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace wq
