#include "bench/frame_watch.h"

#include "bench/samples.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

#include <cstdio>

FrameWatch::FrameWatch(QWidget* window, QWidget* content, Shown shown)
    : QObject(window)
    , m_window(window)
    , m_content(content)
    , m_shown(std::move(shown))
{
    window->installEventFilter(this);
    content->installEventFilter(this);
}

bool FrameWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_content) {
        m_contentPainted |= event->type() == QEvent::Paint;
        return false;
    }
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
    if (!static_cast<QWindow*>(watched)->isExposed())
        return true;
    const qint64 ns = steadyNs();
    watched->removeEventFilter(this);
    m_window->removeEventFilter(this);
    m_content->removeEventFilter(this);
    if (m_contentPainted) {
        m_shown(ns);
    } else {
        std::fprintf(stderr, "the first frame did not show the %s\n", m_content->metaObject()->className());
        QCoreApplication::exit(1);
    }
    return true;
}
