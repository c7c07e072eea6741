#pragma once

#include <QObject>
#include <QTimer>

// An interval timer with the game's rules:
// - it ticks every interval while enabled, but never with an interval of 0
//   (a zero-interval QTimer would fire continuously);
// - setting the interval of a running timer restarts its countdown;
// - enabling starts a countdown of the current interval; disabling discards
//   the countdown in progress.
// Ticks are precise to the millisecond.
class GameTimer : public QObject {
    Q_OBJECT
public:
    GameTimer(int interval, bool enabled, QObject* parent = nullptr);

    void setInterval(int ms);
    void setEnabled(bool enabled);
    [[nodiscard]] int interval() const { return m_interval; }
    // Enabled with a non-zero interval: a tick will come.
    [[nodiscard]] bool isTicking() const { return m_timer.isActive(); }
    // Milliseconds until the next tick; -1 when none will come.
    [[nodiscard]] int remainingTime() const { return m_timer.remainingTime(); }

signals:
    void tick();

private:
    void rearm();

    QTimer m_timer;
    int m_interval;
    bool m_enabled;
};
