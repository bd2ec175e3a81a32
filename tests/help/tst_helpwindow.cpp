// The help window and the about box, opened from the main window's menu.

#include "help/frm_WQZHelp.h"
#include "support/GameFixture.h"

#include <QAction>
#include <QPushButton>
#include <QTextBrowser>
#include <QtTest>

using namespace wq;

namespace {
int openedByF1 = 0;

// Opens the help (with F1 the first time, as the offscreen platform does not
// give the window back its focus after a dialog) and returns what it showed;
// its OK button closes it.
QString showHelp(test::GameFixture &g, QString *title = nullptr)
{
    QApplication::setActiveWindow(g.window.get());
    const bool byKey = QTest::qWaitForWindowActive(g.window.get(), 500);
    QString shown;
    QTimer::singleShot(0, [&] {
        auto *help = qobject_cast<frm_WQZHelp *>(QApplication::activeModalWidget());
        if (!help)
            return;
        shown = help->txt_Help->toPlainText();
        if (title)
            *title = help->windowTitle();
        QTest::mouseClick(help->findChild<QPushButton *>("OK"), Qt::LeftButton);
    });
    if (byKey) {
        QTest::keyClick(g.window.get(), Qt::Key_F1);
        openedByF1 += !shown.isEmpty();
    }
    else
        g.window->H_Hilfe->trigger();
    return shown;
}
} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theHelpIsReadAfreshEveryTime()
    {
        test::GameFixture g;
        g.t.folders.program = g.t.root() + "program/";
        test::writeSuppliedWall(g.t);
        g.start();
        QString title;
        QCOMPARE(showHelp(g, &title), QString("Hilfe wurde nicht gefunden!"));
        QCOMPARE(title, QString("Kurzanleitung: Wandquiz"));
        QVERIFY(!QApplication::activeModalWidget());

        test::writeFile(g.t.folders.program + "help.rtf", "{\\rtf1\\ansi {\\b Spielregeln} f\\'fcr alle\\par}");
        QCOMPARE(showHelp(g).trimmed(), QString("Spielregeln für alle"));
        test::writeFile(g.t.folders.program + "help.rtf", "{\\rtf1\\ansi Neue Hilfe\\par}");
        QCOMPARE(showHelp(g).trimmed(), QString("Neue Hilfe"));
        // A damaged file shows what can be read.
        test::writeFile(g.t.folders.program + "help.rtf", "{\\rtf1 Anfang {\\b fett");
        QVERIFY(showHelp(g).contains("Anfang"));
        QVERIFY(openedByF1 >= 1);
    }

    void theShippedHelpAndTheAboutBox()
    {
        test::GameFixture g;
        test::writeSuppliedWall(g.t);
        g.start();
        const QString help = showHelp(g);
        for (const char *topic : {"Risiko", "Joker", "Selbstgemacht", "Mitgeliefert", "wandquiz-wall check", "TH:"})
            QVERIFY2(help.contains(QString::fromUtf8(topic)), topic);
        g.window->H_Ueber->trigger();
        QCOMPARE(g.t.app.aboutBoxes, 1);
    }

    void aLinkOpensNothing()
    {
        test::TestHost t;
        t.folders.program = t.root() + "program/";
        test::writeFile(t.folders.program + "help.rtf",
                        "{\\rtf1\\ansi Vorher {\\field{\\*\\fldinst HYPERLINK \"mehr.rtf\"}{\\fldrslt Verweis}} "
                        "nachher\\par}");
        frm_WQZHelp help(t.host());
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        const QString before = help.txt_Help->toPlainText();
        QTextCursor link = help.txt_Help->document()->find("Verweis");
        QVERIFY(!link.isNull() && link.charFormat().isAnchor());
        link.setPosition(link.selectionStart() + 2);
        QTest::mouseClick(help.txt_Help->viewport(), Qt::LeftButton, {}, help.txt_Help->cursorRect(link).center());
        QCOMPARE(help.txt_Help->toPlainText(), before);
        QVERIFY(help.txt_Help->source().isEmpty());
    }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_helpwindow.moc"
