#pragma once
// A main window over a host of doubles, with helpers to play it as a
// moderator would.

#include "game/frm_WQZ.h"
#include "support/TestHost.h"

#include <memory>

namespace wq::test {

// One tick of a timer, at once.
void tick(QTimer &timer);
// The bytes of a file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);

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
    // Starts on these folders (a game left behind) and lets the build-up run.
    void restart(const FixedFolderService &folders);

    TestHost t;
    std::unique_ptr<frm_WQZ> window;

    // Lets the build-up animation run to its end.
    void finishBuildUp();
    frm_WQZ &w() { return *window; }
    void click(QWidget *widget);
    void open(int field);
    void pressAndReleaseElsewhere(QWidget *pressed);
    void key(int k);
    void stopClock();
    void revealAnswer();
    void judgeRight();
    void judgeWrong();
    void stake(const QString &text);
    // Plays one field for the group whose turn it is.
    void play(int field, bool right, const QString &stakeText = QString());
    // Leaves only this field on the wall: judging it ends the game.
    void leaveOnly(int field);
    void setScores(const QStringList &scores);
    QString score(int group) const;
};

// A game on the supplied wall, started and built up.
struct Game : GameFixture {
    explicit Game(const QMap<int, int> &kinds = {});
};

} // namespace wq::test
