// The board layout in twips and the colour schemes.

#include "appearance/BoardLayout.h"
#include "appearance/ColourSchemes.h"
#include "host/Colours.h"

#include <QtTest>

using namespace wq;
using namespace wq::layout;

namespace {
// 1024 x 768 pixels at 15 twips per pixel, client area 15360 x 10500.
WindowMetrics workedExample()
{
    return {.screenWidth = 15360, .screenHeight = 11520, .windowWidth = 15360, .windowHeight = 11520,
            .clientWidth = 15360, .clientHeight = 10500};
}
} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theWorkedExample()
    {
        const BoardLayout b = formResize(workedExample());
        QVERIFY(b.applied);
        QCOMPARE(std::pair(b.marginX, b.marginY), std::pair(96, 96));
        QCOMPARE(b.infoStrip, (Rect{96, 8580, 15168, 1728}));
        QCOMPARE(b.wall, (Rect{96, 96, 15168, 8388}));
        // Columns: the wall less two margins in four, fields half a margin narrower.
        for (int c = 0; c < 4; ++c)
            QCOMPARE(b.topics[c], (Rect{96.0 + c * 3744, 180, 3744, 1301}));
        const double tops[] = {1685, 2890, 4096, 5301, 6506};
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(b.fields[i].top, tops[i / 4]);
            QVERIFY(b.fields[i].height == 1157 || b.fields[i].height == 1158);
            QCOMPARE(b.fields[i].width, 3696.0);
        }
        QCOMPARE(b.fields[16].bottom(), 7663.0);
        // Groups: 768 high, 25.6 point, group 1 over 2 left, 3 over 4 right.
        QCOMPARE(b.groupFontPoints, 25.6);
        QCOMPARE(QList<double>({b.names[0].height, b.names[1].top, b.scores[3].top, b.names[2].left, b.scores[1].left}),
                 QList<double>({768, 828, 828, 7584, 3840}));
        // The winner panel covers the wall; the question panel keeps its place.
        QCOMPARE(b.winnerPanel, b.wall);
        QCOMPARE(b.questionPanel, (Rect{60, 120, 15168, 8388}));
        QCOMPARE(b.winnerText, (Rect{1516.8f, 838.8f, 12134.4f, 6710.4f}));
        // Buttons a third of the panel less two tops, on its bottom edge; clock bar a margin above; stake box 40 % across.
        QCOMPARE(QList<double>({b.ok.top, b.ok.width, b.wrong.left, b.answer.left, b.stopClock.left, b.timeBar.top,
                                b.stakeBox.left, b.stakeBox.top, b.stakePrompt.top, b.pictureWidth, b.pictureHeight}),
                 QList<double>({7773, 4976, 5336, 10312, 7824, 7182, 6067.2f, 7818, 6710.4f, 5056, 4194}));
    }

    void minimumSizeMinimisedAndMargins()
    {
        WindowMetrics small = workedExample();
        small.windowWidth = small.clientWidth = 3000;
        small.windowHeight = 4000;
        small.clientHeight = 2980;
        const BoardLayout b = formResize(small);
        QCOMPARE(QList<double>({b.windowWidth, b.windowHeight, b.wall.width, b.infoStrip.height}),
                 QList<double>({4620, 5460, 4428, 819}));
        WindowMetrics minimised = workedExample();
        minimised.minimised = true;
        QVERIFY(!formResize(minimised).applied);
        // Margins follow the screen, not the window.
        WindowMetrics big = workedExample();
        big.screenWidth = 1920 * 15;
        big.screenHeight = 1080 * 15;
        const BoardLayout b2 = formResize(big);
        QCOMPARE(QList<double>({double(b2.marginX), double(b2.marginY), b2.wall.width}), QList<double>({180, 135, 15000}));
        QCOMPARE(QList<double>({nearest(2.5), nearest(3.5)}), QList<double>({2, 4}));
    }

    void theQuestionPanel()
    {
        // 24 point at 1024 pixels; the text ends 8 margins before a picture, or spans the panel less 16.
        const QuestionPanelLayout with = questionPanelLayout(15168, 8388, 5056, 4194, true, 15, 1024);
        QCOMPARE(with.fontPoints, 24.0);
        QCOMPARE(with.picture, (Rect{9962, 1497, 5056, 4194}));
        QCOMPARE(with.text, (Rect{1200, 150, 7562, 6888}));
        const QuestionPanelLayout without = questionPanelLayout(15168, 8388, 5056, 4194, false, 15, 1920);
        QCOMPARE(without.text.width, 12768.0);
        QCOMPARE(without.fontPoints, 45.0);
    }

    void colourSchemesAndTools()
    {
        QCOMPARE(schemeCaptions(), QStringList({"&Das kleine Wandquiz", "Blaue See", "Schwarzweiß"}));
        const ColourScheme blue = colourScheme(1);
        QCOMPARE(blue.wall, QColor("#0000FF"));
        QCOMPARE(blue.winnerText, QColor("#FFFF00"));
        QCOMPARE(colourScheme(0).infoStrip, QColor("#FF00FF"));
        // Rows shade from light to dark; the second colour is 20 points lighter.
        QCOMPARE(fieldShade(blue, 0).back, QColor(255, 77, 77));      // red, 30 % lighter
        QCOMPARE(fieldShade(blue, 0).back2, QColor(255, 128, 128));   // 50 % lighter
        QCOMPARE(fieldShade(blue, 19).back, QColor(128, 128, 0));     // yellow, 50 % darker
        QCOMPARE(fieldShade(blue, 19).back2, QColor(179, 179, 0));    // 30 % darker
        for (int i = 4; i < 20; ++i)
            QVERIFY(qGray(fieldShade(blue, i).back.rgb()) < qGray(fieldShade(blue, i - 4).back.rgb()));
        // Black and white alternates light and grey columns, 10 % darker in the middle row.
        QCOMPARE(fieldShade(colourScheme(2), 8).back, QColor(230, 230, 230));
        QCOMPARE(fieldShade(colourScheme(2), 9).back, QColor(173, 173, 173));

        // Shifted towards white (or black) by a share of the way, at most all of it.
        const QColor c(100, 0, 200);
        QCOMPARE(QList<QColor>({colours::shifted(c, 50), colours::shifted(c, -50), colours::shifted(c, 150),
                                colours::shifted(c, -150)}),
                 QList<QColor>({QColor(178, 128, 228), QColor(50, 0, 100), QColor(Qt::white), QColor(Qt::black)}));
        // Text in whichever of black and white stands out more.
        QCOMPARE(QList<QColor>({colours::contrastText(QColor("#FFFF00")), colours::contrastText(QColor("#000080")),
                                colours::contrastText(QColor(134, 134, 134)), colours::contrastText(QColor(0, 0, 204))}),
                 QList<QColor>({Qt::black, Qt::white, Qt::black, Qt::white}));
        QCOMPARE(colours::mixHalf(QColor(Qt::black), QColor(Qt::white)), QColor(128, 128, 128));
        QCOMPARE(colours::toBgr(QColor("#102030")), 0x00302010u);
        QCOMPARE(colours::fromBgr(0x00302010u), QColor("#102030"));
    }
};

QTEST_GUILESS_MAIN(LayoutTest)
#include "tst_layout.moc"
