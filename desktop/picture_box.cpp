#include "desktop/picture_box.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {

// A picture as a screen reader meets it: a graphic, with its name and
// description, that its press action clicks, as a mouse click would.
class AccessiblePicture : public QAccessibleWidget {
public:
    explicit AccessiblePicture(PictureBox* picture)
        : QAccessibleWidget(picture, QAccessible::Graphic)
    {
    }
    [[nodiscard]] QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        // Queued, as a button's press action is: the click may open a message
        // box, which must not hold up the screen reader's call.
        if (action == pressAction())
            QMetaObject::invokeMethod(widget(), "clicked", Qt::QueuedConnection);
    }
};

QAccessibleInterface* accessiblePicture(const QString& className, QObject* object)
{
    if (className == QLatin1String("PictureBox"))
        return new AccessiblePicture(static_cast<PictureBox*>(object));
    return nullptr;
}

} // namespace

PictureBox::PictureBox(Border border, QWidget* parent)
    : QFrame(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(accessiblePicture);
        return true;
    }();
    Q_UNUSED(accessible);
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
