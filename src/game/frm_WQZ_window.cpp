// The window's widgets and menu, as they are when the window is created.

#include "frm_WQZ.h"

#include "ModeratorWindow.h"
#include "appearance/BoardLayout.h"
#include "appearance/ColourSchemes.h"
#include "widgets/BoardFont.h"
#include "widgets/BoardLabel.h"
#include "widgets/Panel.h"
#include "widgets/PercentBar.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace wq {

namespace {
QAction *addItem(QMenu *menu, const QString &name, const QString &caption,
                 const QKeySequence &shortcut = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

QAction *addSeparator(QMenu *menu, const QString &name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
}

QMenu *addMenu(QMenu *parent, QMenuBar *bar, const QString &name, const QString &caption)
{
    QMenu *menu = parent ? parent->addMenu(caption) : bar->addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
}

QAction *addCheckItem(QMenu *menu, const QString &name, const QString &caption, bool checked)
{
    QAction *action = addItem(menu, name, caption);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}
} // namespace

frm_WQZ::frm_WQZ(const Host &host, QWidget *parent) : QMainWindow(parent), m_host(host)
{
    setObjectName(QStringLiteral("frm_WQZ"));
    setWindowTitle(QStringLiteral("LX Werkbank // Wandquiz"));
    ensureBoardFont();
    createMenu();
    createModerationMenu();
    createBoard();
    createQuestionPanel();

    const std::pair<QTimer *, int> timers[] = {
        {&AufbauTimer, 100}, {&Blinker, 500}, {&ZeitMess, 1000}, {&RisikoBlink, 100}, {&SpielerPruef, 10}};
    const char *names[] = {"AufbauTimer", "Blinker", "ZeitMess", "RisikoBlink", "SpielerPruef"};
    for (int i = 0; i < 5; ++i) {
        timers[i].first->setObjectName(QString::fromLatin1(names[i]));
        timers[i].first->setInterval(timers[i].second);
        timers[i].first->setTimerType(Qt::PreciseTimer);
    }
    connectHandlers();
    Blinker.start();
    // RisikoBlink runs only while a stake is awaited (askRisk starts it), so
    // no other question ever opens with the blink's swapped colours.
    SpielerPruef.start();
    keepMinimumSize(0, 0);
}

frm_WQZ::~frm_WQZ() = default;

cls_Wall &frm_WQZ::wall()
{
    if (!m_wall)
        m_wall = std::make_unique<cls_Wall>(m_host);
    return *m_wall;
}

void frm_WQZ::createMenu()
{
    QMenuBar *bar = menuBar();
    mnu_FileTitle = addMenu(nullptr, bar, QStringLiteral("mnu_FileTitle"), QStringLiteral("&Programm"));
    mnu_FileLoad = addItem(mnu_FileTitle, QStringLiteral("mnu_FileLoad"), QStringLiteral("Datei (Wand) &öffnen"));
    mnu_Recent = addMenu(mnu_FileTitle, bar, QStringLiteral("mnu_Recent"), QStringLiteral("Zuletzt gespielt"));
    connect(mnu_Recent, &QMenu::aboutToShow, this, &frm_WQZ::fillRecentMenu);
    mnu_NewWall = addItem(mnu_FileTitle, QStringLiteral("mnu_NewWall"), QStringLiteral("Neue Wand …"));
    mnu_EditWall = addItem(mnu_FileTitle, QStringLiteral("mnu_EditWall"), QStringLiteral("Wand bearbeiten …"),
                           QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(mnu_NewWall, &QAction::triggered, this, &frm_WQZ::newWallRequested);
    connect(mnu_EditWall, &QAction::triggered, this, &frm_WQZ::editWallRequested);
    mnu_FileSep2 = addSeparator(mnu_FileTitle, QStringLiteral("mnu_FileSep2"));
    S_Neu = addItem(mnu_FileTitle, QStringLiteral("S_Neu"), QStringLiteral("&Neu beginnen"), QKeySequence(Qt::CTRL | Qt::Key_N));
    S_SEP1 = addSeparator(mnu_FileTitle, QStringLiteral("S_SEP1"));
    S_Ende = addItem(mnu_FileTitle, QStringLiteral("S_Ende"), QStringLiteral("&Beenden"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    O_MenuTitel = addMenu(nullptr, bar, QStringLiteral("O_MenuTitel"), QStringLiteral("&Optionen"));
    mnu_OptionsColor = addMenu(O_MenuTitel, bar, QStringLiteral("mnu_OptionsColor"), QStringLiteral("&Farbschema"));
    const QStringList schemes = schemeCaptions();
    for (int i = 0; i < SchemeCount; ++i)
        mnu_OptionsColorSel[i] = addCheckItem(mnu_OptionsColor, QStringLiteral("mnu_OptionsColorSel_%1").arg(i),
                                              schemes[i], false);
    O_Anzahl = addMenu(O_MenuTitel, bar, QStringLiteral("O_Anzahl"), QStringLiteral("&Anzahl der Spielergruppen"));
    for (int i = 0; i < 4; ++i)
        O_Spieler[i] = addCheckItem(O_Anzahl, QStringLiteral("O_Spieler_%1").arg(i), QString::number(i + 1), i == 1);
    O_SEP2 = addSeparator(O_MenuTitel, QStringLiteral("O_SEP2"));
    // A click only inverts the check mark; judging reads it.
    O_Neufrag = addCheckItem(O_MenuTitel, QStringLiteral("O_Neufrag"), QStringLiteral("Neue Frage- nächste Gruppe"), true);

    H_MenuTitel = addMenu(nullptr, bar, QStringLiteral("H_MenuTitel"), QStringLiteral("&Hilfe"));
    H_Hilfe = addItem(H_MenuTitel, QStringLiteral("H_Hilfe"), QStringLiteral("&Kurzanleitung"), QKeySequence(Qt::Key_F1));
    H_SEP1 = addSeparator(H_MenuTitel, QStringLiteral("H_SEP1"));
    H_Ueber = addItem(H_MenuTitel, QStringLiteral("H_Über"), QStringLiteral("&Info"));
}

Panel *frm_WQZ::makePanel(const QString &name, QWidget *parent)
{
    auto *panel = new Panel(name, parent);
    panel->setFontSize(12);
    return panel;
}

void frm_WQZ::createBoard()
{
    board = new QWidget(this);
    board->setObjectName(QStringLiteral("board"));
    board->setAutoFillBackground(true);
    setCentralWidget(board);
    board->installEventFilter(this); // its resize lays the board out

    SpielWand = makePanel(QStringLiteral("SpielWand"), board);
    SpielWand->setFontSize(36);
    SpielWand->setBold(true);
    SpielWand->setTextColour(Qt::white);
    SpielWand->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    for (int c = 0; c < 4; ++c) {
        Thema[c] = makePanel(QStringLiteral("Thema_%1").arg(c), SpielWand);
        Thema[c]->setBold(true);
        Thema[c]->setShrinkToFit(true);
    }
    for (int i = 0; i < 20; ++i)
        Feld[i] = makePanel(QStringLiteral("Feld_%1").arg(i), SpielWand);

    InfoFenster = makePanel(QStringLiteral("InfoFenster"), board);
    for (int g = 0; g < 4; ++g) {
        Beschriftung[g] = makePanel(QStringLiteral("Beschriftung_%1").arg(g), InfoFenster);
        Beschriftung[g]->setText(QStringLiteral("Gruppe %1").arg(g + 1));
        Beschriftung[g]->setBold(true);
        Beschriftung[g]->setShrinkToFit(true);
        // Every group can be renamed, whoever's turn it is.
        Beschriftung[g]->setClickableWhenDisabled(true);
        Beschriftung[g]->setHandCursor(true);
        // The blinking name stays readable in white on a light panel.
        Beschriftung[g]->setOutlineWidth(1);
        Beschriftung[g]->setTextBorderColour(QColor(0, 0, 0, 150));
        Punkte[g] = makePanel(QStringLiteral("Punkte_%1").arg(g), InfoFenster);
        Punkte[g]->setText(QStringLiteral("0"));
        Punkte[g]->setBold(true);
        Punkte[g]->setShrinkToFit(true);
    }

    SiegerFenster = makePanel(QStringLiteral("SiegerFenster"), board);
    lab_Sieger = new BoardLabel(QStringLiteral("lab_Sieger"), SiegerFenster);
    lab_Sieger->setFontSize(48);
    lab_Sieger->setBold(true);
    SiegerFenster->hide();
}

void frm_WQZ::createQuestionPanel()
{
    FragFeld = makePanel(QStringLiteral("FragFeld"), board);
    FragFeld->hide();

    lab_Frage = new BoardLabel(QStringLiteral("lab_Frage"), FragFeld);
    lab_Frage->setBold(true);
    lab_Antwort = new BoardLabel(QStringLiteral("lab_Antwort"), FragFeld);
    lab_Antwort->hide();

    pic_ImageScaled = new PictureBox(QStringLiteral("pic_ImageScaled"), FragFeld);
    pic_Image = new PictureBox(QStringLiteral("pic_Image"), pic_ImageScaled);
    pic_Image->hide(); // holds the picture at its own size; the fitted copy is shown
    pic_ImageScaled->hide();

    pic_Joker = new PictureBox(QStringLiteral("pic_Joker"), FragFeld);
    pic_Joker->showFittedFile(m_host.folders->programFolder() + QStringLiteral("joker.png"), Qt::transparent, true);
    pic_Joker->hide();

    const std::pair<Panel **, const char *> buttons[] = {
        {&OK, "OK"}, {&Falsch, "Falsch"}, {&ctl_Antwort, "ctl_Antwort"}, {&ctl_Antwortbereit, "ctl_Antwortbereit"}};
    for (const auto &[panel, name] : buttons) {
        *panel = makePanel(QString::fromLatin1(name), FragFeld);
        (*panel)->setBold(true);
        (*panel)->setFontSize(20);
        (*panel)->setShrinkToFit(true);
        (*panel)->setHandCursor(true);
        (*panel)->hide();
    }
    OK->setText(QStringLiteral("Richtig"));
    Falsch->setText(QStringLiteral("Falsch"));
    ctl_Antwort->setText(QStringLiteral("Antwort"));
    ctl_Antwortbereit->setText(QStringLiteral("Uhr Stoppen"));

    ZeitAnz = new PercentBar(QStringLiteral("ZeitAnz"), FragFeld);
    ZeitAnz->hide();

    lab_Risiko = new BoardLabel(QStringLiteral("lab_Risiko"), FragFeld);
    lab_Risiko->setBold(true);
    lab_Risiko->setFontSize(16);
    lab_Risiko->setTextColour(Qt::white);
    // The panel blinks white behind the request; a dark band keeps it readable.
    lab_Risiko->setBackground(QColor(0, 0, 0, 170));
    lab_Risiko->hide();

    Risiko = new QLineEdit(QStringLiteral("0"), FragFeld);
    Risiko->setObjectName(QStringLiteral("Risiko"));
    Risiko->setAlignment(Qt::AlignCenter);
    Risiko->setFont(boardFont(20, true));
    Risiko->setAccessibleName(QStringLiteral("Einsatz"));
    Risiko->installEventFilter(this);
    Risiko->hide();
}

void frm_WQZ::connectHandlers()
{
    connect(mnu_FileLoad, &QAction::triggered, this, &frm_WQZ::mnu_FileLoad_Click);
    connect(S_Neu, &QAction::triggered, this, &frm_WQZ::S_Neu_Click);
    connect(S_Ende, &QAction::triggered, this, &frm_WQZ::S_Ende_Click);
    for (int i = 0; i < SchemeCount; ++i)
        connect(mnu_OptionsColorSel[i], &QAction::triggered, this, [this, i] { mnu_OptionsColorSel_Click(i); });
    for (int i = 0; i < 4; ++i)
        connect(O_Spieler[i], &QAction::triggered, this, [this, i] { O_Spieler_Click(i); });
    connect(H_Hilfe, &QAction::triggered, this, &frm_WQZ::H_Hilfe_Click);
    connect(H_Ueber, &QAction::triggered, this, &frm_WQZ::H_Ueber_Click);

    connect(&AufbauTimer, &QTimer::timeout, this, &frm_WQZ::AufbauTimer_Timer);
    connect(&Blinker, &QTimer::timeout, this, &frm_WQZ::Blinker_Timer);
    connect(&ZeitMess, &QTimer::timeout, this, &frm_WQZ::ZeitMess_Timer);
    connect(&RisikoBlink, &QTimer::timeout, this, &frm_WQZ::RisikoBlink_Timer);
    connect(&SpielerPruef, &QTimer::timeout, this, &frm_WQZ::SpielerPruef_Timer);

    for (int i = 0; i < 20; ++i) {
        connect(Feld[i], &Panel::mouseDown, this, [this, i] { Feld_MouseDown(i); });
        connect(Feld[i], &Panel::mouseUp, this, [this, i] { Feld_MouseUp(i); });
    }
    for (int g = 0; g < 4; ++g)
        connect(Beschriftung[g], &Panel::clicked, this, [this, g] { Beschriftung_Click(g); });
    // A click on the winner closes the announcement, so a new game or wall
    // started from the menu is not hidden behind it.
    connect(SiegerFenster, &Panel::clicked, SiegerFenster, &QWidget::hide);
    connect(OK, &Panel::mouseDown, this, &frm_WQZ::OK_MouseDown);
    connect(OK, &Panel::mouseUp, this, &frm_WQZ::OK_MouseUp);
    connect(Falsch, &Panel::mouseDown, this, &frm_WQZ::Falsch_MouseDown);
    connect(Falsch, &Panel::mouseUp, this, &frm_WQZ::Falsch_MouseUp);
    connect(ctl_Antwortbereit, &Panel::clicked, this, &frm_WQZ::ctl_Antwortbereit_Click);
    connect(ctl_Antwort, &Panel::clicked, this, &frm_WQZ::ctl_Antwort_Click);
    connect(Risiko, &QLineEdit::textChanged, this, &frm_WQZ::Risiko_Change);
    connect(Risiko, &QLineEdit::returnPressed, this, [this] { Risiko_KeyPress(13); });
}

bool frm_WQZ::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Risiko && event->type() == QEvent::MouseButtonRelease)
        Risiko_Click();
    if (watched == board && event->type() == QEvent::Resize)
        Form_Resize();
    if (watched == board && event->type() == QEvent::Paint && !m_boardPainted) {
        m_boardPainted = true;
        QTimer::singleShot(0, this, &frm_WQZ::preparePictures);
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace wq
