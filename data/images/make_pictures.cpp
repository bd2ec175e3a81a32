// Draws every picture the supplied walls use, and the joker picture.
//
//   make_pictures IMAGES_DIR JOKER_FILE [NAME...]
//
// With NAMEs given, they must be exactly the pictures drawn here; the build
// passes its own list so a picture missing on either side fails the build.
// All drawings are bold and high-contrast because they are shown on a
// projector, and each has its own background because the question panel
// behind it is blue.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSet>
#include <QStringList>
#include <QTransform>
#include <QtMath>

#include <cstdio>

namespace {

constexpr int W = 800;
constexpr int H = 600;

QImage newImage(int w, int h, const QColor &background)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    return image;
}

void startPainter(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont sansFont(qreal pixels, bool bold = true)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(pixels));
    font.setBold(bold);
    return font;
}

QPen roundPen(const QColor &colour, qreal width)
{
    QPen pen(colour, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void fillVertical(QPainter &p, const QRectF &rect, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(rect, g);
}

void drawText(QPainter &p, const QRectF &rect, const QString &text, qreal pixels,
              const QColor &colour, int flags = Qt::AlignCenter, bool bold = true)
{
    p.setFont(sansFont(pixels, bold));
    p.setPen(colour);
    p.drawText(rect, flags, text);
}

QPointF onCircle(const QPointF &centre, qreal radius, qreal degreesFromTop)
{
    const qreal a = qDegreesToRadians(degreesFromTop);
    return centre + QPointF(radius * qSin(a), -radius * qCos(a));
}

// A filled arrow from 'from' to the tip 'to', with a contrasting outline so it
// stands out on any background.
void drawArrow(QPainter &p, QPointF from, QPointF to, qreal shaft, const QColor &fill,
               const QColor &outline)
{
    const QLineF line(from, to);
    const qreal len = line.length();
    const qreal head = shaft * 2.6;
    const qreal headLen = shaft * 2.8;
    QPainterPath arrow;
    arrow.moveTo(0, -shaft / 2);
    arrow.lineTo(len - headLen, -shaft / 2);
    arrow.lineTo(len - headLen, -head / 2);
    arrow.lineTo(len, 0);
    arrow.lineTo(len - headLen, head / 2);
    arrow.lineTo(len - headLen, shaft / 2);
    arrow.lineTo(0, shaft / 2);
    arrow.closeSubpath();
    p.save();
    p.translate(from);
    p.rotate(-line.angle());
    p.setPen(roundPen(outline, 5));
    p.setBrush(fill);
    p.drawPath(arrow);
    p.restore();
}

// Small deterministic generator: the pictures must come out the same on every build.
struct Lcg {
    quint32 state;
    quint32 next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    qreal unit() { return (next() & 0xFFFF) / 65535.0; }
};

// ---------------------------------------------------------------- flags

// A flag of the given height:width ratio, centred with a shadow and an outline
// so white parts stay visible.
template <typename Paint>
QImage flagPicture(qreal heightPerWidth, Paint paintFlag)
{
    QImage image = newImage(W, H, Qt::white);
    QPainter p(&image);
    startPainter(p);
    fillVertical(p, QRectF(0, 0, W, H), QColor(0x5b, 0x6f, 0x86), QColor(0x2f, 0x3b, 0x4c));
    qreal w = 680;
    qreal h = w * heightPerWidth;
    if (h > 480) {
        h = 480;
        w = h / heightPerWidth;
    }
    const QRectF flag((W - w) / 2, (H - h) / 2, w, h);
    p.fillRect(flag.translated(12, 12), QColor(0, 0, 0, 90));
    p.save();
    p.setClipRect(flag);
    p.setPen(Qt::NoPen);
    paintFlag(p, flag);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x1a, 0x1a, 0x1a), 3));
    p.drawRect(flag);
    return image;
}

QImage flagJapan()
{
    // 2:3, disc of 3/5 of the height in the centre.
    return flagPicture(2.0 / 3.0, [](QPainter &p, const QRectF &r) {
        p.fillRect(r, Qt::white);
        p.setBrush(QColor(0xbc, 0x00, 0x2d));
        const qreal radius = r.height() * 0.3;
        p.drawEllipse(r.center(), radius, radius);
    });
}

QImage flagSweden()
{
    // 10:16; cross 2 units wide, fields 5|2|9 across and 4|2|4 down.
    return flagPicture(10.0 / 16.0, [](QPainter &p, const QRectF &r) {
        p.fillRect(r, QColor(0x00, 0x6a, 0xa7));
        const QColor yellow(0xfe, 0xcc, 0x02);
        const qreal ux = r.width() / 16, uy = r.height() / 10;
        p.fillRect(QRectF(r.left() + 5 * ux, r.top(), 2 * ux, r.height()), yellow);
        p.fillRect(QRectF(r.left(), r.top() + 4 * uy, r.width(), 2 * uy), yellow);
    });
}

QImage flagAustria()
{
    return flagPicture(2.0 / 3.0, [](QPainter &p, const QRectF &r) {
        const QColor red(0xc8, 0x10, 0x2e);
        const qreal third = r.height() / 3;
        p.fillRect(QRectF(r.left(), r.top(), r.width(), third), red);
        p.fillRect(QRectF(r.left(), r.top() + third, r.width(), third), Qt::white);
        p.fillRect(QRectF(r.left(), r.top() + 2 * third, r.width(), r.height() - 2 * third), red);
    });
}

QImage flagGreece()
{
    // 2:3, nine stripes starting and ending blue; the canton is 5 stripes
    // square with a white cross one stripe wide in its middle.
    return flagPicture(2.0 / 3.0, [](QPainter &p, const QRectF &r) {
        const QColor blue(0x0d, 0x5e, 0xaf);
        const qreal u = r.height() / 9;
        for (int i = 0; i < 9; ++i)
            p.fillRect(QRectF(r.left(), r.top() + i * u, r.width(), u + 0.5), i % 2 ? Qt::white : blue);
        p.fillRect(QRectF(r.left(), r.top(), 5 * u, 5 * u), blue);
        p.fillRect(QRectF(r.left(), r.top() + 2 * u, 5 * u, u), Qt::white);
        p.fillRect(QRectF(r.left() + 2 * u, r.top(), u, 5 * u), Qt::white);
    });
}

// ---------------------------------------------------------------- Allgemeinwissen

QImage clockFace()
{
    // Shows 9:15.
    QImage image = newImage(W, H, QColor(0xfd, 0xf0, 0xd5));
    QPainter p(&image);
    startPainter(p);
    const QPointF c(400, 300);
    const qreal r = 270;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(c + QPointF(8, 8), r, r);
    p.setBrush(QColor(0x8c, 0x1c, 0x13));
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r - 22, r - 22);

    for (int i = 0; i < 60; ++i) {
        const bool hour = i % 5 == 0;
        p.setPen(roundPen(QColor(0x1a, 0x1a, 0x1a), hour ? 10 : 4));
        p.drawLine(onCircle(c, r - 34, i * 6), onCircle(c, r - (hour ? 70 : 50), i * 6));
    }
    p.setFont(sansFont(52));
    p.setPen(QColor(0x1a, 0x1a, 0x1a));
    for (int h = 1; h <= 12; ++h) {
        const QPointF at = onCircle(c, r - 112, h * 30);
        p.drawText(QRectF(at.x() - 50, at.y() - 36, 100, 72), Qt::AlignCenter, QString::number(h));
    }
    const qreal hourAngle = (9 + 15 / 60.0) * 30;
    const qreal minuteAngle = 15 * 6;
    p.setPen(roundPen(QColor(0x10, 0x10, 0x10), 22));
    p.drawLine(onCircle(c, -25, hourAngle), onCircle(c, r * 0.5, hourAngle));
    p.setPen(roundPen(QColor(0x10, 0x10, 0x10), 13));
    p.drawLine(onCircle(c, -35, minuteAngle), onCircle(c, r * 0.8, minuteAngle));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x8c, 0x1c, 0x13));
    p.drawEllipse(c, 18, 18);
    return image;
}

