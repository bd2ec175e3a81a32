// The rules of the game (scores, turn, stakes, jokers, groups, winner) through the real window.

#include "support/GameFixture.h"

#include <QtTest>

using namespace wq;
using test::Game;

class RulesTest : public QObject {
    Q_OBJECT

    static int beeps(const Game &g) { return int(g.t.sound.sounds().count("beep")); }

private Q_SLOTS:
    void aWholeGameOfTwentyFields()
    {
        Game g({{4, KindRisk}, {13, KindRisk}, {9, KindJoker}, {18, KindJoker}});
        g.w().O_Spieler[2]->trigger();
        g.finishBuildUp();
        g.t.messages.texts = {"Die Füchse"};
        g.click(g.w().Beschriftung[1]);
        // Right or wrong per field, and the stakes on the two risk fields.
        const char moves[] = "RFRRRFRRRRRFRFRRFRRF";
        QList<int> turns;
        for (int field = 0; field < 20; ++field) {
            if (field == 10)
                g.w().O_Neufrag->trigger(); // from here a right answer keeps the turn
            turns.append(g.w().CurrentGroup);
            g.play(field, moves[field] == 'R', field == 4 ? "50" : field == 13 ? "100" : "");
            QCOMPARE(g.w().SiegerFenster->isVisible(), field == 19);
            if (field < 19 && field != 9 && field != 18)
                QCOMPARE(g.t.sound.sounds().last(), QString(moves[field] == 'R' ? "named:correct" : "named:wrong"));
        }
        QCOMPARE(turns, QList<int>({1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 2, 3, 3, 1, 1, 1, 2, 2, 2}));
        // 1: 20+20+40+60 (joker)+80+80; 2: 40 (stake 50 of no points)+40+60+100+100 (joker);
        // 3: 20+60+80, less the lost stake of 100.
        QCOMPARE(QStringList({g.score(1), g.score(2), g.score(3)}), QStringList({"300", "340", "60"}));
        QCOMPARE(g.w().CurrentGroup, 3);
        QCOMPARE(g.w().lab_Sieger->text(), QString("Sieger ist\rDie Füchse"));
        QCOMPARE(beeps(g), 1); // the stake of 50 with no points
    }

    void stakesAreKeptWithinThePointsAndTheNumberPad()
    {
        Game g({{4, KindRisk}, {5, KindRisk}, {9, KindRisk}, {10, KindRisk}, {11, KindRisk}});
        g.setScores({"100"});
        g.open(9);
        // Typed, shown, beeps so far: beyond the points or below zero is corrected with a beep.
        const struct { QString typed, shown; int beeps; } typing[] = {
            {"150", " 100", 1}, {"-5", "0", 2}, {"1e400", " 100", 3}, {"&HFFFFFFFFFFFF", " 100", 4},
            {"-1e400", "0", 5}, {QString(1000, '9'), " 100", 6}, {"12 Punkte", "12 Punkte", 6}};
        for (const auto &t : typing) {
            g.w().Risiko->setText(t.typed);
            QCOMPARE(g.w().Risiko->text(), t.shown);
            QCOMPARE(beeps(g), t.beeps);
        }
        g.stake("150");
        g.stopClock();
        g.judgeRight();
        QCOMPARE(g.score(1), QString("260")); // 100 + 60 + the stake of 100

        g.setScores({"100", "100"});
        g.w().CurrentGroup = 1;
        g.play(10, false, "150");
        QCOMPARE(g.score(1), QString("0"));

        // With no points any stake becomes " 0"; the field can still be won.
        g.w().CurrentGroup = 1;
        g.open(11);
        g.w().Risiko->setText("7");
        QCOMPARE(g.w().Risiko->text(), QString(" 0"));
        g.stake(""); // an empty box is a stake of 0
        g.stopClock();
        g.judgeRight();
        QCOMPARE(g.score(1), QString("60"));

        g.w().CurrentGroup = 1;
        g.setScores({"50"});
        g.open(4);
        g.click(g.w().Risiko); // no touch screen: a click does nothing
        QVERIFY(g.t.app.numericTitles.isEmpty() && g.w().Risiko->isVisible());
        g.w().Feld[4]->show();
        g.t.app.numericDialog = true;
        g.t.app.numericCancelled = true;
        g.open(5);
        g.click(g.w().Risiko); // "Abbrechen": the stake is still awaited
        QVERIFY(g.w().lab_Risiko->isVisible() && !g.w().ZeitMess.isActive());
        g.t.app.numericCancelled = false;
        g.t.app.numericAnswer = "80";
        g.t.app.numericTitles.clear();
        g.click(g.w().Risiko);
        QCOMPARE(g.t.app.numericTitles, QStringList({"Einsatz"}));
        QCOMPARE(g.w().Risiko->text(), QString(" 50"));
        QVERIFY(g.w().ZeitMess.isActive() && g.w().Risiko->isHidden());
    }

