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

namespace {
// Relative luminance as the eye sees it (sRGB).
double luminance(const QColor &colour)
{
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) + 0.0722 * linear(colour.blue());
}
} // namespace

QColor contrastText(const QColor &back)
{
    // Whichever of black and white stands out more, by the contrast ratio
    // (L1 + 0.05) / (L2 + 0.05): on a projector every bit counts.
    const double l = luminance(back);
    const double withWhite = 1.05 / (l + 0.05);
    const double withBlack = (l + 0.05) / 0.05;
    return withBlack >= withWhite ? QColor(Qt::black) : QColor(Qt::white);
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
