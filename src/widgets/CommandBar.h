#pragma once
// A row of command buttons at the bottom of a window; a press delivers the
// button's command text.

#include <QWidget>

class QLabel;

namespace wq {

class CommandBar : public QWidget {
    Q_OBJECT
public:
    explicit CommandBar(const QString &name, QWidget *parent = nullptr);
    // The standard OK button, command text "OK".
    void addOkButton();

Q_SIGNALS:
    void command(const QString &text);
};

// A line of status text at the bottom of a window.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(const QString &name, QWidget *parent = nullptr);
    QString text() const;
    void setText(const QString &text);

private:
    QLabel *m_label;
};

} // namespace wq
