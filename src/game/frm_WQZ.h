#pragma once
// The main window: the program itself. It owns the one wall, shows the board,
// runs the question flow with its clock, judges, and keeps the game's state.
// Its code is split by concern: frm_WQZ_window.cpp builds the widgets and the
// menu, frm_WQZ_startup.cpp starts and ends the run, and board, question,
// panel, judging, risk, groups, colours and files each have their own file.

#include "GameState.h"
#include "PictureCache.h"
#include "appearance/BoardLayout.h"
#include "host/HostServices.h"
#include "model/cls_Wall.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <memory>

class QAction;
class QLineEdit;
class QMenu;
class QScreen;

namespace wq {

class ModeratorWindow;
class Panel;
class BoardLabel;
class PercentBar;
class PictureBox;

class frm_WQZ : public QMainWindow {
    Q_OBJECT
public:
    explicit frm_WQZ(const Host &host, QWidget *parent = nullptr);
    ~frm_WQZ() override;

    // Start-up with the command line's arguments. False when the process
    // must end at once (another instance is running).
    bool Form_Load(const QStringList &arguments);

    void QUESTION(qint32 pIndex);
    void SHOWPIC(const ImageName &pImage);
    void HIDEPIC();
    void LAYOUT();
    void QUESTIONDONE(bool pCorrect = false);

    // The one current wall, made when first needed.
    cls_Wall &wall();

    // The game's state.
    QString GameTitle;
    QString LastWallPath;
    qint16 GroupCount = 0;
    qint32 CurrentGroup = 0;
    qint16 BlinkPhase = 0;
    qint32 ShownField = 0;
    qint32 PlayedField = 0;
    double TimeLeft = 0;
    double TimeTotal = 0;
    qint32 BuildStep = 0;

    // True once the run has been ended.
    bool hasEnded() const { return m_ended; }
    // How many of the wall's pictures are decoded for the question panel.
    int picturesReady() const { return m_pictureCache.readyCount(); }

    // Plays a wall from the editor on the board, as opening its file would:
    // the autosave and the walls played lately record it.
    void playWall(cls_Wall &edited, const QString &path);
    // The colour scheme chosen in the menu (0 to 2).
    int colourSchemeIndex() const;

Q_SIGNALS:
    // "Neue Wand …" and "Wand bearbeiten …": the editor is not part of the board.
    void newWallRequested();
    void editWallRequested();

public:

    // The moderator's steps, as the keys, a presenter clicker and the
    // moderator window take them (frm_WQZ_moderation.cpp).
    bool questionOpen() const;
    bool canStopClock() const;
    bool canReveal() const;
    bool canJudge(bool right) const;
    void stopClockStep();
    void revealStep();
    void judgeStep(bool right);
    // The next step: stop the clock, then reveal, then judge right.
    void advanceStep();
    // A key of the moderator's (the board's or the moderator window's); false
    // when the key is none of them.
    bool moderatorKey(const QKeyEvent &event);
    bool canUndo() const { return m_undo.has_value(); }
    void undoJudgement();
    GameState currentState();
    QString savedGamePath() const;
    ModeratorWindow *moderatorWindow() const { return m_moderator.get(); }
    // Opens the moderator window on one screen and the board on another.
    void openModeratorWindow(QScreen *boardScreen, QScreen *moderatorScreen);
    void closeModeratorWindow();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // frm_WQZ_window.cpp
    void createMenu();
    void createBoard();
    void createQuestionPanel();
    void connectHandlers();
    Panel *makePanel(const QString &name, QWidget *parent);

    // frm_WQZ_startup.cpp
    void Form_Unload();
    void S_Ende_Click();
    void S_Neu_Click();
    void EndProgram();
    void H_Hilfe_Click();
    void H_Ueber_Click();

    // frm_WQZ_board.cpp
    void BuildBoard();
    void endPendingStake();
    void AufbauTimer_Timer();
    void Blinker_Timer();
    void Feld_MouseDown(int index);
    void Feld_MouseUp(int index);
    double fieldPoints(int index) const;

    // frm_WQZ_question.cpp
    void askQuestion(cls_WallField &field, qint32 index);
    void askRisk();
    void offerJoker();
    void startClock(qint32 index);
    void showQuestionText(const cls_WallField &field);
    void ZeitMess_Timer();
    void ctl_Antwortbereit_Click();
    void ctl_Antwort_Click();

    // frm_WQZ_panel.cpp
    void Form_Resize();
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;
    void place(QWidget *widget, double left, double top, double width, double height);
    void keepMinimumSize(double missingWidth, double missingHeight);
    void showPicture(const QImage &picture, const QString &tag);
    QString pictureFile(const QString &name) const;
    QImage fieldPicture(const ImageName &pImage, const QString &path);
    void preparePictures();
    // The wall changed (read, or played from the editor): its pictures are made anew.
    void wallChanged();

    // frm_WQZ_judging.cpp
    void OK_MouseDown();
    void OK_MouseUp();
    void Falsch_MouseDown();
    void Falsch_MouseUp();
    void SHOWWINNER();
    double score(int group) const;
    void setScore(int group, double value);
    double stake() const;

