#pragma once
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace wq {

// The text as laid out on screen: a carriage return (with or without a line
// feed) breaks the line.
QString displayText(const QString &text);

// The largest font, at most `font`'s size, with which the wrapped text fits
// into `rect`; never below a readable minimum.
QFont fittedFont(const QString &text, const QRect &rect, QFont font, Qt::Alignment alignment);

// Draws wrapped text with an outline of `outlineWidth` pixels in `outline`.
void paintOutlinedText(QPainter &p, const QRect &rect, const QString &text, QFont font,
                       Qt::Alignment alignment, const QColor &fill, const QColor &outline,
                       int outlineWidth, bool shrinkToFit);

} // namespace wq
