#pragma once

#include <QObject>

#include <functional>

class QEvent;
class QWidget;

// Reports, once, the steady clock (ns) when a top-level window's first frame
// has been drawn in full: the window and every widget in it painted, and the
// frame handed to the screen. That is the moment the player first sees what
// the window shows, and the same moment for every program it is set against.
// The frame must paint the given content, a widget in the window; if it does
// not, the watch says so and ends the event loop with status 1 instead.
class FrameWatch : public QObject {
    Q_OBJECT
public:
    using Shown = std::function<void(qint64 ns)>;
    FrameWatch(QWidget* window, QWidget* content, Shown shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QWidget* m_content;
    Shown m_shown;
    bool m_contentPainted = false;
    bool m_exposing = false;
};
