#include "TextPainting.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>
#include <cmath>

namespace wq {

namespace {
constexpr double MinimumPoints = 6.0;
// Qt's raster engine caches glyphs up to this pixel size and draws larger
// ones as paths, which costs far more.
constexpr int LargestCachedGlyph = 64;

bool fits(const QString &text, const QRect &rect, const QFont &font, Qt::Alignment alignment)
{
    const QRectF needed =
        QFontMetricsF(font).boundingRect(QRectF(rect), int(alignment) | Qt::TextWordWrap, text);
    return needed.width() <= rect.width() + 0.5 && needed.height() <= rect.height() + 0.5;
}
} // namespace

QString displayText(const QString &text)
{
    // Static text breaks lines only at the Unicode line separator.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
    shown.replace(u'\r', QChar::LineSeparator);
    shown.replace(u'\n', QChar::LineSeparator);
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

void PreparedText::layOut(const QString &shown, const QFont &font, double wrapWidth)
{
    if (m_laidOutValid && shown == m_shownText && font == m_shown && wrapWidth == m_wrapWidth)
        return;
    m_shownText = shown;
    m_shown = font;
    m_wrapWidth = wrapWidth;
    m_laidOut = QStaticText(shown);
    m_laidOut.setTextFormat(Qt::PlainText);
    m_laidOut.setTextWidth(wrapWidth);
    QTextOption option(wrapWidth < 0 ? Qt::AlignLeft : m_alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_laidOut.setTextOption(option);
    m_laidOut.prepare(QTransform(), font);
    m_pixelSize = QFontInfo(font).pixelSize();
    m_laidOutValid = true;
}

void PreparedText::prepare(const QString &text, const QRect &rect, const QFont &font, Qt::Alignment alignment,
                           bool shrinkToFit)
{
    const bool sameText = m_laidOutValid && text == m_text && font == m_font && alignment == m_alignment
                          && shrinkToFit == m_shrinkToFit;
    m_text = text;
    m_rect = rect;
    m_font = font;
    m_alignment = alignment;
    m_shrinkToFit = shrinkToFit;
    const QString shown = displayText(text);

    // One line that fitted at full size still fits when only the room changed.
    const bool oneLine = !shown.contains(QChar::LineSeparator);
    const bool fitsAsLaidOut = sameText && oneLine && m_wrapWidth < 0 && m_shown == font
                               && m_laidOut.size().width() <= rect.width()
                               && m_laidOut.size().height() <= rect.height();
    if (!fitsAsLaidOut) {
        const QFont target = shrinkToFit ? fittedFont(shown, rect, font, alignment) : font;
        // A line is wrapped only when it is too wide.
        if (oneLine)
            layOut(shown, target, -1);
        if (!oneLine || m_laidOut.size().width() > rect.width())
            layOut(shown, target, rect.width());
    }

    const QSizeF size = m_laidOut.size();
    double left = rect.left();
    if (m_wrapWidth < 0) {
        if (alignment & Qt::AlignHCenter)
            left += (rect.width() - size.width()) / 2;
        else if (alignment & Qt::AlignRight)
            left += rect.width() - size.width();
    }
    double top = rect.top();
    if (alignment & Qt::AlignVCenter)
        top += (rect.height() - size.height()) / 2;
    else if (alignment & Qt::AlignBottom)
        top += rect.height() - size.height();
    m_origin = QPointF(left, top);
}

void PreparedText::drawText(QPainter &p, QPointF origin, const QColor &fill, const QColor &outline,
                            int outlineWidth) const
{
    p.setFont(m_shown);
    if (outlineWidth > 0 && outline.alpha() > 0) {
        // Four shifted copies draw the outline; the diagonals add nothing visible.
        p.setPen(outline);
        const double w = outlineWidth;
        for (const QPointF shift : {QPointF(-w, 0), QPointF(w, 0), QPointF(0, -w), QPointF(0, w)})
            p.drawStaticText(origin + shift, m_laidOut);
    }
    p.setPen(fill);
    p.drawStaticText(origin, m_laidOut);
}

const PreparedText::Picture &PreparedText::picture(const Look &look) const
{
    for (const Picture &picture : m_pictures)
        if (picture.drawn && picture.look == look)
            return picture;
    Picture &picture = m_pictures[m_nextPicture];
    m_nextPicture = (m_nextPicture + 1) % 2;
    picture = Picture{look, true, QImage(), QPoint()};

    // Room for glyphs that reach beyond their line box, and for the outline.
    const int margin = look.outlineWidth + m_pixelSize / 3 + 2;
    const QSize box = m_laidOut.size().toSize() + QSize(1, 1);
    QImage canvas(box.width() + 2 * margin, box.height() + 2 * margin, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        drawText(p, QPointF(margin, margin), QColor::fromRgba(look.fill), QColor::fromRgba(look.outline),
                 look.outlineWidth);
    }
    // Keep only the part that holds text.
    const int width = canvas.width();
    const int height = canvas.height();
    int top = height, bottom = -1, left = width, right = -1;
    for (int y = 0; y < height; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(canvas.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            top = std::min(top, y);
            bottom = y;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    if (bottom >= 0) {
        const QRect used(QPoint(left, top), QPoint(right, bottom));
        picture.image = canvas.copy(used);
        picture.offset = used.topLeft() - QPoint(margin, margin);
    }
    return picture;
}

void PreparedText::paint(QPainter &p, const QColor &fill, const QColor &outline, int outlineWidth) const
{
    const bool withOutline = outlineWidth > 0 && outline.alpha() > 0;
    // A picture is copied pixel for pixel, so only where the painter lays the
    // widget on whole device pixels without scaling.
    const QTransform device = p.deviceTransform();
    const bool wholePixels = device.type() <= QTransform::TxTranslate && device.dx() == std::floor(device.dx())
                             && device.dy() == std::floor(device.dy());
    if (!wholePixels || (!withOutline && m_pixelSize <= LargestCachedGlyph)) {
        drawText(p, m_origin, fill, outline, withOutline ? outlineWidth : 0);
        return;
    }
    const Look look{m_shownText,
                    m_shown,
                    m_wrapWidth,
                    m_wrapWidth < 0 ? Qt::Alignment() : m_alignment & Qt::AlignHorizontal_Mask,
                    fill.rgba(),
                    withOutline ? outline.rgba() : 0,
                    withOutline ? outlineWidth : 0};
    const Picture &shown = picture(look);
    if (!shown.image.isNull())
        p.drawImage(QPoint(qRound(m_origin.x()), qRound(m_origin.y())) + shown.offset, shown.image);
}

} // namespace wq
