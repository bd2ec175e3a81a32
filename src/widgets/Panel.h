#pragma once
// The board's panel: a two-colour gradient face with a bevelled border, text
// in a bold face with an outline of its own colour, and a pressed and a
// disabled look. The text reads back exactly as written; a carriage return in
// it breaks the line.

#include "TextPainting.h"

#include <QColor>
#include <QWidget>

namespace wq {

class Panel : public QWidget {
    Q_OBJECT
public:
    static constexpr int BorderRaised = 60;
    static constexpr int BorderPressed = 50;

    explicit Panel(const QString &name, QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);
    QColor backColour() const { return m_back; }
    void setBackColour(const QColor &colour);
    // Until it is set, the second colour is a lighter shade of the back colour.
    QColor backColour2() const;
    void setBackColour2(const QColor &colour);
    QColor textColour() const { return m_textColour; }
    void setTextColour(const QColor &colour);
    QColor textBorderColour() const { return m_textBorder; }
    void setTextBorderColour(const QColor &colour);
    int borderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    // The panel's own enabled flag: a disabled panel shows its disabled look
    // and ignores clicks unless it is told to take them anyway.
    bool isPanelEnabled() const { return m_enabled; }
    void setPanelEnabled(bool enabled);
    void setClickableWhenDisabled(bool clickable) { m_clickableWhenDisabled = clickable; }
    void setFontSize(double points);
    double fontSize() const { return m_fontSize; }
    void setBold(bool bold);
    // Width of the text outline in pixels (0: none).
    void setOutlineWidth(int pixels);
    // Text too large for the panel is set smaller until it fits.
    void setShrinkToFit(bool shrink);
    void setAlignment(Qt::Alignment alignment);
    // A pointing hand over the panel, for panels that are clicked. It is set
    // when the mouse first comes: loading the cursor theme costs the start
    // of the program some 10 ms.
    void setHandCursor(bool hand) { m_handCursor = hand; }
    // The pressed look while the mouse button is down.
    void setPressed(bool pressed);
    bool isPressed() const { return m_pressed; }

Q_SIGNALS:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;

private:
    bool takesClicks() const { return m_enabled || m_clickableWhenDisabled; }
    void changed();

    QString m_text;
    QColor m_back = QColor(0xC0, 0xC0, 0xC0);
    QColor m_back2; // invalid until set
    QColor m_textColour = Qt::black;
    QColor m_textBorder = Qt::transparent;
    int m_borderStyle = BorderRaised;
    bool m_enabled = true;
    bool m_clickableWhenDisabled = false;
    bool m_pressed = false;
    bool m_handCursor = false;
    bool m_bold = false;
    bool m_shrinkToFit = false;
    int m_outlineWidth = 0;
    double m_fontSize = 12.0;
    Qt::Alignment m_alignment = Qt::AlignCenter;
    bool m_buttonDown = false;
    mutable PreparedText m_prepared;
};

} // namespace wq
