#pragma once
// Colour tools: brightness shift, contrast text colour and the 50 % mix.

#include <QColor>

namespace wq::colours {

// Positive percent moves the colour towards white, negative towards black, by
// that share of the distance; beyond 100 % it stays white or black.
QColor shifted(const QColor &colour, double percent);
// Black or white, whichever has the higher contrast on the back colour.
QColor contrastText(const QColor &back);
QColor mixHalf(const QColor &a, const QColor &b);

// Colours are kept by the system as 32-bit values 0x00BBGGRR.
quint32 toBgr(const QColor &colour);
QColor fromBgr(quint32 value);

} // namespace wq::colours
