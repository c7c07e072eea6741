#include "desktop/game_timer.h"

GameTimer::GameTimer(int interval, bool enabled, QObject* parent)
    : QObject(parent)
    , m_interval(interval)
    , m_enabled(enabled)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &GameTimer::tick);
    rearm();
}

void GameTimer::setInterval(int ms)
{
    m_interval = ms;
    rearm();
}

void GameTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return; // enabling a running timer keeps its countdown
    m_enabled = enabled;
    rearm();
}

void GameTimer::rearm()
{
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
    else
        m_timer.stop();
}
