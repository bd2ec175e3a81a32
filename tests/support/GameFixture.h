#pragma once
// A main window over a host of doubles, with helpers to play it as a moderator would.

#include "game/frm_WQZ.h"
#include "support/TestHost.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>
#include <memory>

namespace wq::test {

inline void tick(QTimer &timer) { QMetaObject::invokeMethod(&timer, "timeout"); }
// The bytes of a file; empty when it cannot be read.
inline QByteArray fileBytes(const QString &path) { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }
// A supplied wall whose fields say where they are ("Frage 7", "Antwort 7").
void writeSuppliedWall(TestHost &t, const std::function<void(cls_Wall &)> &adjust = {});

class GameFixture {
public:
    GameFixture() : window(std::make_unique<frm_WQZ>(t.host())) {}
    // Starts the window with these arguments; false when it refused to start.
    bool start(const QStringList &arguments = {}) { return window->Form_Load(arguments); }
    // Starts on these folders (a game left behind) and lets the build-up run.
    void restart(const FixedFolderService &folders) { t.folders = folders; start(); finishBuildUp(); }

    TestHost t;
    std::unique_ptr<frm_WQZ> window;

    frm_WQZ &w() { return *window; }
    void finishBuildUp();
    void click(QWidget *widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }
    void open(int field) { click(window->Feld[field]); }
    void key(int k) { QTest::keyClick(window.get(), Qt::Key(k)); }
    void stopClock() { click(window->ctl_Antwortbereit); }
    void revealAnswer() { click(window->ctl_Antwort); }
    void judgeRight() { click(window->OK); }
    void judgeWrong() { click(window->Falsch); }
    void stake(const QString &text) { window->Risiko->setText(text); QTest::keyClick(window->Risiko, Qt::Key_Return); }
    // Plays one field for the group whose turn it is.
    void play(int field, bool right, const QString &stakeText = QString());
    // Leaves only this field on the wall: judging it ends the game.
    void leaveOnly(int field);
    void setScores(const QStringList &scores);
    QString score(int group) const;
};

// A game on the supplied wall, these fields of other kinds (index -> kind), built up.
struct Game : GameFixture {
    explicit Game(const QMap<int, int> &kinds = {});
};

} // namespace wq::test