QImage prioritySign()
{
    // German priority-road sign: white-rimmed yellow square standing on its tip.
    QImage image = newImage(W, H, Qt::white);
    QPainter p(&image);
    startPainter(p);
    fillVertical(p, QRectF(0, 0, W, H), QColor(0x8e, 0xc5, 0xf2), QColor(0xe3, 0xf2, 0xff));
    p.fillRect(QRectF(388, 440, 24, 160), QColor(0x80, 0x86, 0x8c));
    p.fillRect(QRectF(388, 440, 8, 160), QColor(0xa8, 0xae, 0xb4));

    auto diamond = [](QPointF c, qreal d) {
        return QPolygonF({c + QPointF(0, -d), c + QPointF(d, 0), c + QPointF(0, d), c + QPointF(-d, 0)});
    };
    const QPointF c(400, 262);
    const qreal d = 236;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPolygon(diamond(c + QPointF(8, 8), d));
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawPolygon(diamond(c, d));
    p.setBrush(Qt::white);
    p.drawPolygon(diamond(c, d - 6));
    p.setBrush(QColor(0x20, 0x20, 0x20));
    p.drawPolygon(diamond(c, d * 0.66 + 3));
    p.setBrush(QColor(0xff, 0xcc, 0x00));
    p.drawPolygon(diamond(c, d * 0.66));
    return image;
}

QImage gameDie()
{
    // A die from above showing 1 on top, 2 and 3 on the sides: on a real die
    // these three meet at one corner.
    QImage image = newImage(W, H, Qt::white);
    QPainter p(&image);
    startPainter(p);
    QRadialGradient felt(QPointF(400, 300), 520);
    felt.setColorAt(0, QColor(0x2e, 0x8b, 0x3a));
    felt.setColorAt(1, QColor(0x14, 0x4d, 0x1e));
    p.fillRect(QRectF(0, 0, W, H), felt);

    const qreal a = 230;
    const qreal cx = 400, cy = 250;
    const qreal dx = a * 0.866, dy = a * 0.5;
    const QPointF front(cx, cy), frontBottom(cx, cy + a), left(cx - dx, cy - dy), right(cx + dx, cy - dy),
        back(cx, cy - a), leftBottom(cx - dx, cy + dy), rightBottom(cx + dx, cy + dy);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawEllipse(QPointF(cx + 20, cy + a - 10), dx * 1.1, 60);

    struct Face {
        QPolygonF corners;
        QColor colour;
        QList<QPointF> pips;
    };
    const QList<QPointF> one = {{0.5, 0.5}};
    const QList<QPointF> two = {{0.27, 0.27}, {0.73, 0.73}};
    const QList<QPointF> three = {{0.25, 0.25}, {0.5, 0.5}, {0.75, 0.75}};
    const Face faces[] = {
        {QPolygonF({left, back, right, front}), QColor(0xff, 0xff, 0xff), one},
        {QPolygonF({left, front, frontBottom, leftBottom}), QColor(0xdc, 0xdc, 0xe4), two},
        {QPolygonF({front, right, rightBottom, frontBottom}), QColor(0xc0, 0xc0, 0xcc), three},
    };
    const QPolygonF unit({QPointF(0, 0), QPointF(1, 0), QPointF(1, 1), QPointF(0, 1)});
    for (const Face &face : faces) {
        p.setPen(roundPen(QColor(0x22, 0x22, 0x22), 5));
        p.setBrush(face.colour);
        p.drawPolygon(face.corners);
        QTransform t;
        if (!QTransform::quadToQuad(unit, face.corners, t))
            continue;
        p.save();
        p.setTransform(t, true);
        p.setPen(Qt::NoPen);
        p.setBrush(face.pips.size() == 1 ? QColor(0xd0, 0x10, 0x10) : QColor(0x15, 0x15, 0x15));
        const qreal radius = face.pips.size() == 1 ? 0.13 : 0.095;
        for (const QPointF &pip : face.pips)
            p.drawEllipse(pip, radius, radius);
        p.restore();
    }
    return image;
}

QImage ladybird()
{
    // Seen from above, with all six legs clearly visible.
    QImage image = newImage(W, H, Qt::white);
    QPainter p(&image);
    startPainter(p);
    fillVertical(p, QRectF(0, 0, W, H), QColor(0xd8, 0xf3, 0xc8), QColor(0x9c, 0xd6, 0x82));

    const QColor black(0x14, 0x14, 0x14);
    // Legs: three pairs from the middle of the body, each with a bend.
    p.setPen(roundPen(black, 12));
    p.setBrush(Qt::NoBrush);
    const qreal legY[3] = {250, 305, 360};
    const qreal kneeDy[3] = {-50, 0, 45};
    const qreal footDy[3] = {-110, 20, 130};
    for (int i = 0; i < 3; ++i) {
        for (int side : {-1, 1}) {
            QPainterPath leg;
            leg.moveTo(400 + side * 60, legY[i]);
            leg.lineTo(400 + side * 215, legY[i] + kneeDy[i]);
            leg.lineTo(400 + side * 285, legY[i] + footDy[i]);
            p.drawPath(leg);
        }
    }
    // Antennae.
    p.setPen(roundPen(black, 7));
    for (int side : {-1, 1}) {
        QPainterPath feeler;
        feeler.moveTo(400 + side * 20, 140);
        feeler.quadTo(400 + side * 40, 70, 400 + side * 95, 55);
        p.drawPath(feeler);
        p.setBrush(black);
        p.drawEllipse(QPointF(400 + side * 95, 55), 9, 9);
        p.setBrush(Qt::NoBrush);
    }
    // Head and shield.
    p.setPen(Qt::NoPen);
    p.setBrush(black);
    p.drawEllipse(QPointF(400, 160), 62, 48);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(370, 150), 14, 12);
    p.drawEllipse(QPointF(430, 150), 14, 12);
    p.setBrush(black);
    p.drawEllipse(QPointF(400, 205), 110, 52);
    // Wing cases.
    QRadialGradient red(QPointF(360, 300), 260);
    red.setColorAt(0, QColor(0xff, 0x4a, 0x3a));
    red.setColorAt(1, QColor(0xb8, 0x10, 0x10));
    p.setBrush(red);
    p.setPen(roundPen(black, 6));
    p.drawEllipse(QPointF(400, 350), 165, 185);
    p.drawLine(QPointF(400, 215), QPointF(400, 533));
    p.setPen(Qt::NoPen);
    p.setBrush(black);
    const QPointF spots[] = {{335, 285}, {465, 285}, {310, 380}, {490, 380}, {360, 460}, {440, 460}};
    for (const QPointF &s : spots)
        p.drawEllipse(s, 30, 30);
    p.drawEllipse(QPointF(400, 250), 28, 28);
    return image;
}

// ---------------------------------------------------------------- Erdkunde

