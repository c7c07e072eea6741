#include "app/action_button.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "round/rules.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <ctime>

namespace {

constexpr int kIdleSeconds = 10;

// The process's peak resident size so far, in MiB, from the kernel.
double peakResidentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0; // kB
    }
    return -1;
}

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int measureMemory()
{
    {
        BenchGame game;
        game.load();
        idle(100);
        game.startRound();
        GameWindow& window = game.window;
        // Three right presses a prompt reach the best ending, which shows
        // the most pictures.
        for (int tick = 1; tick <= kTicksPerRound; ++tick) {
            for (int press = 0; press < 3; ++press) {
                QTest::mouseClick(window.controls().actionButtons[window.round().currentAction()], Qt::LeftButton);
                QCoreApplication::processEvents();
            }
            game.tick();
            QCoreApplication::processEvents();
        }
        idle(100);
        window.close();
    }
    reportSample("memory", peakResidentMiB());
    return 0;
}

int measureIdleCpu()
{
    BenchGame game;
    game.load();
    idle(1000); // start-up's own work done
    for (int second = 0; second < kIdleSeconds; ++second) {
        const double before = cpuSeconds();
        const qint64 from = steadyNs();
        idle(1000);
        const double wall = double(steadyNs() - from) / 1e9;
        reportSample("idle CPU", 100.0 * (cpuSeconds() - before) / wall);
    }
    return game.window.sounds()[kMusicSound].isPlaying() ? 0 : 1; // the music played all along
}
