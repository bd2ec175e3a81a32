// Opening a wall file.

#include "frm_WQZ.h"

#include "host/TextTools.h"
#include "storage/RecentWalls.h"
#include "storage/WallPaths.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

namespace wq {

namespace {
const QString NoOwnWallsHint = QStringLiteral(
    "Auf diesem Rechner sind keine geienen Fragen-Wände für den Wandquiz gespeichert. Nutzen Sie den LX "
    "Werkbank Editor, um eigene Frage-Wände zu erstellen und von einem Rechner zum anderen zu kopieren. Es "
    "werden nun die mitgelieferten Frage-Wände angezeigt.");
} // namespace

void frm_WQZ::mnu_FileLoad_Click()
{
    try {
        const FolderService &folders = *m_host.folders;
        const DialogSettings settings = wallDialogSettings(folders);
        QString startFolder = userWallsFolder(folders);
        const QString title = QStringLiteral("Fragendatei öffnen");
        if (m_host.files->filesMatching(startFolder + QStringLiteral("*.*")).isEmpty()) {
            m_host.messages->messageBox(NoOwnWallsHint, QStringLiteral("Hinweis"), MessageButtons::Ok,
                                        MessageIcon::Information);
            startFolder = suppliedWallsFolder(folders);
        }
        m_host.files->prepareFolder(startFolder);
        const QString chosen = m_host.fileDialog->openDialog(startFolder + QStringLiteral("*.lx-wqz;*.frg"),
                                                             title, WallFileFilter, 0, settings);
        LastWallPath = chosen;
        if (chosen.isEmpty())
            return;
        loadChosenWall(chosen);
        BuildBoard();
    } catch (const std::exception &) {
        showOperationFailed();
    }
}

void frm_WQZ::showOperationFailed()
{
    m_host.messages->messageBox(QStringLiteral("Es ist ein Fehler aufgetreten! Operation NICHT ausgeführt."),
                                QStringLiteral("Fehler:"), MessageButtons::Ok, MessageIcon::None);
}

void frm_WQZ::loadChosenWall(const QString &path)
{
    // A wall that fails to load is shown as far as it was read.
    m_wallIsAutosaved = false;
    wall().LOAD(path, QString());
    wallChanged();
    writeAutosave();
    m_host.notification->notify(2, true, true, nullptr);
}

void frm_WQZ::openWall(const QString &path)
{
    try {
        LastWallPath = path;
        loadChosenWall(path);
        BuildBoard();
    } catch (const std::exception &) {
        showOperationFailed();
    }
}

void frm_WQZ::playWall(cls_Wall &edited, const QString &path)
{
    m_wallIsAutosaved = false;
    bool copied = false;
    wall().DATA_DataCopy(edited, copied);
    for (int i = 0; i < cls_Wall::FieldCount; ++i)
        wall().Item(i, true).TALIGN = edited.Item(i, true).TALIGN;
    wall().FILENAME = path;
    LastWallPath = path;
    wallChanged();
    writeAutosave();
    m_host.notification->notify(2, true, true, nullptr);
    BuildBoard();
}

void frm_WQZ::wallChanged()
{
    ++m_wallVersion;
    preparePictures();
}

void frm_WQZ::writeAutosave()
{
    if (!m_wallIsAutosaved)
        keepAutosavedWall();
    m_wallIsAutosaved = wall().SAVE(autosavePath(*m_host.folders), QString());
}

void frm_WQZ::keepAutosavedWall()
{
    // Only a wall that can be played again is worth keeping.
    const QString autosave = autosavePath(*m_host.folders);
    cls_Wall kept(m_host);
    if (!m_host.files->exists(autosave) || !kept.LOAD(autosave, QString()) || kept.FILENAME != autosave
        || !holdsQuestions(kept))
        return;
    RecentWalls(recentWallsFolder(*m_host.folders)).keep(autosave, shownTitle(kept), QDateTime::currentDateTime());
}

void frm_WQZ::fillRecentMenu()
{
    mnu_Recent->clear();
    const QList<RecentWall> walls = RecentWalls(recentWallsFolder(*m_host.folders)).list();
    if (walls.isEmpty())
        mnu_Recent->addAction(QStringLiteral("Noch keine Wand gespielt"))->setEnabled(false);
    for (const RecentWall &recent : walls) {
        QString caption = recent.title + QStringLiteral(" – ") + recent.played.toString(QStringLiteral("dd.MM.yyyy, HH:mm"));
        caption.replace(u'&', QStringLiteral("&&"));
        const QString path = recent.path;
        connect(mnu_Recent->addAction(caption), &QAction::triggered, this, [this, path] { openWall(path); });
    }
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
