#pragma once
// Checks a hand-written legacy wall for whatever keeps it from playing as its
// author meant, with line numbers and German wording.

#include "LegacyWall.h"

#include <QList>
#include <QString>

namespace wq {

struct CheckFinding {
    enum Severity { Warning, Error };
    Severity severity = Warning;
    int line = 0; // 1-based; 0 for the file as a whole
    QString text;
};

// `imagesFolder` ends with "/"; pictures named in the wall are looked up there.
QList<CheckFinding> checkLegacyWall(const LegacyText &text, const QString &imagesFolder);

// "Zeile 12: Warnung: …"
QString describeFinding(const CheckFinding &finding);

} // namespace wq
