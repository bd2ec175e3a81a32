#pragma once
// The number pad for entering a stake on an interactive whiteboard: large
// keys for fingers, a display of the number typed, OK and Abbrechen.

#include <QDialog>

class QLabel;

namespace wq {

class NumberPad : public QDialog {
    Q_OBJECT
public:
    NumberPad(const QString &title, const QString &start, QWidget *parent = nullptr);
    QString number() const { return m_number; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void press(const QString &key);
    void display(const QString &number);

    QString m_number;
    QLabel *m_display = nullptr;
};

// True when the machine has a touch screen; WANDQUIZ_NUMBER_PAD=1 or =0
// forces the answer (for tests and for boards that do not report themselves).
bool touchScreenPresent();

} // namespace wq