    // frm_WQZ_risk.cpp
    void Risiko_Change();
    void Risiko_KeyPress(int keyAscii);
    void Risiko_Click();
    void RisikoBlink_Timer();
    void swapBlinkColours();
    bool blinkInverted() const;
    bool stakeAwaited() const;

    // frm_WQZ_groups.cpp
    void O_Spieler_Click(int index);
    void Beschriftung_Click(int index);
    void SpielerPruef_Timer();

    // frm_WQZ_colours.cpp
    void mnu_OptionsColorSel_Click(int index);
    void setFieldTextColours();

    // frm_WQZ_moderation.cpp
    void createModerationMenu();
    void beforeJudgement();
    void afterJudgement();
    // Keeps the game for after a crash; called whenever it changes (a
    // judgement, a group's name, the number of groups).
    void saveGame();
    QString fingerprint();
    void discardSavedGame();
    std::optional<GameState> resumableGame();
    void resumeGame(const GameState &state);
    void mnu_Moderator_Click(bool on);
    void mnu_FullScreen_Click(bool on);
    void updateModerationMenu();

    // frm_WQZ_files.cpp
    void mnu_FileLoad_Click();
    void loadChosenWall(const QString &path);
    void openWall(const QString &path);
    void writeAutosave();
    void keepAutosavedWall();
    void fillRecentMenu();
    void showOperationFailed();
    bool openWallFromCommandLine(const QStringList &arguments);

    const Host &m_host;
    std::unique_ptr<cls_Wall> m_wall;
    bool m_ended = false;
    bool m_layingOut = false;
    layout::BoardLayout m_layout; // the last layout pass, in twips
    // The wall's pictures, decoded ahead of time once the board is painted.
    PictureCache m_pictureCache;
    bool m_boardPainted = false;
    int m_wallVersion = 0;
    int m_picturesOfWall = -1;
    QString m_fingerprint; // of the wall, as it was in version m_fingerprintOf
    int m_fingerprintOf = -1;

    // Taking back the last judgement, possible until the next field opens.
    struct UndoStep {
        GameState before;
        bool winnerWasShown = false;
    };
    std::optional<UndoStep> m_undo;
    bool m_answerShown = false;
    // The fields this game has played; the build-up leaves them off the board.
    std::array<bool, 20> m_played{};
    // The autosave file holds the wall on the board: writing it again loses nothing.
    bool m_wallIsAutosaved = false;
    // Only the instance that holds the lock keeps a game for after a crash.
    bool m_ownsInstance = false;
    std::unique_ptr<ModeratorWindow> m_moderator;

public:
    // Menu.
    QMenu *mnu_FileTitle = nullptr;
    QAction *mnu_FileLoad = nullptr;
    QMenu *mnu_Recent = nullptr;
    QAction *mnu_NewWall = nullptr;
    QAction *mnu_EditWall = nullptr;
    QAction *mnu_FileSep2 = nullptr;
    QAction *S_Neu = nullptr;
    QAction *S_SEP1 = nullptr;
    QAction *S_Ende = nullptr;
    QMenu *O_MenuTitel = nullptr;
    QMenu *mnu_OptionsColor = nullptr;
    std::array<QAction *, 3> mnu_OptionsColorSel{};
    QMenu *O_Anzahl = nullptr;
    std::array<QAction *, 4> O_Spieler{};
    QAction *O_SEP2 = nullptr;
    QAction *O_Neufrag = nullptr;
    QMenu *H_MenuTitel = nullptr;
    QAction *H_Hilfe = nullptr;
    QAction *H_SEP1 = nullptr;
    QAction *H_Ueber = nullptr;
    QMenu *mnu_Moderation = nullptr;
    QAction *mnu_Undo = nullptr;
    QAction *mnu_Moderator = nullptr;
    QAction *mnu_FullScreen = nullptr;

    // Board.
    QWidget *board = nullptr; // the client area, in the window's background colour
    Panel *SpielWand = nullptr;
    std::array<Panel *, 4> Thema{};
    std::array<Panel *, 20> Feld{};
    Panel *InfoFenster = nullptr;
    std::array<Panel *, 4> Beschriftung{};
    std::array<Panel *, 4> Punkte{};

    // Question panel.
    Panel *FragFeld = nullptr;
    BoardLabel *lab_Frage = nullptr;
    BoardLabel *lab_Antwort = nullptr;
    PictureBox *pic_ImageScaled = nullptr;
    PictureBox *pic_Image = nullptr;
    Panel *OK = nullptr;
    Panel *Falsch = nullptr;
    Panel *ctl_Antwort = nullptr;
    Panel *ctl_Antwortbereit = nullptr;
    PercentBar *ZeitAnz = nullptr;
    PictureBox *pic_Joker = nullptr;
    QLineEdit *Risiko = nullptr;
    BoardLabel *lab_Risiko = nullptr;

    // Winner.
    Panel *SiegerFenster = nullptr;
    BoardLabel *lab_Sieger = nullptr;

    // Timers.
    QTimer AufbauTimer;
    QTimer Blinker;
    QTimer ZeitMess;
    QTimer RisikoBlink;
    QTimer SpielerPruef;
};

} // namespace wq
