// The wall editor's real window: authoring, undo of every change, safe saving, problems, "Ausprobieren".

#include "editor/ChoiceGroup.h"
#include "editor/FieldForm.h"
#include "editor/QuestionPreview.h"
#include "editor/WallEditor.h"
#include "editor/WallGrid.h"
#include "host/FileBytes.h"
#include "host/Pictures.h"
#include "storage/WallPaths.h"
#include "support/GameFixture.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"

#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

using namespace wq;

namespace {
struct Editor {
    test::TestHost t;
    QPointer<WallEditor> window = new WallEditor(t.host(), SchemeBlueSea);
    ~Editor() { delete window; }
    WallDocument &doc() { return window->document(); }
    FieldForm &form() { return *window->form; }
    // Typed key by key, umlauts too.
    void type(QWidget *widget, const QString &text)
    {
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, widget, c.unicode() < 128 ? Qt::Key(QChar(c).toUpper().unicode()) : Qt::Key_unknown,
                                QString(c), {});
    }
    void showActive()
    {
        window->show();
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    // A choice by its label, with the mouse; `keys` moves on with the arrow keys.
    void pick(QWidget *group, const QString &label, int keys = 0)
    {
        for (QRadioButton *button : group->findChildren<QRadioButton *>())
            if (button->text() == label) {
                QTest::mouseClick(button, Qt::LeftButton);
                for (int i = 0; i < keys; ++i)
                    QTest::keyClick(button, Qt::Key_Right);
            }
    }
    void choose(int cell) { QTest::mouseClick(window->grid->cells[cell], Qt::LeftButton); }
    QString picture(const QColor &colour)
    {
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        return image.save(t.path("Bilder/bild.png")) ? t.path("Bilder/bild.png") : QString();
    }
};
} // namespace

class WallEditorTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aWallIsMadeFromScratch()
    {
        Editor e;
        const QString file = e.t.path("Eigene/NEU.lx-wqz"); // no file yet: a new wall saved there
        QVERIFY(e.window->openPath(file));
        e.showActive();
        e.type(e.window->wallTexts[0], "Tiere der Welt");
        e.type(e.window->wallTexts[1], "Frau Özdemir");
        const char *topics[] = {"Säugetiere", "Vögel", "Fische", "Insekten"};
        for (int c = 0; c < 4; ++c) {
            e.window->grid->topics[c]->selectAll();
            e.type(e.window->grid->topics[c], topics[c]);
        }
        // A line break typed in a question is the board's "|".
        e.choose(0);
        e.type(e.form().question, "Wie viele Beine");
        QTest::keyClick(e.form().question, Qt::Key_Return);
        e.type(e.form().question, "hat eine Spinne?");
        e.type(e.form().answer, "Acht");
        QCOMPARE(e.form().previewQuestion->shownText(), QString("Wie viele Beine\rhat eine Spinne?"));
        // A risk field, and a joker that asks for neither question nor answer.
        e.choose(5);
        e.pick(e.form().kind, "Risiko");
        e.type(e.form().question, "Wie heißt ein junges Pferd?");
        e.type(e.form().answer, "Fohlen");
        e.choose(10);
        e.pick(e.form().kind, "Risiko", 1); // the arrow key moves on to "Joker"
        QVERIFY(e.form().question->isHidden() && e.form().answer->isHidden() && e.form().jokerNote->isVisible());
        // A picture from a file is embedded, shown with both.
        e.choose(19);
        e.t.fileDialog.answers = {e.picture(Qt::darkGreen)};
        QTest::mouseClick(e.form().choose, Qt::LeftButton);
        e.pick(e.form().pictureMode, "zu beiden");
        QVERIFY(e.form().previewQuestion->grab().toImage().pixelColor(0, 0).isValid());

        QVERIFY(e.doc().isModified() && e.window->isWindowModified());
        QTest::keyClick(e.window, Qt::Key_S, Qt::ControlModifier);
        cls_Wall saved(e.t.host());
        QVERIFY(!e.doc().isModified() && saved.LOAD(file));
        QCOMPARE(QVariantList({saved.TITLE, saved.AUTHOR, saved.TOPICS().items(), saved.Item(0, true).QUESTION,
                               saved.Item(5, true).SORT, saved.Item(5, true).ANSWER, saved.Item(10, true).SORT,
                               saved.Item(19, true).IMAGEMODE, pictures::isEmbedded(saved.Item(19, true).IMAGENAME)}),
                 QVariantList({"Tiere der Welt", "Frau Özdemir", QStringList({"Säugetiere", "Vögel", "Fische", "Insekten"}),
                               "Wie viele Beine|hat eine Spinne?", KindRisk, "Fohlen", KindJoker, PictureWithBoth, true}));
        QCOMPARE(pictures::fromText(saved.Item(19, true).IMAGENAME).pixelColor(10, 10), QColor(Qt::darkGreen));
    }

    void everyChangeIsUndoneAndRedone()
    {
        Editor e;
        e.showActive();
        QUndoStack &undo = e.doc().undoStack();
        const auto step = [&](const std::function<void()> &change, const std::function<bool()> &changed) {
            const int before = undo.index();
            change();
            QVERIFY(changed());
            QCOMPARE(undo.index(), before + 1); // one step, however much was typed
            QTest::keyClick(e.window, Qt::Key_Z, Qt::ControlModifier);
            QVERIFY(!changed());
            QTest::keyClick(e.window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            QVERIFY(changed());
        };
        cls_Wall &w = e.doc().wall();
        step([&] { e.type(e.window->wallTexts[2], "Klasse 5"); }, [&] { return w.TARGETGROUP == "Klasse 5"; });
        step([&] { e.type(e.window->description, "Zeile"); }, [&] { return w.DESCRIPTION == "Zeile"; });
        step([&] { QTest::keyClick(e.window->difficulty, Qt::Key_Up); }, [&] { return w.DIFFICULTY == 1; });
        step([&] { e.type(e.window->grid->topics[2], "xy"); }, [&] { return w.TOPICS().at(3) == "Cxy"; });
        step([&] { e.type(e.form().answer, "Antwort"); }, [&] { return w.Item(0, true).ANSWER == "Antwort"; });
        step([&] { e.pick(e.form().kind, "Risiko"); }, [&] { return w.Item(0, true).SORT == KindRisk; });
        e.t.fileDialog.answers = {e.picture(Qt::red)};
        step([&] { QTest::mouseClick(e.form().choose, Qt::LeftButton); },
             [&] { return pictures::isEmbedded(w.Item(0, true).IMAGENAME); });
        step([&] { e.pick(e.form().pictureMode, "zur Antwort"); }, [&] { return w.Item(0, true).IMAGEMODE == PictureWithAnswer; });
        step([&] { QTest::mouseClick(e.form().remove, Qt::LeftButton); }, [&] { return w.Item(0, true).IMAGENAME.isEmpty(); });
        // A picture pasted or dropped: the same as one chosen from a file.
        QMimeData dropped;
        dropped.setImageData(QImage(300, 200, QImage::Format_RGB32));
        step([&] { QVERIFY(e.form().takePicture(&dropped)); },
             [&] { return pictures::fromText(w.Item(0, true).IMAGENAME).size() == QSize(300, 200); });
        // The form follows the wall: six steps back the answer box is empty, even with the cursor in it.
        e.form().answer->setFocus();
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(e.form().answer, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(e.form().answer->toPlainText(), QString());
        QCOMPARE(w.Item(0, true).ANSWER, QString());
    }

    void savingLosesNothingAndNeverOverwritesASuppliedWall()
    {
        Editor e;
        test::writeSuppliedWall(e.t);
        const QString supplied = suppliedWallsFolder(e.t.folders) + "Tiere.lx-wqz";
        QVERIFY(QFile::copy(suppliedAutosavePath(e.t.folders), supplied));
        const QByteArray original = readFileBytes(supplied, 1 << 24);
        QVERIFY(e.window->openPath(supplied));
        e.type(e.window->wallTexts[0], "Meine Tiere");
        // Closing asks; "Abbrechen" keeps the window and the changes.
        e.t.messages.answers = {MessageResult::Cancel};
        QVERIFY(!e.window->close());
        QCOMPARE(e.t.messages.shown.last().text, QString("Änderungen an „Meine Tiere“ speichern?"));
        QCOMPARE(e.t.messages.shown.last().buttons, MessageButtons::SaveDiscardCancel);
        // "Speichern": a copy among the user's own walls, the supplied one untouched.
        const QString copy = userWallsFolder(e.t.folders) + "Tiere.lx-wqz";
        e.t.fileDialog.saveAnswers = {copy};
        e.t.messages.answers = {MessageResult::Save};
        QVERIFY(e.window->close());
        QCOMPARE(e.t.fileDialog.saveCalls[0].startPath, copy);
        QCOMPARE(readFileBytes(supplied, 1 << 24), original);
        cls_Wall saved(e.t.host());
        QVERIFY(saved.LOAD(copy) && saved.TITLE == "Meine Tiere");
    }

    void problemsAreShownWhereTheyAre()
    {
        Editor e;
        e.doc().setTopic(1, "A");
        e.doc().setFieldText(4, FieldText::Question, QString("Sehr lange Frage ").repeated(60));
        e.doc().setFieldText(4, FieldText::Answer, "kurz");
        e.doc().setPicture(6, "fehlt.png", PictureWithQuestion);
        e.doc().setKind(8, KindJoker);
        QStringList texts(20 + 4); // fields, then topics
        for (const WallProblem &p : e.window->problems())
            texts[p.field >= 0 ? p.field : 20 + p.topic] += p.text + " ";
        QCOMPARE(texts[21], QString("Thema 2 heißt wie Thema 1: „A“. Jede Spalte braucht einen eigenen Titel. "));
        QCOMPARE(texts[0], QString("Die Frage fehlt. Die Antwort fehlt. "));
        QVERIFY2(texts[4].startsWith("Die Frage passt bei 1024 × 768 nicht auf die Frage-Tafel"), qPrintable(texts[4]));
        QVERIFY(texts[6].startsWith("Das Bild „fehlt.png“ fehlt"));
        QCOMPARE(texts[8], QString()); // a joker needs neither
        QVERIFY(e.window->grid->cells[4]->text().startsWith("⚠") && !e.window->grid->cells[8]->text().startsWith("⚠"));
    }

    void tryingOutPlaysTheWallOnTheBoard()
    {
        test::GameFixture g;
        test::writeSuppliedWall(g.t);
        QVERIFY(g.start());
        cls_Wall edited(g.t.host());
        edited.TITLE = "Probe";
        edited.TOPICS().set(1, "Neu");
        edited.Item(0, true).QUESTION = "Ausprobiert?";
        g.window->playWall(edited, QString());
        g.finishBuildUp();
        QCOMPARE(g.window->Thema[0]->text(), QString("Neu"));
        g.click(g.window->Feld[0]);
        QCOMPARE(g.window->lab_Frage->text(), QString("Ausprobiert?"));
        cls_Wall autosaved(g.t.host());
        QVERIFY(autosaved.LOAD(autosavePath(g.t.folders)) && autosaved.TITLE == "Probe");
    }
};

QTEST_MAIN(WallEditorTest)
#include "tst_walleditor.moc"
