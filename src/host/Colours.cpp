#include "Colours.h"

#include <algorithm>
#include <cmath>

namespace wq::colours {

namespace {
int shiftChannel(int channel, double share)
{
    const double target = share >= 0 ? 255.0 : 0.0;
    return int(std::lround(channel + (target - channel) * std::fabs(share)));
}
} // namespace

QColor shifted(const QColor &colour, double percent)
{
    const double share = std::clamp(percent / 100.0, -1.0, 1.0);
    return QColor(shiftChannel(colour.red(), share), shiftChannel(colour.green(), share),
                  shiftChannel(colour.blue(), share));
}

QColor contrastText(const QColor &back)
{
    // Perceived brightness, weighted as the eye weighs the three channels.
    const double brightness = 0.299 * back.red() + 0.587 * back.green() + 0.114 * back.blue();
    return brightness >= 140.0 ? QColor(Qt::black) : QColor(Qt::white);
}

QColor mixHalf(const QColor &a, const QColor &b)
{
    return QColor((a.red() + b.red() + 1) / 2, (a.green() + b.green() + 1) / 2, (a.blue() + b.blue() + 1) / 2);
}

quint32 toBgr(const QColor &colour)
{
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

QColor fromBgr(quint32 value)
{
    return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
}

} // namespace wq::colours
