#include "WallGrid.h"

#include "WallDocument.h"
#include "appearance/ColourSchemes.h"
#include "host/Colours.h"
#include "host/TextTools.h"
#include "model/FieldWords.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>

namespace wq {

namespace {
// A cell: its caption's first line says the kind, the second the start of the
// question, cut with "…" to the cell's width.
class Cell final : public QPushButton {
public:
    using QPushButton::QPushButton;
    void setContent(const QString &heading, const QString &question)
    {
        m_heading = heading;
        m_question = question;
        showContent();
    }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QPushButton::resizeEvent(event);
        showContent();
    }

private:
    void showContent()
    {
        const QString line = fontMetrics().elidedText(m_question, Qt::ElideRight, std::max(0, width() - 16));
        setText(m_question.isEmpty() ? m_heading : m_heading + u'\n' + line);
    }
    QString m_heading, m_question;
};

QString questionLine(const cls_WallField &field)
{
    QString text = text::trimBlanks(field.QUESTION);
    text.replace(u'|', u' ');
    return field.SORT == KindJoker ? QString() : text;
}

bool holdsPicture(const QMimeData *data)
{
    return data && (data->hasImage() || data->hasUrls());
}
} // namespace

QString cellName(int index)
{
    return QStringLiteral("Thema %1, %2 Punkte").arg(index % 4 + 1).arg((index / 4 + 1) * 20);
}

WallGrid::WallGrid(QWidget *parent) : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int c = 0; c < 4; ++c) {
        const QString name = QStringLiteral("Thema %1").arg(c + 1);
        auto *label = new QLabel(name, this);
        topics[c] = new QLineEdit(this);
        topics[c]->setObjectName(QStringLiteral("topic_%1").arg(c));
        topics[c]->setAccessibleName(name);
        label->setBuddy(topics[c]);
        grid->addWidget(label, 0, c + 1);
        grid->addWidget(topics[c], 1, c + 1);
        connect(topics[c], &QLineEdit::textEdited, this, [this, c](const QString &text) { Q_EMIT topicEdited(c, text); });
    }
    for (int r = 0; r < 5; ++r) {
        auto *points = new QLabel(QString::number((r + 1) * 20), this);
        points->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(points, r + 2, 0);
        for (int c = 0; c < 4; ++c) {
            const int index = r * 4 + c;
            auto *cell = new Cell(this);
            cell->setObjectName(QStringLiteral("cell_%1").arg(index));
            cell->setAccessibleName(cellName(index));
            cell->setAutoDefault(false);
            cell->setMinimumSize(150, 56);
            cell->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
            cell->setAcceptDrops(true);
            cell->installEventFilter(this);
            cells[index] = cell;
            grid->addWidget(cell, r + 2, c + 1);
            connect(cell, &QPushButton::clicked, this, [this, index] { setCurrent(index); });
        }
    }
    for (int c = 1; c <= 4; ++c)
        grid->setColumnStretch(c, 1);
    setCurrent(0);
}

void WallGrid::setCurrent(int index)
{
    for (int i = 0; i < 20; ++i) {
        cells[i]->setProperty("chosen", i == index);
        // A changed property takes effect in the style only when it is applied again.
        cells[i]->style()->unpolish(cells[i]);
        cells[i]->style()->polish(cells[i]);
    }
    if (index == m_current)
        return;
    m_current = index;
    Q_EMIT currentChanged(index);
}

void WallGrid::showWall(WallDocument &document, const QList<WallProblem> &problems, const ColourScheme &scheme)
{
    for (int c = 0; c < 4; ++c) {
        QStringList messages;
        for (const WallProblem &problem : problems)
            if (problem.topic == c)
                messages.append(problem.text);
        if (topics[c]->text() != document.topic(c))
            topics[c]->setText(document.topic(c));
        topics[c]->setToolTip(messages.join(u'\n'));
        topics[c]->setAccessibleDescription(messages.join(u' '));
    }
    for (int i = 0; i < 20; ++i) {
        const cls_WallField &field = document.field(i);
        QStringList messages;
        for (const WallProblem &problem : problems)
            if (problem.field == i)
                messages.append(problem.text);
        const QString heading = (messages.isEmpty() ? QString() : QStringLiteral("⚠ ")) + wordOf(kindWords(), field.SORT, KindQuestion);
        QPushButton *cell = cells[i];
        static_cast<Cell *>(cell)->setContent(heading, questionLine(field));
        cell->setToolTip(messages.join(u'\n'));
        cell->setAccessibleDescription((heading + u' ' + questionLine(field) + u' ' + messages.join(u' ')).simplified());
        // The cell has the colour its field has on the board; the chosen one
        // a thick frame, the one with the keyboard focus a dashed one.
        const FieldShade shade = fieldShade(scheme, i);
        const QString text = colours::contrastText(shade.back).name();
        cell->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid #404040;"
                                           " border-radius: 4px; padding: 4px; }"
                                           "QPushButton[chosen=\"true\"] { border: 5px solid %2; }"
                                           "QPushButton:focus { border-style: dashed; border-width: 3px; }"
                                           "QPushButton[chosen=\"true\"]:focus { border-width: 5px; }")
                                .arg(shade.back.name(), text));
    }
}

bool WallGrid::eventFilter(QObject *watched, QEvent *event)
{
    const int index = int(std::find(cells.begin(), cells.end(), watched) - cells.begin());
    if (index >= 20)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::DragEnter) {
        auto *drag = static_cast<QDragEnterEvent *>(event);
        if (holdsPicture(drag->mimeData()))
            drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto *drop = static_cast<QDropEvent *>(event);
        setCurrent(index);
        Q_EMIT pictureDropped(index, drop->mimeData());
        drop->acceptProposedAction();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace wq
