#pragma once
// A choice of a few values shown all at once: a titled group of radio
// buttons. Screen readers name the group by its title and each button by its
// label (a combo box would be named by the value it shows).

#include <QGroupBox>

class QButtonGroup;

namespace wq {

class ChoiceGroup : public QGroupBox {
    Q_OBJECT
public:
    // `choices` pairs each label with the value it stands for.
    ChoiceGroup(const QString &title, const QList<std::pair<QString, int>> &choices, QWidget *parent = nullptr);
    // Checks the button of `value`; none when no button stands for it.
    void setValue(int value);
    int value() const;

Q_SIGNALS:
    // The author chose another value (by click or by the arrow keys).
    void chosen(int value);

private:
    QButtonGroup *m_buttons;
};

} // namespace wq
