#pragma once
// A label on the board: wrapped text, left-aligned or centred, in a colour of
// its own. Text that does not fit is set smaller until it does.

#include "TextPainting.h"

#include <QColor>
#include <QWidget>

namespace wq {

class BoardLabel : public QWidget {
    Q_OBJECT
public:
    explicit BoardLabel(const QString &name, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    QColor textColour() const { return m_colour; }
    void setTextColour(const QColor &colour);
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    bool isLeftAligned() const { return m_alignment & Qt::AlignLeft; }
    double fontSize() const { return m_fontSize; }
    void setFontSize(double points);
    void setBold(bool bold);
    // A band behind the text, so it stays readable on any panel colour.
    void setBackground(const QColor &colour);
    // The font the text is actually drawn with at the current size.
    QFont shownFont() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
    QColor m_colour = Qt::black;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    double m_fontSize = 12.0;
    bool m_bold = false;
    QColor m_background = Qt::transparent;
    mutable PreparedText m_prepared;
};

} // namespace wq