QImage globe()
{
    QImage image = newImage(W, H, Qt::white);
    QPainter p(&image);
    startPainter(p);
    fillVertical(p, QRectF(0, 0, W, H), QColor(0x0a, 0x12, 0x2a), QColor(0x1c, 0x2a, 0x55));
    Lcg rng{7};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    for (int i = 0; i < 90; ++i) {
        const QPointF at(rng.unit() * W, rng.unit() * H);
        p.drawEllipse(at, 1.2 + rng.unit() * 1.5, 1.2 + rng.unit() * 1.5);
    }

    const QPointF c(400, 300);
    const qreal r = 235;
    QRadialGradient sea(c + QPointF(-80, -90), r * 1.4);
    sea.setColorAt(0, QColor(0x6c, 0xc4, 0xff));
    sea.setColorAt(1, QColor(0x0b, 0x45, 0x8f));
    p.setBrush(sea);
    p.drawEllipse(c, r, r);

    QPainterPath ball;
    ball.addEllipse(c, r, r);
    p.save();
    p.setClipPath(ball);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 130), 2.5));
    for (int lat : {-60, -30, 30, 60}) {
        const qreal y = c.y() - r * qSin(qDegreesToRadians(qreal(lat)));
        const qreal half = r * qCos(qDegreesToRadians(qreal(lat)));
        p.drawLine(QPointF(c.x() - half, y), QPointF(c.x() + half, y));
    }
    for (int lon : {30, 60}) {
        const qreal half = r * qSin(qDegreesToRadians(qreal(lon)));
        p.drawEllipse(c, half, r);
    }
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    p.restore();

    // Axis through the poles.
    p.setPen(roundPen(QColor(0xdd, 0xdd, 0xdd), 5));
    p.drawLine(QPointF(c.x(), c.y() - r - 28), QPointF(c.x(), c.y() - r));
    p.drawLine(QPointF(c.x(), c.y() + r), QPointF(c.x(), c.y() + r + 28));

    p.setPen(roundPen(QColor(0xff, 0x22, 0x22), 12));
    p.drawLine(QPointF(c.x() - r - 30, c.y()), QPointF(c.x() + r + 30, c.y()));

    const QColor label(255, 255, 255);
    drawText(p, QRectF(c.x() - 200, c.y() - 120, 400, 50), QStringLiteral("Nordhalbkugel"), 34, label);
    drawText(p, QRectF(c.x() - 200, c.y() + 70, 400, 50), QStringLiteral("Südhalbkugel"), 34, label);
    drawText(p, QRectF(560, 10, 230, 40), QStringLiteral("Nordpol"), 26, QColor(0xdd, 0xdd, 0xdd),
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(560, 550, 230, 40), QStringLiteral("Südpol"), 26, QColor(0xdd, 0xdd, 0xdd),
             Qt::AlignLeft | Qt::AlignVCenter);
    p.setPen(QPen(QColor(0xdd, 0xdd, 0xdd), 2, Qt::DashLine));
    p.drawLine(QPointF(555, 30), QPointF(410, 36));
    p.drawLine(QPointF(555, 570), QPointF(410, 564));
    return image;
}

QImage compassRose()
{
    // North is up; the red arrow points south-east.
    QImage image = newImage(W, H, QColor(0xf3, 0xe6, 0xc4));
    QPainter p(&image);
    startPainter(p);
    const QPointF c(400, 318);
    const qreal r = 235;
    p.setPen(roundPen(QColor(0x3a, 0x2a, 0x1a), 6));
    p.setBrush(QColor(0xfb, 0xf4, 0xe0));
    p.drawEllipse(c, r, r);
    for (int i = 0; i < 36; ++i) {
        p.setPen(roundPen(QColor(0x3a, 0x2a, 0x1a), i % 9 == 0 ? 6 : 3));
        p.drawLine(onCircle(c, r - 4, i * 10), onCircle(c, r - (i % 9 == 0 ? 30 : 18), i * 10));
    }
    // Star: long points to the four main directions, short ones between.
    for (int i = 0; i < 8; ++i) {
        const qreal angle = i * 45;
        const qreal len = i % 2 == 0 ? r - 40 : r * 0.5;
        const qreal side = i % 2 == 0 ? 34 : 24;
        const QPointF tip = onCircle(c, len, angle);
        const QPointF l = onCircle(c, side, angle - 45);
        const QPointF rr = onCircle(c, side, angle + 45);
        p.setPen(roundPen(QColor(0x3a, 0x2a, 0x1a), 3));
        p.setBrush(i % 2 == 0 ? QColor(0x55, 0x6b, 0x8a) : QColor(0xa8, 0xb6, 0xc8));
        p.drawPolygon(QPolygonF({c, l, tip}));
        p.setBrush(i % 2 == 0 ? QColor(0xe8, 0xed, 0xf3) : QColor(0xdd, 0xe3, 0xea));
        p.drawPolygon(QPolygonF({c, rr, tip}));
    }
    drawText(p, QRectF(c.x() - 60, 0, 120, 80), QStringLiteral("N"), 70, QColor(0x1a, 0x1a, 0x1a));
    drawArrow(p, c, onCircle(c, r - 10, 135), 26, QColor(0xe0, 0x10, 0x10), Qt::white);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1a, 0x1a, 0x1a));
    p.drawEllipse(c, 14, 14);
    return image;
}

QImage earthLayers()
{
    QImage image = newImage(W, H, QColor(0xf4, 0xf6, 0xf9));
    QPainter p(&image);
    startPainter(p);
    const QPointF c(255, 300);
    const qreal r = 235;
    // Core radii to scale (inner core ~1220 km, outer core ~3480 km of
    // 6371 km); the crust is far too thin to see, so it is drawn thicker.
    const qreal crust = r * 0.93;
    const qreal outerCore = r * 0.546;
    const qreal innerCore = r * 0.19;
    p.setPen(roundPen(QColor(0x22, 0x22, 0x22), 4));
    p.setBrush(QColor(0x6e, 0x45, 0x25));
    p.drawEllipse(c, r, r);
    QRadialGradient mantle(c, crust);
    mantle.setColorAt(0.5, QColor(0xe8, 0x4a, 0x12));
    mantle.setColorAt(1, QColor(0xb5, 0x2a, 0x0c));
    p.setBrush(mantle);
    p.setPen(roundPen(QColor(0x22, 0x22, 0x22), 2));
    p.drawEllipse(c, crust, crust);
    p.setBrush(QColor(0xf8, 0xa8, 0x1c));
    p.drawEllipse(c, outerCore, outerCore);
    p.setBrush(QColor(0xff, 0xf2, 0x9a));
    p.drawEllipse(c, innerCore, innerCore);

    // Horizontal leader lines; each starts inside its layer at the label's height.
    struct Label {
        QString text;
        qreal radius; // of the point inside the layer
        qreal y;
    };
    const Label labels[] = {
        {QStringLiteral("Erdkruste"), (r + crust) / 2, 75},
        {QStringLiteral("Erdmantel"), (crust + outerCore) / 2, 170},
        {QStringLiteral("Äußerer Kern"), (outerCore + innerCore) / 2, 262},
        {QStringLiteral("Innerer Kern"), innerCore * 0.75, 330},
    };
    const qreal labelX = 545;
    for (const Label &l : labels) {
        const qreal dy = l.y - c.y();
        const QPointF target(c.x() + qSqrt(qMax(0.0, l.radius * l.radius - dy * dy)), l.y);
        p.setPen(roundPen(QColor(0x1a, 0x1a, 0x1a), 3));
        p.drawLine(target, QPointF(labelX - 10, l.y));
        p.setBrush(QColor(0x1a, 0x1a, 0x1a));
        p.drawEllipse(target, 6, 6);
        drawText(p, QRectF(labelX, l.y - 25, 250, 50), l.text, 32, QColor(0x1a, 0x1a, 0x1a),
                 Qt::AlignLeft | Qt::AlignVCenter);
    }
    drawText(p, QRectF(430, 555, 360, 36), QStringLiteral("Kruste dicker gezeichnet"), 20,
             QColor(0x55, 0x55, 0x55), Qt::AlignRight | Qt::AlignVCenter, false);
    return image;
}

// ---------------------------------------------------------------- Natur und Technik

