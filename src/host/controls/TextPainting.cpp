#include "TextPainting.h"

#include <QFontMetricsF>
#include <QPainter>

namespace wq {

namespace {
constexpr double MinimumPoints = 6.0;
constexpr int Flags = Qt::TextWordWrap;

bool fits(const QString &text, const QRect &rect, const QFont &font, Qt::Alignment alignment)
{
    const QRectF needed = QFontMetricsF(font).boundingRect(QRectF(rect), int(alignment) | Flags, text);
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
    if (rect.isEmpty())
        return font;
    // Halve the search interval instead of stepping down, so even a text of
    // thousands of characters costs only a few measurements.
    double high = font.pointSizeF();
    if (fits(text, rect, font, alignment))
        return font;
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

void paintOutlinedText(QPainter &p, const QRect &rect, const QString &text, QFont font,
                       Qt::Alignment alignment, const QColor &fill, const QColor &outline,
                       int outlineWidth, bool shrinkToFit)
{
    const QString shown = displayText(text);
    if (shrinkToFit)
        font = fittedFont(shown, rect, font, alignment);
    p.setFont(font);
    const int flags = int(alignment) | Flags;
    if (outlineWidth > 0 && outline.alpha() > 0) {
        p.setPen(outline);
        for (int dx = -outlineWidth; dx <= outlineWidth; ++dx)
            for (int dy = -outlineWidth; dy <= outlineWidth; ++dy)
                if (dx || dy)
                    p.drawText(rect.translated(dx, dy), flags, shown);
    }
    p.setPen(fill);
    p.drawText(rect, flags, shown);
}

} // namespace wq
