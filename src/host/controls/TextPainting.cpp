#include "TextPainting.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

namespace wq {

namespace {
constexpr double MinimumPoints = 6.0;

bool fits(const QString &text, const QRect &rect, const QFont &font, Qt::Alignment alignment)
{
    const QRectF needed =
        QFontMetricsF(font).boundingRect(QRectF(rect), int(alignment) | Qt::TextWordWrap, text);
    return needed.width() <= rect.width() + 0.5 && needed.height() <= rect.height() + 0.5;
}
} // namespace

QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

QFont fittedFont(const QString &text, const QRect &rect, QFont font, Qt::Alignment alignment)
{
    if (rect.isEmpty() || fits(text, rect, font, alignment))
        return font;
    // Halve the search interval instead of stepping down, so even a text of
    // thousands of characters costs only a few measurements.
    double high = font.pointSizeF();
    double low = MinimumPoints;
    for (int i = 0; i < 8 && high - low > 0.25; ++i) {
        const double middle = (low + high) / 2;
        font.setPointSizeF(middle);
        if (fits(text, rect, font, alignment))
            low = middle;
        else
            high = middle;
    }
    font.setPointSizeF(low);
    return font;
}

bool PreparedText::matches(const QString &text, const QRect &rect, const QFont &font, Qt::Alignment alignment,
                           bool shrinkToFit) const
{
    return text == m_text && rect == m_rect && font == m_font && alignment == m_alignment
           && shrinkToFit == m_shrinkToFit;
}

void PreparedText::prepare(const QString &text, const QRect &rect, const QFont &font, Qt::Alignment alignment,
                           bool shrinkToFit)
{
    m_text = text;
    m_rect = rect;
    m_font = font;
    m_alignment = alignment;
    m_shrinkToFit = shrinkToFit;

    const QString shown = displayText(text);
    m_shown = shrinkToFit ? fittedFont(shown, rect, font, alignment) : font;
    m_laidOut = QStaticText(shown);
    m_laidOut.setTextFormat(Qt::PlainText);
    m_laidOut.setTextWidth(rect.width());
    QTextOption option(alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_laidOut.setTextOption(option);
    m_laidOut.prepare(QTransform(), m_shown);
    const QSizeF size = m_laidOut.size();
    double top = rect.top();
    if (alignment & Qt::AlignVCenter)
        top += (rect.height() - size.height()) / 2;
    else if (alignment & Qt::AlignBottom)
        top += rect.height() - size.height();
    m_origin = QPointF(rect.left(), top);
}

void PreparedText::paint(QPainter &p, const QColor &fill, const QColor &outline, int outlineWidth) const
{
    p.setFont(m_shown);
    if (outlineWidth > 0 && outline.alpha() > 0) {
        // Four shifted copies draw the outline; the diagonals add nothing visible.
        p.setPen(outline);
        const double w = outlineWidth;
        for (const QPointF shift : {QPointF(-w, 0), QPointF(w, 0), QPointF(0, -w), QPointF(0, w)})
            p.drawStaticText(m_origin + shift, m_laidOut);
    }
    p.setPen(fill);
    p.drawStaticText(m_origin, m_laidOut);
}

} // namespace wq