QImage solarSystem()
{
    // Sizes are only roughly relative; the arrow marks the fourth planet, Mars.
    const int w = 960, h = 540;
    QImage image = newImage(w, h, Qt::black);
    QPainter p(&image);
    startPainter(p);
    fillVertical(p, QRectF(0, 0, w, h), QColor(0x03, 0x05, 0x10), QColor(0x10, 0x16, 0x38));
    Lcg rng{42};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 160; ++i) {
        p.setBrush(QColor(255, 255, 255, 90 + int(rng.unit() * 160)));
        const qreal size = 0.8 + rng.unit() * 1.6;
        p.drawEllipse(QPointF(rng.unit() * w, rng.unit() * h), size, size);
    }
    const qreal y = 290;
    QRadialGradient glow(QPointF(-170, y), 420);
    glow.setColorAt(0.6, QColor(255, 180, 40, 140));
    glow.setColorAt(1, QColor(255, 180, 40, 0));
    p.setBrush(glow);
    p.drawEllipse(QPointF(-170, y), 420, 420);
    QRadialGradient sun(QPointF(-170, y), 300);
    sun.setColorAt(0, QColor(0xff, 0xf8, 0xc0));
    sun.setColorAt(0.7, QColor(0xff, 0xc4, 0x20));
    sun.setColorAt(1, QColor(0xff, 0x80, 0x00));
    p.setBrush(sun);
    p.drawEllipse(QPointF(-170, y), 300, 300);

    auto planet = [&](qreal x, qreal radius, const QColor &light, const QColor &dark) {
        QRadialGradient g(QPointF(x - radius * 0.4, y - radius * 0.4), radius * 1.6);
        g.setColorAt(0, light);
        g.setColorAt(1, dark);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(x, y), radius, radius);
    };
    planet(168, 8, QColor(0xc8, 0xc8, 0xc8), QColor(0x70, 0x70, 0x70));  // Merkur
    planet(215, 14, QColor(0xff, 0xf0, 0xc8), QColor(0xc8, 0xa0, 0x60)); // Venus
    planet(272, 15, QColor(0x7c, 0xc8, 0xff), QColor(0x1a, 0x5c, 0xb0)); // Erde
    p.setBrush(QColor(0x3c, 0xa0, 0x46));
    p.drawEllipse(QPointF(268, y - 4), 6, 5);
    planet(330, 11, QColor(0xff, 0x8a, 0x50), QColor(0xa8, 0x30, 0x0a)); // Mars

    // Jupiter with bands.
    const qreal jx = 440, jr = 56;
    planet(jx, jr, QColor(0xf4, 0xdc, 0xb4), QColor(0xb0, 0x80, 0x50));
    QPainterPath jupiter;
    jupiter.addEllipse(QPointF(jx, y), jr, jr);
    p.save();
    p.setClipPath(jupiter);
    for (qreal band : {-30.0, -8.0, 14.0, 34.0})
        p.fillRect(QRectF(jx - jr, y + band, 2 * jr, 8), QColor(0x9a, 0x62, 0x3a, 150));
    p.setBrush(QColor(0xc0, 0x50, 0x30));
    p.drawEllipse(QPointF(jx + 18, y + 24), 10, 6);
    p.restore();

    // Saturn: ring behind, planet, then the front half of the ring.
    const qreal sx = 620, sr = 44;
    p.save();
    p.translate(sx, y);
    p.rotate(-18);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xe0, 0xc8, 0x90), 9));
    p.drawEllipse(QPointF(0, 0), sr * 2.1, sr * 0.62);
    p.restore();
    planet(sx, sr, QColor(0xf8, 0xe4, 0xa8), QColor(0xc0, 0x98, 0x50));
    p.save();
    p.translate(sx, y);
    p.rotate(-18);
    p.setPen(QPen(QColor(0xe0, 0xc8, 0x90), 9));
    p.drawArc(QRectF(-sr * 2.1, -sr * 0.62, sr * 4.2, sr * 1.24), 180 * 16, 180 * 16);
    p.restore();

    planet(775, 26, QColor(0xb8, 0xf4, 0xf8), QColor(0x40, 0xa8, 0xb8)); // Uranus
    planet(885, 25, QColor(0x7c, 0x98, 0xff), QColor(0x20, 0x38, 0xa8)); // Neptun

    drawArrow(p, QPointF(330, 120), QPointF(330, y - 18), 18, QColor(0xff, 0x20, 0x20), Qt::white);
    return image;
}

QImage thermometer()
{
    QImage image = newImage(W, H, QColor(0xee, 0xf4, 0xfa));
    QPainter p(&image);
    startPainter(p);
    const qreal cx = 300;
    auto yOf = [](qreal celsius) { return 470 - (celsius + 10) * 3.3; };
    const QColor ink(0x1a, 0x1a, 0x1a);
    const QColor red(0xe0, 0x10, 0x10);

    // Glass: both outlines, then the joint painted over from inside.
    p.setPen(roundPen(ink, 6));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(cx - 30, yOf(118), 60, yOf(-14) - yOf(118) + 40), 30, 30);
    p.drawEllipse(QPointF(cx, 515), 55, 55);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(cx - 27, yOf(-14), 54, 515 - yOf(-14)));
    // Liquid up to 100 degrees.
    p.setPen(Qt::NoPen);
    p.setBrush(red);
    p.drawEllipse(QPointF(cx, 515), 42, 42);
    p.drawRect(QRectF(cx - 13, yOf(100), 26, 515 - yOf(100)));

    // Scale on the left.
    for (int t = -10; t <= 110; t += 5) {
        const bool major = t % 10 == 0;
        p.setPen(roundPen(ink, major ? 4 : 2));
        p.drawLine(QPointF(cx - 40, yOf(t)), QPointF(cx - (major ? 80 : 62), yOf(t)));
        if (major)
            drawText(p, QRectF(cx - 200, yOf(t) - 16, 110, 32),
                     QString::number(t).replace(u'-', QChar(0x2212)), 24, ink,
                     Qt::AlignRight | Qt::AlignVCenter);
    }
    drawText(p, QRectF(cx - 200, 8, 110, 40), QStringLiteral("°C"), 30, ink, Qt::AlignRight | Qt::AlignVCenter);

    // The two marks that matter.
    p.setPen(QPen(red, 4, Qt::DashLine));
    p.drawLine(QPointF(cx + 40, yOf(100)), QPointF(cx + 110, yOf(100)));
    drawText(p, QRectF(cx + 120, yOf(100) - 55, 380, 110), QStringLiteral("100 °C\nWasser kocht"), 34, red,
             Qt::AlignLeft | Qt::AlignVCenter);
    const QColor blue(0x10, 0x50, 0xc8);
    p.setPen(QPen(blue, 4, Qt::DashLine));
    p.drawLine(QPointF(cx + 40, yOf(0)), QPointF(cx + 110, yOf(0)));
    drawText(p, QRectF(cx + 120, yOf(0) - 55, 380, 110), QStringLiteral("0 °C\nWasser gefriert"), 34, blue,
             Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

QImage magnets()
{
    // Two bar magnets with their north poles facing; north red, south green
    // as in German schools.
    QImage image = newImage(W, H, QColor(0xf5, 0xf5, 0xf0));
    QPainter p(&image);
    startPainter(p);
    const QColor north(0xd6, 0x28, 0x28), south(0x2e, 0x9d, 0x4a);
    auto bar = [&](qreal x, bool northRight) {
        const QRectF r(x, 240, 300, 120);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(r.translated(8, 8), 10, 10);
        const QRectF leftHalf(r.left(), r.top(), r.width() / 2, r.height());
        const QRectF rightHalf(r.center().x(), r.top(), r.width() / 2, r.height());
        QPainterPath shape;
        shape.addRoundedRect(r, 10, 10);
        p.save();
        p.setClipPath(shape);
        p.fillRect(leftHalf, northRight ? south : north);
        p.fillRect(rightHalf, northRight ? north : south);
        p.restore();
        p.setPen(roundPen(QColor(0x1a, 0x1a, 0x1a), 4));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, 10, 10);
        drawText(p, leftHalf, northRight ? QStringLiteral("S") : QStringLiteral("N"), 72, Qt::white);
        drawText(p, rightHalf, northRight ? QStringLiteral("N") : QStringLiteral("S"), 72, Qt::white);
    };
    bar(30, true);
    bar(470, false);
    drawText(p, QRectF(330, 200, 140, 200), QStringLiteral("?"), 130, QColor(0x1a, 0x1a, 0x1a));
    return image;
}

