#include "bench/frame_watch.h"

#include "bench/samples.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

FrameWatch::FrameWatch(QWidget* window, Shown shown)
    : QObject(window)
    , m_window(window)
    , m_shown(std::move(shown))
{
    window->installEventFilter(this);
}

bool FrameWatch::eventFilter(QObject* watched, QEvent* event)
{
    // The platform window exists once the window is being shown, and has not
    // been exposed yet.
    if (watched == m_window) {
        if (event->type() == QEvent::Show && m_window->windowHandle())
            m_window->windowHandle()->installEventFilter(this);
        return false;
    }
    if (event->type() != QEvent::Expose || m_exposing)
        return false;
    // An exposed window paints every dirty widget and flushes the frame while
    // it handles the expose event: deliver it now, then note the time.
    m_exposing = true;
    QCoreApplication::sendEvent(watched, event);
    m_exposing = false;
    if (static_cast<QWindow*>(watched)->isExposed()) {
        const qint64 ns = steadyNs();
        watched->removeEventFilter(this);
        m_window->removeEventFilter(this);
        m_shown(ns);
    }
    return true;
}
