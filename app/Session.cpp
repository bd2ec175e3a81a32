#include "Session.h"

#include "editor/WallEditor.h"
#include "game/frm_WQZ.h"
#include "appearance/ColourSchemes.h"
#include "host/HostServices.h"

namespace wq {

Session::Session(const Host &host) : m_host(host) {}

Session::~Session() = default;

bool Session::startGame(const QStringList &arguments)
{
    m_game = std::make_unique<frm_WQZ>(m_host);
    connectGame();
    if (onGameMade)
        onGameMade(*m_game);
    return m_game->Form_Load(arguments);
}

void Session::connectGame()
{
    connect(m_game.get(), &frm_WQZ::newWallRequested, this, [this] { openEditor(QString()); });
    connect(m_game.get(), &frm_WQZ::editWallRequested, this, &Session::editBoardWall);
}

WallEditor *Session::newEditor()
{
    auto *editor = new WallEditor(m_host, m_game ? m_game->colourSchemeIndex() : SchemeBlueSea);
    connect(editor, &WallEditor::tryOutRequested, this, &Session::tryOut);
    return editor;
}

WallEditor *Session::openEditor(const QString &path)
{
    WallEditor *editor = newEditor();
    if (!path.isEmpty())
        editor->openPath(path);
    editor->show();
    return editor;
}

void Session::editBoardWall()
{
    WallEditor *editor = newEditor();
    cls_Wall &wall = m_game->wall();
    editor->editCopyOf(wall, m_game->LastWallPath.isEmpty() ? wall.FILENAME : m_game->LastWallPath);
    editor->show();
}

void Session::tryOut(cls_Wall &wall, const QString &path)
{
    if (!m_game || m_game->hasEnded()) {
        // A game running in another process would share the autosave: the
        // wall is played there once it is saved and opened.
        if (m_host.app->previousInstanceRunning()) {
            m_host.messages->messageBox(
                QStringLiteral("Das Spiel läuft schon in einem anderen Fenster. Speichern Sie die Wand und öffnen Sie "
                               "sie dort mit „Datei (Wand) öffnen“."),
                QStringLiteral("Ausprobieren"), MessageButtons::Ok, MessageIcon::Information);
            return;
        }
        if (!startGame({}))
            return;
    }
    m_game->playWall(wall, path);
    m_game->raise();
    m_game->activateWindow();
}

} // namespace wq
