// Each figure measured in a process of its own, through the real window and
// sound channels, with the game made as main.cpp makes it.
#include "bench/figures.h"

#include "bench/measuring.h"
#include "bench/sound_watch.h"
#include "desktop/action_button.h"
#include "desktop/game_timer.h"
#include "desktop/game_window.h"
#include "desktop/picture_box.h"
#include "media/audio_device.h"
#include "round/random_source.h"
#include "round/rules.h"
#include "samples/sample_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QHash>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <SDL_mixer.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <thread>

namespace {

constexpr int kStartups = 10;
constexpr int kMemoryRounds = 5;
constexpr int kPicturePresses = 1000;
constexpr int kServerPresses = 120;
constexpr int kGaps = 60;
constexpr int kMusicRestarts = 20;
constexpr int kMusicMs = 1000;
constexpr int kIdleSeconds = 10;
constexpr double kMiB = 1024.0 * 1024.0;

// A press or a release of the left button in the middle of a widget, handed
// to it as the window hands it a player's.
void mouse(QWidget* widget, QEvent::Type type)
{
    const QPointF middle = QRectF(widget->rect()).center();
    QMouseEvent event(type, middle, widget->mapToGlobal(middle), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
    QCoreApplication::sendEvent(widget, &event);
}

void click(QWidget* widget)
{
    mouse(widget, QEvent::MouseButtonPress);
    mouse(widget, QEvent::MouseButtonRelease);
}

// The game window as main.cpp makes and shows it, over the given folder,
// with message boxes that close at once so that the benchmark plays on.
struct BenchGame {
    explicit BenchGame(const QString& assetDir = QStringLiteral(POKORI_RUNTIME_DIR))
        : window(
            random, [](QWidget*, const QString&) {}, [](QWidget*, const QString&) { qFatal("a picture is broken"); },
            assetDir)
    {
        window.start();
    }
    // A fresh round: back to the title, then into play.
    void startRound()
    {
        click(controls()[Control::ScenePicture]);
        click(controls()[Control::TitlePicture]);
    }
    // The second of the paces, heavy: prompts come fastest.
    void chooseHeavyPace() { controls().as<QPushButton>(Control::HeavyPaceButton)->click(); }
    [[nodiscard]] const WindowControls& controls() const { return window.controls(); }
    [[nodiscard]] GameTimer& timer(const char* name) { return *window.findChild<GameTimer*>(QLatin1String(name)); }

    ClockRandom random;
    GameWindow window;
};

// Runs Qt's events for ms, or until done() holds, looked at every 20 ms;
// false when the time ran out first.
bool runFor(int ms, const std::function<bool()>& done = {})
{
    QEventLoop loop;
    QTimer look;
    if (done) {
        QObject::connect(&look, &QTimer::timeout, &loop, [&] {
            if (done())
                loop.quit();
        });
        look.start(20);
    }
    QTimer::singleShot(ms, &loop, [&] { loop.exit(1); });
    return loop.exec() == 0;
}

// Waits until done() holds, without running Qt's events, so that the
// round's timers stand still; false after two seconds.
bool waitStill(const std::function<bool()>& done)
{
    const qint64 deadline = steadyNs() + 2'000'000'000;
    while (!done()) {
        if (steadyNs() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    return true;
}

int measureStartup()
{
    BenchGame game;
    whenFirstFrameDrawn(&game.window, [] {
        reportSample(QStringLiteral("start-up"), double(steadyNs()));
        QCoreApplication::exit(0);
    });
    return QCoreApplication::exec();
}

int measurePressToPicture()
{
    BenchGame game;
    game.startRound();
    auto* scene = game.controls().as<PictureBox>(Control::ScenePicture);
    // Shown on the screen, so that a repaint paints at once; not measured.
    if (!runFor(1000, [&] { return game.window.windowHandle()->isExposed(); }))
        return 1;
    const qint64 idleScene = scene->pixmap().cacheKey();
    for (int i = 0; i < kPicturePresses; ++i) {
        QWidget* button = game.controls()[actionButton(i % kActionCount)];
        const qint64 pressed = steadyNs();
        mouse(button, QEvent::MouseButtonPress);
        scene->repaint();
        reportSample(QStringLiteral("press to picture"), double(steadyNs() - pressed) / 1e6);
        if (scene->pixmap().cacheKey() == idleScene) {
            std::fprintf(stderr, "press %d: the scene did not change\n", i);
            return 1;
        }
        mouse(button, QEvent::MouseButtonRelease);
        scene->repaint();
    }
    return 0;
}

// The gap between two prompts against the gap drawn, and how long each
// prompt shows, in rounds at the heavy pace one after the other.
int measurePromptTiming()
{
    BenchGame game;
    game.chooseHeavyPace();
    game.startRound();
    GameTimer& prompts = game.timer("promptTimer");
    int gaps = 0;
    int flashes = 0;
    qint64 promptAt = 0; // 0 before a round's first prompt
    int drawn = 0;
    // These run after the window's own handlers, which show and hide the
    // prompt. The tick that ends a round has told the ending by then, so
    // its time is not the tick's: the gaps measured are between two prompts.
    QObject::connect(&prompts, &GameTimer::tick, &game.window, [&] {
        const qint64 now = steadyNs();
        if (game.window.round().ticks() >= kTicksPerRound) {
            promptAt = 0;
            QTimer::singleShot(0, &game.window, [&game] { game.startRound(); });
            return;
        }
        if (promptAt != 0 && gaps < kGaps) {
            reportSample(QStringLiteral("prompt timing"), std::abs(double(now - promptAt) / 1e6 - drawn));
            ++gaps;
        }
        promptAt = now;
        drawn = prompts.interval();
    });
    QObject::connect(&game.timer("flashTimer"), &GameTimer::tick, &game.window, [&] {
        if (promptAt != 0 && flashes < kGaps) {
            reportSample(QStringLiteral("flash"), double(steadyNs() - promptAt) / 1e6);
            ++flashes;
        }
    });
    if (!runFor(2 * kGaps * (kHeavyPace.baseMs + kHeavyPace.spreadMs),
                [&] { return gaps >= kGaps && flashes >= kGaps; })) {
        std::fprintf(stderr, "only %d gaps and %d flashes in time\n", gaps, flashes);
        return 1;
    }
    return 0;
}

// The time between two starts of the music heard from the mixer against
// the music's length, with a music of a short tone and then silence.
int measureMusicRestart()
{
    QTemporaryDir assets;
    const QDir gameAssets(QStringLiteral(POKORI_RUNTIME_DIR));
    for (const QString& name : gameAssets.entryList({QStringLiteral("*.bmp"), QStringLiteral("*.wav")}))
        QFile::copy(gameAssets.filePath(name), assets.filePath(name));
    QFile music(assets.filePath(QStringLiteral("0.wav")));
    if (!music.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || music.write(waveBytes({AudioDevice::kFrequency, 1, 16}, kMusicMs, 100)) <= 0)
        return 1;
    music.close();

    BenchGame game(assets.path());
    MixerWatch watch;
    qint64 lastStart = 0;
    for (int start = 0; start <= kMusicRestarts; ++start) {
        bool heard = runFor(2 * kMusicMs, [&] { return watch.settled(); });
        watch.arm(); // in the silence after the tone
        heard = heard && runFor(2 * kMusicMs, [&] { return watch.firstSound() != 0; });
        if (!heard) {
            std::fprintf(stderr, "the music started only %d times\n", start);
            return 1;
        }
        if (lastStart != 0) {
            const double periodMs = double(watch.firstSound() - lastStart) / 1e6;
            reportSample(QStringLiteral("music restart"), std::abs(periodMs - kMusicMs));
        }
        lastStart = watch.firstSound();
    }
    return 0;
}

// The peak over a round to the best ending, which shows the most pictures,
// and the pictures and sounds the game holds: the title, every scene shown
// in play, the last picture of the ending, and every sound.
int measureMemory()
{
    double heldMiB = 0;
    {
        BenchGame game;
        runFor(100);
        game.startRound();
        const WindowControls& c = game.controls();
        QHash<qint64, qsizetype> pictureBytes; // by cache key: a shared picture once
        const auto hold
            = [&](const QPixmap& picture) { pictureBytes[picture.cacheKey()] = picture.toImage().sizeInBytes(); };
        hold(c.as<PictureBox>(Control::TitlePicture)->pixmap());
        // Three right presses a prompt reach the best ending.
        for (int tick = 1; tick <= kTicksPerRound; ++tick) {
            for (int press = 0; press < 3; ++press) {
                QWidget* button = c[actionButton(game.window.round().currentAction())];
                mouse(button, QEvent::MouseButtonPress);
                hold(c.as<PictureBox>(Control::ScenePicture)->pixmap());
                mouse(button, QEvent::MouseButtonRelease);
                hold(c.as<PictureBox>(Control::ScenePicture)->pixmap());
                QCoreApplication::processEvents();
            }
            emit game.timer("promptTimer").tick();
            QCoreApplication::processEvents();
        }
        hold(c.as<PictureBox>(Control::ScenePicture)->pixmap());
        double bytes = 0;
        for (const qsizetype picture : pictureBytes)
            bytes += double(picture);
        int frequency = 0;
        Uint16 format = 0;
        int channels = 0;
        Mix_QuerySpec(&frequency, &format, &channels); // the form the mixer holds every sound in
        for (int sound = 0; sound < kSoundCount; ++sound) {
            const int ms = game.window.sound(Sound(sound)).lengthMs();
            bytes += ms * frequency / 1000.0 * SDL_AUDIO_BITSIZE(format) / 8 * channels;
        }
        heldMiB = bytes / kMiB;
        runFor(100);
        game.window.close();
    }
    reportSample(QStringLiteral("memory"), peakResidentMiB());
    reportSample(QStringLiteral("pictures and sounds held"), heldMiB);
    return 0;
}

int measureIdleCpu()
{
    BenchGame game;
    runFor(1000); // start-up's own work done
    for (int second = 0; second < kIdleSeconds; ++second) {
        const std::clock_t cpu = std::clock();
        const qint64 from = steadyNs();
        runFor(1000);
        const double wallSeconds = double(steadyNs() - from) / 1e9;
        reportSample(QStringLiteral("idle CPU"), 100.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC / wallSeconds);
    }
    return game.window.sound(Sound::Music).isPlaying() ? 0 : 1; // the music played all along
}

// Through the sound server PULSE_SERVER names: presses on the action
// buttons in turn, each from silence, each timed until the server plays its
// sound. The music stays silent: Qt's events wait meanwhile, and with them
// its timer.
int measurePressToServer()
{
    qputenv("SDL_AUDIODRIVER", "pulseaudio");
    BenchGame game;
    ServerWatch watch;
    game.startRound();
    Mix_HaltChannel(-1);
    // Silence is seen just after a buffer was heard; pressing then would
    // always wait a whole buffer. A random pause spreads the presses over it.
    std::mt19937 engine(20240601);
    std::uniform_int_distribution<int> pauseUs(0, 1'000'000 * AudioDevice::kBufferFrames / AudioDevice::kFrequency);
    for (int i = 0; i < kServerPresses; ++i) {
        QWidget* button = game.controls()[actionButton(i % kActionCount)];
        if (!waitStill([&] { return watch.settled(); })) {
            std::fprintf(stderr, "the output never fell silent\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pauseUs(engine)));
        watch.arm();
        const qint64 pressed = steadyNs();
        mouse(button, QEvent::MouseButtonPress);
        if (!waitStill([&] { return watch.firstSound() != 0; })) {
            std::fprintf(stderr, "press %d: no sound was heard\n", i);
            return 1;
        }
        reportSample(QStringLiteral("press to server"), double(watch.firstSound() - pressed) / 1e6);
        mouse(button, QEvent::MouseButtonRelease);
        Mix_HaltChannel(i % kActionCount + 1); // silence for the next press to start from
    }
    return 0;
}

} // namespace

const QList<Measure>& measures()
{
    static const QList<Measure> all{
        {QStringLiteral("start-up"), measureStartup, kStartups, true},
        {QStringLiteral("press to picture"), measurePressToPicture},
        {QStringLiteral("prompt timing"), measurePromptTiming}, // and "flash"
        {QStringLiteral("music restart"), measureMusicRestart},
        {QStringLiteral("memory"), measureMemory, kMemoryRounds}, // and "pictures and sounds held"
        {QStringLiteral("idle CPU"), measureIdleCpu},
        {QStringLiteral("press to server"), measurePressToServer, 1, false, true},
    };
    return all;
}
