// A hundred whole games in one window: a wall opened, a colour scheme chosen,
// twenty fields played (stakes, jokers, pictures, both judgements), the help
// opened, "Neu beginnen". Every game plays out like the first and the
// resident memory stays flat once caches are warm. scripts/leakcheck.sh runs
// it under LeakSanitizer; WANDQUIZ_LONGPLAY_GAMES changes the number.

#include "help/frm_WQZHelp.h"
#include "host/Pictures.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "storage/WallPaths.h"
#include "support/GameFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>
#include <malloc.h>
#include <unistd.h>

using namespace wq;

namespace {
// Growth allowed from game 10 to the last: allocator noise, not a leak of
// a few KB per game, which a hundred games would add up to more than this.
constexpr double AllowedGrowthMB = 2.0;

double residentMB()
{
    // Freed memory goes back to the system first: only memory in use counts.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    malloc_trim(0);
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// Two walls opened by turns: risks, jokers, pictures in every mode.
QString writeWall(test::TestHost &t, int variant)
{
    cls_Wall wall(t.host());
    for (int c = 1; c <= 4; ++c)
        wall.TOPICS().set(c, QStringLiteral("Thema %1%2").arg(variant).arg(c));
    for (int i = 0; i < cls_Wall::FieldCount; ++i) {
        cls_WallField &field = wall.Item(i, true);
        field.QUESTION = QStringLiteral("Frage %1|zweite Zeile").arg(i);
        field.ANSWER = QStringLiteral("Antwort %1").arg(i);
        field.SORT = (i + variant) % 6 == 2 ? KindRisk : (i + variant) % 9 == 4 ? KindJoker : KindQuestion;
        field.IMAGEMODE = i % 3;
        if (i % 4 == 1)
            field.IMAGENAME = pictures::toText(
                test::fileBytes(t.folders.program + (i % 8 == 1 ? "images/gitarre.png" : "images/filmklappe.png")));
        else if (i % 4 == 2)
            field.IMAGENAME = QStringLiteral("erdkugel.png");
    }
    const QString path = userWallsFolder(t.folders) + QStringLiteral("wand%1.lx-wqz").arg(variant);
    QDir().mkpath(userWallsFolder(t.folders));
    if (!wall.SAVE(path, QString()))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// The offscreen platform says so for every dialog; a hundred times is noise.
QtMessageHandler defaultHandler = nullptr;
void quieterHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message != u"This plugin does not support propagateSizeHints()")
        defaultHandler(type, context, message);
}

struct Player : test::GameFixture {
    // Opens and closes the help; true when it showed.
    bool showHelp()
    {
        bool shown = false;
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto *help = qobject_cast<frm_WQZHelp *>(QApplication::activeModalWidget());
            if (!help)
                return; // not open yet
            closer.stop();
            shown = !help->txt_Help->document()->isEmpty();
            QTest::mouseClick(help->findChild<QPushButton *>("OK"), Qt::LeftButton);
        });
        closer.start();
        window->H_Hilfe->trigger();
        return shown;
    }

    // One whole game; returns what is on the board at its end.
    QStringList playGame(int game, const QString &wallPath)
    {
        window->mnu_OptionsColorSel[game % 3]->trigger();
        t.fileDialog.answers = {wallPath};
        window->mnu_FileLoad->trigger();
        finishBuildUp();
        for (int field = 0; field < cls_Wall::FieldCount; ++field) {
            click(window->Feld[field]);
            const int kind = window->wall().Item(field, true).SORT;
            if (kind == KindRisk) {
                window->Risiko->setText(QString::number(10 * (field % 4)));
                QTest::keyClick(window->Risiko, Qt::Key_Return);
            }
            if (kind != KindJoker) {
                stopClock();
                revealAnswer();
            }
            field % 3 == 1 ? judgeWrong() : judgeRight();
        }
        QStringList board = {window->lab_Sieger->text(), score(1), score(2),
                             QString::number(window->SiegerFenster->isVisible()), window->Thema[0]->text()};
        if (!showHelp())
            board.append(QStringLiteral("no help"));
        t.messages.answers = {MessageResult::Yes};
        window->S_Neu->trigger();
        finishBuildUp();
        board.append(score(1));
        // The doubles record every call; that is the test's memory, not the game's.
        t.sound.played.clear();
        t.messages.shown.clear();
        t.fileDialog.calls.clear();
        t.notification.calls.clear();
        return board;
    }
};
} // namespace

class LongPlayTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aHundredGamesLeaveNoTrace()
    {
        const int games = qEnvironmentVariableIsSet("WANDQUIZ_LONGPLAY_GAMES")
                              ? qEnvironmentVariableIntValue("WANDQUIZ_LONGPLAY_GAMES")
                              : 100;
        QVERIFY(games >= 11);
        defaultHandler = qInstallMessageHandler(quieterHandler);
        Player p;
        test::writeSuppliedWall(p.t);
        const QString walls[2] = {writeWall(p.t, 0), writeWall(p.t, 1)};
        QVERIFY(p.start());
        p.finishBuildUp();

        QStringList first[2];
        QList<double> resident;
        qsizetype objects = 0;
        qsizetype widgets = 0;
        for (int game = 0; game < games; ++game) {
            const QStringList board = p.playGame(game, walls[game % 2]);
            if (game < 2)
                first[game] = board;
            else
                QCOMPARE(board, first[game % 2]); // every game plays out as the first on that wall
            resident.append(residentMB());
            // Nothing piles up where memory figures could not tell: no object
            // below the window, no widget anywhere.
            const qsizetype nowObjects = p.window->findChildren<QObject *>().size();
            const qsizetype nowWidgets = QApplication::allWidgets().size();
            if (game == 1) {
                objects = nowObjects;
                widgets = nowWidgets;
            }
            if (game > 1) {
                QCOMPARE(nowObjects, objects);
                QCOMPARE(nowWidgets, widgets);
            }
        }
        qInstallMessageHandler(defaultHandler);
        QCOMPARE(first[0].value(3), QString("1")); // the winner was shown
        QCOMPARE(first[0].last(), QString("0"));   // and a new game starts at nought
        QCOMPARE(first[0].value(4), QString("Thema 01")); // each wall was opened
        QCOMPARE(first[1].value(4), QString("Thema 11"));
        QCOMPARE(p.t.messages.unanswered, 0);

        QString figures;
        for (int game : {1, 2, 5, 10, 20, 50, games})
            if (game <= games)
                figures += QStringLiteral(" %1:%2").arg(game).arg(resident[game - 1], 0, 'f', 1);
        const double growth = resident.last() - resident[9];
        qInfo("resident MB after game%s; growth from game 10 to %d: %.2f MB (%.1f KB a game)", qPrintable(figures),
              games, growth, growth * 1024 / (games - 10));
#ifdef WANDQUIZ_SANITIZED
        qInfo("not compared with %.1f MB: the sanitizer's allocator keeps freed memory", AllowedGrowthMB);
#else
        QVERIFY2(growth < AllowedGrowthMB, qPrintable(QStringLiteral("grew by %1 MB").arg(growth)));
#endif
    }
};

QTEST_MAIN(LongPlayTest)
#include "tst_longplay.moc"
