#include "WallPaths.h"

#include "host/HostServices.h"

namespace wq {

QString userWallsFolder(const FolderService &folders)
{
    return folders.documentsFolder() + QStringLiteral("Wandquiz/");
}

QString suppliedWallsFolder(const FolderService &folders)
{
    return folders.sharedApplicationFolder() + QStringLiteral("Apps/Wandquiz/Data/");
}

QString autosavePath(const FolderService &folders)
{
    return folders.userDataFolder() + AutosaveFileName;
}

QString recentWallsFolder(const FolderService &folders)
{
    return folders.userDataFolder() + QStringLiteral("Zuletzt gespielt/");
}

QString suppliedAutosavePath(const FolderService &folders)
{
    return suppliedWallsFolder(folders) + AutosaveFileName;
}

} // namespace wq
