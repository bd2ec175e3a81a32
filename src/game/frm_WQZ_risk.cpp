// Risk fields: the stake, checked against the group's points and confirmed
// with Enter, and the blinking question panel while it is awaited.

#include "frm_WQZ.h"

#include "host/TextTools.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "widgets/PercentBar.h"
#include "widgets/PictureBox.h"

#include <QLineEdit>

namespace wq {

namespace {
constexpr int KeyEnter = 13;
}

void frm_WQZ::swapBlinkColours()
{
    const QColor back = FragFeld->backColour();
    FragFeld->setBackColour(lab_Frage->textColour());
    lab_Frage->setTextColour(back);
}

bool frm_WQZ::blinkInverted() const
{
    // The question text is white in every scheme, so a white panel means the
    // blink is in its inverted phase.
    return FragFeld->backColour() == QColor(Qt::white);
}

void frm_WQZ::RisikoBlink_Timer()
{
    if (stakeAwaited() && wall().Item(ShownField, true).SORT == KindRisk)
        swapBlinkColours();
}

bool frm_WQZ::stakeAwaited() const
{
    return !lab_Risiko->isHidden();
}

void frm_WQZ::Risiko_Change()
{
    const double points = score(CurrentGroup);
    if (points < stake()) {
        m_host.sound->beep();
        Risiko->setText(text::formatNumberSigned(points));
    }
    if (stake() < 0) {
        m_host.sound->beep();
        Risiko->setText(QStringLiteral("0"));
    }
}

void frm_WQZ::Risiko_KeyPress(int keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    lab_Risiko->hide();
    RisikoBlink.stop();
    if (blinkInverted())
        swapBlinkColours();
    ctl_Antwortbereit->show();
    OK->hide();
    Falsch->setPanelEnabled(false);
    Falsch->hide();
    Risiko->hide();
    pic_Joker->hide();
    startClock(PlayedField);

    const cls_WallField &field = wall().Item(ShownField, true);
    if (field.IMAGEMODE != PictureWithAnswer && !field.IMAGENAME.isEmpty())
        SHOWPIC(field.IMAGENAME);
    else if (field.IMAGEMODE == PictureWithAnswer)
        HIDEPIC();
    LAYOUT();
    showQuestionText(field);
    FragFeld->show();
}

void frm_WQZ::Risiko_Click()
{
    if (!m_host.app->numericEntryByDialog())
        return;
    // "Abbrechen" goes back to the stake request; no stake is confirmed.
    if (!m_host.app->numericEntry(*Risiko, QStringLiteral("Einsatz")))
        return;
    Risiko_Change();
    Risiko_KeyPress(KeyEnter);
}

} // namespace wq