QImage prism()
{
    // The school experiment: lamp box, prism, screen. Light takes the
    // symmetric path and is bent towards the base; violet most, red least.
    QImage image = newImage(W, H, Qt::black);
    QPainter p(&image);
    startPainter(p);
    fillVertical(p, QRectF(0, 0, W, H), QColor(0x1c, 0x2b, 0x45), QColor(0x0e, 0x16, 0x26));
    const QPointF apex(400, 120), baseLeft(230, 415), baseRight(570, 415);
    const QPointF in = (apex + baseLeft) / 2, out = (apex + baseRight) / 2;
    const qreal screenX = 735;
    const QPointF slit(120, 360);

    const QColor colours[] = {QColor(0xff, 0x20, 0x20), QColor(0xff, 0x8c, 0x00), QColor(0xff, 0xee, 0x00),
                              QColor(0x22, 0xcc, 0x44), QColor(0x22, 0x66, 0xff), QColor(0x9a, 0x3c, 0xf0)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        p.setBrush(colours[i]);
        p.drawPolygon(QPolygonF({out + QPointF(0, i * 1.5 - 4), QPointF(screenX, 330 + i * 26.0),
                                 QPointF(screenX, 330 + (i + 1) * 26.0), out + QPointF(0, i * 1.5 - 2.5)}));
    }
    // Screen.
    p.setPen(roundPen(QColor(0x90, 0x90, 0x90), 3));
    p.setBrush(QColor(0xf0, 0xf0, 0xf0));
    p.drawRect(QRectF(screenX, 150, 26, 380));
    for (int i = 0; i < 6; ++i)
        p.fillRect(QRectF(screenX, 330 + i * 26.0, 8, 26), colours[i]);

    QLinearGradient glassFill(apex, (baseLeft + baseRight) / 2);
    glassFill.setColorAt(0, QColor(0xc8, 0xf0, 0xff, 110));
    glassFill.setColorAt(1, QColor(0x80, 0xc8, 0xff, 80));
    p.setBrush(glassFill);
    p.setPen(roundPen(QColor(0xd8, 0xf4, 0xff), 6));
    p.drawPolygon(QPolygonF({apex, baseRight, baseLeft}));

    p.setPen(roundPen(QColor(255, 255, 255, 70), 22));
    p.drawLine(slit, in);
    p.setPen(roundPen(Qt::white, 9));
    p.drawLine(slit, in);
    p.setPen(roundPen(QColor(255, 255, 255, 200), 7));
    p.drawLine(in, out);

    // Lamp box with the slit the beam leaves through.
    p.save();
    p.translate(slit);
    p.rotate(-QLineF(slit, in).angle());
    p.setPen(roundPen(QColor(0x20, 0x20, 0x20), 4));
    p.setBrush(QColor(0x9a, 0xa4, 0xb0));
    p.drawRoundedRect(QRectF(-120, -50, 120, 100), 10, 10);
    p.setBrush(QColor(0xff, 0xf6, 0xc0));
    p.drawRect(QRectF(-8, -9, 12, 18));
    p.restore();
    return image;
}

QImage circuit()
{
    // Battery, lamp and an open switch in one loop.
    QImage image = newImage(W, H, Qt::white);
    QPainter p(&image);
    startPainter(p);
    const QColor ink(0x10, 0x10, 0x10);
    const qreal left = 170, right = 650, top = 150, bottom = 470;
    const QPointF lamp(410, top);
    const qreal lampR = 46;
    const qreal cellY = 310;
    const QPointF contactA(350, bottom), contactB(470, bottom);

    p.setPen(roundPen(ink, 7));
    p.setBrush(Qt::NoBrush);
    // Wires.
    p.drawPolyline(QPolygonF({QPointF(left, cellY - 22), QPointF(left, top), lamp - QPointF(lampR, 0)}));
    p.drawPolyline(QPolygonF({lamp + QPointF(lampR, 0), QPointF(right, top), QPointF(right, bottom), contactB}));
    p.drawPolyline(QPolygonF({contactA, QPointF(left, bottom), QPointF(left, cellY + 22)}));
    // Lamp: circle with a cross.
    p.drawEllipse(lamp, lampR, lampR);
    const qreal k = lampR * 0.7071;
    p.drawLine(lamp + QPointF(-k, -k), lamp + QPointF(k, k));
    p.drawLine(lamp + QPointF(-k, k), lamp + QPointF(k, -k));
    // Cell: long thin plate is plus, short thick plate is minus.
    p.setPen(QPen(ink, 7, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(left - 60, cellY - 22), QPointF(left + 60, cellY - 22));
    p.setPen(QPen(ink, 20, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(left - 30, cellY + 22), QPointF(left + 30, cellY + 22));
    drawText(p, QRectF(left - 130, cellY - 50, 50, 50), QStringLiteral("+"), 44, ink);
    drawText(p, QRectF(left - 130, cellY, 50, 50), QStringLiteral("–"), 44, ink);
    // Open switch.
    p.setPen(roundPen(ink, 7));
    p.drawLine(contactA, contactA + QPointF(112 * qCos(qDegreesToRadians(30.0)), -112 * qSin(qDegreesToRadians(30.0))));
    p.setBrush(Qt::white);
    p.setPen(roundPen(ink, 5));
    p.drawEllipse(contactA, 10, 10);
    p.drawEllipse(contactB, 10, 10);

    const QColor label(0x1a, 0x4f, 0xa0);
    drawText(p, QRectF(lamp.x() - 150, 40, 300, 50), QStringLiteral("Lampe"), 34, label);
    drawText(p, QRectF(left + 80, cellY - 30, 250, 60), QStringLiteral("Batterie"), 34, label,
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(contactA.x() - 100, bottom + 25, 320, 60), QStringLiteral("Schalter"), 34, label);
    return image;
}

// ---------------------------------------------------------------- Sprache und Literatur

QImage letterTiles()
{
    // ELEFANT, shuffled.
    QImage image = newImage(W, H, Qt::white);
    QPainter p(&image);
    startPainter(p);
    fillVertical(p, QRectF(0, 0, W, H), QColor(0x1f, 0x7a, 0x8c), QColor(0x12, 0x4a, 0x58));
    const QString letters = QStringLiteral("NTEFALE");
    const qreal tiltDegrees[] = {-7, 5, -3, 8, -6, 4, -4};
    const qreal lift[] = {-20, 14, -8, 22, -16, 6, -2};
    const qreal size = 92, gap = 12;
    const qreal x0 = (W - (letters.size() * size + (letters.size() - 1) * gap)) / 2;
    for (int i = 0; i < letters.size(); ++i) {
        p.save();
        p.translate(x0 + i * (size + gap) + size / 2, 300 + lift[i]);
        p.rotate(tiltDegrees[i]);
        const QRectF tile(-size / 2, -size / 2, size, size);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 80));
        p.drawRoundedRect(tile.translated(6, 7), 12, 12);
        QLinearGradient wood(tile.topLeft(), tile.bottomRight());
        wood.setColorAt(0, QColor(0xfb, 0xe3, 0xb0));
        wood.setColorAt(1, QColor(0xe0, 0xb0, 0x68));
        p.setBrush(wood);
        p.setPen(roundPen(QColor(0x7a, 0x4a, 0x1b), 4));
        p.drawRoundedRect(tile, 12, 12);
        drawText(p, tile, letters.mid(i, 1), 66, QColor(0x3a, 0x22, 0x0c));
        p.restore();
    }
    return image;
}

