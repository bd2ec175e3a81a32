#include "ColourSchemes.h"

#include "host/Colours.h"

namespace wq {

namespace {
QColor rgb(quint32 value) { return QColor::fromRgb(QRgb(value)); }

const std::array<QColor, 4> StandardColumns = {rgb(0xFF0000), rgb(0x0000FF), rgb(0x008000), rgb(0xFFFF00)};
} // namespace

QStringList schemeCaptions()
{
    return {QStringLiteral("&Das kleine Wandquiz"), QStringLiteral("Blaue See"), QStringLiteral("Schwarzweiß")};
}

ColourScheme colourScheme(int index)
{
    ColourScheme s;
    s.columnBase = StandardColumns;
    s.questionText = rgb(0xFFFFFF);
    s.answerText = rgb(0xFFFFFF);
    switch (index) {
    case 0:
        s.windowBack = rgb(0x000000);
        s.wall = rgb(0xFF0000);
        s.infoStrip = rgb(0xFF00FF);
        s.topic = rgb(0xFF00FF);
        s.name = rgb(0xFFFF00);
        s.score = rgb(0xFF0000);
        s.winnerBack = rgb(0x008080);
        s.winnerBack2 = rgb(0x808000);
        s.questionBack2 = rgb(0x008080);
        s.winnerText = rgb(0xFFFFFF);
        s.timeBar = rgb(0xFFFF00);
        s.timeBarBack = rgb(0x0000FF);
        break;
    case 1:
        s.windowBack = rgb(0x000040);
        s.wall = rgb(0x0000FF);
        s.infoStrip = rgb(0x0000FF);
        s.topic = rgb(0x00C0C0);
        s.name = rgb(0x00C0C0);
        s.score = rgb(0x00FFFF);
        s.winnerBack = rgb(0x000080);
        s.winnerBack2 = rgb(0x0000FF);
        s.questionBack2 = rgb(0x0000FF);
        s.winnerText = rgb(0xFFFF00);
        s.timeBar = rgb(0xFFFF00);
        s.timeBarBack = rgb(0x0000FF);
        break;
    default:
        s.windowBack = rgb(0x808080);
        s.wall = rgb(0xC0C0C0);
        s.infoStrip = rgb(0xC0C0C0);
        s.topic = rgb(0x808080);
        s.name = rgb(0x808080);
        s.score = rgb(0xC0C0C0);
        s.winnerBack = rgb(0x808080);
        s.winnerBack2 = rgb(0x000000);
        s.questionBack2 = rgb(0x000000);
        s.winnerText = rgb(0xFFFFFF);
        s.timeBar = rgb(0x808080);
        s.timeBarBack = rgb(0xC0C0C0);
        s.columnBase = {rgb(0xFFFFFF), rgb(0xC0C0C0), rgb(0xFFFFFF), rgb(0xC0C0C0)};
        break;
    }
    return s;
}

FieldShade fieldShade(const ColourScheme &scheme, int fieldIndex)
{
    const int r = fieldIndex / 4 + 1;
    const QColor &base = scheme.columnBase[fieldIndex % 4];
    return {colours::shifted(base, 50 - 20 * r), colours::shifted(base, 70 - 20 * r)};
}

} // namespace wq
