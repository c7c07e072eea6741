#include "app/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(Border border, QWidget* parent)
    : QFrame(parent)
{
    if (border == Border::Sunken) {
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
    }
}

void PictureBox::setPixmap(const QPixmap& pixmap)
{
    m_pixmap = pixmap;
    update();
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_pixmap.isNull())
        return;
    QPainter painter(this);
    // Pictures are drawn at twice their on-screen size, so smooth scaling
    // keeps them crisp on every screen density.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(contentsRect(), m_pixmap);
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* /*event*/)
{
    // Qt reports the second press of a double-click as this event alone
    // (by default handed on as a press): the release that follows is not a
    // click of its own.
    m_pressed = false;
}