    void theBlinkingPanelIsRestored()
    {
        Game g({{0, KindRisk}, {4, KindRisk}});
        const QColor back = g.w().FragFeld->backColour();
        const QColor text = g.w().lab_Frage->textColour();
        // A risk field on the wall blinks nothing until its stake is awaited.
        QVERIFY(!g.w().RisikoBlink.isActive());
        g.open(1);
        test::tick(g.w().RisikoBlink);
        QCOMPARE(g.w().FragFeld->backColour(), back);
        g.stopClock();
        g.judgeRight();
        g.open(4);
        test::tick(g.w().RisikoBlink);
        QCOMPARE(g.w().FragFeld->backColour(), text);
        QCOMPARE(g.w().lab_Frage->textColour(), back);
        g.stake("0"); // Enter while inverted: the colours come back
        QCOMPARE(g.w().FragFeld->backColour(), back);
        QCOMPARE(g.w().lab_Frage->textColour(), text);
        QVERIFY(!g.w().RisikoBlink.isActive() && g.w().lab_Risiko->isHidden());
        // A new game during a pending stake ends it silently.
        g.stopClock();
        g.judgeRight();
        g.w().Feld[4]->show();
        g.open(4);
        test::tick(g.w().RisikoBlink);
        g.t.messages.answers = {MessageResult::Yes};
        g.w().S_Neu->trigger();
        QCOMPARE(g.w().FragFeld->backColour(), back);
        QVERIFY(g.w().lab_Risiko->isHidden() && g.w().Risiko->isHidden());
        QVERIFY(!g.w().ZeitMess.isActive() && !g.w().RisikoBlink.isActive());
    }

    void groupsChosenAndRenamed()
    {
        Game g;
        g.setScores({"30", "40"});
        g.w().O_Spieler[2]->trigger();
        test::tick(g.w().SpielerPruef);
        QCOMPARE(g.score(1), QString("0"));
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(g.w().Punkte[i]->isHidden(), i >= 3);
            QCOMPARE(g.w().Beschriftung[i]->isPanelEnabled(), i == 0);
        }
        g.w().O_Spieler[0]->trigger();
        test::tick(g.w().SpielerPruef);
        QVERIFY(g.w().Beschriftung[1]->isHidden());
        g.play(0, false);
        QCOMPARE(g.w().CurrentGroup, 1); // one group keeps the turn

        // A new game returns to two groups, and the menu says so.
        g.w().O_Spieler[3]->trigger();
        g.t.messages.answers = {MessageResult::Yes};
        g.w().S_Neu->trigger();
        test::tick(g.w().SpielerPruef);
        QVERIFY(!g.w().Beschriftung[1]->isHidden() && g.w().Beschriftung[2]->isHidden());
        QVERIFY(g.w().O_Spieler[1]->isChecked() && !g.w().O_Spieler[3]->isChecked());

        // Renaming: an empty answer keeps the name; a name survives new games.
        const QRect before = g.w().Beschriftung[1]->geometry();
        g.t.messages.texts = {QString(), QString("Die Füchse ").repeated(40)};
        g.click(g.w().Beschriftung[1]); // not its turn, still renamed
        QCOMPARE(g.w().Beschriftung[1]->text(), QString("Gruppe 2"));
        const auto &asked = g.t.messages.inputs.last();
        QCOMPARE(QStringList({asked.text, asked.title, g.t.messages.proposed.last()}),
                 QStringList({"Geben Sie den neuen Namen für 'Gruppe 2' ein:", "Gruppe umbenennen", "Gruppe 2"}));
        g.click(g.w().Beschriftung[1]);
        QVERIFY(g.w().Beschriftung[1]->text().startsWith("Die Füchse"));
        QCOMPARE(g.w().Beschriftung[1]->geometry(), before);
        g.t.messages.answers = {MessageResult::Yes};
        g.w().S_Neu->trigger();
        QVERIFY(g.w().Beschriftung[1]->text().startsWith("Die Füchse"));
    }

    void winners()
    {
        Game g;
        g.t.messages.texts = {"Die Füchse"};
        g.click(g.w().Beschriftung[2]);
        // Equal best scores are all named; groups beyond the count take part.
        const struct { QStringList scores; QString shown; } ends[] = {
            {{"120", "80", "100", "0"}, "Sieger ist\rGruppe 1"},
            {{"120", "80", "120", "0"}, "Sieger sind\rGruppe 1\rDie Füchse"},
            {{"0", "0", "0", "0"}, "Sieger sind\rGruppe 1\rGruppe 2\rDie Füchse\rGruppe 4"}};
        for (const auto &end : ends) {
            g.w().CurrentGroup = 1;
            g.leaveOnly(0);
            g.setScores(end.scores);
            g.play(0, false);
            QVERIFY(g.w().SiegerFenster->isVisible());
            QCOMPARE(g.w().lab_Sieger->text(), end.shown);
            QCOMPARE(g.t.sound.sounds().last(), QString("named:clapping"));
            QCOMPARE(g.w().CurrentGroup, 2); // the turn still passes
        }
        // Choosing a group count leaves the winner shown; a new game or a click hides it.
        g.w().O_Spieler[2]->trigger();
        QVERIFY(g.w().SiegerFenster->isVisible());
        g.t.messages.answers = {MessageResult::Yes};
        g.w().S_Neu->trigger();
        QVERIFY(g.w().SiegerFenster->isHidden());
        g.w().SiegerFenster->show();
        g.click(g.w().SiegerFenster);
        QVERIFY(g.w().SiegerFenster->isHidden());
    }
};

QTEST_MAIN(RulesTest)
#include "tst_rules.moc"
