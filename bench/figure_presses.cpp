#include "app/action_button.h"
#include "app/picture_box.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "bench/mixer_tap.h"
#include "bench/paint_watch.h"
#include "media/audio_device.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <SDL_mixer.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

namespace {

constexpr int kPicturePresses = 1000;
constexpr int kMixerPresses = 200;
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

int measurePressToPicture()
{
    BenchGame game;
    game.load();
    game.startRound();
    const WindowControls& c = game.window.controls();
    qint64 paintedAt = 0;
    new PaintWatch(c.scenePicture, [&paintedAt](qint64 ns) { paintedAt = ns; });
    QCoreApplication::processEvents(); // the first showing of the scene, not measured

    for (int i = 0; i < kPicturePresses; ++i) {
        const int k = i % 3;
        paintedAt = 0;
        const qint64 idleScene = c.scenePicture->pixmap().cacheKey();
        const qint64 pressed = steadyNs();
        QTest::mousePress(c.actionButtons[k], Qt::LeftButton);
        c.scenePicture->repaint();
        if (paintedAt == 0 || c.scenePicture->pixmap().cacheKey() == idleScene) {
            std::fprintf(stderr, "press %d: the scene did not show action %d\n", i, k);
            return 1;
        }
        reportSample("press to picture", double(paintedAt - pressed) / 1e6);
        QTest::mouseRelease(c.actionButtons[k], Qt::LeftButton);
        c.scenePicture->repaint();
    }
    return 0;
}

int measurePressToMixer()
{
    // Without the music the output is silent but for the presses.
    const auto assets = copyOfGameAssets();
    QFile::remove(assets->filePath(QStringLiteral("0.wav")));
    BenchGame game(assets->path());
    game.load();
    game.startRound();
    const WindowControls& c = game.window.controls();
    MixerTap tap;
    // Silence is seen just after the mixer ran; pressing then would always
    // wait a whole buffer. A random pause spreads the presses over it.
    std::mt19937 engine(20240601);
    std::uniform_int_distribution<int> pauseUs(0, 1'000'000 * AudioDevice::kBufferFrames / AudioDevice::kFrequency);

    for (int i = 0; i < kMixerPresses; ++i) {
        const int k = i % 3;
        const qint64 quietFrom = steadyNs();
        if (!waitFor([&] { return tap.silentSince(quietFrom); })) {
            std::fprintf(stderr, "the mixer never fell silent\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pauseUs(engine)));
        tap.arm();
        const qint64 pressed = steadyNs();
        QTest::mousePress(c.actionButtons[k], Qt::LeftButton);
        if (!waitFor([&] { return tap.firstSound() != 0; })) {
            std::fprintf(stderr, "press %d: no sound reached the mixer\n", i);
            return 1;
        }
        reportSample("press to mixer", double(tap.firstSound() - pressed) / 1e6);
        QTest::mouseRelease(c.actionButtons[k], Qt::LeftButton);
        Mix_HaltChannel(k + 1); // silence for the next press to start from
    }
    return 0;
}
