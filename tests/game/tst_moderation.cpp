// Moderation: undo, keys and a presenter clicker, the moderator window, resuming after a crash.

#include "game/ModeratorWindow.h"
#include "support/GameFixture.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace wq;
using test::Game;
using test::GameFixture;

class ModerationTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theLastJudgementCanBeTakenBack()
    {
        Game g({{6, KindRisk}});
        QVERIFY(!g.w().mnu_Undo->isEnabled());
        g.play(4, true); // group 1 gets 40
        g.play(5, true); // a mis-click: group 2 gets 40
        QCOMPARE(g.w().CurrentGroup, 1);
        g.w().mnu_Undo->trigger();
        QCOMPARE(QStringList({g.score(1), g.score(2)}), QStringList({"40", "0"}));
        QCOMPARE(g.w().CurrentGroup, 2);
        QVERIFY(g.w().FragFeld->isVisible() && g.w().OK->isVisible() && g.w().Falsch->isVisible());
        QVERIFY(!g.w().mnu_Undo->isEnabled()); // only the last one
        g.judgeWrong();
        QVERIFY(g.score(2) == "0" && g.w().CurrentGroup == 1);

        // A risk field judged again keeps its stake.
        g.play(6, false, "30");
        QCOMPARE(g.score(1), QString("10"));
        g.w().mnu_Undo->trigger();
        g.judgeRight();
        QCOMPARE(g.score(1), QString("110")); // 40 + 40 points + the stake of 30

        // Once the next field is open, there is nothing to take back.
        g.open(7);
        QVERIFY(!g.w().mnu_Undo->isEnabled());
        g.w().mnu_Undo->trigger();
        QCOMPARE(g.score(1), QString("110"));

        // Taking back the last field of the wall hides the winner again; the ended game is not offered again.
        Game last({{0, KindJoker}});
        last.leaveOnly(0);
        last.play(0, true);
        QVERIFY(last.w().SiegerFenster->isVisible());
        last.w().mnu_Undo->trigger();
        QVERIFY(last.w().SiegerFenster->isHidden() && last.score(1) == "0");
        QCOMPARE(last.w().OK->text(), QString("Hier klicken!"));
        last.judgeRight();
        QVERIFY(last.w().SiegerFenster->isVisible() && last.score(1) == "20");
        last.window.reset();
        GameFixture after;
        after.restart(last.t.folders);
        QVERIFY(after.t.messages.shown.isEmpty());
    }

    void keysAndThePresenterClicker()
    {
        Game g({{8, KindRisk}});
        QApplication::setActiveWindow(g.window.get());
        QVERIFY(QTest::qWaitForWindowActive(g.window.get()));
        g.open(0);
        g.key(Qt::Key_Space);
        QVERIFY(!g.w().ZeitMess.isActive() && g.w().OK->isVisible());
        g.key(Qt::Key_A);
        QCOMPARE(g.w().lab_Frage->text(), QString("Antwort 0"));
        g.key(Qt::Key_R);
        QVERIFY(g.score(1) == "20" && g.w().FragFeld->isHidden());
        g.key(Qt::Key_R); // no question open: nothing happens
        QCOMPARE(g.score(1), QString("20"));

        g.open(1);
        g.key(Qt::Key_F); // the clock still runs: nothing to judge yet
        QVERIFY(g.w().ZeitMess.isActive());
        g.key(Qt::Key_PageDown);
        QVERIFY(!g.w().ZeitMess.isActive());
        g.key(Qt::Key_PageDown);
        QCOMPARE(g.w().lab_Frage->text(), QString("Antwort 1"));
        g.key(Qt::Key_PageUp); // a clicker's "back" never judges
        QVERIFY(g.w().FragFeld->isVisible() && g.score(2) == "0");
        g.key(Qt::Key_PageDown);
        QCOMPARE(g.score(2), QString("20"));

        // While the stake is typed, letters are letters.
        g.open(8);
        QVERIFY(g.w().Risiko->hasFocus());
        QTest::keyClicks(g.w().Risiko, "1r");
        QCOMPARE(QStringList({g.w().Risiko->text(), g.w().lab_Frage->text()}), QStringList({"1r", "RISIKO"}));

        QCOMPARE(g.w().mnu_FullScreen->shortcut(), QKeySequence(Qt::Key_F11));
        g.w().mnu_FullScreen->trigger();
        QVERIFY(g.w().isFullScreen());
        g.w().mnu_FullScreen->trigger();
        QVERIFY(!g.w().isFullScreen());
    }

    void theModeratorWindowActsAsTheBoard()
    {
        QCOMPARE(planScreens({QRect(0, 0, 1366, 768)}, 0), std::nullopt);
        const auto two = planScreens({QRect(0, 0, 1366, 768), QRect(1366, 0, 1920, 1080)}, 0);
        QVERIFY(two && two->board == 1 && two->moderator == 0);
        const auto three = planScreens({QRect(0, 0, 800, 600), QRect(0, 0, 1920, 1080), QRect(0, 0, 1366, 768)}, 2);
        QVERIFY(three && three->board == 1 && three->moderator == 2);

        Game g;
        QVERIFY(!g.w().mnu_Moderator->isEnabled()); // one screen: nothing changes
        QScreen *screen = QGuiApplication::primaryScreen();
        g.w().openModeratorWindow(screen, screen);
        ModeratorWindow *m = g.w().moderatorWindow();
        QVERIFY(m && m->isVisible() && !m->rightButton->isEnabled());
        g.open(9);
        m->refresh();
        // The answer shows before it is revealed on the board.
        QCOMPARE(QStringList({m->questionLabel->text(), m->answerLabel->text(), m->timeLabel->text()}),
                 QStringList({"Frage 9", "Antwort: Antwort 9", "65 s"}));
        QVERIFY(m->fieldLabel->text().startsWith("60 Punkte – Thema 2"));
        QVERIFY(m->stopButton->isEnabled() && !m->revealButton->isEnabled());
        QTest::mouseClick(m->stopButton, Qt::LeftButton);
        QVERIFY(!g.w().ZeitMess.isActive() && g.w().OK->isVisible());
        QTest::mouseClick(m->revealButton, Qt::LeftButton);
        QCOMPARE(g.w().lab_Frage->text(), QString("Antwort 9"));
        QTest::mouseClick(m->wrongButton, Qt::LeftButton);
        QVERIFY(g.w().FragFeld->isHidden() && g.w().CurrentGroup == 2);
        QVERIFY(m->scoresLabel->text().contains("▶ Gruppe 2: 0"));
        QTest::mouseClick(m->undoButton, Qt::LeftButton);
        QVERIFY(g.w().FragFeld->isVisible() && g.w().CurrentGroup == 1);
        // Its keys are the board's: a clicker works whichever window has the focus.
        QTest::keyClick(m, Qt::Key_PageUp);
        QTest::keyClick(m, Qt::Key_R);
        QCOMPARE(g.score(1), QString("60"));
        QTest::keyClick(m, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(g.score(1), QString("0"));
        QTest::keyClick(m, Qt::Key_F);
        QCOMPARE(g.w().CurrentGroup, 2);
        g.w().closeModeratorWindow();
        QVERIFY(!g.w().moderatorWindow());
    }

    void aCrashedGameIsOffered()
    {
        Game crashed;
        crashed.play(0, true);
        crashed.play(5, true);
        QVERIFY(QFile::exists(crashed.w().savedGamePath()));
        crashed.window.reset(); // no close: the window just vanishes, as in a crash
        GameFixture g;
        g.restart(crashed.t.folders); // answered No (no scripted answer)
        QCOMPARE(g.t.messages.shown.size(), 1);
        QCOMPARE(g.t.messages.shown[0].text, QString("Das letzte Spiel wurde nicht beendet. Fortsetzen?"));
        QCOMPARE(g.t.messages.shown[0].buttons, MessageButtons::YesNo);
        QVERIFY(g.score(1) == "0" && !QFile::exists(g.w().savedGamePath()));
    }

    void aResumedGameIsTheGameAsItWas()
    {
        Game first;
        first.w().O_Spieler[2]->trigger();
        first.finishBuildUp();
        first.t.messages.texts = {"Die Füchse"};
        first.click(first.w().Beschriftung[1]);
        for (int field : {0, 5, 19})
            first.play(field, true);
        first.t.messages.texts = {"Die Eulen"}; // a name given after the last judgement
        first.click(first.w().Beschriftung[2]);
        const GameState before = first.w().currentState();

        GameFixture next;
        next.t.messages.answers = {MessageResult::Yes};
        next.restart(first.t.folders);
        QCOMPARE(next.w().currentState(), before);
        QCOMPARE(QStringList({next.score(1), next.score(2), next.score(3)}), QStringList({"20", "40", "100"}));
        QCOMPARE(QStringList({next.w().Beschriftung[1]->text(), next.w().Beschriftung[2]->text()}),
                 QStringList({"Die Füchse", "Die Eulen"}));
        QCOMPARE(std::pair(int(next.w().GroupCount), int(next.w().CurrentGroup)), std::pair(3, 1));
        QVERIFY(next.w().O_Spieler[2]->isChecked());
        for (int i = 0; i < 20; ++i)
            QCOMPARE(next.w().Feld[i]->isHidden(), i == 0 || i == 5 || i == 19);

        // A normal end discards it.
        next.w().close();
        QVERIFY(!QFile::exists(next.w().savedGamePath()));
    }

    void newGamesNewWallsAndOtherInstancesDiscardOrLeaveIt()
    {
        Game g;
        g.play(0, true);
        const QString saved = g.w().savedGamePath();
        QVERIFY(QFile::exists(saved));
        g.t.messages.answers = {MessageResult::Yes};
        g.w().S_Neu->trigger();
        QVERIFY(!QFile::exists(saved));
        g.finishBuildUp();
        g.play(0, false);
        QVERIFY(QFile::exists(saved));
        // A second instance started with /NEW neither asks nor touches it.
        GameFixture other;
        other.t.folders = g.t.folders;
        other.t.app.otherInstanceRunning = true;
        QVERIFY(other.start({"/NEW"}) && other.t.messages.shown.isEmpty());
        other.w().close();
        QVERIFY(QFile::exists(saved));
        // A wall on the command line is a new wall: no question, and discarded.
        GameFixture withWall;
        withWall.t.folders = g.t.folders;
        QVERIFY(withWall.start({test::writeFile(g.t.root() + "neu.frg",
                                                "TH:A\na\na\n\n@\nTH:B\nb\nb\n\n@\nTH:C\nc\nc\n\n@\nTH:D\nd\nd\n\n@\n")}));
        QVERIFY(withWall.t.messages.shown.isEmpty() && !QFile::exists(saved));
    }
};

QTEST_MAIN(ModerationTest)
#include "tst_moderation.moc"
