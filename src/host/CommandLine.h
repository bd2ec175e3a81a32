#pragma once
#include <QStringList>

namespace wq {

// The whole command line after the program's name, as one text.
QString commandLineOf(const QStringList &arguments);

} // namespace wq
