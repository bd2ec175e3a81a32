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

DialogSettings wallDialogSettings(const FolderService &folders)
{
    return {
        {QStringLiteral("FOLDERS.USER.URL"), userWallsFolder(folders)},
        {QStringLiteral("FOLDERS.USER.NAME"), QStringLiteral("Selbstgemacht")},
        {QStringLiteral("FOLDERS.STANDARD.NAME"), QStringLiteral("Mitgeliefert")},
        {QStringLiteral("FOLDERS.STANDARD.URL"), suppliedWallsFolder(folders)},
        {QStringLiteral("QUICKLINKS.DESKTOP"), false},
        {QStringLiteral("QUICKLINKS.USER"), false},
        {QStringLiteral("QUICKLINKS.COMPUTER"), false},
        {QStringLiteral("QUICKLINKS.NETWORK"), false},
        {QStringLiteral("QUICKLINKS.USB"), false},
        {QStringLiteral("QUICKLINKS.DEFAULT"), false},
    };
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
