#pragma once
// The program's own name, as data objects are told their class name.

#include <QString>

namespace wq {

// The program's executable name without extension ("wandquiz").
QString executableName();
// The class name a data object is given: executable name, a point, the type.
QString classNameFor(const QString &typeName);

} // namespace wq
