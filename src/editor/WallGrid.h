#pragma once
// The wall as the board shows it, for editing: the four topics above their
// columns and the twenty fields in rows of 20 to 100 points, each cell with
// the field's kind and the start of its question, marked when something is
// wrong with it. Pictures dropped on a cell are handed on.

#include "WallCheck.h"

#include <QWidget>
#include <array>

class QLineEdit;
class QMimeData;
class QPushButton;

namespace wq {

class WallDocument;
struct ColourScheme;

class WallGrid : public QWidget {
    Q_OBJECT
public:
    explicit WallGrid(QWidget *parent = nullptr);

    void showWall(WallDocument &document, const QList<WallProblem> &problems, const ColourScheme &scheme);
    int current() const { return m_current; }
    void setCurrent(int index);

    std::array<QLineEdit *, 4> topics{};
    std::array<QPushButton *, 20> cells{};

Q_SIGNALS:
    void currentChanged(int index);
    void topicEdited(int column, const QString &title);
    void pictureDropped(int index, const QMimeData *data);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int m_current = 0;
};

// "Thema 2, 60 Punkte": how a cell is named for screen readers.
QString cellName(int index);

} // namespace wq
