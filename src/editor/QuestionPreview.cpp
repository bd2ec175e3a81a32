#include "QuestionPreview.h"

#include "WallCheck.h"
#include "appearance/BoardLayout.h"
#include "host/Pictures.h"
#include "host/TextTools.h"
#include "model/cls_WallField.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "widgets/PercentBar.h"
#include "widgets/PictureBox.h"

#include <QPainter>

namespace wq {

namespace {
const QColor PictureFrame(0x00, 0x00, 0xFF);

QRect pixels(const layout::Rect &r)
{
    const double t = layout::ProjectorTwipsPerPixel;
    return QRect(qRound(r.left / t), qRound(r.top / t), qRound(r.width / t), qRound(r.height / t));
}

Panel *button(const QString &caption, const layout::Rect &where, QWidget *parent)
{
    auto *panel = new Panel(caption, parent);
    panel->setText(caption);
    panel->setBold(true);
    panel->setFontSize(20);
    panel->setShrinkToFit(true);
    panel->setGeometry(pixels(where));
    return panel;
}
} // namespace

QuestionPreview::QuestionPreview(Side side, const QString &programFolder, QWidget *parent)
    : QWidget(parent), m_side(side), m_stage(std::make_unique<QWidget>())
{
    const QString name = side == Side::Question ? QStringLiteral("Vorschau: Frage") : QStringLiteral("Vorschau: Antwort");
    setObjectName(side == Side::Question ? QStringLiteral("previewQuestion") : QStringLiteral("previewAnswer"));
    setAccessibleName(name);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    const layout::BoardLayout board = layout::projectorLayout();
    m_stage->setAttribute(Qt::WA_DontShowOnScreen);
    m_stage->resize(pixels(board.questionPanel).size());
    m_panel = new Panel(QStringLiteral("FragFeld"), m_stage.get());
    m_panel->setGeometry(m_stage->rect());
    m_text = new BoardLabel(QStringLiteral("lab_Frage"), m_panel);
    m_text->setBold(true);
    m_picture = new PictureBox(QStringLiteral("pic_ImageScaled"), m_panel);
    m_joker = new PictureBox(QStringLiteral("pic_Joker"), m_panel);
    m_joker->setGeometry(pixels(board.joker));
    m_joker->showFittedFile(programFolder + QStringLiteral("joker.png"), Qt::transparent, true);
    m_bar = new PercentBar(QStringLiteral("ZeitAnz"), m_panel);
    m_bar->setGeometry(pixels(board.timeBar));
    m_bar->setValue(100);
    m_stop = button(QStringLiteral("Uhr Stoppen"), board.stopClock, m_panel);
    m_right = button(QStringLiteral("Richtig"), board.ok, m_panel);
    m_wrong = button(QStringLiteral("Falsch"), board.wrong, m_panel);
    m_answer = button(QStringLiteral("Antwort"), board.answer, m_panel);
}

QuestionPreview::~QuestionPreview() = default;

void QuestionPreview::colour(const ColourScheme &scheme)
{
    m_panel->setBackColour(scheme.wall);
    m_panel->setBackColour2(scheme.questionBack2);
    m_text->setTextColour(scheme.questionText);
    m_bar->setBarColour(scheme.timeBar);
    m_bar->setBackColour(scheme.timeBarBack);
    // As on the board: "Richtig" in the scores' colour, "Falsch" in the names'.
    m_right->setBackColour(scheme.score);
    m_wrong->setBackColour(scheme.name);
}

void QuestionPreview::showPicture(const QString &picture, const PictureFolders &folders)
{
    if (picture == m_pictureSource)
        return;
    m_pictureSource = picture;
    QImage image;
    if (pictures::isEmbedded(picture))
        image = pictures::fromText(picture);
    else if (const QString path = folders.find(text::trimTrailingBlanks(picture)); !path.isEmpty())
        image = pictures::fromFile(path);
    pictures::drawFitted(image, *m_picture, PictureFrame, true);
}

void QuestionPreview::showField(const cls_WallField &field, const PictureFolders &folders, const ColourScheme &scheme)
{
    colour(scheme);
    const bool question = m_side == Side::Question;
    const bool joker = field.SORT == KindJoker;
    const int hiddenMode = question ? PictureWithAnswer : PictureWithQuestion;
    const bool withPicture = !joker && !field.IMAGENAME.isEmpty() && field.IMAGEMODE != hiddenMode;
    if (withPicture)
        showPicture(field.IMAGENAME, folders);
    m_picture->setVisible(withPicture && !m_picture->picture().isNull());

    const layout::QuestionPanelLayout place = layout::projectorQuestionLayout(!m_picture->isHidden());
    m_picture->setGeometry(pixels(place.picture));
    m_text->setGeometry(pixels(place.text));
    m_text->setFontSize(place.fontPoints);
    const bool left = field.TALIGN == (question ? AlignQuestionLeft : AlignAnswerLeft);
    m_text->setAlignment(left ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    QString text = joker ? QString() : text::trimBlanks(question ? field.QUESTION : field.ANSWER);
    text.replace(u'|', u'\r');
    m_text->setText(text);

    m_joker->setVisible(joker);
    m_bar->setVisible(question && !joker);
    m_stop->setVisible(question && !joker);
    m_right->setText(joker ? QStringLiteral("Hier klicken!") : QStringLiteral("Richtig"));
    m_right->setVisible(joker || !question);
    m_wrong->setVisible(!question && !joker);
    m_answer->setVisible(!question && !joker);
    setAccessibleDescription(joker ? QStringLiteral("Joker: Hier klicken!") : text);
    render();
}

QString QuestionPreview::shownText() const
{
    return m_text->text();
}

void QuestionPreview::render()
{
    m_rendered = QImage(m_stage->size(), QImage::Format_RGB32);
    m_rendered.fill(Qt::black);
    m_stage->render(&m_rendered);
    update();
}

int QuestionPreview::heightForWidth(int width) const
{
    return width * m_stage->height() / std::max(1, m_stage->width());
}

QSize QuestionPreview::sizeHint() const
{
    return QSize(m_stage->width() / 2, m_stage->height() / 2);
}

void QuestionPreview::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    QSize size = m_rendered.size();
    size.scale(this->size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(rect().center());
    p.drawImage(target, m_rendered);
}

} // namespace wq
