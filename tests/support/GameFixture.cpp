#include "GameFixture.h"

#include "storage/WallPaths.h"

#include <QDir>
#include <QFileInfo>

namespace wq::test {

void writeSuppliedWall(TestHost &t, const std::function<void(cls_Wall &)> &adjust)
{
    t.folders.shared = t.root() + "shared/";
    const QString path = suppliedAutosavePath(t.folders);
    QDir().mkpath(QFileInfo(path).path());
    cls_Wall wall(t.host());
    for (int c = 1; c <= 4; ++c)
        wall.TOPICS().set(c, QStringLiteral("Thema %1").arg(c));
    for (int i = 0; i < 20; ++i) {
        wall.Item(i, true).QUESTION = QStringLiteral("Frage %1").arg(i);
        wall.Item(i, true).ANSWER = QStringLiteral("Antwort %1").arg(i);
    }
    if (adjust)
        adjust(wall);
    if (!wall.SAVE(path, QString()))
        qFatal("cannot write the supplied wall");
}

void GameFixture::finishBuildUp()
{
    for (int i = 0; i < 5 && window->AufbauTimer.isActive(); ++i)
        tick(window->AufbauTimer);
}

void GameFixture::play(int field, bool right, const QString &stakeText)
{
    open(field);
    const int kind = window->wall().Item(field, true).SORT;
    if (kind == KindRisk)
        stake(stakeText);
    if (kind != KindJoker)
        stopClock();
    right ? judgeRight() : judgeWrong();
}

void GameFixture::leaveOnly(int field)
{
    for (int i = 0; i < 20; ++i)
        window->Feld[i]->setVisible(i == field);
}

void GameFixture::setScores(const QStringList &scores)
{
    for (int g = 0; g < scores.size(); ++g)
        window->Punkte[g]->setText(scores[g]);
}

QString GameFixture::score(int group) const { return window->Punkte[group - 1]->text(); }

Game::Game(const QMap<int, int> &kinds)
{
    writeSuppliedWall(t, [&](cls_Wall &wall) {
        for (auto it = kinds.begin(); it != kinds.end(); ++it)
            wall.Item(it.key(), true).SORT = it.value();
    });
    start();
    finishBuildUp();
}

} // namespace wq::test
