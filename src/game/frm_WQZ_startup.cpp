// Starting and ending the run.

#include "frm_WQZ.h"

#include "help/frm_WQZHelp.h"
#include "host/PackageFile.h"
#include "widgets/Panel.h"
#include "storage/WallPaths.h"

#include <QCloseEvent>
#include <QScreen>

namespace wq {

namespace {
const QString NewInstanceSwitch = QStringLiteral("/NEW");
const QString Notice = QStringLiteral("Wandquiz – das Quiz an der Wand für Schule und Feier. Freie Software.");

QString versionText()
{
    return QStringLiteral("%1.%2.%3").arg(WANDQUIZ_VERSION_MAJOR).arg(WANDQUIZ_VERSION_MINOR).arg(WANDQUIZ_VERSION_PATCH);
}
} // namespace

bool frm_WQZ::Form_Load(const QStringList &arguments)
{
    const QString commandLine = arguments.join(u' ');
    m_ownsInstance = !m_host.app->previousInstanceRunning();
    // The switch is an argument of its own: a wall on a stick mounted at
    // /media/NEWSTICK is a wall to open, not the switch.
    if (!m_ownsInstance && !arguments.contains(NewInstanceSwitch)) {
        try {
            m_host.app->restoreDefaultCursor();
            m_host.messages->messageBox(QStringLiteral("Wandquiz läuft bereits oder wird noch geladen."), QString());
        } catch (...) {
            // The second instance ends whatever happens here.
        }
        m_ended = true;
        m_host.app->endProcess();
        return false;
    }
    m_host.app->registerApplication(Notice, QStringLiteral("Wandquiz"), QStringLiteral("BWandquiz"), versionText());
    m_host.app->setCommandLine(commandLine);
    mnu_OptionsColorSel_Click(1);
    // Saves cut short by a crash may have left temporary files; with no other
    // instance running, none of them is still being written.
    if (m_ownsInstance)
        PackageFile::removeLeftovers(autosavePath(*m_host.folders));
    const QString autosave = autosavePath(*m_host.folders);
    m_wallIsAutosaved = wall().LOAD(autosave, QString()) && wall().FILENAME == autosave;
    // A game cut short by a crash can go on, unless another wall was asked for.
    const bool newWall = openWallFromCommandLine(arguments);
    const std::optional<GameState> resumed = newWall ? std::nullopt : resumableGame();
    // Filling the screen first makes the window large even where no window
    // manager maximises it.
    if (screen())
        setGeometry(screen()->availableGeometry());
    showMaximized();
    BuildBoard();
    if (resumed)
        resumeGame(*resumed);
    AufbauTimer.start();
    return true;
}

void frm_WQZ::closeEvent(QCloseEvent *event)
{
    if (!m_ended)
        Form_Unload();
    event->accept();
}

void frm_WQZ::Form_Unload()
{
    writeAutosave();
    EndProgram();
}

void frm_WQZ::S_Ende_Click()
{
    const MessageResult answer = m_host.messages->messageBox(
        QStringLiteral("Wollen Sie wirklich beenden?"), QStringLiteral("Ende?"), MessageButtons::YesNo,
        MessageIcon::Stop);
    if (answer == MessageResult::Yes)
        EndProgram();
}

void frm_WQZ::S_Neu_Click()
{
    SiegerFenster->hide();
    const MessageResult answer = m_host.messages->messageBox(
        QStringLiteral("Wollen Sie wirklich ganz neu anfangen?"), QStringLiteral("Neu?"), MessageButtons::YesNo,
        MessageIcon::Stop);
    if (answer == MessageResult::Yes)
        BuildBoard();
}

void frm_WQZ::EndProgram()
{
    m_ended = true;
    discardSavedGame();
    closeModeratorWindow();
    AufbauTimer.stop();
    Blinker.stop();
    ZeitMess.stop();
    RisikoBlink.stop();
    SpielerPruef.stop();
    m_host.app->shutDown();
    m_host.general->shutDown();
    m_host.app->endProcess();
    // Where an editor keeps the program running, the board leaves the screen.
    hide();
}

void frm_WQZ::H_Hilfe_Click()
{
    frm_WQZHelp help(m_host, this);
    help.exec();
}

void frm_WQZ::H_Ueber_Click()
{
    m_host.app->aboutBox();
}

} // namespace wq
