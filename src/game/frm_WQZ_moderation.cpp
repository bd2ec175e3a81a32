// What moderators in classrooms asked for beyond the board itself: taking
// back the last judgement, keys and a presenter clicker, full screen, a
// moderator window on a second screen, and a game that survives a crash.

#include "frm_WQZ.h"

#include "ModeratorWindow.h"
#include "widgets/Panel.h"
#include "storage/WallPaths.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

namespace wq {

namespace {
const QString SavedGameFile = QStringLiteral("AUTO.SPIELSTAND");
const QString ResumeQuestion = QStringLiteral("Das letzte Spiel wurde nicht beendet. Fortsetzen?");
} // namespace

void frm_WQZ::createModerationMenu()
{
    mnu_Moderation = new QMenu(QStringLiteral("&Moderation"), this);
    mnu_Moderation->setObjectName(QStringLiteral("mnu_Moderation"));
    menuBar()->insertMenu(H_MenuTitel->menuAction(), mnu_Moderation);

    mnu_Undo = mnu_Moderation->addAction(QStringLiteral("Letzte Wertung zurücknehmen"));
    mnu_Undo->setObjectName(QStringLiteral("mnu_Undo"));
    mnu_Undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(mnu_Undo, &QAction::triggered, this, &frm_WQZ::undoJudgement);

    mnu_Moderator = mnu_Moderation->addAction(QStringLiteral("Moderatorfenster auf zweitem Bildschirm"));
    mnu_Moderator->setObjectName(QStringLiteral("mnu_Moderator"));
    mnu_Moderator->setCheckable(true);
    connect(mnu_Moderator, &QAction::triggered, this, &frm_WQZ::mnu_Moderator_Click);

    mnu_FullScreen = mnu_Moderation->addAction(QStringLiteral("Vollbild"));
    mnu_FullScreen->setObjectName(QStringLiteral("mnu_FullScreen"));
    mnu_FullScreen->setCheckable(true);
    mnu_FullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    connect(mnu_FullScreen, &QAction::triggered, this, &frm_WQZ::mnu_FullScreen_Click);

    connect(mnu_Moderation, &QMenu::aboutToShow, this, &frm_WQZ::updateModerationMenu);
    updateModerationMenu();
}

void frm_WQZ::updateModerationMenu()
{
    mnu_Undo->setEnabled(canUndo());
    // With one screen there is nowhere to put the moderator window.
    mnu_Moderator->setEnabled(QGuiApplication::screens().size() > 1 || m_moderator);
    mnu_Moderator->setChecked(m_moderator != nullptr);
    mnu_FullScreen->setChecked(isFullScreen());
}

// ---- The moderator's steps -------------------------------------------------

bool frm_WQZ::questionOpen() const
{
    return !FragFeld->isHidden();
}

bool frm_WQZ::canStopClock() const
{
    return questionOpen() && !ctl_Antwortbereit->isHidden();
}

bool frm_WQZ::canReveal() const
{
    return questionOpen() && !ctl_Antwort->isHidden();
}

bool frm_WQZ::canJudge(bool right) const
{
    if (!questionOpen())
        return false;
    return right ? !OK->isHidden() : !Falsch->isHidden() && Falsch->isPanelEnabled();
}

void frm_WQZ::stopClockStep()
{
    if (canStopClock())
        ctl_Antwortbereit_Click();
}

void frm_WQZ::revealStep()
{
    if (canReveal())
        ctl_Antwort_Click();
}

void frm_WQZ::judgeStep(bool right)
{
    if (!canJudge(right))
        return;
    if (right) {
        OK_MouseDown();
        OK_MouseUp();
    } else {
        Falsch_MouseDown();
        Falsch_MouseUp();
    }
}

void frm_WQZ::advanceStep()
{
    if (canStopClock())
        stopClockStep();
    else if (canReveal() && !m_answerShown)
        revealStep();
    else
        judgeStep(true);
}

void frm_WQZ::keyPressEvent(QKeyEvent *event)
{
    // Typing a stake is typing, not a command.
    if (Risiko->hasFocus() || !moderatorKey(*event))
        QMainWindow::keyPressEvent(event);
}

bool frm_WQZ::moderatorKey(const QKeyEvent &event)
{
    if (event.modifiers() & Qt::AltModifier)
        return false;
    if (event.modifiers() & Qt::ControlModifier) {
        if (event.key() != Qt::Key_Z)
            return false;
        undoJudgement();
        return true;
    }
    if (!questionOpen())
        return false;
    switch (event.key()) {
    case Qt::Key_Space:
        stopClockStep();
        return true;
    case Qt::Key_A:
        revealStep();
        return true;
    case Qt::Key_R:
        judgeStep(true);
        return true;
    case Qt::Key_F:
        judgeStep(false);
        return true;
    case Qt::Key_PageDown:
        advanceStep(); // a presenter clicker's "next"
        return true;
    case Qt::Key_PageUp:
        return true; // its "back" never judges, nor does anything else
    default:
        return false;
    }
}

// ---- Taking back the last judgement ---------------------------------------

GameState frm_WQZ::currentState()
{
    GameState state;
    state.played = m_played;
    for (int g = 0; g < 4; ++g) {
        state.scores.append(Punkte[g]->text());
        state.names.append(Beschriftung[g]->text());
    }
    state.groupCount = GroupCount;
    state.currentGroup = CurrentGroup;
    state.wallFingerprint = fingerprint();
    return state;
}

QString frm_WQZ::fingerprint()
{
    // Hashing a wall of photos takes a while: once for each wall, not at every judgement.
    if (m_fingerprintOf != m_wallVersion) {
        m_fingerprint = wallFingerprint(wall());
        m_fingerprintOf = m_wallVersion;
    }
    return m_fingerprint;
}

void frm_WQZ::beforeJudgement()
{
    m_undo = UndoStep{currentState(), !SiegerFenster->isHidden()};
}

void frm_WQZ::afterJudgement()
{
    // A game that has ended is not offered again after a crash.
    if (SiegerFenster->isHidden())
        saveGame();
    else
        discardSavedGame();
    updateModerationMenu();
}

void frm_WQZ::undoJudgement()
{
    if (!m_undo)
        return;
    const UndoStep step = *m_undo;
    m_undo.reset();
    for (int g = 0; g < 4; ++g)
        Punkte[g]->setText(step.before.scores[g]);
    CurrentGroup = step.before.currentGroup;
    if (!step.winnerWasShown)
        SiegerFenster->hide();
    // The panel still holds its judging step; it only has to come back.
    FragFeld->show();
    FragFeld->raise();
    saveGame();
    updateModerationMenu();
}

// ---- A game that survives a crash -----------------------------------------

QString frm_WQZ::savedGamePath() const
{
    return m_host.folders->userDataFolder() + SavedGameFile;
}

void frm_WQZ::saveGame()
{
    if (!m_ownsInstance)
        return;
    GameState state = currentState();
    // A field whose judgement was taken back can be judged again after a crash.
    if (questionOpen())
        state.played[PlayedField] = false;
    saveGameState(state, savedGamePath());
}

void frm_WQZ::discardSavedGame()
{
    if (m_ownsInstance)
        QFile::remove(savedGamePath());
}

std::optional<GameState> frm_WQZ::resumableGame()
{
    if (!m_ownsInstance)
        return std::nullopt;
    const std::optional<GameState> saved = loadGameState(savedGamePath());
    if (!saved || saved->wallFingerprint != fingerprint() || saved->isFresh())
        return std::nullopt;
    const MessageResult answer =
        m_host.messages->messageBox(ResumeQuestion, QStringLiteral("Fortsetzen?"), MessageButtons::YesNo,
                                    MessageIcon::Stop);
    if (answer != MessageResult::Yes)
        return std::nullopt;
    return saved;
}

void frm_WQZ::resumeGame(const GameState &state)
{
    m_played = state.played;
    for (int g = 0; g < 4; ++g) {
        Punkte[g]->setText(state.scores[g]);
        Beschriftung[g]->setText(state.names[g]);
    }
    GroupCount = qint16(state.groupCount);
    CurrentGroup = state.currentGroup;
    for (int i = 0; i < 4; ++i)
        O_Spieler[i]->setChecked(i == GroupCount - 1);
    saveGame();
}

// ---- Screens ----------------------------------------------------------------

void frm_WQZ::mnu_FullScreen_Click(bool on)
{
    if (on)
        showFullScreen();
    else
        showMaximized();
    updateModerationMenu();
}

void frm_WQZ::mnu_Moderator_Click(bool on)
{
    if (!on) {
        closeModeratorWindow();
        return;
    }
    const QList<QScreen *> screens = QGuiApplication::screens();
    QList<QRect> areas;
    for (const QScreen *screen : screens)
        areas.append(screen->geometry());
    const std::optional<ScreenPlan> plan = planScreens(areas, int(screens.indexOf(QGuiApplication::primaryScreen())));
    if (plan)
        openModeratorWindow(screens[plan->board], screens[plan->moderator]);
    updateModerationMenu();
}

void frm_WQZ::openModeratorWindow(QScreen *boardScreen, QScreen *moderatorScreen)
{
    m_moderator = std::make_unique<ModeratorWindow>(*this);
    m_moderator->setScreen(moderatorScreen);
    m_moderator->move(moderatorScreen->availableGeometry().topLeft());
    m_moderator->resize(moderatorScreen->availableGeometry().size() * 0.9);
    m_moderator->show();
    // The board fills the projector; a window moves to another screen only
    // while it is hidden.
    if (screen() != boardScreen) {
        hide();
        setScreen(boardScreen);
    }
    setGeometry(boardScreen->geometry());
    showFullScreen();
    updateModerationMenu();
}

void frm_WQZ::closeModeratorWindow()
{
    if (!m_moderator)
        return;
    m_moderator.reset();
    showMaximized();
    updateModerationMenu();
}

} // namespace wq
