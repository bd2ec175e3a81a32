#pragma once
// The question panel as the class will see it, for one field: the board's own
// panel, label, picture box and buttons, laid out by the board's layout for a
// 1024 x 768 projector, and shown smaller. A text too long for that projector
// looks here as it will look there.

#include "appearance/ColourSchemes.h"

#include <QImage>
#include <QWidget>
#include <memory>

namespace wq {

class BoardLabel;
class Panel;
class PercentBar;
class PictureBox;
class cls_WallField;
struct PictureFolders;

class QuestionPreview : public QWidget {
    Q_OBJECT
public:
    enum class Side { Question, Answer };
    // `programFolder` holds the joker picture.
    QuestionPreview(Side side, const QString &programFolder, QWidget *parent = nullptr);
    ~QuestionPreview() override;

    void showField(const cls_WallField &field, const PictureFolders &folders, const ColourScheme &scheme);
    // What the panel shows, as the board's label holds it.
    QString shownText() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void colour(const ColourScheme &scheme);
    void showPicture(const QString &picture, const PictureFolders &folders);
    void render();

    Side m_side;
    std::unique_ptr<QWidget> m_stage; // the panel at projector size, never on screen
    Panel *m_panel = nullptr;
    BoardLabel *m_text = nullptr;
    PictureBox *m_picture = nullptr;
    PictureBox *m_joker = nullptr;
    PercentBar *m_bar = nullptr;
    Panel *m_stop = nullptr, *m_right = nullptr, *m_wrong = nullptr, *m_answer = nullptr;
    QString m_pictureSource; // what m_picture shows, so it is decoded once
    QImage m_rendered;
};

} // namespace wq
