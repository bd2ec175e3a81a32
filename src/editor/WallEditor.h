#pragma once
// The wall editor: a window of its own beside the game, in which a teacher
// makes a wall or changes one: its title and description, the four topics,
// the twenty fields with their pictures. It saves packages, imports and
// exports spreadsheet tables, shows what is wrong where it is, and plays the
// wall on the board without saving it first.

#include "WallCheck.h"
#include "WallDocument.h"

#include <QMainWindow>
#include <array>

class QAction;
class QLineEdit;
class QListWidget;
class QMimeData;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace wq {

struct Host;
class FieldForm;
class WallGrid;

class WallEditor : public QMainWindow {
    Q_OBJECT
public:
    WallEditor(const Host &host, int colourScheme, QWidget *parent = nullptr);
    ~WallEditor() override;

    // The wall in `path`; a path without a file yet is a new wall saved
    // there. False, with a message, when the file is not a wall.
    bool openPath(const QString &path);
    // A copy of a wall already read (the one on the board), from `path`.
    void editCopyOf(cls_Wall &wall, const QString &path);
    WallDocument &document() { return m_document; }

    bool save();
    bool saveAs();
    void importTable();
    void exportTable();
    void tryOut();
    QList<WallProblem> problems() const { return m_problems; }

    // The controls, named as they are labelled.
    std::array<QLineEdit *, 3> wallTexts{}; // Titel, Autor, Zielgruppe
    QPlainTextEdit *description = nullptr;
    QSpinBox *difficulty = nullptr;
    WallGrid *grid = nullptr;
    FieldForm *form = nullptr;
    QListWidget *problemList = nullptr;
    QPushButton *tryOutButton = nullptr;
    QAction *saveAction = nullptr, *undoAction = nullptr, *redoAction = nullptr;

Q_SIGNALS:
    // "Ausprobieren": the board is to play this wall, read from `path` (or new).
    void tryOutRequested(cls_Wall &wall, const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildWallInfo();
    void buildMenus();
    void refresh();
    void refreshProblems();
    void showCurrentField();
    void openOther();
    void startNew();
    bool saveTo(const QString &path);
    // True when the wall may be left: saved, or the author said so.
    bool mayLeave();
    void tell(const QString &text);
    PictureFolders pictureFolders() const;

    const Host &m_host;
    int m_scheme;
    WallDocument m_document;
    QList<WallProblem> m_problems;
    bool m_alignmentNoticeGiven = false;
};

} // namespace wq
