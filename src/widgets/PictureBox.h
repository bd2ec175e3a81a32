#pragma once
// A box that shows a picture. The tag records where the picture came from.

#include <QImage>
#include <QWidget>

namespace wq {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(const QString &name, QWidget *parent = nullptr);
    QString tag() const { return m_tag; }
    void setTag(const QString &tag) { m_tag = tag; }
    QImage picture() const;
    void setPicture(const QImage &picture);
    // Draws the picture into the box as large as it fits; with `keepAspect`
    // its proportions are kept and `frame` outlines it.
    void showFitted(const QImage &picture, const QColor &frame, bool keepAspect);
    // The same for a picture file, read only when the picture is first
    // painted or asked for: a picture that may never be shown costs nothing
    // at start-up.
    void showFittedFile(const QString &path, const QColor &frame, bool keepAspect);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void readPendingFile() const;

    QString m_tag;
    mutable QImage m_picture;
    mutable QString m_pendingFile; // read on first use
    QColor m_frame = Qt::transparent;
    bool m_keepAspect = true;
};

} // namespace wq
