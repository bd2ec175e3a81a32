// Layout pass plus full repaint of the board at 1920x1080 and 3840x2160,
// beside a plain widget of the same size painted in the same run.

#include "BenchTools.h"
#include "game/frm_WQZ.h"
#include "host/QtServices.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

namespace {
// The baseline: a widget that fills itself with one colour.
class PlainWidget : public QWidget {
protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), QColor(0, 0, 0x40)); }
};

// A new size, laid out, then the whole widget tree painted once.
void resizeAndRepaint(QWidget &widget, QSize size)
{
    widget.resize(size);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QPixmap painted = widget.grab();
    Q_UNUSED(painted);
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int runs = wq::bench::option(args, QStringLiteral("--runs"), QStringLiteral("30")).toInt();

    wq::QtHost host;
    wq::frm_WQZ window(host.host());
    window.Form_Load({});
    window.showNormal();
    for (int i = 0; i < 5; ++i)
        QMetaObject::invokeMethod(&window.AufbauTimer, "timeout");
    PlainWidget plain;
    plain.show();

    std::vector<wq::bench::Row> rows;
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
        // Alternate by one pixel so every run lays the board out again.
        bool flip = false;
        bool plainFlip = false;
        const wq::bench::Pair t = wq::bench::medianPairMs(
            runs, [&] { resizeAndRepaint(window, QSize(size.width() - (flip = !flip), size.height())); },
            [&] { resizeAndRepaint(plain, QSize(size.width() - (plainFlip = !plainFlip), size.height())); });
        const bool large = size.width() == 3840;
        const QString baselineName = QStringLiteral("plain one-colour widget, same size");
        rows.push_back({QStringLiteral("layout + repaint %1x%2").arg(size.width()).arg(size.height()), t.figure,
                        t.baseline, QStringLiteral("ms"), baselineName, large ? QStringLiteral("< 4 ms") : QString(),
                        large ? wq::bench::verdictAtMost(t.figure, 4) : QString(), runs});
        rows.push_back({QStringLiteral("  processor time of it"), t.figureCpu, t.baselineCpu, QStringLiteral("ms"),
                        baselineName, {}, {}, runs});
    }
    wq::bench::report(rows, args);
    window.close();
    return 0;
}
