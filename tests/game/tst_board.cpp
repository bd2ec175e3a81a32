// The board and the question flow, driven through the real window.

#include "game/PictureCache.h"
#include "host/Pictures.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "widgets/PercentBar.h"
#include "widgets/PictureBox.h"
#include "support/GameFixture.h"

#include <QLineEdit>
#include <QtTest>

using namespace wq;
using test::GameFixture;

namespace {
QByteArray pngBytes(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A started game whose program folder holds a picture "Bild.png" (400 x 200).
struct Game : GameFixture {
    explicit Game(const std::function<void(cls_Wall &)> &adjust = {})
    {
        t.folders.program = t.root() + "program/";
        test::writeFile(t.folders.program + "images/Bild.png", pngBytes(400, 200));
        test::writeFile(t.folders.program + "joker.png", pngBytes(50, 50));
        test::writeSuppliedWall(t, adjust);
        window = std::make_unique<frm_WQZ>(t.host());
        start();
        window->showNormal();
        window->resize(1024, 700);
        QCoreApplication::processEvents();
        finishBuildUp();
        t.sound.played.clear();
    }
    bool pictureShown() const { return !window->pic_ImageScaled->isHidden(); }
};
} // namespace

class BoardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buildUpUncoversRowsFromTheBottomWithSounds()
    {
        GameFixture g;
        test::writeSuppliedWall(g.t);
        g.start();
        frm_WQZ &w = *g.window;
        QCOMPARE(w.SpielWand->text(), QString("Wandquiz"));
        for (int i = 0; i < 20; ++i)
            QVERIFY(w.Feld[i]->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(!w.AufbauTimer.isActive(), 3000);
        for (int i = 0; i < 20; ++i) {
            QVERIFY(!w.Feld[i]->isHidden());
            QCOMPARE(w.Feld[i]->text(), QString::number((i / 4 + 1) * 20));
        }
        QCOMPARE(g.t.sound.sounds(),
                 QStringList({"file:time0.wav", "file:time1.wav", "file:time2.wav", "file:time4.wav"}));
        for (int i = 1; i < 4; ++i)
            QVERIFY(g.t.sound.played[i].atMs - g.t.sound.played[i - 1].atMs >= 90);
        QCOMPARE(w.SpielWand->text(), QString());

        // A second build starts again from the bottom row, step by step.
        g.t.messages.answers = {MessageResult::Yes};
        w.S_Neu->trigger();
        g.t.sound.played.clear();
        test::tick(w.AufbauTimer);
        QVERIFY(!w.Feld[16]->isHidden() && w.Feld[12]->isHidden());
        test::tick(w.AufbauTimer);
        test::tick(w.AufbauTimer);
        test::tick(w.AufbauTimer);
        QCOMPARE(w.SpielWand->text(), QString());
        QVERIFY(w.Feld[0]->isHidden() && !w.Feld[4]->isHidden());
        test::tick(w.AufbauTimer);
        QVERIFY(!w.Feld[0]->isHidden());
        QVERIFY(!w.AufbauTimer.isActive());
        QCOMPARE(g.t.sound.sounds().size(), 4);
    }

    void theCurrentGroupsNameBlinks()
    {
        Game g;
        frm_WQZ &w = *g.window;
        QVector<QColor> seen;
        for (int i = 0; i < 4; ++i) {
            test::tick(w.Blinker);
            seen.append(w.Beschriftung[0]->textColour());
            QCOMPARE(w.Beschriftung[1]->textColour(), QColor(Qt::black));
            QCOMPARE(w.Beschriftung[3]->textColour(), QColor(Qt::black));
        }
        QVERIFY(seen[0] != seen[1] && seen[0] == seen[2] && seen[1] == seen[3]);
        QVERIFY(seen.contains(QColor(Qt::white)) && seen.contains(QColor(Qt::black)));
    }

    void anOrdinaryQuestionRunsItsClock()
    {
        Game g([](cls_Wall &wall) {
            wall.Item(0, true).QUESTION = "  Erste Zeile|zweite|dritte  ";
            wall.Item(0, true).ANSWER = "Die Antwort";
        });
        frm_WQZ &w = *g.window;
        // Pressed on the field, released somewhere else: still that field.
        g.pressAndReleaseElsewhere(w.Feld[0]);
        QVERIFY(w.Feld[0]->isHidden());
        QVERIFY(w.FragFeld->isVisible());
        QCOMPARE(w.lab_Frage->text(), QString("Erste Zeile\rzweite\rdritte"));
        QCOMPARE(g.t.sound.sounds(), QStringList({"file:Gong.Wav"}));
        QCOMPARE(w.TimeLeft, 25.0);
        QVERIFY(w.ZeitMess.isActive());
        QVERIFY(w.ctl_Antwortbereit->isVisible() && w.ZeitAnz->isVisible());
        QVERIFY(w.OK->isHidden() && w.Falsch->isHidden() && w.ctl_Antwort->isHidden());

        // Tick by tick to the end: the bar falls by 4 each second.
        QList<double> bar;
        QElapsedTimer clock;
        qint64 lastTick = 0;
        while (w.ZeitMess.isActive()) {
            clock.start();
            test::tick(w.ZeitMess);
            lastTick = clock.elapsed();
            bar.append(w.ZeitAnz->value());
        }
        QCOMPARE(bar.size(), 25);
        QCOMPARE(bar.first(), 96.0);
        QCOMPARE(bar[12], 48.0);
        QCOMPARE(bar.last(), 0.0);
        QVERIFY(lastTick >= 990); // the one-second pause before the end
        QCOMPARE(g.t.sound.sounds().count("file:time4.Wav"), 25);
        QVERIFY(w.OK->isVisible() && w.Falsch->isVisible() && w.ctl_Antwort->isVisible());
        QVERIFY(w.ctl_Antwortbereit->isHidden() && w.ZeitAnz->isHidden());
        QCOMPARE(w.OK->text(), QString("Richtig"));

        g.revealAnswer();
        QCOMPARE(w.lab_Frage->text(), QString("Die Antwort"));
        g.revealAnswer(); // again: the same answer
        QCOMPARE(w.lab_Frage->text(), QString("Die Antwort"));
    }

