#pragma once
// The board's type face: Tahoma, loaded from fonts-wine where it is missing.

#include <QFont>

namespace wq {

// Every text on the board is set in Tahoma. Where Tahoma is not installed,
// the metric-compatible free Tahoma from Debian's fonts-wine is loaded once.
void ensureBoardFont();
QFont boardFont(double points, bool bold);

} // namespace wq
