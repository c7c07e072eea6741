#include "app/picture_box.h"
#include "bench/bench_game.h"
#include "bench/figures.h"
#include "bench/mixer_tap.h"
#include "bench/samples.h"
#include "bench/widget_watch.h"
#include "round/rules.h"
#include "samples/sample_files.h"

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kGaps = 60;
constexpr int kRestarts = 20;
constexpr int kMusicMs = 1000;

} // namespace

int measurePromptTiming()
{
    BenchGame game;
    game.load();
    GameWindow& window = game.window;
    const WindowControls& c = window.controls();
    GameTimer& promptTimer = game.timer("promptTimer");
    c.paceButtons[1]->click(); // heavy
    // A fresh round at the heavy pace: back to the title, then into play.
    auto newRound = [&game, &c] {
        QTest::mouseClick(c.scenePicture, Qt::LeftButton);
        game.startRound();
    };
    newRound();

    int gaps = 0;
    int flashes = 0;
    qint64 lastTick = 0;
    int drawn = 0; // the gap drawn at the last tick; 0 before the first
    // Runs after the window's own handler. The tick that ends a round has
    // told the ending by then, so its time is not the tick's: the gaps
    // measured are those between two prompts.
    QObject::connect(&promptTimer, &GameTimer::tick, &window, [&] {
        const qint64 now = steadyNs();
        if (window.round().ticks() >= kTicksPerRound) {
            drawn = 0;
            QTimer::singleShot(0, &window, newRound);
            return;
        }
        if (drawn > 0 && gaps < kGaps) {
            reportSample("prompt timing", std::abs(double(now - lastTick) / 1e6 - drawn));
            ++gaps;
        }
        lastTick = now;
        drawn = promptTimer.interval();
    });
    qint64 shownAt = 0;
    new WidgetWatch(c.promptLabel, [&](QEvent::Type type, qint64 ns) {
        if (type == QEvent::Show) {
            shownAt = ns;
        } else if (type == QEvent::Hide && shownAt != 0 && flashes < kGaps) {
            reportSample("flash", double(ns - shownAt) / 1e6);
            ++flashes;
            shownAt = 0;
        }
    });

    const int timeoutMs = 2 * kGaps * (kHeavyPace.baseMs + kHeavyPace.spreadMs);
    if (!runUntil([&] { return gaps >= kGaps && flashes >= kGaps; }, timeoutMs)) {
        std::fprintf(stderr, "only %d gaps and %d flashes in time\n", gaps, flashes);
        return 1;
    }
    return 0;
}

int measureMusicRestart()
{
    // A second of music that is a short tone and then silence, so that the
    // mixer's output shows each restart.
    const auto assets = copyOfGameAssets();
    QFile music(assets->filePath(QStringLiteral("0.wav")));
    if (!music.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || music.write(waveBytes({AudioDevice::kFrequency, 2, 16, false}, kMusicMs, 100)) <= 0)
        return 1;
    music.close();

    BenchGame game(assets->path());
    MixerTap tap;
    game.load();
    const int period = game.timer("musicTimer").interval();
    if (period != kMusicMs) {
        std::fprintf(stderr, "the music loops every %d ms, not %d\n", period, kMusicMs);
        return 1;
    }
    if (!runUntil([&] { return tap.onsets() > kRestarts; }, (kRestarts + 5) * kMusicMs)) {
        std::fprintf(stderr, "only %d starts of the music heard\n", tap.onsets());
        return 1;
    }
    for (int i = 1; i <= kRestarts; ++i)
        reportSample("music restart", std::abs(double(tap.onset(i) - tap.onset(i - 1)) / 1e6 - period));
    return 0;
}
