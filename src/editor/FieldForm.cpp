#include "FieldForm.h"

#include "ChoiceGroup.h"
#include "PictureImport.h"
#include "QuestionPreview.h"
#include "WallDocument.h"
#include "WallGrid.h"
#include "host/HostServices.h"
#include "host/Pictures.h"
#include "host/TextTools.h"
#include "model/FieldWords.h"
#include "storage/WallPaths.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace wq {

namespace {
const QString PictureFilter = QStringLiteral("Bild|*.png;*.jpg;*.jpeg;*.gif;*.bmp");
const QString JokerNote = QStringLiteral(
    "Ein Joker hat keine Frage: Wer ihn wählt, bekommt die Punkte geschenkt. Eine Antwort wird im Spiel nicht "
    "gezeigt, darum wird hier keine verlangt.");

QLabel *caption(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(text);
    return label;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}
} // namespace

FieldForm::FieldForm(const Host &host, WallDocument &document, QWidget *parent)
    : QWidget(parent), m_host(host), m_document(document)
{
    build();
    connectEdits();
}

void FieldForm::build()
{
    heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("fieldHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    heading->setFont(bold);

    kind = new ChoiceGroup(QStringLiteral("Art"), kindWords(), this);
    kind->setObjectName(QStringLiteral("kind"));
    question = new QPlainTextEdit(this);
    question->setObjectName(QStringLiteral("question"));
    question->setTabChangesFocus(true);
    answer = new QPlainTextEdit(this);
    answer->setObjectName(QStringLiteral("answer"));
    answer->setTabChangesFocus(true);
    for (QPlainTextEdit *edit : {question, answer})
        edit->setMaximumHeight(edit->fontMetrics().lineSpacing() * 5);
    jokerNote = new QLabel(JokerNote, this);
    jokerNote->setObjectName(QStringLiteral("jokerNote"));
    jokerNote->setWordWrap(true);

    picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picture"));
    picture->setMinimumSize(160, 90);
    picture->setAlignment(Qt::AlignCenter);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setAcceptDrops(true);
    picture->installEventFilter(this);
    choose = button(QStringLiteral("choosePicture"), QStringLiteral("Bild wählen …"), this);
    paste = button(QStringLiteral("pastePicture"), QStringLiteral("Bild einfügen"), this);
    embed = button(QStringLiteral("embedPicture"), QStringLiteral("Bild einbetten"), this);
    remove = button(QStringLiteral("removePicture"), QStringLiteral("Bild entfernen"), this);
    pictureMode = new ChoiceGroup(QStringLiteral("Bildmodus"), pictureModeWords(), this);
    pictureMode->setObjectName(QStringLiteral("pictureMode"));

    const QString programFolder = m_host.folders->programFolder();
    previewQuestion = new QuestionPreview(QuestionPreview::Side::Question, programFolder, this);
    previewAnswer = new QuestionPreview(QuestionPreview::Side::Answer, programFolder, this);

    auto *form = new QFormLayout;
    form->addRow(kind);
    form->addRow(caption(QStringLiteral("Frage"), question, this), question);
    form->addRow(caption(QStringLiteral("Antwort"), answer, this), answer);
    form->addRow(jokerNote);
    auto *pictureButtons = new QVBoxLayout;
    for (QPushButton *b : {choose, paste, embed, remove})
        pictureButtons->addWidget(b);
    auto *pictureRow = new QHBoxLayout;
    pictureRow->addWidget(picture, 1);
    pictureRow->addLayout(pictureButtons);
    form->addRow(caption(QStringLiteral("Bild"), picture, this), pictureRow);
    form->addRow(pictureMode);

    auto *column = new QVBoxLayout(this);
    column->addWidget(heading);
    column->addLayout(form);
    for (QuestionPreview *preview : {previewQuestion, previewAnswer}) {
        column->addWidget(caption(preview->accessibleName(), preview, this));
        column->addWidget(preview, 1);
    }
}

void FieldForm::connectEdits()
{
    connect(kind, &ChoiceGroup::chosen, this, [this](int value) { m_document.setKind(m_index, value); });
    connect(question, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_document.setFieldText(m_index, FieldText::Question, text::withBoardBreaks(question->toPlainText()));
    });
    connect(answer, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_document.setFieldText(m_index, FieldText::Answer, text::withBoardBreaks(answer->toPlainText()));
    });
    connect(pictureMode, &ChoiceGroup::chosen, this, [this](int mode) {
        m_document.setPicture(m_index, m_document.field(m_index).IMAGENAME, mode);
    });
    connect(choose, &QPushButton::clicked, this, &FieldForm::choosePicture);
    connect(paste, &QPushButton::clicked, this,
            [this] { takePicture(QApplication::clipboard()->mimeData()); });
    connect(embed, &QPushButton::clicked, this, &FieldForm::embedPicture);
    connect(remove, &QPushButton::clicked, this,
            [this] { m_document.setPicture(m_index, QString(), m_document.field(m_index).IMAGEMODE); });
}