QImage semicolon()
{
    QImage image = newImage(W, H, QColor(0xff, 0xfb, 0xe6));
    QPainter p(&image);
    startPainter(p);
    const QColor ink(0x14, 0x1e, 0x46);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    // Drawn rather than typeset, so it looks the same whatever fonts exist.
    p.drawEllipse(QPointF(400, 190), 52, 52);
    p.drawEllipse(QPointF(400, 390), 52, 52);
    QPainterPath tail;
    tail.moveTo(448, 375);
    tail.cubicTo(460, 450, 430, 510, 360, 545);
    tail.lineTo(350, 528);
    tail.cubicTo(385, 500, 398, 470, 395, 440);
    tail.closeSubpath();
    p.drawPath(tail);
    return image;
}

QImage morseSos()
{
    // ... --- ... with standard timing: dot 1, dash 3, gap 1 inside a letter,
    // 3 between letters.
    const int w = 800, h = 400;
    QImage image = newImage(w, h, QColor(0x10, 0x23, 0x3f));
    QPainter p(&image);
    startPainter(p);
    const qreal u = 27;
    const char *pattern = "... --- ...";
    qreal units = 0;
    for (const char *c = pattern; *c; ++c)
        units += *c == '.' ? 2 : *c == '-' ? 4 : 2;
    units -= 1;
    qreal x = (w - units * u) / 2;
    const qreal y = h / 2.0;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd2, 0x3f));
    for (const char *c = pattern; *c; ++c) {
        if (*c == '.') {
            p.drawEllipse(QPointF(x + u / 2, y), u / 2 + 3, u / 2 + 3);
            x += 2 * u;
        } else if (*c == '-') {
            p.drawRoundedRect(QRectF(x - 3, y - u / 2 - 3, 3 * u + 6, u + 6), u / 2, u / 2);
            x += 4 * u;
        } else {
            x += 2 * u;
        }
    }
    return image;
}

QImage brailleHallo()
{
    // Dots 1-2-3 down the left column, 4-5-6 down the right.
    struct Cell {
        QChar letter;
        QList<int> dots;
    };
    const Cell cells[] = {{u'H', {1, 2, 5}}, {u'A', {1}}, {u'L', {1, 2, 3}}, {u'L', {1, 2, 3}}, {u'O', {1, 3, 5}}};
    QImage image = newImage(W, H, QColor(0xf7, 0xf1, 0xe3));
    QPainter p(&image);
    startPainter(p);
    const qreal pitch = 150, dot = 54, radius = 20;
    const qreal x0 = (W - (4 * pitch + dot)) / 2;
    const qreal y0 = 175;
    int i = 0;
    for (const Cell &cell : cells) {
        const qreal cx = x0 + i * pitch;
        for (int d = 1; d <= 6; ++d) {
            const QPointF at(cx + (d > 3 ? dot : 0), y0 + ((d - 1) % 3) * dot);
            if (cell.dots.contains(d)) {
                QRadialGradient g(at - QPointF(5, 5), radius * 1.4);
                g.setColorAt(0, QColor(0x8a, 0x74, 0x60));
                g.setColorAt(1, QColor(0x2a, 0x1e, 0x14));
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawEllipse(at, radius, radius);
            } else {
                p.setPen(QPen(QColor(0xcf, 0xc3, 0xab), 2));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(at, radius * 0.5, radius * 0.5);
            }
        }
        drawText(p, QRectF(cx - 30, y0 + 2 * dot + 60, dot + 60, 80), QString(cell.letter), 64,
                 QColor(0x3a, 0x30, 0x28));
        ++i;
    }
    return image;
}

// ---------------------------------------------------------------- Musik und Film

QImage guitar()
{
    QImage image = newImage(W, H, QColor(0xf4, 0xef, 0xe6));
    QPainter p(&image);
    startPainter(p);
    const qreal cy = 300;
    const QColor ink(0x2a, 0x16, 0x08);

    // Body outline, top half then mirrored.
    QPainterPath body;
    body.moveTo(40, cy);
    body.cubicTo(40, cy - 110, 110, cy - 160, 195, cy - 160);
    body.cubicTo(270, cy - 160, 300, cy - 100, 340, cy - 100);
    body.cubicTo(380, cy - 100, 400, cy - 130, 440, cy - 130);
    body.cubicTo(490, cy - 130, 505, cy - 60, 505, cy);
    body.cubicTo(505, cy + 60, 490, cy + 130, 440, cy + 130);
    body.cubicTo(400, cy + 130, 380, cy + 100, 340, cy + 100);
    body.cubicTo(300, cy + 100, 270, cy + 160, 195, cy + 160);
    body.cubicTo(110, cy + 160, 40, cy + 110, 40, cy);
    body.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawPath(body.translated(8, 10));
    QRadialGradient wood(QPointF(250, cy - 60), 330);
    wood.setColorAt(0, QColor(0xf2, 0xa6, 0x48));
    wood.setColorAt(1, QColor(0xa8, 0x58, 0x18));
    p.setBrush(wood);
    p.setPen(roundPen(ink, 6));
    p.drawPath(body);

    // Neck and head.
    const qreal nut = 705;
    p.setBrush(QColor(0x5a, 0x32, 0x14));
    p.drawRect(QRectF(480, cy - 30, nut - 480, 60));
    QPainterPath head;
    head.moveTo(nut, cy - 32);
    head.lineTo(775, cy - 46);
    head.lineTo(775, cy + 46);
    head.lineTo(nut, cy + 32);
    head.closeSubpath();
    p.setBrush(QColor(0x3a, 0x1e, 0x0a));
    p.drawPath(head);
    p.setBrush(QColor(0xd8, 0xd8, 0xd8));
    p.setPen(roundPen(ink, 3));
    for (int i = 0; i < 3; ++i) {
        const qreal x = 722 + i * 20;
        p.drawEllipse(QPointF(x, cy - 58), 9, 9);
        p.drawEllipse(QPointF(x, cy + 58), 9, 9);
    }
    // Frets.
    p.setPen(roundPen(QColor(0xd0, 0xd0, 0xd0), 3));
    qreal fret = nut;
    for (int i = 0; i < 9; ++i) {
        p.drawLine(QPointF(fret, cy - 30), QPointF(fret, cy + 30));
        fret -= (fret - 300) * 0.056;
    }
    // Sound hole and bridge.
    p.setPen(roundPen(QColor(0x6a, 0x3a, 0x12), 6));
    p.setBrush(QColor(0x20, 0x10, 0x04));
    p.drawEllipse(QPointF(400, cy), 50, 50);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3a, 0x1e, 0x0a));
    p.drawRoundedRect(QRectF(160, cy - 62, 26, 124), 6, 6);
    // Six strings.
    for (int i = 0; i < 6; ++i) {
        const qreal atBridge = cy - 45 + i * 18;
        const qreal atNut = cy - 22.5 + i * 9;
        const qreal atHead = cy - 32 + i * 12.8;
        p.setPen(QPen(QColor(0xf4, 0xf4, 0xf4), 2.0 + i * 0.5));
        p.drawPolyline(QPolygonF({QPointF(173, atBridge), QPointF(nut, atNut), QPointF(770, atHead)}));
    }
    return image;
}

QImage pianoOctave()
{
    // One octave from c to h: seven white keys, five black ones.
    QImage image = newImage(W, H, QColor(0x2b, 0x2b, 0x2b));
    QPainter p(&image);
    startPainter(p);
    const qreal x0 = 50, top = 70, keyW = 100, keyH = 460;
    const QString names[] = {QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e"), QStringLiteral("f"),
                             QStringLiteral("g"), QStringLiteral("a"), QStringLiteral("h")};
    for (int i = 0; i < 7; ++i) {
        const QRectF key(x0 + i * keyW, top, keyW, keyH);
        QLinearGradient g(key.topLeft(), key.bottomLeft());
        g.setColorAt(0, QColor(0xe8, 0xe8, 0xe8));
        g.setColorAt(0.2, Qt::white);
        p.setBrush(g);
        p.setPen(roundPen(QColor(0x20, 0x20, 0x20), 4));
        p.drawRoundedRect(key.adjusted(2, 0, -2, 0), 6, 6);
        drawText(p, QRectF(key.left(), key.bottom() - 90, keyW, 80), names[i], 50, QColor(0x20, 0x20, 0x20));
    }
    for (int boundary : {1, 2, 4, 5, 6}) {
        const QRectF key(x0 + boundary * keyW - 30, top, 60, keyH * 0.6);
        QLinearGradient g(key.topLeft(), key.topRight());
        g.setColorAt(0, QColor(0x30, 0x30, 0x30));
        g.setColorAt(1, QColor(0x05, 0x05, 0x05));
        p.setBrush(g);
        p.setPen(roundPen(Qt::black, 3));
        p.drawRoundedRect(key, 5, 5);
    }
    return image;
}

