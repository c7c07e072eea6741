#include "bench/paint_watch.h"

#include "bench/samples.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

PaintWatch::PaintWatch(QWidget* widget, Painted painted)
    : QObject(widget)
    , m_painted(std::move(painted))
{
    widget->installEventFilter(this);
}

bool PaintWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Paint || m_painting)
        return false;
    // Deliver the paint now, within the same repaint, then note the time.
    m_painting = true;
    QCoreApplication::sendEvent(watched, event);
    m_painting = false;
    m_painted(steadyNs());
    return true;
}
