// The board's own widgets, painted for real: line breaks, outline, disabled look, shrinking, clicks.

#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "widgets/PercentBar.h"

#include <QSignalSpy>
#include <QtTest>

using namespace wq;

namespace {
QImage painted(QWidget &widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Rows of the widget's picture holding pixels of the colour, and how many such pixels.
struct Ink { int top = -1, bottom = -1, count = 0; int height() const { return bottom - top; } };

Ink inkOf(const QImage &image, const QColor &colour)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)) == colour) {
                ink.top = ink.top < 0 ? y : ink.top;
                ink.bottom = y;
                ++ink.count;
            }
    return ink;
}

// A panel of this size with white text on this background.
void setUp(Panel &panel, int w, int h, const QColor &back, double points, const QString &text = QString())
{
    panel.resize(w, h);
    panel.setBackColour(back);
    panel.setTextColour(Qt::white);
    panel.setFontSize(points);
    panel.setText(text);
}
} // namespace

class ControlsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void linesBreakAtCarriageReturns()
    {
        BoardLabel label("lab");
        label.resize(600, 400);
        label.setFontSize(20);
        label.setTextColour(Qt::white);
        label.setText("Sieger ist");
        const Ink one = inkOf(painted(label), Qt::white);
        label.setText("Sieger ist\rGruppe 2\rGruppe 3");
        QVERIFY(one.count > 0);
        QVERIFY(inkOf(painted(label), Qt::white).height() > 2.5 * one.height());

        Panel panel("p");
        setUp(panel, 300, 200, Qt::black, 14, "eins");
        const Ink single = inkOf(painted(panel), Qt::white);
        panel.setText("eins\r\nzwei");
        QVERIFY(inkOf(painted(panel), Qt::white).height() > 1.8 * single.height());
    }

    void theOutline()
    {
        Panel panel("p");
        setUp(panel, 200, 100, QColor(200, 0, 0), 24, "40");
        panel.setBold(true);
        const QColor outline(20, 200, 20);
        QCOMPARE(inkOf(painted(panel), outline).count, 0);
        panel.setTextBorderColour(outline);
        panel.setOutlineWidth(1);
        QVERIFY(inkOf(painted(panel), outline).count > 20);
    }

    void disabledFacesArePaintedAndReadable()
    {
        // The group panels' colours in the three schemes; black is their text.
        for (const char *back : {"#ffff00", "#ff0000", "#00c0c0", "#00ffff", "#808080", "#c0c0c0"}) {
            Panel panel("p");
            panel.resize(200, 80);
            panel.setBackColour(QColor(back));
            const QImage enabled = painted(panel);
            panel.setPanelEnabled(false);
            QImage disabled(panel.size(), QImage::Format_RGB32);
            disabled.fill(Qt::magenta); // what a panel that paints nothing would leave
            panel.render(&disabled, {}, {}, QWidget::DrawChildren);
            QVERIFY2(inkOf(disabled, Qt::magenta).count == 0 && disabled != enabled, back);
            // WCAG contrast of the face with black text, at least 4.5 : 1.
            const auto linear = [](int c) { return c <= 10 ? c / 3294.6 : std::pow((c / 255.0 + 0.055) / 1.055, 2.4); };
            const QColor face = disabled.pixelColor(100, 40);
            const double luminance =
                0.2126 * linear(face.red()) + 0.7152 * linear(face.green()) + 0.0722 * linear(face.blue());
            QVERIFY2((luminance + 0.05) / 0.05 >= 4.5, back);
        }
    }

    void longTextShrinksAndThePercentBar()
    {
        Panel panel("p");
        setUp(panel, 160, 60, Qt::black, 24, QString("Die Füchse aus der 7b ").repeated(3));
        panel.setShrinkToFit(true);
        const Ink ink = inkOf(painted(panel), Qt::white);
        QVERIFY(ink.count > 0 && ink.top >= 0 && ink.bottom < 60);
        // A quarter of the bar in its colour, the rest in the background; no more than full.
        PercentBar bar("bar");
        bar.resize(200, 20);
        bar.setBarColour(Qt::yellow);
        bar.setBackColour(Qt::blue);
        bar.setValue(25);
        const QImage image = painted(bar);
        QVERIFY(QColor(image.pixel(20, 10)) == Qt::yellow && QColor(image.pixel(100, 10)) == Qt::blue);
        bar.setValue(150);
        QCOMPARE(bar.value(), 100.0);
    }

    void clicksGoToThePressedPanel()
    {
        Panel panel("p");
        panel.resize(100, 50);
        QSignalSpy down(&panel, &Panel::mouseDown);
        QSignalSpy up(&panel, &Panel::mouseUp);
        QSignalSpy clicked(&panel, &Panel::clicked);
        QTest::mousePress(&panel, Qt::RightButton, {}, QPoint(10, 10));
        QTest::mouseRelease(&panel, Qt::RightButton, {}, QPoint(500, 500));
        // Released elsewhere, still this panel's, but no click.
        QVERIFY(down.size() == 1 && up.size() == 1 && clicked.isEmpty());
        QCOMPARE(up[0][0].value<Qt::MouseButton>(), Qt::RightButton);
        // Left clicks count while enabled, or when it is clickable disabled.
        for (const auto &[enabled, clickable, count] : {std::tuple{true, false, 1}, {false, false, 1}, {false, true, 2}}) {
            panel.setPanelEnabled(enabled);
            panel.setClickableWhenDisabled(clickable);
            QTest::mouseClick(&panel, Qt::LeftButton);
            QCOMPARE(clicked.size(), count);
        }
    }
};

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
