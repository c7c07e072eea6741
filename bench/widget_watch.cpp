#include "bench/widget_watch.h"

#include "bench/samples.h"

#include <QCoreApplication>
#include <QWidget>

WidgetWatch::WidgetWatch(QWidget* widget, Seen seen)
    : QObject(widget)
    , m_seen(std::move(seen))
{
    widget->installEventFilter(this);
}

bool WidgetWatch::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Hide)
        m_seen(type, steadyNs());
    if (type != QEvent::Paint || m_painting)
        return false;
    // Deliver the paint now, within the same repaint, then note the time.
    m_painting = true;
    QCoreApplication::sendEvent(watched, event);
    m_painting = false;
    m_seen(type, steadyNs());
    return true;
}
