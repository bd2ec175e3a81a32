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
    WindowMetrics m;
    m.screenWidth = 1024 * 15;
    m.screenHeight = 768 * 15;
    m.windowWidth = 15360;
    m.windowHeight = 11520;
    m.clientWidth = 15360;
    m.clientHeight = 10500;
    return m;
}
} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theWorkedExample()
    {
        const BoardLayout b = formResize(workedExample());
        QVERIFY(b.applied);
        QCOMPARE(b.marginX, 96);
        QCOMPARE(b.marginY, 96);
        QCOMPARE(b.infoStrip, (Rect{96, 8580, 15168, 1728}));
        QCOMPARE(b.wall, (Rect{96, 96, 15168, 8388}));
        for (const Rect &topic : b.topics) {
            QCOMPARE(topic.height, 1301.0);
            QCOMPARE(topic.top, 180.0);
        }
        const double tops[] = {1685, 2890, 4096, 5301, 6506};
        for (int row = 0; row < 5; ++row)
            for (int c = 0; c < 4; ++c) {
                const Rect &field = b.fields[row * 4 + c];
                QCOMPARE(field.top, tops[row]);
                QVERIFY(field.height == 1157 || field.height == 1158);
            }
        QCOMPARE(b.fields[0].height, 1157.0);
        QCOMPARE(b.fields[16].bottom(), 7663.0);
        QVERIFY(b.fields[16].bottom() < b.wall.height);
        // Columns: the wall less two margins in four, fields half a margin narrower.
        QCOMPARE(b.topics[0].left, 96.0);
        QCOMPARE(b.topics[1].left, 96.0 + 3744);
        QCOMPARE(b.topics[0].width, 3744.0);
        QCOMPARE(b.fields[5].width, 3744.0 - 48);
        // Groups: 768 high, 25.6 point, group 1 over 2 left, 3 over 4 right.
        QCOMPARE(b.names[0].height, 768.0);
        QCOMPARE(b.groupFontPoints, 25.6);
        QCOMPARE(b.names[1].top, 60.0 + 768);
        QCOMPARE(b.scores[3].top, 60.0 + 768);
        QCOMPARE(b.names[2].left, b.topics[2].left);
        QCOMPARE(b.scores[1].left, b.topics[1].left);
        // The winner panel covers the wall; the question panel keeps its place.
        QCOMPARE(b.winnerPanel, b.wall);
        QCOMPARE(b.questionPanel, (Rect{60, 120, 15168, 8388}));
        QCOMPARE(b.winnerText, (Rect{1516.8f, 838.8f, 12134.4f, 6710.4f}));
        // Buttons: a third of the panel less two tops, on the bottom edge.
        QCOMPARE(b.ok.top, 8388.0 - 555 - 60);
        QCOMPARE(b.ok.width, double(float((15168 - 240) / 3.0)));
        QCOMPARE(b.wrong.left, b.ok.left + b.ok.width);
        QCOMPARE(b.answer.left, b.wrong.left + b.ok.width);
        QCOMPARE(b.stopClock.left, double(float(b.wrong.left + b.ok.width / 2)));
        QCOMPARE(b.timeBar.top, b.ok.top - 495 - 96);
        QCOMPARE(b.stakeBox.left, double(float(15168 * 0.4)));
        QCOMPARE(b.stakeBox.top, 8388.0 - 420 - 150);
        QCOMPARE(b.stakePrompt.top, double(float(8388 * 0.8)));
        QCOMPARE(b.pictureWidth, 5056.0);
        QCOMPARE(b.pictureHeight, 4194.0);
    }

    void minimumSizeMinimisedAndMargins()
    {
        WindowMetrics small = workedExample();
        small.windowWidth = 3000;
        small.windowHeight = 4000;
        small.clientWidth = 3000;
        small.clientHeight = 2980;
        const BoardLayout b = formResize(small);
        QCOMPARE(b.windowWidth, 4620.0);
        QCOMPARE(b.windowHeight, 5460.0);
        QCOMPARE(b.wall.width, 4620.0 - 2 * 96);
        QCOMPARE(b.infoStrip.height, 5460 * 0.15);

        WindowMetrics minimised = workedExample();
        minimised.minimised = true;
        QVERIFY(!formResize(minimised).applied);

        // Margins follow the screen, not the window.
        WindowMetrics big = workedExample();
        big.screenWidth = 1920 * 15;
        big.screenHeight = 1080 * 15;
        const BoardLayout b2 = formResize(big);
        QCOMPARE(b2.marginX, 180);
        QCOMPARE(b2.marginY, 135);
        QCOMPARE(b2.wall.width, 15360.0 - 360);
        QCOMPARE(nearest(2.5), 2.0);
        QCOMPARE(nearest(3.5), 4.0);
    }

    void theQuestionPanel()
    {
        // 1024 pixels wide: 24 point; with a picture the text ends eight
        // margins left of it, without one it spans the panel less sixteen.
        const QuestionPanelLayout with = questionPanelLayout(15168, 8388, 5056, 4194, true, 15, 1024);
        QCOMPARE(with.fontPoints, 24.0);
        QCOMPARE(with.picture.left, 15168.0 - 5056 - 150);
        QCOMPARE(with.picture.top, double(float((8388 - 4194 - 1200) / 2.0)));
        QCOMPARE(with.text.left, 1200.0);
        QCOMPARE(with.text.right(), with.picture.left - 1200);
        QCOMPARE(with.text.top, 150.0);
        QCOMPARE(with.text.height, 8388.0 - 1200 - 300);
        const QuestionPanelLayout without = questionPanelLayout(15168, 8388, 5056, 4194, false, 15, 1920);
        QCOMPARE(without.text.width, 15168.0 - 16 * 150);
        QCOMPARE(without.fontPoints, 45.0);
    }

    void colourSchemes()
    {
        QCOMPARE(schemeCaptions(), QStringList({"&Das kleine Wandquiz", "Blaue See", "Schwarzweiß"}));
        const ColourScheme blue = colourScheme(1);
        QCOMPARE(blue.wall, QColor("#0000FF"));
        QCOMPARE(blue.winnerText, QColor("#FFFF00"));
        // Rows shade from light to dark; the second colour is 20 points lighter.
        const FieldShade top = fieldShade(blue, 0);
        QCOMPARE(top.back, colours::shifted(QColor("#FF0000"), 30));
        QCOMPARE(top.back2, colours::shifted(QColor("#FF0000"), 50));
        const FieldShade bottom = fieldShade(blue, 19);
        QCOMPARE(bottom.back, colours::shifted(QColor("#FFFF00"), -50));
        QCOMPARE(bottom.back2, colours::shifted(QColor("#FFFF00"), -30));
        for (int i = 4; i < 20; ++i)
            QVERIFY(qGray(fieldShade(blue, i).back.rgb()) < qGray(fieldShade(blue, i - 4).back.rgb()));
        // Black and white alternates light and grey columns.
        const ColourScheme grey = colourScheme(2);
        QCOMPARE(fieldShade(grey, 8).back, colours::shifted(QColor("#FFFFFF"), -10));
        QCOMPARE(fieldShade(grey, 9).back, colours::shifted(QColor("#C0C0C0"), -10));
        QCOMPARE(colourScheme(0).infoStrip, QColor("#FF00FF"));
    }

    void colourTools()
    {
        QCOMPARE(colours::shifted(QColor(100, 0, 200), 50), QColor(178, 128, 228));
        QCOMPARE(colours::shifted(QColor(100, 0, 200), -50), QColor(50, 0, 100));
        QCOMPARE(colours::shifted(QColor(100, 0, 200), 150), QColor(Qt::white));
        QCOMPARE(colours::shifted(QColor(100, 0, 200), -150), QColor(Qt::black));
        QCOMPARE(colours::contrastText(QColor("#FFFF00")), QColor(Qt::black));
        QCOMPARE(colours::contrastText(QColor("#000080")), QColor(Qt::white));
        QCOMPARE(colours::contrastText(QColor(134, 134, 134)), QColor(Qt::black)); // mid grey
        QCOMPARE(colours::contrastText(QColor(0, 0, 204)), QColor(Qt::white));
        QCOMPARE(colours::mixHalf(QColor(Qt::black), QColor(Qt::white)), QColor(128, 128, 128));
        QCOMPARE(colours::toBgr(QColor("#102030")), 0x00302010u);
        QCOMPARE(colours::fromBgr(0x00302010u), QColor("#102030"));
    }
};

QTEST_GUILESS_MAIN(LayoutTest)
#include "tst_layout.moc"
