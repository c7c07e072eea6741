#include "picture_box.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(bool stretch, bool bordered, QWidget* parent)
    : QFrame(parent)
    , m_stretch(stretch)
{
    if (bordered) {
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
    if (m_stretch) {
        // Pictures are drawn at twice their on-screen size, so smooth
        // scaling keeps them crisp on every screen density.
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(contentsRect(), m_pixmap);
    } else {
        painter.drawPixmap(contentsRect().topLeft(), m_pixmap);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}
