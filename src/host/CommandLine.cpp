#include "CommandLine.h"

namespace wq {

QString commandLineOf(const QStringList &arguments)
{
    return arguments.mid(1).join(u' ');
}

} // namespace wq
