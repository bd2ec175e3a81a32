// The board and the question flow, driven through the real window.

#include "game/PictureCache.h"
#include "host/Pictures.h"
#include "widgets/PercentBar.h"
#include "widgets/PictureBox.h"
#include "support/GameFixture.h"

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

// A game at 1024 x 700 whose program folder holds a picture "Bild.png" (400 x 200).
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
    // The judging buttons are on show, the clock is not.
    bool judging() const
    {
        const frm_WQZ &w = *window;
        return w.OK->isVisible() && w.Falsch->isVisible() && w.ctl_Antwort->isVisible()
               && !w.ctl_Antwortbereit->isVisible() && !w.ZeitAnz->isVisible();
    }
};
} // namespace

class BoardTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void anOrdinaryQuestionRunsItsClock()
    {
        Game g([](cls_Wall &wall) { wall.Item(0, true).QUESTION = "  Erste Zeile|zweite|dritte  "; });
        frm_WQZ &w = g.w();
        QTest::mousePress(w.Feld[0], Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(w.Feld[0], Qt::LeftButton, {}, QPoint(-50, -50)); // released elsewhere: still that field
        QVERIFY(w.Feld[0]->isHidden() && w.FragFeld->isVisible());
        QCOMPARE(w.lab_Frage->text(), QString("Erste Zeile\rzweite\rdritte"));
        QCOMPARE(g.t.sound.sounds(), QStringList({"file:Gong.Wav"}));
        QCOMPARE(w.TimeLeft, 25.0);
        QVERIFY(w.ZeitMess.isActive() && w.ZeitAnz->isVisible() && w.OK->isHidden());
        // The current group's name blinks, the others stay black.
        QList<QColor> seen;
        for (int i = 0; i < 4; ++i) {
            test::tick(w.Blinker);
            seen.append(w.Beschriftung[0]->textColour());
            QCOMPARE(w.Beschriftung[1]->textColour(), QColor(Qt::black));
        }
        const QColor white(Qt::white), black(Qt::black);
        QVERIFY(seen == QList<QColor>({white, black, white, black}) || seen == QList<QColor>({black, white, black, white}));

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
        QCOMPARE(QList<double>({bar[0], bar[12], bar[24]}), QList<double>({96, 48, 0}));
        QVERIFY(lastTick >= 990); // the one-second pause before the end
        QCOMPARE(g.t.sound.sounds().count("file:time4.Wav"), 25);
        QVERIFY(g.judging());
        QCOMPARE(w.OK->text(), QString("Richtig"));
        for (int i = 0; i < 2; ++i) { // again: the same answer
            g.revealAnswer();
            QCOMPARE(w.lab_Frage->text(), QString("Antwort 0"));
        }
    }

    void stoppingTheClockAndAligning()
    {
        Game g;
        frm_WQZ &w = g.w();
        // Alignment comes only from hand-written walls: 1 the question, 3 the answer left.
        w.wall().Item(19, true).TALIGN = 1;
        w.wall().Item(18, true).TALIGN = 3;
        g.open(19);
        QCOMPARE(w.TimeLeft, 105.0);
        QVERIFY(w.lab_Frage->isLeftAligned());
        g.stopClock();
        QVERIFY(!w.ZeitMess.isActive() && g.judging() && w.Falsch->isPanelEnabled());
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
            wall.Item(5, true).SORT = KindRisk;
            wall.Item(5, true).IMAGENAME = "Bild.png";
            wall.Item(5, true).IMAGEMODE = 1;
            wall.Item(6, true).SORT = KindJoker;
            wall.Item(7, true).SORT = 7;
        });
        frm_WQZ &w = g.w();
        g.open(5);
        QCOMPARE(w.lab_Frage->text(), QString("RISIKO"));
        QCOMPARE(g.t.sound.sounds(), QStringList({"file:clarinet.wav"}));
        QVERIFY(w.Risiko->isVisible() && w.Risiko->hasFocus() && w.Risiko->text().isEmpty());
        QCOMPARE(w.lab_Risiko->text(), QString("Setzt bitte einen Teil von Euren Punkten als Einsatz für die "
                                                "kommende Frage und bestätigt mit Enter"));
        QVERIFY(!g.pictureShown()); // the picture waits for the stake
        QVERIFY(!w.ZeitMess.isActive() && w.ZeitAnz->isHidden() && w.OK->isHidden() && w.ctl_Antwortbereit->isHidden());
        g.stake("");
        QVERIFY(w.ZeitMess.isActive() && g.pictureShown());
        QCOMPARE(w.lab_Frage->text(), QString("Frage 5"));
        g.stopClock();
        g.judgeRight();

        g.t.sound.played.clear();
        g.open(6);
        QCOMPARE(g.t.sound.sounds(), QStringList({"named:correct"}));
        QVERIFY(w.pic_Joker->isVisible() && w.OK->isVisible() && w.lab_Frage->text().isEmpty());
        QCOMPARE(w.OK->text(), QString("Hier klicken!"));
        QVERIFY(w.Falsch->isHidden() && !w.Falsch->isPanelEnabled());
        QVERIFY(w.ZeitAnz->isHidden() && !w.ZeitMess.isActive() && w.Risiko->isHidden());
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
        // Picture, mode, shown with the question, shown with the answer.
        const struct { QString name; int mode; bool question, answer; } fields[] = {
            {"Bild.png", 0, false, true}, {"bild.PNG   ", 1, true, false}, {"Bild.png", 2, true, true},
            {pictures::toText(pngBytes(120, 90)), 2, true, true},
            {QString(300, 'A'), 1, false, false},            // embedded, but not a picture
            {"fehlt.png", 1, false, false},
            {QString(251, 'x') + ".png", 1, false, false}};  // 255 characters: a file name
        Game g([&](cls_Wall &wall) {
            for (int i = 0; i < 7; ++i) {
                wall.Item(i, true).IMAGENAME = fields[i].name;
                wall.Item(i, true).IMAGEMODE = fields[i].mode;
            }
        });
        frm_WQZ &w = g.w();
        for (int i = 0; i < 7; ++i) {
            g.open(i);
            QVERIFY2(g.pictureShown() == fields[i].question, qPrintable(QString::number(i)));
            g.stopClock();
            g.revealAnswer();
            QVERIFY2(g.pictureShown() == fields[i].answer, qPrintable(QString::number(i)));
            if (i == 2)
                QCOMPARE(w.pic_ImageScaled->tag(), g.t.folders.program + "images/Bild.png");
            if (i == 3) {
                QCOMPARE(w.pic_ImageScaled->tag(), QString("EMBEDDED"));
                // Decoded at the size it is shown at: as large as fits the box, 4 : 3.
                const QImage shown = w.pic_Image->picture();
                QVERIFY(shown.width() == w.pic_ImageScaled->width() || shown.height() == w.pic_ImageScaled->height());
                QVERIFY(qAbs(shown.width() * 3 - shown.height() * 4) <= 4);
                QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::darkGreen));
            }
            g.judgeWrong();
        }
    }

    void theTextMakesRoomForThePicture()
    {
        Game g([](cls_Wall &wall) {
            wall.Item(1, true).IMAGENAME = "Bild.png";
            wall.Item(1, true).IMAGEMODE = 2;
            wall.Item(2, true).QUESTION = QString("Eine sehr lange Frage ").repeated(300);
        });
        frm_WQZ &w = g.w();
        g.open(1);
        QCOMPARE(w.lab_Frage->fontSize(), w.board->width() * 24.0 / 1024); // 24 point at 1024 pixels
        // Margins of 10 pixels (150 twips): text 8 in, picture 8 after it and 1 before the edge.
        QCOMPARE(w.logicalDpiX(), 96);
        const QRect text = w.lab_Frage->geometry();
        const QRect picture = w.pic_ImageScaled->geometry();
        QVERIFY(g.pictureShown());
        QVERIFY(qAbs(text.left() - 80) <= 1);
        QVERIFY(qAbs(picture.left() - 80 - text.right() - 1) <= 1);
        QVERIFY(qAbs(picture.right() + 1 + 10 - w.FragFeld->width()) <= 1);
        g.stopClock();
        g.judgeRight();
        // Without a picture: the panel less 16 margins; thousands of characters set smaller.
        g.open(2);
        QVERIFY(!g.pictureShown());
        QVERIFY(qAbs(w.lab_Frage->width() - (w.FragFeld->width() - 160)) <= 1);
        QVERIFY(w.lab_Frage->shownFont().pointSizeF() < w.lab_Frage->fontSize());

        // At 15 twips a pixel: the stake request 495 twips high, the window at least 4620 x 5460.
        QCOMPARE(w.lab_Risiko->height(), 33);
        w.resize(200, 150);
        QCoreApplication::processEvents();
        QCOMPARE(w.frameGeometry().size(), QSize(308, 364));
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
        QVERIFY(cache.picture(20).isNull() && cache.picture(21).isNull()); // 21 has no picture
        // A new wall drops the old pictures; one asked for at once is decoded there and then.
        cache.prepare({{3, pictures::toText(pngBytes(100, 400)).toLatin1(), QString()}}, QSize(200, 100));
        QCOMPARE(cache.picture(3).size(), QSize(25, 100));
        QVERIFY(cache.picture(7).isNull());
    }
};

QTEST_MAIN(BoardTest)
#include "tst_board.moc"
