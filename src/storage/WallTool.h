#pragma once
// wandquiz-wall: the tool for people who write walls by hand.

#include <QStringList>

class QTextStream;

namespace wq {

struct Host;

// Runs the tool with its arguments (without the program name); returns the
// exit status.
int runWallTool(const QStringList &arguments, const Host &host, QTextStream &out, QTextStream &err);

} // namespace wq
