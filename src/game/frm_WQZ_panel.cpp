// Placing the board at the window's size, and the question panel's picture
// and text.

#include "frm_WQZ.h"

#include "appearance/BoardLayout.h"
#include "host/Pictures.h"
#include "host/TextTools.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "widgets/PercentBar.h"
#include "widgets/PictureBox.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QScreen>
#include <QtMath>

namespace wq {

namespace {
const QString EmbeddedTag = QStringLiteral("EMBEDDED");
const QColor PictureFrame(0x00, 0x00, 0xFF);
} // namespace

double frm_WQZ::twipsPerPixelX() const
{
    return 1440.0 / logicalDpiX();
}

double frm_WQZ::twipsPerPixelY() const
{
    return 1440.0 / logicalDpiY();
}

void frm_WQZ::place(QWidget *widget, double left, double top, double width, double height)
{
    const double tx = twipsPerPixelX();
    const double ty = twipsPerPixelY();
    widget->setGeometry(qRound(left / tx), qRound(top / ty), std::max(0, qRound(width / tx)),
                        std::max(0, qRound(height / ty)));
}

void frm_WQZ::Form_Resize()
{
    if (m_layingOut)
        return;
    const double tx = twipsPerPixelX();
    const double ty = twipsPerPixelY();
    const QSize screenSize = screen() ? screen()->geometry().size() : QSize(1024, 768);
    layout::WindowMetrics metrics;
    metrics.screenWidth = screenSize.width() * tx;
    metrics.screenHeight = screenSize.height() * ty;
    metrics.twipsPerPixelX = tx;
    metrics.twipsPerPixelY = ty;
    metrics.windowWidth = frameGeometry().width() * tx;
    metrics.windowHeight = frameGeometry().height() * ty;
    metrics.clientWidth = board->width() * tx;
    metrics.clientHeight = board->height() * ty;
    metrics.minimised = isMinimized();

    const layout::BoardLayout b = layout::formResize(metrics);
    m_layout = b;
    if (!b.applied)
        return;

    m_layingOut = true;
    keepMinimumSize(b.windowWidth - metrics.windowWidth, b.windowHeight - metrics.windowHeight);
    auto put = [this](QWidget *w, const layout::Rect &r) { place(w, r.left, r.top, r.width, r.height); };
    put(InfoFenster, b.infoStrip);
    put(SpielWand, b.wall);
    pic_ImageScaled->resize(qRound(b.pictureWidth / tx), qRound(b.pictureHeight / ty));
    pic_Image->setGeometry(pic_ImageScaled->rect());
    LAYOUT();
    put(lab_Risiko, b.stakePrompt);
    put(FragFeld, b.questionPanel);
    put(OK, b.ok);
    put(Falsch, b.wrong);
    put(ctl_Antwort, b.answer);
    put(ctl_Antwortbereit, b.stopClock);
    put(ZeitAnz, b.timeBar);
    put(pic_Joker, b.joker);
    put(Risiko, b.stakeBox);
    QFont stakeFont = Risiko->font();
    stakeFont.setPixelSize(std::max(8, Risiko->height() * 6 / 10));
    Risiko->setFont(stakeFont);
    put(SiegerFenster, b.winnerPanel);
    put(lab_Sieger, b.winnerText);
    for (int c = 0; c < 4; ++c)
        put(Thema[c], b.topics[c]);
    for (int i = 0; i < 20; ++i)
        put(Feld[i], b.fields[i]);
    for (int g = 0; g < 4; ++g) {
        put(Beschriftung[g], b.names[g]);
        put(Punkte[g], b.scores[g]);
        Beschriftung[g]->setFontSize(b.groupFontPoints);
        Punkte[g]->setFontSize(b.groupFontPoints);
    }
    m_layingOut = false;
    // The pictures of the wall, at the new size of their box.
    preparePictures();
}

void frm_WQZ::keepMinimumSize(double missingWidth, double missingHeight)
{
    // The smallest size the layout is made for is the outer one, frame and
    // title bar included; the frame is known once the window is on screen.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize outer(qCeil(layout::MinWindowWidth / twipsPerPixelX()), qCeil(layout::MinWindowHeight / twipsPerPixelY()));
    setMinimumSize(outer - frame);
    // A window made smaller anyway (without a window manager, nothing stops
    // it) is enlarged again; this pass already lays the board out for that size.
    if (missingWidth > 0 || missingHeight > 0)
        resize(width() + qCeil(std::max(0.0, missingWidth) / twipsPerPixelX()),
               height() + qCeil(std::max(0.0, missingHeight) / twipsPerPixelY()));
}

void frm_WQZ::LAYOUT()
{
    const layout::QuestionPanelLayout q = layout::questionPanelLayout(
        m_layout.wall.width, m_layout.wall.height, m_layout.pictureWidth, m_layout.pictureHeight,
        !pic_ImageScaled->tag().isEmpty(), twipsPerPixelX(), board->width());
    if (!pic_ImageScaled->tag().isEmpty())
        place(pic_ImageScaled, q.picture.left, q.picture.top, q.picture.width, q.picture.height);
    place(lab_Frage, q.text.left, q.text.top, q.text.width, q.text.height);
    lab_Frage->setFontSize(q.fontPoints);
}

void frm_WQZ::showPicture(const QImage &picture, const QString &tag)
{
    // A picture that cannot be read shows nothing; the question goes on.
    if (picture.isNull())
        return;
    pic_Image->setTag(tag);
    pic_ImageScaled->setTag(tag);
    pic_Image->setPicture(picture);
    pic_ImageScaled->show();
    pictures::drawFitted(pic_Image->picture(), *pic_ImageScaled, PictureFrame, true);
}

QString frm_WQZ::pictureFile(const QString &name) const
{
    const QString folder = m_host.folders->programFolder() + QStringLiteral("images/");
    const QString trimmed = text::trimTrailingBlanks(name);
    const QString path = folder + trimmed;
    return m_host.files->exists(path) ? path : pictures::findFile(folder, trimmed);
}

QImage frm_WQZ::fieldPicture(const ImageName &pImage, const QString &path)
{
    // The shown field's picture comes from the cache, made ahead of time at
    // the box's size; anything else is decoded here.
    if (m_pictureCache.box() == pic_ImageScaled->size() && wall().Item(ShownField, true).IMAGENAME == pImage)
        return m_pictureCache.picture(ShownField);
    return pictures::isEmbedded(pImage) ? pictures::fittedFromText(pImage.utf8(), pic_ImageScaled->size())
                                        : pictures::fittedFromFile(path, pic_ImageScaled->size());
}

void frm_WQZ::preparePictures()
{
    // Once the board is on screen, so that its start never waits for them;
    // the workers run at idle priority beside the build-up.
    if (!m_boardPainted || (m_pictureCache.box() == pic_ImageScaled->size() && m_picturesOfWall == m_wallVersion))
        return;
    QList<PictureSource> sources;
    for (int i = 0; i < cls_Wall::FieldCount; ++i) {
        const ImageName &name = wall().Item(i, true).IMAGENAME;
        if (pictures::isEmbedded(name))
            sources.append({i, name.utf8(), QString()});
        else if (!name.isEmpty())
            if (const QString path = pictureFile(name); !path.isEmpty())
                sources.append({i, QByteArray(), path});
    }
    m_pictureCache.prepare(sources, pic_ImageScaled->size());
    m_picturesOfWall = m_wallVersion;
}

void frm_WQZ::SHOWPIC(const ImageName &pImage)
{
    pic_ImageScaled->hide();
    pic_ImageScaled->setTag(QString());
    pic_Image->setTag(QString());
    if (pictures::isEmbedded(pImage)) {
        showPicture(fieldPicture(pImage, QString()), EmbeddedTag);
    } else if (const QString path = pictureFile(pImage); !path.isEmpty()) {
        showPicture(fieldPicture(pImage, path), path);
    }
    // Paint the picture before the caller goes on; clicks wait their turn.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void frm_WQZ::HIDEPIC()
{
    pic_ImageScaled->hide();
    pic_ImageScaled->setTag(QString());
}

void frm_WQZ::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

} // namespace wq
