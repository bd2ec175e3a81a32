// Colour schemes applied to the board.

#include "frm_WQZ.h"

#include "appearance/ColourSchemes.h"
#include "host/Colours.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "widgets/PercentBar.h"

#include <QAction>

namespace wq {

void frm_WQZ::mnu_OptionsColorSel_Click(int index)
{
    for (int k = 0; k < SchemeCount; ++k)
        mnu_OptionsColorSel[k]->setChecked(k == index);
    const ColourScheme scheme = colourScheme(index);

    QPalette palette = board->palette();
    palette.setColor(QPalette::Window, scheme.windowBack);
    board->setPalette(palette);
    SpielWand->setBackColour(scheme.wall);
    InfoFenster->setBackColour(scheme.infoStrip);
    for (Panel *topic : Thema)
        topic->setBackColour(scheme.topic);
    for (Panel *name : Beschriftung)
        name->setBackColour(scheme.name);
    for (Panel *score : Punkte)
        score->setBackColour(scheme.score);
    SiegerFenster->setBackColour(scheme.winnerBack);
    SiegerFenster->setBackColour2(scheme.winnerBack2);
    FragFeld->setBackColour2(scheme.questionBack2);
    lab_Frage->setTextColour(scheme.questionText);
    lab_Antwort->setTextColour(scheme.answerText);
    lab_Sieger->setTextColour(scheme.winnerText);
    ZeitAnz->setBarColour(scheme.timeBar);
    ZeitAnz->setBackColour(scheme.timeBarBack);

    for (int i = 0; i < 20; ++i) {
        const FieldShade shade = fieldShade(scheme, i);
        Feld[i]->setBackColour(shade.back);
        Feld[i]->setBackColour2(shade.back2);
    }
    // The judging buttons follow the group panels.
    Falsch->setBackColour(Beschriftung[0]->backColour());
    OK->setBackColour(Punkte[0]->backColour());
    FragFeld->setBackColour(SpielWand->backColour());
    // Field captions stay readable on the new colours at once, not only from
    // the next game on.
    setFieldTextColours();
}

int frm_WQZ::colourSchemeIndex() const
{
    for (int k = 0; k < SchemeCount; ++k)
        if (mnu_OptionsColorSel[k]->isChecked())
            return k;
    return SchemeBlueSea;
}

void frm_WQZ::setFieldTextColours()
{
    for (Panel *field : Feld) {
        field->setTextColour(colours::contrastText(field->backColour()));
        field->setTextBorderColour(colours::mixHalf(field->backColour(), field->textColour()));
    }
}

} // namespace wq
