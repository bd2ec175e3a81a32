#include "NumberPad.h"

#include "BoardFont.h"

#include <QGridLayout>
#include <QInputDevice>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

namespace wq {

namespace {
constexpr int MaxDigits = 9;
const QString Backspace = QStringLiteral("⌫");
const QString Clear = QStringLiteral("C");
const QString Sign = QStringLiteral("±");
} // namespace

NumberPad::NumberPad(const QString &title, const QString &start, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NumberPad"));
    setWindowTitle(title);
    auto *grid = new QGridLayout(this);
    grid->setSpacing(10);

    m_display = new QLabel(this);
    m_display->setObjectName(QStringLiteral("NumberPadDisplay"));
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFont(boardFont(32, true));
    m_display->setFrameShape(QFrame::StyledPanel);
    m_display->setMinimumHeight(80);
    grid->addWidget(m_display, 0, 0, 1, 3);

    const QStringList keys = {"7", "8", "9", "4", "5", "6", "1", "2", "3", Sign, "0", Backspace};
    for (int i = 0; i < keys.size(); ++i) {
        auto *button = new QPushButton(keys[i], this);
        button->setObjectName(QStringLiteral("NumberPadKey_") + keys[i]);
        button->setFont(boardFont(28, true));
        button->setMinimumSize(96, 80); // a fingertip on a whiteboard
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, [this, key = keys[i]] { press(key); });
        grid->addWidget(button, 1 + i / 3, i % 3);
    }
    const std::tuple<QString, const char *, int> actions[] = {
        {Clear, "NumberPadClear", 0}, {QStringLiteral("Abbrechen"), "NumberPadCancel", 1},
        {QStringLiteral("OK"), "NumberPadOk", 2}};
    for (const auto &[caption, name, column] : actions) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(boardFont(22, true));
        button->setMinimumSize(96, 80);
        button->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(button, 5, column);
        if (caption == Clear)
            connect(button, &QPushButton::clicked, this, [this] { press(Clear); });
        else if (column == 1)
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
        else
            connect(button, &QPushButton::clicked, this, &QDialog::accept);
    }
    QString digits;
    for (QChar c : start.trimmed())
        if (c.isDigit() || (c == u'-' && digits.isEmpty()))
            digits += c;
    display(digits.left(MaxDigits));
}

void NumberPad::display(const QString &number)
{
    m_number = number;
    m_display->setText(number.isEmpty() ? QStringLiteral("0") : number);
}

void NumberPad::press(const QString &key)
{
    QString number = m_number;
    if (key == Clear)
        number.clear();
    else if (key == Backspace)
        number.chop(1);
    else if (key == Sign)
        number = number.startsWith(u'-') ? number.mid(1) : u'-' + number;
    else if (number.count(QRegularExpression(QStringLiteral("\\d"))) < MaxDigits)
        number += key;
    display(number);
}

void NumberPad::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (text.size() == 1 && text[0].isDigit())
        press(text);
    else if (event->key() == Qt::Key_Backspace)
        press(Backspace);
    else if (event->key() == Qt::Key_Minus)
        press(Sign);
    else
        QDialog::keyPressEvent(event);
}

bool touchScreenPresent()
{
    const QByteArray forced = qgetenv("WANDQUIZ_NUMBER_PAD");
    if (forced == "1")
        return true;
    if (forced == "0")
        return false;
    for (const QInputDevice *device : QInputDevice::devices())
        if (device->type() == QInputDevice::DeviceType::TouchScreen)
            return true;
    return false;
}

} // namespace wq
