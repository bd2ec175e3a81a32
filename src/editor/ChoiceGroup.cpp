#include "ChoiceGroup.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

namespace wq {

ChoiceGroup::ChoiceGroup(const QString &title, const QList<std::pair<QString, int>> &choices, QWidget *parent)
    : QGroupBox(title, parent), m_buttons(new QButtonGroup(this))
{
    setAccessibleName(title);
    auto *row = new QHBoxLayout(this);
    for (const auto &[label, value] : choices) {
        auto *button = new QRadioButton(label, this);
        m_buttons->addButton(button, value);
        row->addWidget(button);
    }
    row->addStretch(1);
    connect(m_buttons, &QButtonGroup::idClicked, this, &ChoiceGroup::chosen);
}

void ChoiceGroup::setValue(int value)
{
    if (QAbstractButton *button = m_buttons->button(value)) {
        button->setChecked(true);
        return;
    }
    // No choice fits (a value the game does not know): none is shown checked.
    m_buttons->setExclusive(false);
    for (QAbstractButton *button : m_buttons->buttons())
        button->setChecked(false);
    m_buttons->setExclusive(true);
}

int ChoiceGroup::value() const
{
    return m_buttons->checkedId();
}

} // namespace wq
