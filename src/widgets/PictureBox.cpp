#include "PictureBox.h"

#include "host/Pictures.h"

#include <QPainter>

namespace wq {

PictureBox::PictureBox(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QImage PictureBox::picture() const
{
    readPendingFile();
    return m_picture;
}

void PictureBox::setPicture(const QImage &picture)
{
    m_pendingFile.clear();
    m_picture = picture;
    update();
}

void PictureBox::showFitted(const QImage &picture, const QColor &frame, bool keepAspect)
{
    m_frame = frame;
    m_keepAspect = keepAspect;
    setPicture(picture);
}

void PictureBox::showFittedFile(const QString &path, const QColor &frame, bool keepAspect)
{
    showFitted(QImage(), frame, keepAspect);
    m_pendingFile = path;
}

void PictureBox::readPendingFile() const
{
    if (m_pendingFile.isEmpty())
        return;
    m_picture = pictures::fromFile(m_pendingFile);
    m_pendingFile.clear();
}

void PictureBox::paintEvent(QPaintEvent *)
{
    readPendingFile();
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
