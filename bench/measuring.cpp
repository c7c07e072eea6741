#include "bench/measuring.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace {

// A window paints every dirty widget and flushes the frame while it handles
// its first expose event: the watch delivers that event itself, then calls
// shown().
class FirstFrameWatch : public QObject {
public:
    FirstFrameWatch(QWindow* window, std::function<void()> shown)
        : QObject(window)
        , m_shown(std::move(shown))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* window, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || m_delivering)
            return false;
        m_delivering = true;
        QCoreApplication::sendEvent(window, event);
        m_delivering = false;
        if (static_cast<QWindow*>(window)->isExposed()) {
            window->removeEventFilter(this);
            m_shown();
        }
        return true;
    }

private:
    std::function<void()> m_shown;
    bool m_delivering = false;
};

} // namespace

qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double peakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kB
}

void reportSample(const QString& figure, double value)
{
    std::printf("%s\t%.6f\n", qPrintable(figure), value);
    std::fflush(stdout);
}

void whenFirstFrameDrawn(QWidget* window, std::function<void()> shown)
{
    new FirstFrameWatch(window->windowHandle(), std::move(shown));
}
