#include "PictureBox.h"

#include <QPainter>

namespace wq {

PictureBox::PictureBox(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void PictureBox::showFitted(const QImage &picture, const QColor &frame, bool keepAspect)
{
    m_frame = frame;
    m_keepAspect = keepAspect;
    setPicture(picture);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    QSize size = m_picture.size();
    size.scale(this->size(), m_keepAspect ? Qt::KeepAspectRatio : Qt::IgnoreAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(rect().center());
    p.drawImage(target, m_picture);
    if (m_frame.alpha() > 0) {
        p.setPen(QPen(m_frame, 2));
        p.drawRect(target.adjusted(1, 1, -1, -1));
    }
}

} // namespace wq
