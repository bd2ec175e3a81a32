// Opening a wall file.

#include "frm_WQZ.h"

#include "host/TextTools.h"
#include "storage/WallPaths.h"

#include <QFileInfo>

namespace wq {

namespace {
const QString NoOwnWallsHint = QStringLiteral(
    "Auf diesem Rechner sind keine geienen Fragen-Wände für den Wandquiz gespeichert. Nutzen Sie den LX "
    "Werkbank Editor, um eigene Frage-Wände zu erstellen und von einem Rechner zum anderen zu kopieren. Es "
    "werden nun die mitgelieferten Frage-Wände angezeigt.");
const QString WallFilter = QStringLiteral("Fragendatei|*.lx-wqz;*.frg");

DialogSettings openDialogSettings(const FolderService &folders)
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
} // namespace

void frm_WQZ::mnu_FileLoad_Click()
{
    try {
        const FolderService &folders = *m_host.folders;
        const DialogSettings settings = openDialogSettings(folders);
        QString startFolder = userWallsFolder(folders);
        const QString title = QStringLiteral("Fragendatei öffnen");
        if (m_host.files->filesMatching(startFolder + QStringLiteral("*.*")).isEmpty()) {
            m_host.messages->messageBox(NoOwnWallsHint, QStringLiteral("Hinweis"), MessageButtons::Ok,
                                        MessageIcon::Information);
            startFolder = suppliedWallsFolder(folders);
        }
        m_host.files->prepareFolder(startFolder);
        const QString chosen = m_host.fileDialog->openDialog(startFolder + QStringLiteral("*.lx-wqz;*.frg"),
                                                             title, WallFilter, 0, settings);
        LastWallPath = chosen;
        if (chosen.isEmpty())
            return;
        loadChosenWall(chosen);
        BuildBoard();
    } catch (const std::exception &) {
        m_host.messages->messageBox(QStringLiteral("Es ist ein Fehler aufgetreten! Operation NICHT ausgeführt."),
                                    QStringLiteral("Fehler:"), MessageButtons::Ok, MessageIcon::None);
    }
}

void frm_WQZ::loadChosenWall(const QString &path)
{
    // A wall that fails to load is shown as far as it was read.
    wall().LOAD(path, QString());
    wall().SAVE(autosavePath(*m_host.folders), QString());
    m_host.notification->notify(2, true, true, nullptr);
}

bool frm_WQZ::openWallFromCommandLine(const QStringList &arguments)
{
    // A file manager passes the wall file that was double-clicked.
    for (const QString &argument : arguments) {
        const QString kind = text::extension(argument).toUpper();
        if ((kind == u"LX-WQZ" || kind == u"FRG") && m_host.files->exists(argument)) {
            LastWallPath = QFileInfo(argument).absoluteFilePath();
            loadChosenWall(LastWallPath);
            return true;
        }
    }
    return false;
}

} // namespace wq
