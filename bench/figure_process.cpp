#include "app/action_button.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "bench/samples.h"
#include "round/rules.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <ctime>

namespace {

constexpr int kIdleSeconds = 10;
// A fast player's pace: as often as a finger can click.
constexpr int kFastPressMs = 80;

void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The underruns the benchmark's sound server has logged so far: at log
// level debug it notes each one of a playback stream as "... underrun of".
qsizetype serverUnderruns()
{
    QFile log(qEnvironmentVariable("POKORI_SERVER_LOG"));
    if (!log.open(QIODevice::ReadOnly))
        qFatal("cannot read the sound server's log");
    return log.readAll().count(" underrun of ");
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
        const std::clock_t before = std::clock();
        const qint64 from = steadyNs();
        idle(1000);
        const double wall = double(steadyNs() - from) / 1e9;
        reportSample("idle CPU", 100.0 * double(std::clock() - before) / CLOCKS_PER_SEC / wall);
    }
    return game.window.sound(Sound::Music).isPlaying() ? 0 : 1; // the music played all along
}

int measureUnderruns(int bufferFrames)
{
    const auto audio = audioThroughServer(bufferFrames);
    if (!audio)
        return 1;
    BenchGame game;
    game.load();
    const WindowControls& c = game.window.controls();
    c.paceButtons[1]->click(); // heavy
    game.startRound();
    const Round& round = game.window.round();
    const qsizetype before = serverUnderruns();
    // In real time, with the music playing: the right action, again and again.
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout,
                     [&] { QTest::mouseClick(c.actionButtons[round.currentAction()], Qt::LeftButton); });
    presser.start(kFastPressMs);
    const int roundMs = 2 * kTicksPerRound * (kHeavyPace.baseMs + kHeavyPace.spreadMs); // ample
    if (!runUntil([&] { return round.ticks() >= kTicksPerRound; }, roundMs))
        return 1;
    reportSample(serverFigure("underruns", bufferFrames).constData(), double(serverUnderruns() - before));
    return 0;
}
