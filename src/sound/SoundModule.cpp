// The sound module's entry point. The game loads the module once its board
// is painted, so Qt Multimedia and the sound server's client are neither
// loaded nor relocated before the first paint.

#include "QtSoundService.h"

extern "C" Q_DECL_EXPORT wq::SoundService *wandquizCreateSoundService(const QString &soundsFolder)
{
    return new wq::QtSoundService(soundsFolder, true);
}
