#pragma once
// Where the editor saves a wall: always as a package, by default among the
// user's own walls ("Selbstgemacht"), never over a supplied wall, the
// autosave or a wall kept as played lately.

#include <QString>

namespace wq {

class FolderService;

// The package the wall read from `path` is saved to without asking; empty
// when the editor must ask (a new wall, a text wall, a supplied wall, ...).
QString saveTargetFor(const QString &path, const FolderService &folders);
// What the save dialog proposes: a package named after the wall's file or its
// title, in the user's own walls folder.
QString suggestedPackagePath(const QString &path, const QString &name, const FolderService &folders);
// The chosen path with the package extension, added when it was left out.
QString asPackagePath(const QString &chosen);

} // namespace wq
