#pragma once
// The about box text ("&Info"): name, version, purpose, licence and credits.

#include <QString>

namespace wq {

// The text of the about box: name, version, purpose, licence and credits.
QString aboutText();

} // namespace wq
