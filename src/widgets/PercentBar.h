#pragma once
// A bar showing a value from 0 to 100: the remaining answer time.

#include <QColor>
#include <QWidget>

namespace wq {

class PercentBar : public QWidget {
    Q_OBJECT
public:
    explicit PercentBar(const QString &name, QWidget *parent = nullptr);
    double value() const { return m_value; }
    void setValue(double value);
    QColor barColour() const { return m_bar; }
    void setBarColour(const QColor &colour);
    QColor backColour() const { return m_back; }
    void setBackColour(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_value = 0;
    QColor m_bar = Qt::yellow;
    QColor m_back = Qt::blue;
};

} // namespace wq
