// The groups: how many play, their names, and which one's turn it is.

#include "frm_WQZ.h"

#include "widgets/Panel.h"

#include <QAction>

namespace wq {

void frm_WQZ::O_Spieler_Click(int index)
{
    BuildBoard();
    for (int i = 0; i < 4; ++i)
        O_Spieler[i]->setChecked(i == index);
    GroupCount = qint16(index + 1);
    saveGame();
}

void frm_WQZ::Beschriftung_Click(int index)
{
    Panel *name = Beschriftung[index];
    const QString answer = m_host.messages->textInput(
        QStringLiteral("Geben Sie den neuen Namen für '") + name->text() + QStringLiteral("' ein:"),
        QStringLiteral("Gruppe umbenennen"), name->text());
    if (answer.isEmpty())
        return;
    name->setText(answer);
    saveGame();
}

void frm_WQZ::SpielerPruef_Timer()
{
    for (int g = 1; g <= 4; ++g) {
        const bool current = g == CurrentGroup;
        const bool playing = g <= GroupCount;
        for (Panel *panel : {Punkte[g - 1], Beschriftung[g - 1]}) {
            if (panel->isPanelEnabled() != current)
                panel->setPanelEnabled(current);
            if (panel->isHidden() == playing)
                panel->setVisible(playing);
        }
    }
}

} // namespace wq