void drawStaff(QPainter &p, qreal left, qreal right, qreal bottomLine, qreal space)
{
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 4, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(left, bottomLine - i * space), QPointF(right, bottomLine - i * space));
}

QImage halfNote()
{
    QImage image = newImage(W, H, Qt::white);
    QPainter p(&image);
    startPainter(p);
    const qreal space = 64, bottom = 300 + 2 * space;
    drawStaff(p, 60, 740, bottom, space);
    const QPointF head(400, 300 + space / 2); // in the second space from the bottom
    // Hollow head, slanted, with its stem on the right going up.
    QTransform t;
    t.translate(head.x(), head.y());
    t.rotate(-22);
    QPainterPath outer, inner;
    outer.addEllipse(QPointF(0, 0), space * 0.66, space * 0.46);
    inner.addEllipse(QPointF(0, 0), space * 0.50, space * 0.24);
    const QPainterPath ring = t.map(outer.subtracted(inner));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x10, 0x10));
    p.drawPath(ring);
    const qreal stemX = head.x() + space * 0.58;
    p.setPen(QPen(QColor(0x10, 0x10, 0x10), 8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(stemX, head.y() - 6), QPointF(stemX, head.y() - 3.5 * space));
    return image;
}

// The treble clef as a smooth curve through hand-placed points, in staff
// spaces with the G line at y = 0 (lines above are negative).
QPainterPath trebleClefPath(const QPointF &origin, qreal s)
{
    const QList<QPointF> pts = {
        {0.12, 0.15},   {-0.25, 0.05},  {-0.25, -0.45}, {0.2, -0.75},  {0.75, -0.35}, {0.8, 0.45},
        {0.15, 0.95},   {-0.65, 0.7},   {-0.95, -0.1},  {-0.55, -1.0}, {0.25, -1.9},  {0.7, -2.9},
        {0.55, -3.85},  {0.2, -4.15},   {-0.1, -3.5},   {-0.05, -2.3}, {0.1, -0.8},   {0.2, 0.8},
        {0.28, 1.9},    {0.05, 2.45},   {-0.45, 2.35},
    };
    auto at = [&](int i) {
        const int j = qBound(0, i, int(pts.size()) - 1);
        return origin + pts[j] * s;
    };
    // Catmull-Rom through the points, as cubic Bezier segments.
    QPainterPath path(at(0));
    for (int i = 0; i + 1 < pts.size(); ++i) {
        const QPointF p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        path.cubicTo(p1 + (p2 - p0) / 6, p2 - (p3 - p1) / 6, p2);
    }
    return path;
}

QImage trebleClef()
{
    QImage image = newImage(W, H, Qt::white);
    QPainter p(&image);
    startPainter(p);
    const qreal space = 62;
    const qreal gLine = 370;
    drawStaff(p, 60, 740, gLine + space, space);
    const QPointF origin(250, gLine);
    const QColor ink(0x10, 0x10, 0x10);
    p.setPen(roundPen(ink, space * 0.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trebleClefPath(origin, space));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(origin + QPointF(-0.45, 2.1) * space, space * 0.3, space * 0.3);
    return image;
}

QImage clapperboard()
{
    QImage image = newImage(W, H, QColor(0xe6, 0xec, 0xf2));
    QPainter p(&image);
    startPainter(p);
    const QColor black(0x16, 0x16, 0x16);
    const qreal left = 140, right = 660, stickTop = 200, stickH = 52, slateTop = stickTop + stickH + 6;
    const QRectF slate(left, slateTop, right - left, 560 - slateTop);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(slate.translated(10, 10), 10, 10);
    p.setBrush(black);
    p.drawRoundedRect(slate, 10, 10);

    auto stripedStick = [&](const QRectF &r) {
        QPainterPath shape;
        shape.addRoundedRect(r, 6, 6);
        p.save();
        p.setClipPath(shape);
        p.fillRect(r, black);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        for (qreal x = r.left() - r.height(); x < r.right(); x += 2 * r.height()) {
            p.drawPolygon(QPolygonF({QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()),
                                     QPointF(x + 2 * r.height(), r.top()), QPointF(x + r.height(), r.bottom())}));
        }
        p.restore();
        p.setPen(roundPen(black, 4));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, 6, 6);
    };
    stripedStick(QRectF(left, stickTop, right - left, stickH));
    // The upper stick is open, hinged at the left.
    p.save();
    p.translate(left, stickTop);
    p.rotate(-20);
    stripedStick(QRectF(0, -stickH - 4, right - left, stickH));
    p.restore();
    p.setPen(roundPen(QColor(0x88, 0x88, 0x88), 3));
    p.setBrush(QColor(0xc0, 0xc0, 0xc0));
    p.drawEllipse(QPointF(left + 12, stickTop - 2), 12, 12);

    // Fields written on the slate.
    const QColor chalk(0xf4, 0xf4, 0xf4);
    p.setPen(QPen(chalk, 3));
    const qreal row1 = slateTop + 95, row2 = slateTop + 200;
    const qreal mid = (left + right) / 2;
    p.drawLine(QPointF(left + 20, row1), QPointF(right - 20, row1));
    p.drawLine(QPointF(left + 20, row2), QPointF(right - 20, row2));
    p.drawLine(QPointF(mid, row1), QPointF(mid, row2));
    drawText(p, QRectF(left + 24, slateTop + 8, 400, 34), QStringLiteral("FILM"), 24, chalk,
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(left + 24, slateTop + 36, right - left - 48, 56), QStringLiteral("WANDQUIZ"), 44, chalk,
             Qt::AlignCenter);
    drawText(p, QRectF(left + 24, row1 + 8, 200, 34), QStringLiteral("SZENE"), 24, chalk,
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(left + 24, row1 + 38, mid - left - 48, 60), QStringLiteral("12"), 52, chalk);
    drawText(p, QRectF(mid + 24, row1 + 8, 200, 34), QStringLiteral("TAKE"), 24, chalk,
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRectF(mid + 24, row1 + 38, right - mid - 48, 60), QStringLiteral("3"), 52, chalk);
    drawText(p, QRectF(left + 24, row2 + 8, 200, 34), QStringLiteral("REGIE"), 24, chalk,
             Qt::AlignLeft | Qt::AlignVCenter);
    return image;
}

// ---------------------------------------------------------------- joker

