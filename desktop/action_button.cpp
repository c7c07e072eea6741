#include "desktop/action_button.h"

#include <QMouseEvent>

ActionButton::ActionButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
}

void ActionButton::mousePressEvent(QMouseEvent* event)
{
    QPushButton::mousePressEvent(event); // the pressed look, for the left button
    event->accept(); // every mouse button; the button keeps the mouse until release
    emit mouseDown();
}

void ActionButton::mouseReleaseEvent(QMouseEvent* event)
{
    QPushButton::mouseReleaseEvent(event);
    event->accept();
    emit mouseUp();
}
