#pragma once
// The wall being edited: a cls_Wall, the file it is saved to, and every
// change as a small command on an undo stack, so that each one can be taken
// back and done again.

#include "model/cls_Wall.h"

#include <QObject>
#include <QUndoStack>
#include <memory>

namespace wq {

struct Host;

enum class WallText { Title, Author, Description, TargetGroup };
enum class FieldText { Question, Answer };

// Topics and fields of a wall, as an import replaces them at once.
struct WallContent {
    QStringList topics;
    struct Field {
        QString question, answer, picture;
        qint32 mode = PictureWithAnswer, kind = KindQuestion, align = AlignBothCentred;
        bool operator==(const Field &) const = default;
    };
    QList<Field> fields;
    bool operator==(const WallContent &) const = default;

    static WallContent of(cls_Wall &wall);
    void applyTo(cls_Wall &wall) const;
};

class WallDocument : public QObject {
    Q_OBJECT
public:
    explicit WallDocument(const Host &host, QObject *parent = nullptr);
    ~WallDocument() override;

    cls_Wall &wall() { return *m_wall; }
    QUndoStack &undoStack() { return m_undo; }
    // The file the wall is saved to; empty for a wall not saved yet.
    QString path() const { return m_path; }
    void setPath(const QString &path) { m_path = path; }
    bool isModified() const { return !m_undo.isClean(); }
    // What the wall is called in questions and the window title.
    QString name();

    // A fresh start on the wall read from `path`, or on an empty wall.
    bool load(const QString &path);
    void startEmpty();

    QString wallText(WallText which) const;
    QString topic(int column) const;
    const cls_WallField &field(int index) const;

    // Each change is one undoable step; a value that does not change adds none.
    // Typing into the same text goes on in the same step.
    void setWallText(WallText which, const QString &text);
    void setDifficulty(int difficulty);
    void setTopic(int column, const QString &title);
    void setFieldText(int index, FieldText which, const QString &text);
    void setKind(int index, qint32 kind);
    // Picture and its mode together, so choosing a picture is one step.
    void setPicture(int index, const QString &picture, qint32 mode);
    void replaceContent(const WallContent &content, const QString &what);

Q_SIGNALS:
    // The wall changed, by an edit, an undo or a redo.
    void changed();

private:
    QString &wallTextOf(WallText which) const;
    template <typename T> void change(const QString &what, int mergeId, T before, T after,
                                      std::function<void(const T &)> apply);

    const Host &m_host;
    std::unique_ptr<cls_Wall> m_wall;
    QUndoStack m_undo;
    QString m_path;
};

} // namespace wq
