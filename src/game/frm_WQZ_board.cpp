// The board: a fresh game on it, the build-up animation, the blinking name of
// the group whose turn it is, and a click on a field.

#include "frm_WQZ.h"

#include "host/TextTools.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QLineEdit>

namespace wq {

namespace {
constexpr double BoardFontPoints = 24;
// Settings every field panel gets: a text outline one pixel wide, and
// captions that shrink rather than spill out of a small field.
constexpr int FieldOutlineWidth = 1;
constexpr bool FieldShrinkToFit = true;
} // namespace

void frm_WQZ::BuildBoard()
{
    // A new board is a new game: nothing to take back, nothing to resume.
    m_undo.reset();
    m_played = {};
    discardSavedGame();
    for (Panel *score : Punkte)
        score->setText(QStringLiteral("0"));
    for (int c = 0; c < 4; ++c)
        Thema[c]->setText(wall().TOPICS().at(c + 1));
    endPendingStake();
    // A new game starts silent: no clock of the old one ticks on behind it.
    ZeitMess.stop();
    FragFeld->hide();

    GameTitle = QStringLiteral("Wandquiz");
    SpielWand->setText(GameTitle);
    setWindowTitle(QStringLiteral("LX Werkbank // ") + GameTitle + u' ' + LastWallPath);
    for (Panel *topic : Thema)
        topic->setFontSize(BoardFontPoints);

    for (int i = 0; i < 20; ++i) {
        Panel *field = Feld[i];
        field->setText(QString::number((i / 4 + 1) * 20));
        field->setBold(true);
        field->setFontSize(BoardFontPoints);
        field->hide();
        field->setPressed(false);
        field->setOutlineWidth(FieldOutlineWidth);
        field->setShrinkToFit(FieldShrinkToFit);
    }
    setFieldTextColours();
    if (!isVisible())
        show();
    // The animation always starts again from the bottom row.
    BuildStep = 0;
    AufbauTimer.start();
    GroupCount = 2;
    CurrentGroup = 1;
    // The menu shows the number of groups that plays now.
    for (int i = 0; i < 4; ++i)
        O_Spieler[i]->setChecked(i == GroupCount - 1);
    updateModerationMenu();
}

void frm_WQZ::endPendingStake()
{
    if (!stakeAwaited())
        return;
    lab_Risiko->hide();
    RisikoBlink.stop();
    if (blinkInverted())
        swapBlinkColours();
    lab_Antwort->hide();
    OK->hide();
    Risiko->hide();
    pic_Joker->hide();
}

void frm_WQZ::AufbauTimer_Timer()
{
    if (BuildStep == 0)
        BuildStep = 5;
    --BuildStep;
    for (int c = 0; c < 4; ++c)
        Feld[BuildStep * 4 + c]->setVisible(!m_played[BuildStep * 4 + c]);
    if (BuildStep == 0)
        AufbauTimer.stop();

    QString sound;
    switch (BuildStep) {
    case 4:
        sound = QStringLiteral("time0.wav");
        break;
    case 3:
        sound = QStringLiteral("time1.wav");
        break;
    case 2:
        sound = QStringLiteral("time2.wav");
        break;
    case 1:
        sound = QStringLiteral("time4.wav");
        SpielWand->setText(QString());
        break;
    default:
        break;
    }
    if (!sound.isEmpty())
        m_host.sound->playFile(sound);
}

void frm_WQZ::Blinker_Timer()
{
    if (CurrentGroup == 0)
        return;
    BlinkPhase = BlinkPhase ? 0 : 1;
    const QColor blink = BlinkPhase == 1 ? Qt::white : Qt::black;
    for (int g = 0; g < 4; ++g)
        Beschriftung[g]->setTextColour(g == CurrentGroup - 1 ? blink : QColor(Qt::black));
}

void frm_WQZ::Feld_MouseDown(int index)
{
    Feld[index]->setPressed(true);
}

void frm_WQZ::Feld_MouseUp(int index)
{
    Feld[index]->setPressed(false);
    QUESTION(index);
}

double frm_WQZ::fieldPoints(int index) const
{
    return text::parseNumber(Feld[index]->text());
}

} // namespace wq
