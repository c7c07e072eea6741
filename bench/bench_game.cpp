#include "bench/bench_game.h"

#include "app/action_button.h"
#include "app/picture_box.h"
#include "bench/samples.h"
#include "bench/sound_watch.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <SDL_mixer.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

namespace {

constexpr qint64 kPatienceNs = 2'000'000'000;

// Waits, without running Qt's event loop (the round's timers stay put),
// until done() holds; false after two seconds.
template <typename Done> bool waitFor(Done done)
{
    const qint64 deadline = steadyNs() + kPatienceNs;
    while (!done()) {
        if (steadyNs() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    return true;
}

} // namespace

QString gameAssetDir()
{
    return QStringLiteral(POKORI_RUNTIME_DIR);
}

std::unique_ptr<QTemporaryDir> copyOfGameAssets()
{
    auto dir = std::make_unique<QTemporaryDir>();
    const QDir game(gameAssetDir());
    for (const QString& name : game.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.wav")}, QDir::Files)) {
        if (!QFile::copy(game.filePath(name), dir->filePath(name)))
            qFatal("cannot copy %s", qPrintable(name));
    }
    return dir;
}

std::unique_ptr<AudioDevice> audioThroughServer(int bufferFrames)
{
    qputenv("SDL_AUDIODRIVER", "pulseaudio");
    auto device = std::make_unique<AudioDevice>(kSoundCount, bufferFrames);
    return device->isOpen() ? std::move(device) : nullptr;
}

bool runUntil(const std::function<bool()>& done, int timeoutMs)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(20);
    QTimer::singleShot(timeoutMs, &loop, [&] { loop.exit(1); });
    return loop.exec() == 0;
}

BenchGame::BenchGame(const QString& assetDir)
    : window(
        random, [](QWidget*, const QString&) {}, [](const AssetError&) { qFatal("a picture is broken"); }, assetDir)
{
}

void BenchGame::load()
{
    window.start();
    window.show();
}

void BenchGame::startRound()
{
    QTest::mouseClick(window.controls().titlePicture, Qt::LeftButton, {}, QPoint(100, 100));
}

void BenchGame::tick()
{
    emit timer("promptTimer").tick();
}

GameTimer& BenchGame::timer(const char* name)
{
    return *window.findChild<GameTimer*>(QLatin1String(name));
}

bool BenchGame::pressFromSilence(SoundWatch& watch, int presses, int bufferFrames,
                                 const std::function<void(double ms)>& heard)
{
    const WindowControls& c = window.controls();
    // Silence is seen just after a buffer was heard; pressing then would
    // always wait a whole buffer. A random pause spreads the presses over it.
    std::mt19937 engine(20240601);
    std::uniform_int_distribution<int> pauseUs(0, 1'000'000 * bufferFrames / AudioDevice::kFrequency);
    for (int i = 0; i < presses; ++i) {
        const int k = i % 3;
        if (!waitFor([&] { return watch.settled(); })) {
            std::fprintf(stderr, "the output never fell silent\n");
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pauseUs(engine)));
        watch.arm();
        const qint64 pressed = steadyNs();
        QTest::mousePress(c.actionButtons[k], Qt::LeftButton);
        if (!waitFor([&] { return watch.firstSound() != 0; })) {
            std::fprintf(stderr, "press %d: no sound was heard\n", i);
            return false;
        }
        heard(double(watch.firstSound() - pressed) / 1e6);
        QTest::mouseRelease(c.actionButtons[k], Qt::LeftButton);
        Mix_HaltChannel(k + 1); // silence for the next press to start from
    }
    return true;
}
