#pragma once
// Text on the board's panels and labels: line breaks, shrinking to fit,
// and laying out once for many repaints.

#include <QColor>
#include <QFont>
#include <QImage>
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
//
// A text of one line is laid out without regard to the rectangle and only
// placed in it, so a new size of the rectangle costs no new layout. Text that
// Qt would draw slowly on every repaint (with an outline: five times; glyphs
// too large for Qt's glyph cache: as paths) is drawn once into a picture that
// repaints only copy; the picture is placed on whole pixels.
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
    // What the drawn text looks like, wherever it is placed.
    struct Look {
        QString text;
        QFont font;
        double wrapWidth = -1; // -1: one line, not wrapped
        Qt::Alignment alignment;
        QRgb fill = 0;
        QRgb outline = 0;
        int outlineWidth = 0;
        bool operator==(const Look &) const = default;
    };
    struct Picture {
        Look look;
        bool drawn = false;
        QImage image;      // null when the text left no mark
        QPoint offset;     // of the image from the text's top left corner
    };
    void layOut(const QString &shown, const QFont &font, double wrapWidth);
    void drawText(QPainter &p, QPointF origin, const QColor &fill, const QColor &outline, int outlineWidth) const;
    const Picture &picture(const Look &look) const;

    QString m_text;
    QRect m_rect;
    QFont m_font;
    Qt::Alignment m_alignment;
    bool m_shrinkToFit = false;

    QString m_shownText;
    QFont m_shown;
    double m_wrapWidth = -1;  // as in Look
    QStaticText m_laidOut;    // for m_shownText, m_shown and m_wrapWidth
    bool m_laidOutValid = false;
    QPointF m_origin;         // top left corner of the laid-out text in the rectangle
    int m_pixelSize = 0;
    // Two pictures, so a text that blinks between two colours draws neither again.
    mutable Picture m_pictures[2];
    mutable int m_nextPicture = 0;
};

} // namespace wq
