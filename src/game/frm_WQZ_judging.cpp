// Judging: "Richtig" and "Falsch", the end of a question, the turn, the winner.

#include "frm_WQZ.h"

#include "host/TextTools.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"

#include <QLineEdit>
#include <cmath>

namespace wq {

double frm_WQZ::score(int group) const
{
    return text::parseNumber(Punkte[group - 1]->text());
}

void frm_WQZ::setScore(int group, double value)
{
    Punkte[group - 1]->setText(text::formatNumber(value));
}

double frm_WQZ::stake() const
{
    return text::parseNumber(Risiko->text());
}

void frm_WQZ::OK_MouseDown()
{
    OK->setTextColour(Qt::white);
    ZeitMess.stop();
}

void frm_WQZ::Falsch_MouseDown()
{
    Falsch->setBorderStyle(Panel::BorderPressed);
    Falsch->setTextColour(Qt::white);
    ZeitMess.stop();
}

void frm_WQZ::OK_MouseUp()
{
    beforeJudgement();
    OK->setTextColour(Qt::black);
    const qint32 kind = wall().Item(PlayedField, true).SORT;
    double gained = fieldPoints(PlayedField);
    if (kind == KindRisk)
        gained += stake();
    setScore(CurrentGroup, score(CurrentGroup) + gained);
    FragFeld->hide();
    m_host.sound->playNamed(QStringLiteral("correct"));
    QUESTIONDONE(true);
    afterJudgement();
}

void frm_WQZ::Falsch_MouseUp()
{
    beforeJudgement();
    Falsch->setBorderStyle(Panel::BorderRaised);
    Falsch->setTextColour(Qt::black);
    m_host.sound->playNamed(QStringLiteral("wrong"));
    if (wall().Item(PlayedField, true).SORT == KindRisk)
        setScore(CurrentGroup, score(CurrentGroup) - stake());
    QUESTIONDONE(false);
    afterJudgement();
}

void frm_WQZ::QUESTIONDONE(bool pCorrect)
{
    FragFeld->hide();
    SHOWWINNER();
    if (!pCorrect || O_Neufrag->isChecked()) {
        ++CurrentGroup;
        if (CurrentGroup > GroupCount)
            CurrentGroup = 1;
    }
}

void frm_WQZ::SHOWWINNER()
{
    for (const Panel *field : Feld)
        if (!field->isHidden())
            return;

    // Every score panel takes part, whatever the number of groups.
    double best = 0;
    QList<int> winners;
    for (int g = 1; g <= 4; ++g) {
        const double value = score(g);
        if (value > best) {
            best = std::nearbyint(value);
            winners = {g};
        } else if (value == best && !winners.contains(g)) {
            winners.append(g);
        }
    }

    QString announcement = winners.size() == 1 ? QStringLiteral("Sieger ist") : QStringLiteral("Sieger sind");
    for (int g : winners)
        announcement += u'\r' + Beschriftung[g - 1]->text();
    lab_Sieger->setText(announcement);
    lab_Sieger->move(lab_Sieger->x(), (SiegerFenster->height() - lab_Sieger->height()) / 2);
    SiegerFenster->show();
    SiegerFenster->raise();
    m_host.sound->playNamed(QStringLiteral("clapping"));
}

} // namespace wq