    void stoppingTheClockAndAligning()
    {
        Game g;
        frm_WQZ &w = *g.window;
        // Alignment comes only from hand-written walls.
        w.wall().Item(19, true).TALIGN = 1;
        w.wall().Item(18, true).TALIGN = 3;
        g.open(19);
        QCOMPARE(w.TimeLeft, 105.0);
        QVERIFY(w.lab_Frage->isLeftAligned());
        g.stopClock();
        QVERIFY(!w.ZeitMess.isActive());
        QVERIFY(w.ZeitAnz->isHidden() && w.OK->isVisible() && w.Falsch->isVisible() && w.ctl_Antwort->isVisible());
        QVERIFY(w.Falsch->isPanelEnabled());
        g.revealAnswer();
        QVERIFY(!w.lab_Frage->isLeftAligned());
        g.judgeWrong();

        g.open(18);
        QVERIFY(!w.lab_Frage->isLeftAligned());
        g.stopClock();
        g.revealAnswer();
        QVERIFY(w.lab_Frage->isLeftAligned());
        QCOMPARE(g.t.sound.sounds().count("file:time4.Wav"), 0);
    }

    void riskJokerAndInvalidFields()
    {
        Game g([](cls_Wall &wall) {
            wall.Item(5, true).SORT = 2;
            wall.Item(5, true).IMAGENAME = "Bild.png";
            wall.Item(5, true).IMAGEMODE = 1;
            wall.Item(6, true).SORT = 3;
            wall.Item(7, true).SORT = 7;
        });
        frm_WQZ &w = *g.window;
        g.open(5);
        QCOMPARE(w.lab_Frage->text(), QString("RISIKO"));
        QCOMPARE(g.t.sound.sounds(), QStringList({"file:clarinet.wav"}));
        QVERIFY(!w.ZeitMess.isActive() && w.ZeitAnz->isHidden());
        QVERIFY(w.Risiko->isVisible() && w.Risiko->hasFocus() && w.Risiko->text().isEmpty());
        QCOMPARE(w.lab_Risiko->text(), QString("Setzt bitte einen Teil von Euren Punkten als Einsatz für die "
                                                "kommende Frage und bestätigt mit Enter"));
        QVERIFY(!g.pictureShown()); // the picture waits for the stake
        QVERIFY(w.OK->isHidden() && w.Falsch->isHidden() && w.ctl_Antwortbereit->isHidden());
        QTest::keyClick(w.Risiko, Qt::Key_Return);
        QVERIFY(w.ZeitMess.isActive() && g.pictureShown());
        QCOMPARE(w.lab_Frage->text(), QString("Frage 5"));
        g.stopClock();
        g.judgeRight();

        g.t.sound.played.clear();
        g.open(6);
        QCOMPARE(g.t.sound.sounds(), QStringList({"named:correct"}));
        QVERIFY(w.pic_Joker->isVisible() && w.OK->isVisible());
        QCOMPARE(w.OK->text(), QString("Hier klicken!"));
        QVERIFY(w.Falsch->isHidden() && !w.Falsch->isPanelEnabled());
        QVERIFY(w.ZeitAnz->isHidden() && !w.ZeitMess.isActive() && w.Risiko->isHidden());
        QVERIFY(w.lab_Frage->text().isEmpty());
        g.judgeRight();

        g.open(7);
        QCOMPARE(g.t.messages.shown.last().text, QString("Ungültiger Fragetype"));
        QCOMPARE(g.t.messages.shown.last().title, QString());
        QVERIFY(w.Feld[7]->isHidden() && w.FragFeld->isHidden());

        g.open(8);
        QCOMPARE(w.OK->text(), QString("Richtig"));
        QVERIFY(w.pic_Joker->isHidden());
    }

