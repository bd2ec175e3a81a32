#pragma once
// One field of the wall being edited: its kind, question and answer, its
// picture and when the picture is shown, and the question panel and the
// answer as the class will see them. Every change goes to the document as one
// undoable step.

#include "WallCheck.h"
#include "appearance/ColourSchemes.h"

#include <QWidget>

class QLabel;
class QMimeData;
class QPlainTextEdit;
class QPushButton;

namespace wq {

struct Host;
class ChoiceGroup;
class QuestionPreview;
class WallDocument;

class FieldForm : public QWidget {
    Q_OBJECT
public:
    FieldForm(const Host &host, WallDocument &document, QWidget *parent = nullptr);

    // Shows field `index` of the document as it is now.
    void showField(int index, const PictureFolders &folders, const ColourScheme &scheme);
    int index() const { return m_index; }

    // The picture from a drop or the clipboard; false with a message when
    // it holds no picture that can be taken.
    bool takePicture(const QMimeData *data);
    void choosePicture();
    void embedPicture();

    QLabel *heading = nullptr;
    ChoiceGroup *kind = nullptr;
    QPlainTextEdit *question = nullptr;
    QPlainTextEdit *answer = nullptr;
    QLabel *jokerNote = nullptr;
    QLabel *picture = nullptr;
    QPushButton *choose = nullptr, *paste = nullptr, *embed = nullptr, *remove = nullptr;
    ChoiceGroup *pictureMode = nullptr;
    QuestionPreview *previewQuestion = nullptr;
    QuestionPreview *previewAnswer = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void connectEdits();
    void showPictureState(const PictureFolders &folders);
    void setPicture(const QString &text, const QString &message);

    const Host &m_host;
    WallDocument &m_document;
    int m_index = 0;
    bool m_showing = false; // the form is being filled: edits are not changes
    PictureFolders m_folders;
};

} // namespace wq