void FieldForm::showField(int index, const PictureFolders &folders, const ColourScheme &scheme)
{
    m_showing = true;
    m_index = index;
    m_folders = folders;
    const cls_WallField &field = m_document.field(index);
    heading->setText(cellName(index));
    kind->setValue(field.SORT);
    // Written only when it differs, so the cursor stays where the author types.
    if (text::withBoardBreaks(question->toPlainText()) != field.QUESTION)
        question->setPlainText(text::withLineBreaks(field.QUESTION));
    if (text::withBoardBreaks(answer->toPlainText()) != field.ANSWER)
        answer->setPlainText(text::withLineBreaks(field.ANSWER));
    const bool joker = field.SORT == KindJoker;
    question->setVisible(!joker);
    answer->setVisible(!joker);
    jokerNote->setVisible(joker);
    showPictureState(folders);
    previewQuestion->showField(field, folders, scheme);
    previewAnswer->showField(field, folders, scheme);
    m_showing = false;
}

void FieldForm::showPictureState(const PictureFolders &folders)
{
    const cls_WallField &field = m_document.field(m_index);
    const QString name = field.IMAGENAME;
    const bool any = !name.isEmpty();
    const bool embedded = pictures::isEmbedded(name);
    QString state = QStringLiteral("Kein Bild");
    QPixmap thumbnail;
    if (embedded) {
        const QImage image = pictures::fromText(name);
        state = image.isNull() ? QStringLiteral("Eingebettetes Bild, nicht lesbar")
                               : QStringLiteral("Eingebettetes Bild, %1 × %2").arg(image.width()).arg(image.height());
        thumbnail = QPixmap::fromImage(image.scaled(picture->minimumSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } else if (any) {
        const QString found = folders.find(text::trimTrailingBlanks(name));
        state = found.isEmpty() ? QStringLiteral("Bilddatei „%1“ fehlt").arg(name)
                                : QStringLiteral("Bilddatei „%1“, nicht eingebettet").arg(name);
    }
    picture->setPixmap(thumbnail);
    if (thumbnail.isNull())
        picture->setText(state);
    picture->setToolTip(state);
    picture->setAccessibleDescription(state);
    embed->setEnabled(any && !embedded && !folders.find(text::trimTrailingBlanks(name)).isEmpty());
    remove->setEnabled(any);
    pictureMode->setEnabled(any);
    pictureMode->setValue(field.IMAGEMODE);
}

void FieldForm::setPicture(const QString &text, const QString &message)
{
    if (text.isEmpty()) {
        m_host.messages->messageBox(message, QStringLiteral("Bild"), MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    // A field that had no picture shows the new one with its question.
    const cls_WallField &field = m_document.field(m_index);
    const qint32 mode = field.IMAGENAME.isEmpty() ? PictureWithQuestion : field.IMAGEMODE;
    m_document.setPicture(m_index, text, mode);
}

void FieldForm::choosePicture()
{
    const QString start = userWallsFolder(*m_host.folders) + QStringLiteral("*.png");
    const QString path = m_host.fileDialog->openDialog(start, QStringLiteral("Bild wählen"), PictureFilter, 0,
                                                       wallDialogSettings(*m_host.folders));
    if (path.isEmpty())
        return;
    const ImportedPicture imported = importPictureFile(path);
    setPicture(imported.text, imported.message);
}

void FieldForm::embedPicture()
{
    const QString path = m_folders.find(text::trimTrailingBlanks(m_document.field(m_index).IMAGENAME));
    if (path.isEmpty())
        return;
    const ImportedPicture imported = importPictureFile(path);
    setPicture(imported.text, imported.message);
}

bool FieldForm::takePicture(const QMimeData *data)
{
    ImportedPicture imported;
    imported.message = QStringLiteral("Hier ist kein Bild, das sich einfügen lässt.");
    if (data && data->hasUrls() && data->urls().constFirst().isLocalFile())
        imported = importPictureFile(data->urls().constFirst().toLocalFile());
    else if (data && data->hasImage())
        imported = importPicture(qvariant_cast<QImage>(data->imageData()));
    setPicture(imported.text, imported.message);
    return imported.ok();
}

bool FieldForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == picture && event->type() == QEvent::DragEnter) {
        auto *drag = static_cast<QDragEnterEvent *>(event);
        if (drag->mimeData()->hasImage() || drag->mimeData()->hasUrls())
            drag->acceptProposedAction();
        return true;
    }
    if (watched == picture && event->type() == QEvent::Drop) {
        takePicture(static_cast<QDropEvent *>(event)->mimeData());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace wq
