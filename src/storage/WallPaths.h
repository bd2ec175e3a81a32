#pragma once
// Where walls live. Every folder path ends with "/".

#include "host/HostServices.h"

#include <QString>

namespace wq {

// The walls people make themselves, shown as "Selbstgemacht".
QString userWallsFolder(const FolderService &folders);
// The walls that come with the program, shown as "Mitgeliefert".
QString suppliedWallsFolder(const FolderService &folders);
// The wall saved on every close and read at every start.
QString autosavePath(const FolderService &folders);
// Read instead when a wall file is missing.
QString suppliedAutosavePath(const FolderService &folders);
// The walls played lately, kept before the autosave is replaced.
QString recentWallsFolder(const FolderService &folders);

inline const QString AutosaveFileName = QStringLiteral("AUTO.LX-WQZ");
inline const QString WallFileFilter = QStringLiteral("Fragendatei|*.lx-wqz;*.frg");

// The settings of the dialogs that open and save walls: the two walls
// folders under their names, no other quick links.
DialogSettings wallDialogSettings(const FolderService &folders);

} // namespace wq
