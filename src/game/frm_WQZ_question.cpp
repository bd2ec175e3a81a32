// The question flow: a field opens as a question, a risk field or a joker;
// the answer clock ticks; "Uhr Stoppen" and "Antwort".

#include "frm_WQZ.h"

#include "host/TextTools.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "widgets/PercentBar.h"
#include "widgets/PictureBox.h"

#include <QLineEdit>
#include <QThread>

namespace wq {

namespace {
// Blanks at both ends removed, every "|" a line break.
QString prepared(const QString &text)
{
    QString shown = text::trimBlanks(text);
    shown.replace(u'|', u'\r');
    return shown;
}

const QString StakeRequest = QStringLiteral(
    "Setzt bitte einen Teil von Euren Punkten als Einsatz für die kommende Frage und bestätigt mit Enter");
} // namespace

void frm_WQZ::QUESTION(qint32 pIndex)
{
    ShownField = pIndex;
    // Opening a field ends the chance to take back the last judgement.
    m_undo.reset();
    m_answerShown = false;
    updateModerationMenu();
    m_played[pIndex] = true;
    Feld[pIndex]->hide();
    PlayedField = pIndex;
    Risiko->clear();
    lab_Risiko->hide();
    lab_Antwort->hide();

    cls_WallField &field = wall().Item(pIndex, true);
    if (field.IMAGEMODE != PictureWithAnswer && !field.IMAGENAME.isEmpty()) {
        SHOWPIC(field.IMAGENAME);
        // A risk field's picture waits until the stake is set.
        if (field.SORT == KindRisk)
            HIDEPIC();
    } else {
        HIDEPIC();
    }
    LAYOUT();

    switch (field.SORT) {
    case KindQuestion:
        askQuestion(field, pIndex);
        break;
    case KindRisk:
        askRisk();
        break;
    case KindJoker:
        offerJoker();
        break;
    default:
        m_host.messages->messageBox(QStringLiteral("Ungültiger Fragetype"), QString());
        break;
    }
}

void frm_WQZ::askQuestion(cls_WallField &field, qint32 index)
{
    m_host.sound->playFile(QStringLiteral("Gong.Wav"));
    OK->setText(QStringLiteral("Richtig"));
    for (QWidget *hidden : {static_cast<QWidget *>(OK), static_cast<QWidget *>(Falsch),
                            static_cast<QWidget *>(ctl_Antwort), static_cast<QWidget *>(Risiko),
                            static_cast<QWidget *>(pic_Joker)})
        hidden->hide();
    ctl_Antwortbereit->show();
    Falsch->setPanelEnabled(true);
    startClock(index);
    showQuestionText(field);
    FragFeld->show();
}

void frm_WQZ::startClock(qint32 index)
{
    TimeLeft = fieldPoints(index) + 5;
    TimeTotal = TimeLeft;
    ZeitAnz->setValue(100);
    ZeitAnz->show();
    ZeitMess.start();
}

void frm_WQZ::showQuestionText(const cls_WallField &field)
{
    lab_Frage->setAlignment(field.TALIGN == AlignQuestionLeft ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    lab_Frage->setText(prepared(field.QUESTION));
}

void frm_WQZ::askRisk()
{
    m_host.sound->playFile(QStringLiteral("clarinet.wav"));
    lab_Risiko->setText(StakeRequest);
    lab_Risiko->show();
    OK->setText(QStringLiteral("Richtig"));
    ctl_Antwort->hide();
    ctl_Antwortbereit->hide();
    RisikoBlink.start();
    ZeitMess.stop();
    Risiko->show();
    pic_Joker->hide();
    Falsch->setPanelEnabled(true);
    Falsch->hide();
    ZeitAnz->hide();
    OK->hide();
    lab_Frage->setText(QStringLiteral("RISIKO"));
    FragFeld->show();
    Risiko->setFocus();
}

void frm_WQZ::offerJoker()
{
    ZeitMess.stop();
    OK->show();
    ctl_Antwort->hide();
    ctl_Antwortbereit->hide();
    Risiko->hide();
    Falsch->hide();
    Falsch->setPanelEnabled(false);
    pic_Joker->show();
    lab_Frage->setText(QString());
    ZeitAnz->hide();
    FragFeld->show();
    OK->setText(QStringLiteral("Hier klicken!"));
    m_host.sound->playNamed(QStringLiteral("correct"));
}

void frm_WQZ::ZeitMess_Timer()
{
    TimeLeft -= 1;
    const double percent = 100 - 100 * (TimeTotal - TimeLeft) / TimeTotal;
    ZeitAnz->setValue(percent);
    if (TimeLeft == 0) {
        // The last second is a plain wait; nothing else is handled meanwhile.
        QThread::sleep(1);
        ZeitMess.stop();
    }
    m_host.sound->playFile(QStringLiteral("time4.Wav"));
    if (percent == 0) {
        ZeitAnz->hide();
        ctl_Antwortbereit_Click();
    }
}

void frm_WQZ::ctl_Antwortbereit_Click()
{
    OK->show();
    Falsch->show();
    ctl_Antwortbereit->hide();
    ctl_Antwort->show();
    Falsch->setPanelEnabled(true);
    ZeitAnz->hide();
    ZeitMess.stop();
}

void frm_WQZ::ctl_Antwort_Click()
{
    const cls_WallField &field = wall().Item(ShownField, true);
    lab_Frage->setAlignment(field.TALIGN == AlignAnswerLeft ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    lab_Frage->setText(prepared(field.ANSWER));
    m_answerShown = true;
    if (field.IMAGEMODE != PictureWithQuestion && !field.IMAGENAME.isEmpty())
        SHOWPIC(field.IMAGENAME);
    if (field.IMAGEMODE == PictureWithQuestion)
        HIDEPIC();
    LAYOUT();
}

} // namespace wq
