#pragma once
// A started main window over a host of doubles, with helpers to click through
// it as a moderator would.

#include "game/frm_WQZ.h"
#include "support/TestHost.h"

#include <memory>

namespace wq::test {

// One tick of a timer, at once.
void tick(QTimer &timer);

// A supplied wall whose fields say where they are ("Frage 7", "Antwort 7").
void writeSuppliedWall(TestHost &t, const std::function<void(cls_Wall &)> &adjust = {});
// The same with these field kinds (field index -> kind); the others are questions.
void writeSuppliedWall(TestHost &t, const QMap<int, int> &kinds);

class GameFixture {
public:
    GameFixture();
    ~GameFixture();
    // Starts the window with these arguments; false when it refused to start.
    bool start(const QStringList &arguments = {});

    TestHost t;
    std::unique_ptr<frm_WQZ> window;

    // Lets the build-up animation run to its end.
    void finishBuildUp();
    frm_WQZ &w() { return *window; }
    void click(QWidget *widget);
    void open(int field);
    void pressAndReleaseElsewhere(QWidget *pressed);
    void stopClock();
    void revealAnswer();
    void judgeRight();
    void judgeWrong();
    // Runs the answer clock to its end, tick by tick.
    void runClockOut();
    QString score(int group) const;
};

} // namespace wq::test
