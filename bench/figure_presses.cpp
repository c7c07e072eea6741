#include "app/action_button.h"
#include "app/picture_box.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "bench/mixer_tap.h"
#include "bench/samples.h"
#include "bench/server_tap.h"
#include "bench/widget_watch.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <cstdio>

namespace {

constexpr int kPicturePresses = 1000;
constexpr int kMixerPresses = 200;
constexpr int kServerPresses = 120;

// The game's assets without the music, so that only the presses sound.
std::unique_ptr<QTemporaryDir> assetsWithoutMusic()
{
    auto assets = copyOfGameAssets();
    QFile::remove(assets->filePath(QStringLiteral("0.wav")));
    return assets;
}

} // namespace

int measurePressToPicture()
{
    BenchGame game;
    game.load();
    game.startRound();
    const WindowControls& c = game.window.controls();
    qint64 paintedAt = 0;
    new WidgetWatch(c.scenePicture, [&paintedAt](QEvent::Type type, qint64 ns) {
        if (type == QEvent::Paint)
            paintedAt = ns;
    });
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
    const auto assets = assetsWithoutMusic();
    BenchGame game(assets->path());
    game.load();
    game.startRound();
    MixerTap tap;
    const bool heard = game.pressFromSilence(tap, kMixerPresses, AudioDevice::kBufferFrames,
                                             [](double ms) { reportSample("press to mixer", ms); });
    return heard ? 0 : 1;
}

int measurePressToServer(int bufferFrames)
{
    const auto audio = audioThroughServer(bufferFrames);
    if (!audio)
        return 1;
    const auto assets = assetsWithoutMusic();
    BenchGame game(assets->path());
    game.load();
    game.startRound();
    ServerTap tap;
    const QByteArray press = serverFigure("press to server", bufferFrames);
    const QByteArray latency = serverFigure("server latency", bufferFrames);
    const bool heard = game.pressFromSilence(tap, kServerPresses, bufferFrames, [&](double ms) {
        reportSample(press.constData(), ms);
        reportSample(latency.constData(), tap.gameStreamLatencyMs());
    });
    return heard ? 0 : 1;
}
