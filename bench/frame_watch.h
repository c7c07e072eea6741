#pragma once

#include <QObject>

#include <functional>

class QEvent;
class QWidget;

// Reports, once, the steady clock (ns) when a top-level window's first frame
// has been drawn in full: the window and every widget in it painted, and the
// frame handed to the screen. That is the moment the player first sees what
// the window shows, and the same moment for every program it is set against.
class FrameWatch : public QObject {
    Q_OBJECT
public:
    using Shown = std::function<void(qint64 ns)>;
    FrameWatch(QWidget* window, Shown shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    Shown m_shown;
    bool m_exposing = false;
};
