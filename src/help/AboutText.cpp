#include "AboutText.h"

#include <QCoreApplication>

namespace wq {

QString aboutText()
{
    return QStringLiteral(
               "<h2>Wandquiz %1</h2>"
               "<p>Das Quiz an der Wand für Schule und Feier: eine Moderatorin oder ein Moderator und bis zu "
               "vier Gruppen spielen auf einer Frage-Wand aus vier Themen mit je fünf Feldern.</p>"
               "<p>Freie Software unter der MIT-Lizenz. Sie dürfen das Programm benutzen, weitergeben und "
               "verändern.</p>"
               "<p>Geschrieben vom Wandquiz-Team. Gebaut mit Qt 6 (LGPL-3.0) und zlib; die Schrift Tahoma "
               "stammt, wo sie fehlt, aus dem Wine-Projekt (LGPL-2.1). Bilder, Klänge und Fragen-Wände "
               "sind eigene Werke des Wandquiz-Teams.</p>")
        .arg(QStringLiteral(WANDQUIZ_VERSION));
}

} // namespace wq