    void picturesByModeFileAndEmbedding()
    {
        const QString embedded = pictures::toText(pngBytes(120, 90));
        Game g([&](cls_Wall &wall) {
            auto set = [&](int i, const QString &name, int mode) {
                wall.Item(i, true).IMAGENAME = name;
                wall.Item(i, true).IMAGEMODE = mode;
            };
            set(0, "Bild.png", 0);
            set(1, "bild.PNG   ", 1);
            set(2, "Bild.png", 2);
            set(3, embedded, 2);
            set(4, QString(300, 'A'), 1);            // embedded, but not a picture
            set(5, "fehlt.png", 1);
            set(6, QString(251, 'x') + ".png", 1);    // 255 characters: a file name
        });
        frm_WQZ &w = *g.window;
        auto play = [&](int field, bool withQuestion, bool withAnswer) {
            g.open(field);
            QCOMPARE(g.pictureShown(), withQuestion);
            g.stopClock();
            g.revealAnswer();
            QCOMPARE(g.pictureShown(), withAnswer);
            g.judgeWrong();
        };
        play(0, false, true);
        play(1, true, false);
        play(2, true, true);
        QCOMPARE(w.pic_ImageScaled->tag(), g.t.folders.program + "images/Bild.png");
        play(3, true, true);
        QCOMPARE(w.pic_ImageScaled->tag(), QString("EMBEDDED"));
        // Decoded at the size it is shown at: as large as fits the box, 4 : 3.
        const QImage shown = w.pic_Image->picture();
        QVERIFY(shown.width() == w.pic_ImageScaled->width() || shown.height() == w.pic_ImageScaled->height());
        QVERIFY(qAbs(shown.width() * 3 - shown.height() * 4) <= 4);
        QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::darkGreen));
        play(4, false, false);
        play(5, false, false);
        play(6, false, false);
    }

    void theTextMakesRoomForThePicture()
    {
        Game g([](cls_Wall &wall) {
            wall.Item(1, true).IMAGENAME = "Bild.png";
            wall.Item(1, true).IMAGEMODE = 2;
            wall.Item(2, true).QUESTION = QString("Eine sehr lange Frage ").repeated(300);
        });
        frm_WQZ &w = *g.window;
        const int width = w.board->width();
        g.open(1);
        QCOMPARE(w.lab_Frage->fontSize(), width * 24.0 / 1024);
        const int margin = qRound(10 * 1440.0 / w.logicalDpiX() / (1440.0 / w.logicalDpiX()));
        const QRect text = w.lab_Frage->geometry();
        const QRect picture = w.pic_ImageScaled->geometry();
        QVERIFY(g.pictureShown());
        QVERIFY(qAbs(text.left() - 8 * margin) <= 1);
        QVERIFY(qAbs(picture.left() - 8 * margin - text.right() - 1) <= 1);
        QVERIFY(qAbs(picture.right() + 1 + margin - w.FragFeld->width()) <= 1);
        g.stopClock();
        g.judgeRight();

        // Without a picture the text takes the panel less sixteen margins.
        g.open(2);
        QVERIFY(!g.pictureShown());
        QVERIFY(qAbs(w.lab_Frage->width() - (w.FragFeld->width() - 16 * margin)) <= 1);
        // A question of thousands of characters is set smaller to fit.
        QVERIFY(w.lab_Frage->shownFont().pointSizeF() < w.lab_Frage->fontSize());
        QVERIFY(!w.lab_Frage->grab().isNull());
    }

    void picturesAreMadeAheadOfTime()
    {
        // Twenty pictures decoded on other threads, fitted into a 200 x 100 box.
        PictureCache cache;
        QList<PictureSource> sources;
        for (int i = 0; i < 20; ++i)
            sources.append({i, pictures::toText(pngBytes(400 + i, 300)).toLatin1(), QString()});
        sources.append({20, QByteArray("bm90IGEgcGljdHVyZQ=="), QString()}); // "not a picture"
        cache.prepare(sources, QSize(200, 100));
        QTRY_COMPARE(cache.readyCount(), 21);
        QCOMPARE(cache.picture(7).size(), QSize(135, 100)); // 407 x 300 at 100 high
        QVERIFY(cache.picture(20).isNull());
        QVERIFY(cache.picture(21).isNull()); // a field without a picture
        // A new wall drops the old pictures; one asked for at once is decoded there and then.
        cache.prepare({{3, pictures::toText(pngBytes(100, 400)).toLatin1(), QString()}}, QSize(200, 100));
        QCOMPARE(cache.picture(3).size(), QSize(25, 100));
        QVERIFY(cache.picture(7).isNull());
    }

    void theWindowKeepsItsLeastSize()
    {
        Game g;
        frm_WQZ &w = *g.window;
        // At 15 twips per pixel: the stake request 495 twips high, the window
        // at least 4620 x 5460 twips, frame included.
        QCOMPARE(w.logicalDpiY(), 96);
        QCOMPARE(w.lab_Risiko->height(), 33);
        w.resize(200, 150);
        QCoreApplication::processEvents();
        QCOMPARE(w.frameGeometry().size(), QSize(308, 364));
    }
};

QTEST_MAIN(BoardTest)
#include "tst_board.moc"
