// The start-up baseline: the least a Qt Widgets program does to show a window
// as large as the game's, reporting its first paint the same way the game does.

#include "FirstPaintReport.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setAutoFillBackground(true);
    wq::reportFirstPaint(&window);
    // The same size as the game's maximised window, so both paint as much.
    if (window.screen())
        window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return app.exec();
}
