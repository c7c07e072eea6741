#pragma once

#include <QPushButton>

// An action button reacts to a mouse button going down and coming up again,
// whichever mouse button it is, and to nothing else: the keyboard and the
// click signal give first aid to no one. Every press counts, the second
// press of a double-click included: Qt reports that one as a double-click,
// which QWidget hands on as a press.
class ActionButton : public QPushButton {
    Q_OBJECT
public:
    ActionButton(const QString& caption, QWidget* parent);

signals:
    void mouseDown();
    void mouseUp();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
