// The rules of the game: judging and scores, the turn, risk stakes, jokers,
// groups and the winner, played through the real window.

#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "support/GameFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QtTest>

using namespace wq;
using test::GameFixture;

namespace {
struct Game : GameFixture {
    // Kinds by field index; every other field is an ordinary question.
    explicit Game(const QMap<int, int> &kinds = {})
    {
        test::writeSuppliedWall(t, kinds);
        start();
        finishBuildUp();
    }
    void stake(const QString &text)
    {
        window->Risiko->setText(text);
        QTest::keyClick(window->Risiko, Qt::Key_Return);
    }
    // Plays one field for the group whose turn it is.
    void play(int field, bool right, const QString &stakeText = QString())
    {
        open(field);
        const int kind = window->wall().Item(field, true).SORT;
        if (kind == KindRisk)
            stake(stakeText);
        if (kind != KindJoker)
            stopClock();
        right ? judgeRight() : judgeWrong();
    }
    void setScores(const QStringList &scores)
    {
        for (int g = 0; g < scores.size(); ++g)
            window->Punkte[g]->setText(scores[g]);
    }
    int beeps() const { return int(t.sound.sounds().count("beep")); }
};
} // namespace

class RulesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void judgingChangesTheScore()
    {
        Game g({{9, KindRisk}, {19, KindJoker}});
        g.setScores({"40", "40"});
        g.play(8, true); // 60 points, group 1
        QCOMPARE(g.score(1), QString("100"));
        QCOMPARE(g.t.sound.sounds().last(), QString("named:correct"));
        g.play(10, false); // group 2: a wrong answer costs nothing
        QCOMPARE(g.score(2), QString("40"));
        QCOMPARE(g.t.sound.sounds().last(), QString("named:wrong"));
        g.setScores({"40", "40"});
        g.play(9, true, "30"); // risk, 60 points, group 1
        QCOMPARE(g.score(1), QString("130"));
        g.w().Feld[9]->show();
        g.play(9, false, "30"); // group 2 loses its stake
        QCOMPARE(g.score(2), QString("10"));
        g.play(19, true); // a joker worth 100 for group 1
        QCOMPARE(g.score(1), QString("230"));
        QVERIFY(g.w().FragFeld->isHidden());
    }

    void pressFeedback()
    {
        Game g;
        g.open(0);
        g.stopClock();
        QTest::mousePress(g.w().Falsch, Qt::LeftButton);
        QCOMPARE(g.w().Falsch->borderStyle(), 50);
        QCOMPARE(g.w().Falsch->textColour(), QColor(Qt::white));
        QTest::mouseRelease(g.w().Falsch, Qt::LeftButton);
        QCOMPARE(g.w().Falsch->borderStyle(), 60);
        QCOMPARE(g.w().Falsch->textColour(), QColor(Qt::black));
        g.open(1);
        QVERIFY(g.w().ZeitMess.isActive());
        QTest::mousePress(g.w().OK, Qt::LeftButton); // pressing stops the clock at once
        QVERIFY(!g.w().ZeitMess.isActive());
        QCOMPARE(g.w().OK->textColour(), QColor(Qt::white));
        QTest::mouseRelease(g.w().OK, Qt::LeftButton);
        QCOMPARE(g.w().OK->textColour(), QColor(Qt::black));
    }

    void stakesAreKeptWithinThePoints()
    {
        Game g({{9, KindRisk}, {10, KindRisk}, {11, KindRisk}});
        g.setScores({"100"});
        g.open(9);
        g.w().Risiko->setText("150");
        QCOMPARE(g.w().Risiko->text(), QString(" 100"));
        QCOMPARE(g.beeps(), 1);
        g.w().Risiko->setText("-5");
        QCOMPARE(g.w().Risiko->text(), QString("0"));
        QCOMPARE(g.beeps(), 2);
        for (const char *hostile : {"1e400", "&HFFFFFFFFFFFF", "-1e400"}) {
            g.w().Risiko->setText(hostile);
            QVERIFY(g.w().Risiko->text() == " 100" || g.w().Risiko->text() == "0");
        }
        g.w().Risiko->setText(QString(1000, '9'));
        QCOMPARE(g.w().Risiko->text(), QString(" 100"));
        g.w().Risiko->setText("12 Punkte");
        QCOMPARE(g.w().Risiko->text(), QString("12 Punkte")); // taken as 12, left as typed
        g.w().Risiko->setText("150");
        QTest::keyClick(g.w().Risiko, Qt::Key_Return);
        g.stopClock();
        g.judgeRight();
        QCOMPARE(g.score(1), QString("260"));

        g.setScores({"100", "100"});
        g.w().CurrentGroup = 1;
        g.play(10, false, "150");
        QCOMPARE(g.score(1), QString("0"));

        // With no points any stake becomes " 0"; the field can still be won.
        g.w().CurrentGroup = 1;
        g.open(11);
        g.w().Risiko->setText("7");
        QCOMPARE(g.w().Risiko->text(), QString(" 0"));
        g.w().Risiko->clear();
        QTest::keyClick(g.w().Risiko, Qt::Key_Return); // an empty box is a stake of 0
        g.stopClock();
        g.judgeRight();
        QCOMPARE(g.score(1), QString("60"));
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

    void theNumberPadEntersTheStake()
    {
        Game g({{4, KindRisk}, {5, KindRisk}});
        g.setScores({"50"});
        g.open(4);
        g.click(g.w().Risiko); // no touch screen: a click does nothing
        QVERIFY(g.t.app.numericTitles.isEmpty());
        QVERIFY(g.w().Risiko->isVisible());
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

    void groupsChosenAndRenamed()
    {
        Game g;
        g.setScores({"30", "40"});
        g.w().O_Spieler[2]->trigger();
        test::tick(g.w().SpielerPruef);
        QCOMPARE(g.score(1), QString("0"));
        QCOMPARE(g.w().CurrentGroup, 1);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(g.w().Punkte[i]->isHidden(), i >= 3);
            QCOMPARE(g.w().Beschriftung[i]->isPanelEnabled(), i == 0);
        }
        g.w().O_Spieler[0]->trigger();
        test::tick(g.w().SpielerPruef);
        QVERIFY(g.w().Beschriftung[1]->isHidden());
        g.play(0, false);
        QCOMPARE(g.w().CurrentGroup, 1);

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
        QCOMPARE(g.t.messages.inputs.last().text, QString("Geben Sie den neuen Namen für 'Gruppe 2' ein:"));
        QCOMPARE(g.t.messages.inputs.last().title, QString("Gruppe umbenennen"));
        QCOMPARE(g.t.messages.proposed.last(), QString("Gruppe 2"));
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
        for (int i = 1; i < 20; ++i)
            g.w().Feld[i]->hide();
        g.t.messages.texts = {"Die Füchse"};
        g.click(g.w().Beschriftung[2]);
        g.setScores({"120", "80", "100", "0"});
        g.play(0, false);
        QVERIFY(g.w().SiegerFenster->isVisible());
        QCOMPARE(g.w().lab_Sieger->text(), QString("Sieger ist\rGruppe 1"));
        QCOMPARE(g.t.sound.sounds().last(), QString("named:clapping"));
        QCOMPARE(g.w().CurrentGroup, 2); // the turn still passes

        // Equal best scores are all named; groups beyond the count take part.
        g.w().SiegerFenster->hide();
        g.w().Feld[0]->show();
        g.setScores({"120", "80", "120", "0"});
        g.play(0, false);
        QCOMPARE(g.w().lab_Sieger->text(), QString("Sieger sind\rGruppe 1\rDie Füchse"));
        g.w().Feld[0]->show();
        g.setScores({"0", "0", "0", "0"});
        g.play(0, false);
        QCOMPARE(g.w().lab_Sieger->text(), QString("Sieger sind\rGruppe 1\rGruppe 2\rDie Füchse\rGruppe 4"));

        // Choosing a number of groups leaves the winner on screen; a new game
        // hides it, and so does a click on it.
        g.w().O_Spieler[2]->trigger();
        QVERIFY(g.w().SiegerFenster->isVisible());
        g.t.messages.answers = {MessageResult::Yes};
        g.w().S_Neu->trigger();
        QVERIFY(g.w().SiegerFenster->isHidden());
        g.w().SiegerFenster->show();
        g.click(g.w().SiegerFenster);
        QVERIFY(g.w().SiegerFenster->isHidden());
    }

    void aWholeGameOfTwentyFields()
    {
        Game g({{4, KindRisk}, {13, KindRisk}, {9, KindJoker}, {18, KindJoker}});
        g.w().O_Spieler[2]->trigger();
        g.finishBuildUp();
        g.t.messages.texts = {"Die Füchse"};
        g.click(g.w().Beschriftung[1]);

        struct Move {
            bool right;
            QString stake;
        };
        const Move moves[20] = {{true, {}},  {false, {}}, {true, {}},  {true, {}},  {true, "50"},
                                {false, {}}, {true, {}},  {true, {}},  {true, {}},  {true, {}},
                                {true, {}},  {false, {}}, {true, {}},  {false, "100"}, {true, {}},
                                {true, {}},  {false, {}}, {true, {}},  {true, {}},  {false, {}}};
        QList<int> turns;
        for (int field = 0; field < 20; ++field) {
            if (field == 10)
                g.w().O_Neufrag->trigger(); // from here a right answer keeps the turn
            turns.append(g.w().CurrentGroup);
            g.play(field, moves[field].right, moves[field].stake);
            QCOMPARE(g.w().SiegerFenster->isVisible(), field == 19);
        }
        QCOMPARE(turns, QList<int>({1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 2, 3, 3, 1, 1, 1, 2, 2, 2}));
        QCOMPARE(g.score(1), QString("300"));
        QCOMPARE(g.score(2), QString("340"));
        QCOMPARE(g.score(3), QString("60"));
        QCOMPARE(g.w().CurrentGroup, 3);
        QCOMPARE(g.w().lab_Sieger->text(), QString("Sieger ist\rDie Füchse"));
        QCOMPARE(g.beeps(), 1); // the stake of 50 with no points
    }
};

QTEST_MAIN(RulesTest)
#include "tst_rules.moc"
