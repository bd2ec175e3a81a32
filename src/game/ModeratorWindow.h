#pragma once
// The moderator's window on a second screen: the open field's question and
// its answer before it is revealed, the remaining time, the scores, and the
// buttons and keys that act exactly as those on the board.

#include <QList>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <optional>

class QLabel;
class QPushButton;

namespace wq {

class frm_WQZ;

// Which screen shows the board and which the moderator window: the board
// goes to the projector (a screen other than the primary one), the moderator
// window stays on the primary screen. Nothing with fewer than two screens.
struct ScreenPlan {
    int board = 0;
    int moderator = 0;
};
std::optional<ScreenPlan> planScreens(const QList<QRect> &screens, int primary);

class ModeratorWindow : public QWidget {
    Q_OBJECT
public:
    explicit ModeratorWindow(frm_WQZ &board);
    // Reads the board again; also done five times a second on its own.
    void refresh();

    QLabel *fieldLabel = nullptr;
    QLabel *questionLabel = nullptr;
    QLabel *answerLabel = nullptr;
    QLabel *timeLabel = nullptr;
    QLabel *scoresLabel = nullptr;
    QPushButton *stopButton = nullptr;
    QPushButton *revealButton = nullptr;
    QPushButton *rightButton = nullptr;
    QPushButton *wrongButton = nullptr;
    QPushButton *undoButton = nullptr;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    frm_WQZ &m_board;
    QTimer m_refresh;
};

} // namespace wq