QImage joker()
{
    // A jester on a playing card; warm background of its own so it reads on
    // the blue question panel.
    QImage image = newImage(W, H, Qt::white);
    QPainter p(&image);
    startPainter(p);
    QRadialGradient bg(QPointF(400, 300), 520);
    bg.setColorAt(0, QColor(0xff, 0xe0, 0x4a));
    bg.setColorAt(1, QColor(0xff, 0x8a, 0x00));
    p.fillRect(QRectF(0, 0, W, H), bg);
    Lcg rng{2024};
    const QColor confetti[] = {QColor(0xe5, 0x1c, 0x23), QColor(0x1e, 0x88, 0xe5), QColor(0x43, 0xa0, 0x47),
                               QColor(0x8e, 0x24, 0xaa), Qt::white};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        p.save();
        p.translate(rng.unit() * W, rng.unit() * H);
        p.rotate(rng.unit() * 180);
        p.setBrush(confetti[rng.next() % 5]);
        p.drawRoundedRect(QRectF(-9, -4, 18, 8), 3, 3);
        p.restore();
    }

    // The card.
    const QRectF card(215, 25, 370, 550);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(card.translated(10, 12), 28, 28);
    p.setBrush(QColor(0x6a, 0x1b, 0x9a));
    p.drawRoundedRect(card, 28, 28);
    p.setBrush(QColor(0xff, 0xfd, 0xf4));
    p.drawRoundedRect(card.adjusted(14, 14, -14, -14), 18, 18);

    const QPointF face(400, 270);
    const QColor ink(0x2a, 0x10, 0x30);
    // Hat: three floppy points with bells.
    struct Point {
        QPointF tip;
        QColor colour;
    };
    const Point points[] = {{{262, 150}, QColor(0xe5, 0x1c, 0x23)},
                            {{400, 62}, QColor(0x1e, 0x88, 0xe5)},
                            {{538, 150}, QColor(0x43, 0xa0, 0x47)}};
    const qreal brimY = 215;
    // Each lobe: brim start, bend towards the tip, tip, bend back, brim end.
    const QPointF lobes[3][4] = {
        {{305, brimY}, {290, 160}, {330, 130}, {368, brimY}},
        {{340, brimY}, {360, 120}, {440, 120}, {460, brimY}},
        {{432, brimY}, {470, 130}, {510, 160}, {495, brimY}},
    };
    p.setPen(roundPen(ink, 5));
    for (int i = 0; i < 3; ++i) {
        QPainterPath lobe(lobes[i][0]);
        lobe.quadTo(lobes[i][1], points[i].tip);
        lobe.quadTo(lobes[i][2], lobes[i][3]);
        lobe.closeSubpath();
        p.setBrush(points[i].colour);
        p.drawPath(lobe);
    }
    p.setBrush(QColor(0xff, 0xc8, 0x00));
    for (const Point &pt : points)
        p.drawEllipse(pt.tip, 20, 20);
    // Hat band.
    p.setBrush(QColor(0xff, 0xc8, 0x00));
    p.drawRoundedRect(QRectF(292, brimY - 16, 216, 34), 16, 16);

    // Collar zigzag.
    QPainterPath collar;
    collar.moveTo(300, 335);
    const int teeth = 7;
    for (int i = 0; i < teeth; ++i) {
        const qreal x = 300 + i * (200.0 / teeth);
        collar.lineTo(x + 100.0 / teeth, 385 + (i % 2) * 10);
        collar.lineTo(x + 200.0 / teeth, 335);
    }
    collar.closeSubpath();
    p.setBrush(QColor(0x8e, 0x24, 0xaa));
    p.drawPath(collar);

    // Face.
    p.setBrush(QColor(0xff, 0xe0, 0xc0));
    p.drawEllipse(face, 92, 88);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x70, 0x80, 150));
    p.drawEllipse(face + QPointF(-55, 28), 20, 13);
    p.drawEllipse(face + QPointF(55, 28), 20, 13);
    p.setBrush(ink);
    p.drawEllipse(face + QPointF(-32, -18), 11, 15);
    p.drawEllipse(face + QPointF(32, -18), 11, 15);
    p.setBrush(Qt::white);
    p.drawEllipse(face + QPointF(-28, -23), 4, 5);
    p.drawEllipse(face + QPointF(36, -23), 4, 5);
    p.setBrush(QColor(0xe5, 0x1c, 0x23));
    p.drawEllipse(face + QPointF(0, 8), 15, 15);
    p.setPen(roundPen(ink, 7));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(face.x() - 48, face.y() - 10, 96, 70), 200 * 16, 140 * 16);

    // Title in rainbow letters with a dark outline.
    const QString title = QStringLiteral("JOKER");
    const QColor letterColours[] = {QColor(0xe5, 0x1c, 0x23), QColor(0xff, 0x8f, 0x00), QColor(0x2e, 0x9d, 0x4a),
                                    QColor(0x1e, 0x88, 0xe5), QColor(0x8e, 0x24, 0xaa)};
    const QFont font = sansFont(92);
    const QFontMetricsF fm(font);
    qreal x = 400 - fm.horizontalAdvance(title) / 2;
    const qreal baseline = 500;
    for (int i = 0; i < title.size(); ++i) {
        QPainterPath glyph;
        glyph.addText(QPointF(x, baseline), font, title.mid(i, 1));
        p.setPen(roundPen(ink, 8));
        p.setBrush(letterColours[i]);
        p.drawPath(glyph);
        p.setPen(Qt::NoPen);
        p.drawPath(glyph);
        x += fm.horizontalAdvance(title.mid(i, 1));
    }
    // Corner marks as on a playing card.
    drawText(p, QRectF(card.left() + 22, card.top() + 20, 60, 60), QStringLiteral("★"), 44, QColor(0xe5, 0x1c, 0x23));
    drawText(p, QRectF(card.right() - 82, card.bottom() - 80, 60, 60), QStringLiteral("★"), 44,
             QColor(0xe5, 0x1c, 0x23));
    return image;
}

struct Picture {
    const char *name;
    QImage (*draw)();
};

const Picture pictures[] = {
    {"brailleschrift.png", brailleHallo},
    {"buchstabensalat.png", letterTiles},
    {"erdkugel.png", globe},
    {"erdschichten.png", earthLayers},
    {"filmklappe.png", clapperboard},
    {"flagge_griechenland.png", flagGreece},
    {"flagge_japan.png", flagJapan},
    {"flagge_oesterreich.png", flagAustria},
    {"flagge_schweden.png", flagSweden},
    {"gitarre.png", guitar},
    {"halbe_note.png", halfNote},
    {"insekt.png", ladybird},
    {"klaviatur.png", pianoOctave},
    {"magnete.png", magnets},
    {"morsezeichen.png", morseSos},
    {"prisma.png", prism},
    {"semikolon.png", semicolon},
    {"sonnensystem.jpg", solarSystem},
    {"stromkreis.png", circuit},
    {"thermometer.png", thermometer},
    {"uhr.png", clockFace},
    {"violinschluessel.png", trebleClef},
    {"vorfahrtstrasse.png", prioritySign},
    {"windrose.png", compassRose},
    {"wuerfel.png", gameDie},
};

bool save(const QImage &image, const QString &path)
{
    const bool jpeg = path.endsWith(QLatin1String(".jpg"));
    // JPEG has no alpha; flatten first so nothing turns black.
    const QImage out = jpeg ? image.convertToFormat(QImage::Format_RGB32) : image;
    if (out.save(path, jpeg ? "JPG" : "PNG", jpeg ? 90 : -1))
        return true;
    std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    // Drawing needs no display; the build sets this too, but a hand run should work as well.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: make_pictures IMAGES_DIR JOKER_FILE [NAME...]\n");
        return 2;
    }
    const QDir dir(args[1]);
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "make_pictures: cannot create %s\n", qPrintable(dir.path()));
        return 1;
    }

    if (args.size() > 3) {
        QSet<QString> drawn;
        for (const Picture &pic : pictures)
            drawn.insert(QString::fromLatin1(pic.name));
        const QStringList expectedList = args.mid(3);
        const QSet<QString> expected(expectedList.begin(), expectedList.end());
        if (expected != drawn) {
            for (const QString &n : expected - drawn)
                std::fprintf(stderr, "make_pictures: no drawing for %s\n", qPrintable(n));
            for (const QString &n : drawn - expected)
                std::fprintf(stderr, "make_pictures: %s is drawn but not listed in the build\n", qPrintable(n));
            return 1;
        }
    }

    bool ok = true;
    for (const Picture &pic : pictures)
        ok = save(pic.draw(), dir.filePath(QString::fromLatin1(pic.name))) && ok;
    const QFileInfo jokerFile(args[2]);
    QDir().mkpath(jokerFile.absolutePath());
    ok = save(joker(), jokerFile.filePath()) && ok;
    return ok ? 0 : 1;
}
