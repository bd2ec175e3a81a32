#include "ModeratorWindow.h"

#include "frm_WQZ.h"
#include "host/TextTools.h"
#include "widgets/BoardFont.h"
#include "widgets/Panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace wq {

std::optional<ScreenPlan> planScreens(const QList<QRect> &screens, int primary)
{
    if (screens.size() < 2 || primary < 0 || primary >= screens.size())
        return std::nullopt;
    // The largest of the other screens is taken for the projector.
    int board = -1;
    for (int i = 0; i < screens.size(); ++i) {
        const auto area = [&](int k) { return qint64(screens[k].width()) * screens[k].height(); };
        if (i != primary && (board < 0 || area(i) > area(board)))
            board = i;
    }
    return ScreenPlan{board, primary};
}

namespace {
QLabel *makeLabel(const QString &name, double points, bool bold, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(boardFont(points, bold));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(boardFont(18, true));
    button->setMinimumHeight(64);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QString shown(const QString &text)
{
    QString plain = text::trimBlanks(text);
    plain.replace(u'|', u'\n');
    return plain;
}
} // namespace

ModeratorWindow::ModeratorWindow(frm_WQZ &board) : m_board(board)
{
    setObjectName(QStringLiteral("ModeratorWindow"));
    setWindowTitle(QStringLiteral("Wandquiz – Moderation"));
    auto *grid = new QGridLayout(this);
    fieldLabel = makeLabel(QStringLiteral("ModeratorField"), 16, true, this);
    questionLabel = makeLabel(QStringLiteral("ModeratorQuestion"), 22, true, this);
    answerLabel = makeLabel(QStringLiteral("ModeratorAnswer"), 20, false, this);
    timeLabel = makeLabel(QStringLiteral("ModeratorTime"), 28, true, this);
    scoresLabel = makeLabel(QStringLiteral("ModeratorScores"), 16, false, this);
    grid->addWidget(fieldLabel, 0, 0, 1, 4);
    grid->addWidget(questionLabel, 1, 0, 1, 4);
    grid->addWidget(answerLabel, 2, 0, 1, 4);
    grid->addWidget(timeLabel, 3, 0, 1, 2);
    grid->addWidget(scoresLabel, 3, 2, 1, 2);
    stopButton = makeButton(QStringLiteral("ModeratorStop"), QStringLiteral("Uhr Stoppen"), this);
    revealButton = makeButton(QStringLiteral("ModeratorReveal"), QStringLiteral("Antwort zeigen"), this);
    rightButton = makeButton(QStringLiteral("ModeratorRight"), QStringLiteral("Richtig"), this);
    wrongButton = makeButton(QStringLiteral("ModeratorWrong"), QStringLiteral("Falsch"), this);
    undoButton = makeButton(QStringLiteral("ModeratorUndo"), QStringLiteral("Letzte Wertung zurücknehmen"), this);
    const QList<QPushButton *> buttons = {stopButton, revealButton, rightButton, wrongButton};
    for (int i = 0; i < buttons.size(); ++i)
        grid->addWidget(buttons[i], 4, i);
    grid->addWidget(undoButton, 5, 0, 1, 4);
    grid->setRowStretch(1, 1);
    grid->setRowStretch(2, 1);

    connect(stopButton, &QPushButton::clicked, this, [this] { m_board.stopClockStep(); refresh(); });
    connect(revealButton, &QPushButton::clicked, this, [this] { m_board.revealStep(); refresh(); });
    connect(rightButton, &QPushButton::clicked, this, [this] { m_board.judgeStep(true); refresh(); });
    connect(wrongButton, &QPushButton::clicked, this, [this] { m_board.judgeStep(false); refresh(); });
    connect(undoButton, &QPushButton::clicked, this, [this] { m_board.undoJudgement(); refresh(); });
    connect(&m_refresh, &QTimer::timeout, this, &ModeratorWindow::refresh);
    m_refresh.start(200);
    resize(900, 600);
    refresh();
}

void ModeratorWindow::refresh()
{
    const bool open = m_board.questionOpen();
    const int field = m_board.PlayedField;
    const cls_WallField &wallField = m_board.wall().Item(field, true);
    if (open) {
        fieldLabel->setText(QStringLiteral("%1 Punkte – %2").arg((field / 4 + 1) * 20)
                                .arg(m_board.wall().TOPICS().at(field % 4 + 1)));
        questionLabel->setText(wallField.SORT == KindJoker ? QStringLiteral("Joker") : shown(wallField.QUESTION));
        answerLabel->setText(QStringLiteral("Antwort: ") + shown(wallField.ANSWER));
        timeLabel->setText(m_board.ZeitMess.isActive() ? QStringLiteral("%1 s").arg(m_board.TimeLeft) : QString());
    } else {
        fieldLabel->setText(QStringLiteral("Keine Frage offen"));
        questionLabel->clear();
        answerLabel->clear();
        timeLabel->clear();
    }
    QStringList scores;
    for (int g = 0; g < m_board.GroupCount; ++g)
        scores.append((g + 1 == m_board.CurrentGroup ? QStringLiteral("▶ ") : QStringLiteral("   "))
                      + m_board.Beschriftung[g]->text() + QStringLiteral(": ") + m_board.Punkte[g]->text());
    scoresLabel->setText(scores.join(u'\n'));
    stopButton->setEnabled(m_board.canStopClock());
    revealButton->setEnabled(m_board.canReveal());
    rightButton->setEnabled(m_board.canJudge(true));
    wrongButton->setEnabled(m_board.canJudge(false));
    undoButton->setEnabled(m_board.canUndo());
}

void ModeratorWindow::keyPressEvent(QKeyEvent *event)
{
    // The same keys as on the board, so a clicker works whichever window has the focus.
    if (m_board.moderatorKey(*event))
        refresh();
    else
        QWidget::keyPressEvent(event);
}

} // namespace wq
