#pragma once
// Texts the reader makes from parts of a file: the target of a hyperlink
// field and the number or bullet of an old-style list paragraph.

#include <QString>

namespace wq::rtf {

// The address a HYPERLINK field instruction points to, with "#place" for a
// \l switch; empty for any other field.
QString hyperlinkTarget(const QString &instruction);

// The marker of list item number `number` in a NumberStyle, with the texts
// written before and after the number; empty for NoNumber.
QString listMarker(int style, int number, const QString &before, const QString &after);

} // namespace wq::rtf
