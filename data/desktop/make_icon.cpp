// Draws the PNG sizes of the program icon from its SVG file.
//
//   make_icon ICON.svg SIZE=FILE.png [SIZE=FILE.png...]
//
// Our Qt has no SVG renderer, so this reads the few SVG elements the icon is
// made of (solid, optionally rounded rectangles) and paints them with
// QPainter. Anything else in the file is refused with an error instead of
// being left out, so a PNG can never silently differ from the SVG.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <cstdio>
#include <optional>
#include <vector>

namespace {

const QString SvgNamespace = QStringLiteral("http://www.w3.org/2000/svg");

struct Shape {
    QRectF rect;
    qreal rx = 0;
    qreal ry = 0;
    QColor fill;
};

struct Icon {
    QSizeF viewBox;
    std::vector<Shape> shapes;
};

void fail(const QXmlStreamReader &xml, const QString &message)
{
    std::fprintf(stderr, "make_icon: line %lld: %s\n", static_cast<long long>(xml.lineNumber()),
                 qPrintable(message));
}

// Plain user units only: a unit or percentage would need a real renderer.
std::optional<qreal> number(const QString &text)
{
    bool ok = false;
    const qreal value = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

bool readSvgElement(QXmlStreamReader &xml, Icon &icon)
{
    std::optional<qreal> width, height;
    for (const QXmlStreamAttribute &a : xml.attributes()) {
        const QString name = a.qualifiedName().toString();
        if (name == u"width" || name == u"height") {
            const auto value = number(a.value().toString());
            if (!value) {
                fail(xml, QStringLiteral("%1 must be a plain number").arg(name));
                return false;
            }
            (name == u"width" ? width : height) = value;
        } else if (name == u"viewBox") {
            const QStringList parts = a.value().toString().split(QRegularExpression(QStringLiteral("[\\s,]+")),
                                                                 Qt::SkipEmptyParts);
            std::vector<qreal> values;
            for (const QString &part : parts) {
                if (const auto value = number(part))
                    values.push_back(*value);
            }
            if (parts.size() != 4 || values.size() != 4 || values[0] != 0 || values[1] != 0 || values[2] <= 0
                || values[3] <= 0) {
                fail(xml, QStringLiteral("viewBox must be \"0 0 WIDTH HEIGHT\""));
                return false;
            }
            icon.viewBox = QSizeF(values[2], values[3]);
        } else {
            fail(xml, QStringLiteral("unsupported attribute %1 on <svg>").arg(name));
            return false;
        }
    }
    if (icon.viewBox.isEmpty()) {
        fail(xml, QStringLiteral("<svg> needs a viewBox"));
        return false;
    }
    if ((width && *width != icon.viewBox.width()) || (height && *height != icon.viewBox.height())) {
        fail(xml, QStringLiteral("width and height must equal the viewBox size"));
        return false;
    }
    if (icon.viewBox.width() != icon.viewBox.height()) {
        fail(xml, QStringLiteral("an icon must be square"));
        return false;
    }
    return true;
}

bool readRect(QXmlStreamReader &xml, Icon &icon)
{
    Shape shape;
    std::optional<qreal> x = 0, y = 0, w, h, rx, ry;
    bool filled = false;
    for (const QXmlStreamAttribute &a : xml.attributes()) {
        const QString name = a.qualifiedName().toString();
        const QString value = a.value().toString();
        if (name == u"x")
            x = number(value);
        else if (name == u"y")
            y = number(value);
        else if (name == u"width")
            w = number(value);
        else if (name == u"height")
            h = number(value);
        else if (name == u"rx")
            rx = number(value);
        else if (name == u"ry")
            ry = number(value);
        else if (name == u"fill") {
            // Only opaque #rrggbb: the colours of the board, nothing in between.
            static const QRegularExpression hex(QStringLiteral("^#[0-9a-fA-F]{6}$"));
            if (!hex.match(value).hasMatch()) {
                fail(xml, QStringLiteral("fill must be #rrggbb, not \"%1\"").arg(value));
                return false;
            }
            shape.fill = QColor::fromString(value);
            filled = true;
        } else {
            fail(xml, QStringLiteral("unsupported attribute %1 on <rect>").arg(name));
            return false;
        }
    }
    if (!x || !y || !w || !h || *w <= 0 || *h <= 0) {
        fail(xml, QStringLiteral("<rect> needs numeric x, y and a positive width and height"));
        return false;
    }
    if (!filled) {
        // SVG would paint it black; the icon says every colour outright.
        fail(xml, QStringLiteral("<rect> needs a fill"));
        return false;
    }
    // As in SVG: a missing radius takes the other one, and neither may pass half the side.
    const bool hadRx = xml.attributes().hasAttribute(QStringLiteral("rx"));
    const bool hadRy = xml.attributes().hasAttribute(QStringLiteral("ry"));
    if ((hadRx && !rx) || (hadRy && !ry) || (rx && *rx < 0) || (ry && *ry < 0)) {
        fail(xml, QStringLiteral("rx and ry must be numbers of at least 0"));
        return false;
    }
    qreal radiusX = hadRx ? *rx : hadRy ? *ry : 0;
    qreal radiusY = hadRy ? *ry : radiusX;
    shape.rect = QRectF(*x, *y, *w, *h);
    shape.rx = qMin(radiusX, *w / 2);
    shape.ry = qMin(radiusY, *h / 2);
    icon.shapes.push_back(shape);
    return true;
}

std::optional<Icon> readIcon(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_icon: cannot read %s\n", qPrintable(path));
        return std::nullopt;
    }
    QXmlStreamReader xml(&file);
    Icon icon;
    int depth = 0;
    bool sawRoot = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement: {
            ++depth;
            const QString name = xml.name().toString();
            if (xml.namespaceUri() != SvgNamespace) {
                fail(xml, QStringLiteral("element %1 is not in the SVG namespace").arg(name));
                return std::nullopt;
            }
            if (depth == 1) {
                if (name != u"svg") {
                    fail(xml, QStringLiteral("the root element must be <svg>"));
                    return std::nullopt;
                }
                if (!readSvgElement(xml, icon))
                    return std::nullopt;
                sawRoot = true;
            } else if (depth == 2 && name == u"rect") {
                if (!readRect(xml, icon))
                    return std::nullopt;
            } else if (depth == 2 && (name == u"title" || name == u"desc")) {
                // Words for people, not drawn.
                xml.skipCurrentElement();
                --depth;
            } else {
                fail(xml, QStringLiteral("unsupported element <%1>").arg(name));
                return std::nullopt;
            }
            break;
        }
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    if (xml.hasError()) {
        fail(xml, xml.errorString());
        return std::nullopt;
    }
    if (!sawRoot || icon.shapes.empty()) {
        std::fprintf(stderr, "make_icon: %s draws nothing\n", qPrintable(path));
        return std::nullopt;
    }
    return icon;
}

QImage draw(const Icon &icon, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / icon.viewBox.width(), size / icon.viewBox.height());
    p.setPen(Qt::NoPen);
    // Document order, as SVG paints: later shapes lie on top.
    for (const Shape &shape : icon.shapes) {
        p.setBrush(shape.fill);
        p.drawRoundedRect(shape.rect, shape.rx, shape.ry, Qt::AbsoluteSize);
    }
    p.end();
    return image;
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
        std::fprintf(stderr, "usage: make_icon ICON.svg SIZE=FILE.png [SIZE=FILE.png...]\n");
        return 2;
    }
    const std::optional<Icon> icon = readIcon(args[1]);
    if (!icon)
        return 1;

    bool ok = true;
    for (const QString &target : args.mid(2)) {
        const qsizetype split = target.indexOf(u'=');
        bool sizeOk = false;
        const int size = split > 0 ? target.left(split).toInt(&sizeOk) : 0;
        if (!sizeOk || size < 8 || size > 1024 || split + 1 >= target.size()) {
            std::fprintf(stderr, "make_icon: \"%s\" is not SIZE=FILE.png\n", qPrintable(target));
            return 2;
        }
        const QFileInfo file(target.mid(split + 1));
        if (!QDir().mkpath(file.absolutePath()) || !draw(*icon, size).save(file.filePath(), "PNG")) {
            std::fprintf(stderr, "make_icon: cannot write %s\n", qPrintable(file.filePath()));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}
