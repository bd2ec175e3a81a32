#pragma once
#include <QColor>
#include <QFont>
#include <QRect>
#include <QStaticText>
#include <QString>

class QPainter;

namespace wq {

// The text as laid out on screen: a carriage return (with or without a line
// feed) breaks the line.
QString displayText(const QString &text);

// The largest font, at most `font`'s size, with which the wrapped text fits
// into `rect`; never below a readable minimum.
QFont fittedFont(const QString &text, const QRect &rect, QFont font, Qt::Alignment alignment);

// Text laid out once for a rectangle, to be drawn as often as needed.
class PreparedText {
public:
    // True when the text was prepared for exactly these inputs.
    bool matches(const QString &text, const QRect &rect, const QFont &font, Qt::Alignment alignment,
                 bool shrinkToFit) const;
    void prepare(const QString &text, const QRect &rect, const QFont &font, Qt::Alignment alignment,
                 bool shrinkToFit);
    // Draws the text, first with an outline of `outlineWidth` pixels.
    void paint(QPainter &p, const QColor &fill, const QColor &outline, int outlineWidth) const;
    QFont shownFont() const { return m_shown; }

private:
    QString m_text;
    QRect m_rect;
    QFont m_font;
    Qt::Alignment m_alignment;
    bool m_shrinkToFit = false;
    QFont m_shown;
    QStaticText m_laidOut;
    QPointF m_origin;
};

} // namespace wq
