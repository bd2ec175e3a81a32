#include "WallEditor.h"

#include "EditorFiles.h"
#include "FieldForm.h"
#include "WallGrid.h"
#include "appearance/ColourSchemes.h"
#include "host/HostServices.h"
#include "storage/WallCsv.h"
#include "storage/WallPaths.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QVBoxLayout>

namespace wq {

namespace {
const QString PackageFilter = QStringLiteral("Fragen-Wand|*.lx-wqz");
const QString TableFilter = QStringLiteral("Tabelle|*.csv");
constexpr qint64 MostTableBytes = MaxWallCsvSize;

QLineEdit *lineEdit(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAccessibleName(name);
    return edit;
}

bool anyLeftAligned(cls_Wall &wall)
{
    for (int i = 0; i < cls_Wall::FieldCount; ++i)
        if (wall.Item(i, true).TALIGN != AlignBothCentred)
            return true;
    return false;
}
} // namespace

WallEditor::WallEditor(const Host &host, int colourScheme, QWidget *parent)
    : QMainWindow(parent), m_host(host), m_scheme(colourScheme), m_document(host)
{
    setObjectName(QStringLiteral("WallEditor"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Ending the game does not end the program while a wall is being edited.
    setProperty("keepsProcess", true);
    grid = new WallGrid(this);
    form = new FieldForm(host, m_document, this);
    problemList = new QListWidget(this);
    problemList->setObjectName(QStringLiteral("problems"));
    problemList->setAccessibleName(QStringLiteral("Hinweise"));
    tryOutButton = new QPushButton(QStringLiteral("Ausprobieren"), this);
    tryOutButton->setObjectName(QStringLiteral("tryOut"));

    auto *left = new QWidget(this);
    auto *leftColumn = new QVBoxLayout(left);
    leftColumn->addWidget(buildWallInfo());
    leftColumn->addWidget(grid, 1);
    auto *hints = new QLabel(QStringLiteral("Hinweise"), left);
    hints->setBuddy(problemList);
    leftColumn->addWidget(hints);
    leftColumn->addWidget(problemList);
    leftColumn->addWidget(tryOutButton);
    auto *formScroll = new QScrollArea(this);
    formScroll->setWidget(form);
    formScroll->setWidgetResizable(true);
    auto *split = new QSplitter(this);
    split->addWidget(left);
    split->addWidget(formScroll);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    setCentralWidget(split);
    buildMenus();

    connect(&m_document, &WallDocument::changed, this, &WallEditor::refresh);
    connect(&m_document.undoStack(), &QUndoStack::cleanChanged, this, [this] { setWindowModified(m_document.isModified()); });
    connect(grid, &WallGrid::currentChanged, this, &WallEditor::showCurrentField);
    connect(grid, &WallGrid::topicEdited, &m_document, &WallDocument::setTopic);
    connect(grid, &WallGrid::pictureDropped, this, [this](int, const QMimeData *data) { form->takePicture(data); });
    connect(problemList, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        const int field = item->data(Qt::UserRole).toInt();
        if (field >= 0)
            grid->setCurrent(field);
    });
    connect(tryOutButton, &QPushButton::clicked, this, &WallEditor::tryOut);
    // Ctrl+Z undoes the last change of the wall wherever the cursor is: the
    // text boxes do not keep an undo of their own.
    for (QWidget *edit : findChildren<QWidget *>())
        if (qobject_cast<QLineEdit *>(edit) || qobject_cast<QPlainTextEdit *>(edit))
            edit->installEventFilter(this);
    resize(1280, 860);
    startNew();
}

WallEditor::~WallEditor() = default;

QWidget *WallEditor::buildWallInfo()
{
    auto *info = new QWidget(this);
    auto *form = new QFormLayout(info);
    const char *names[] = {"Titel", "Autor", "Zielgruppe"};
    const WallText texts[] = {WallText::Title, WallText::Author, WallText::TargetGroup};
    for (int i = 0; i < 3; ++i) {
        wallTexts[i] = lineEdit(QString::fromUtf8(names[i]), info);
        form->addRow(QString::fromUtf8(names[i]), wallTexts[i]);
        connect(wallTexts[i], &QLineEdit::textEdited, this,
                [this, which = texts[i]](const QString &text) { m_document.setWallText(which, text); });
    }
    difficulty = new QSpinBox(info);
    difficulty->setObjectName(QStringLiteral("Schwierigkeit"));
    difficulty->setAccessibleName(QStringLiteral("Schwierigkeit"));
    difficulty->setRange(0, 10);
    difficulty->setSpecialValueText(QStringLiteral("keine Angabe"));
    form->addRow(QStringLiteral("Schwierigkeit"), difficulty);
    connect(difficulty, &QSpinBox::valueChanged, &m_document, &WallDocument::setDifficulty);
    description = new QPlainTextEdit(info);
    description->setObjectName(QStringLiteral("Beschreibung"));
    description->setAccessibleName(QStringLiteral("Beschreibung"));
    description->setTabChangesFocus(true);
    description->setMaximumHeight(description->fontMetrics().lineSpacing() * 4);
    form->addRow(QStringLiteral("Beschreibung"), description);
    connect(description, &QPlainTextEdit::textChanged, this, [this] {
        if (description->toPlainText() != m_document.wallText(WallText::Description))
            m_document.setWallText(WallText::Description, description->toPlainText());
    });
    return info;
}

void WallEditor::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&Datei"));
    const auto add = [this](QMenu *menu, const QString &text, const QKeySequence &keys, auto slot) {
        QAction *action = menu->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(file, QStringLiteral("&Neue Wand"), QKeySequence(Qt::CTRL | Qt::Key_N), [this] { if (mayLeave()) startNew(); });
    add(file, QStringLiteral("Ö&ffnen …"), QKeySequence(Qt::CTRL | Qt::Key_O), &WallEditor::openOther);
    saveAction = add(file, QStringLiteral("&Speichern"), QKeySequence(Qt::CTRL | Qt::Key_S), &WallEditor::save);
    add(file, QStringLiteral("Speichern &unter …"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &WallEditor::saveAs);
    file->addSeparator();
    add(file, QStringLiteral("&Importieren …"), QKeySequence(), &WallEditor::importTable);
    add(file, QStringLiteral("&Exportieren …"), QKeySequence(), &WallEditor::exportTable);
    file->addSeparator();
    add(file, QStringLiteral("&Ausprobieren"), QKeySequence(Qt::Key_F5), &WallEditor::tryOut);
    file->addSeparator();
    add(file, QStringLiteral("S&chließen"), QKeySequence(Qt::CTRL | Qt::Key_W), &QWidget::close);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    QUndoStack &undo = m_document.undoStack();
    undoAction = add(edit, QStringLiteral("&Rückgängig"), QKeySequence(Qt::CTRL | Qt::Key_Z), [&undo] { undo.undo(); });
    redoAction = add(edit, QStringLiteral("&Wiederholen"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                     [&undo] { undo.redo(); });
    connect(&undo, &QUndoStack::canUndoChanged, undoAction, &QAction::setEnabled);
    connect(&undo, &QUndoStack::canRedoChanged, redoAction, &QAction::setEnabled);
    edit->addSeparator();
    add(edit, QStringLiteral("Bild &wählen …"), QKeySequence(), [this] { form->choosePicture(); });
    add(edit, QStringLiteral("Bild ei&nfügen"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), [this] {
        form->paste->click();
    });
}

PictureFolders WallEditor::pictureFolders() const
{
    const QString path = m_document.path();
    return {m_host.folders->programFolder() + QStringLiteral("images/"),
            path.isEmpty() ? QString() : QFileInfo(path).absolutePath() + u'/'};
}

void WallEditor::refresh()
{
    for (int i = 0; i < 3; ++i) {
        const WallText which[] = {WallText::Title, WallText::Author, WallText::TargetGroup};
        if (wallTexts[i]->text() != m_document.wallText(which[i]))
            wallTexts[i]->setText(m_document.wallText(which[i]));
    }
    if (description->toPlainText() != m_document.wallText(WallText::Description))
        description->setPlainText(m_document.wallText(WallText::Description));
    const QSignalBlocker quiet(difficulty);
    difficulty->setValue(m_document.wall().DIFFICULTY);
    refreshProblems();
    grid->showWall(m_document, m_problems, colourScheme(m_scheme));
    showCurrentField();
    setWindowTitle(QStringLiteral("Wand bearbeiten: %1[*]").arg(m_document.name()));
    setWindowModified(m_document.isModified());
}

void WallEditor::refreshProblems()
{
    m_problems = checkWall(m_document.wall(), pictureFolders());
    problemList->clear();
    for (const WallProblem &problem : m_problems) {
        const QString where = problem.field >= 0 ? cellName(problem.field) : QStringLiteral("Thema %1").arg(problem.topic + 1);
        auto *item = new QListWidgetItem(where + QStringLiteral(": ") + problem.text, problemList);
        item->setData(Qt::UserRole, problem.field);
    }
    if (m_problems.isEmpty())
        problemList->addItem(QStringLiteral("Keine Probleme gefunden."));
}

void WallEditor::showCurrentField()
{
    form->showField(grid->current(), pictureFolders(), colourScheme(m_scheme));
}

void WallEditor::tell(const QString &text)
{
    m_host.messages->messageBox(text, QStringLiteral("Wand bearbeiten"), MessageButtons::Ok, MessageIcon::Warning);
}

void WallEditor::startNew()
{
    m_document.startEmpty();
    m_document.setPath(QString());
    m_alignmentNoticeGiven = false;
    refresh();
}

bool WallEditor::openPath(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!QFileInfo::exists(absolute)) {
        startNew();
        m_document.setPath(asPackagePath(absolute));
        refresh();
        return true;
    }
    if (!m_document.load(absolute)) {
        tell(QStringLiteral("„%1“ lässt sich nicht als Fragen-Wand lesen.").arg(QFileInfo(path).fileName()));
        return false;
    }
    m_alignmentNoticeGiven = false;
    refresh();
    return true;
}

void WallEditor::editCopyOf(cls_Wall &wall, const QString &path)
{
    m_document.startEmpty();
    bool done = false;
    m_document.wall().DATA_DataCopy(wall, done);
    for (int i = 0; i < cls_Wall::FieldCount; ++i)
        m_document.wall().Item(i, true).TALIGN = wall.Item(i, true).TALIGN;
    m_document.setPath(path);
    refresh();
}

void WallEditor::openOther()
{
    if (!mayLeave())
        return;
    const QString path = m_host.fileDialog->openDialog(userWallsFolder(*m_host.folders) + QStringLiteral("*.lx-wqz"),
                                                       QStringLiteral("Wand öffnen"), WallFileFilter, 0,
                                                       wallDialogSettings(*m_host.folders));
    if (!path.isEmpty())
        openPath(path);
}

bool WallEditor::saveTo(const QString &path)
{
    if (anyLeftAligned(m_document.wall()) && !m_alignmentNoticeGiven) {
        m_alignmentNoticeGiven = true;
        m_host.messages->messageBox(
            QStringLiteral("Links ausgerichtete Fragen und Antworten („AL:“) kennt nur das Textformat. In der "
                           "Paketdatei werden sie zentriert gespeichert."),
            QStringLiteral("Wand speichern"), MessageButtons::Ok, MessageIcon::Information);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!m_document.wall().SAVE(path, QString())) {
        tell(QStringLiteral("Die Wand konnte nicht in „%1“ gespeichert werden. Bitte wählen Sie einen anderen Ort.")
                 .arg(path));
        return false;
    }
    m_document.setPath(path);
    m_document.undoStack().setClean();
    refresh();
    return true;
}

bool WallEditor::save()
{
    const QString target = saveTargetFor(m_document.path(), *m_host.folders);
    if (target.isEmpty())
        return saveAs();
    return saveTo(target) || saveAs();
}

bool WallEditor::saveAs()
{
    const QString suggested = suggestedPackagePath(m_document.path(), m_document.name(), *m_host.folders);
    QDir().mkpath(userWallsFolder(*m_host.folders));
    const QString chosen = m_host.fileDialog->saveDialog(suggested, QStringLiteral("Wand speichern unter"), PackageFilter,
                                                         wallDialogSettings(*m_host.folders));
    if (chosen.isEmpty())
        return false;
    const QString target = saveTargetFor(asPackagePath(chosen), *m_host.folders);
    if (target.isEmpty()) {
        // Supplied walls, the autosave and the walls played lately stay as they are.
        tell(QStringLiteral("Dort wird keine Wand gespeichert. Bitte wählen Sie einen Ort unter „Selbstgemacht“."));
        return saveAs();
    }
    return saveTo(target);
}

void WallEditor::importTable()
{
    const QString path = m_host.fileDialog->openDialog(userWallsFolder(*m_host.folders) + QStringLiteral("*.csv"),
                                                       QStringLiteral("Tabelle importieren"), TableFilter, 0,
                                                       wallDialogSettings(*m_host.folders));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MostTableBytes) {
        tell(QStringLiteral("Die Tabelle „%1“ lässt sich nicht lesen.").arg(QFileInfo(path).fileName()));
        return;
    }
    cls_Wall table(m_host);
    const CsvResult result = readWallCsv(file.readAll(), table);
    if (!result.ok) {
        tell(result.message);
        return;
    }
    m_document.replaceContent(WallContent::of(table), QStringLiteral("Tabelle importieren"));
}

void WallEditor::exportTable()
{
    QString suggested = suggestedPackagePath(m_document.path(), m_document.name(), *m_host.folders);
    suggested = suggested.left(suggested.lastIndexOf(u'.')) + QStringLiteral(".csv");
    const QString chosen = m_host.fileDialog->saveDialog(suggested, QStringLiteral("Tabelle exportieren"), TableFilter,
                                                         wallDialogSettings(*m_host.folders));
    if (chosen.isEmpty())
        return;
    QSaveFile file(chosen);
    const QByteArray bytes = writeWallCsv(m_document.wall());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        tell(QStringLiteral("Die Tabelle konnte nicht in „%1“ geschrieben werden.").arg(chosen));
}

void WallEditor::tryOut()
{
    Q_EMIT tryOutRequested(m_document.wall(), m_document.path());
}

bool WallEditor::mayLeave()
{
    if (!m_document.isModified())
        return true;
    const MessageResult answer = m_host.messages->messageBox(
        QStringLiteral("Änderungen an „%1“ speichern?").arg(m_document.name()), QStringLiteral("Wand bearbeiten"),
        MessageButtons::SaveDiscardCancel, MessageIcon::Warning);
    if (answer == MessageResult::Save)
        return save();
    return answer == MessageResult::Discard;
}

bool WallEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QKeyCombination pressed = key->keyCombination();
        if (undoAction->shortcut().matches(pressed) == QKeySequence::ExactMatch
            || redoAction->shortcut().matches(pressed) == QKeySequence::ExactMatch || key->matches(QKeySequence::Undo)
            || key->matches(QKeySequence::Redo))
            return true; // not the text box's: the window's
    }
    return QMainWindow::eventFilter(watched, event);
}

void WallEditor::closeEvent(QCloseEvent *event)
{
    if (mayLeave())
        event->accept();
    else
        event->ignore();
}

} // namespace wq
