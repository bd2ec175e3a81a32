#pragma once
// One run of the program: the game window, and the wall editors opened from
// it or from the command line ("wandquiz --edit [FILE]"). The editors are
// windows of their own beside the game; "Ausprobieren" in an editor plays its
// wall on the game's board, starting the game first when it is not running.

#include <QObject>
#include <functional>
#include <memory>

namespace wq {

struct Host;
class cls_Wall;
class frm_WQZ;
class WallEditor;

class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(const Host &host);
    ~Session() override;

    // Starts the game with the command line's arguments; false when the
    // process is to end at once (another instance runs).
    bool startGame(const QStringList &arguments);
    // An editor on the wall in `path` (which need not exist yet), or on a new
    // wall when `path` is empty.
    WallEditor *openEditor(const QString &path);
    frm_WQZ *game() const { return m_game.get(); }
    // Called with every game window made, before it starts.
    std::function<void(frm_WQZ &)> onGameMade;

private:
    void connectGame();
    WallEditor *newEditor();
    void editBoardWall();
    void tryOut(cls_Wall &wall, const QString &path);

    const Host &m_host;
    std::unique_ptr<frm_WQZ> m_game;
};

} // namespace wq
